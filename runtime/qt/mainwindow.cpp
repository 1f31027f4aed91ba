// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"

#include <QIcon>
#include <QLocale>
#include <QPixmap>

#include "messageboxreporter.h"
#include "numberbox.h"
#include "textconvert.h"
#include "window/design.h"
#include "window/solutionnotes.h"

#include "packaging/icons/cylinder-32.xpm"
#include "packaging/icons/cylinder-64.xpm"

MainWindow::MainWindow(platform::ErrorReporter* reporter, QWidget* parent)
    : QWidget(parent),
      controls_(buildControls(this)),
      ownReporter_(reporter ? nullptr : std::make_unique<MessageBoxReporter>(this)),
      reporter_(reporter ? reporter : ownReporter_.get()),
      separator_(decimalSeparator(QLocale())),
      form_(*this, separator_) {
    setWindowTitle(toQString(window::windowCaption()));
    // Compiled-in pixmaps: no image or icon plugins to look up at start.
    QIcon icon;
    icon.addPixmap(QPixmap(cylinder_32_xpm));
    icon.addPixmap(QPixmap(cylinder_64_xpm));
    setWindowIcon(icon);

    for (int k = 0; k < static_cast<int>(controls_.Option1.size()); ++k)
        connect(controls_.Option1[k], &QRadioButton::clicked, this,
                [this, k] { form_.onOptionClick(k); });
    for (int n = 0; n < static_cast<int>(controls_.Command1.size()); ++n)
        connect(controls_.Command1[n], &QPushButton::clicked, this,
                [this, n] { form_.onCommandClick(n); });
    for (QLineEdit* box : controls_.Text2)
        connect(box, &QLineEdit::returnPressed, this, [this] { form_.onCommandClick(0); });

    form_.onLoad();
}

MainWindow::~MainWindow() = default;

std::u16string MainWindow::boxText(int box) const {
    return std::u16string(toView(controls_.Text2.at(box)->text()));
}

void MainWindow::setBoxText(int box, std::u16string_view text) {
    QLineEdit* target = controls_.Text2.at(box);
    target->setText(toQString(text));
    target->setCursorPosition(0);  // a long number shows its start
}

void MainWindow::setBoxLocked(int box, bool locked) {
    controls_.Text2.at(box)->setReadOnly(locked);
}

void MainWindow::selectOption(int k) {
    controls_.Option1.at(k)->setChecked(true);
}

void MainWindow::setReportText(std::u16string_view text) {
    controls_.Text1[0]->setPlainText(toDisplayText(text));
}

void MainWindow::reportError(const platform::CalculationError& error) {
    reporter_->report(error);
}

void MainWindow::setSolution(const calc::Solution& solution) {
    // Qt's plain-text tooltips and descriptions break lines at "\n".
    const window::SolutionNotes notes = window::solutionNotes(solution, separator_, u"\n");
    for (int i = 0; i < window::BoxCount; ++i)
        static_cast<NumberBox*>(controls_.Text2[static_cast<std::size_t>(i)])
            ->setStep(toQString(notes.box[static_cast<std::size_t>(i)]));
    const QString report = toQString(notes.report);
    controls_.Text1[0]->setToolTip(report);
    controls_.Text1[0]->setAccessibleDescription(report);
}
