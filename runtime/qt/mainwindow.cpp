// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>

#include "textconvert.h"
#include "window/solutionnotes.h"

#include "packaging/icons/cylinder-32.xpm"
#include "packaging/icons/cylinder-64.xpm"

MainWindow::MainWindow(platform::ErrorReporter* reporter, QWidget* parent)
    : QWidget(parent),
      controls_(buildControls(this)),
      reporter_(reporter),
      separator_(decimalSeparator(QLocale())),
      form_(*this, separator_) {
    setWindowTitle(toQString(window::windowCaption()));
    // Compiled-in pixmaps: no image or icon plugins to look up at start.
    QIcon icon;
    icon.addPixmap(QPixmap(cylinder_32_xpm));
    icon.addPixmap(QPixmap(cylinder_64_xpm));
    setWindowIcon(icon);

    // A click that checks an option (mouse, Space, an arrow, an assistive
    // tool's Press) toggles it on, as a Toggle does without a click; a click
    // on the chosen one toggles nothing but is heard too.
    for (int k = 0; k < static_cast<int>(controls_.Option1.size()); ++k) {
        QRadioButton* option = controls_.Option1[k];
        connect(option, &QRadioButton::pressed, this,
                [this, option] { chosenAtPress_ = option->isChecked(); });
        connect(option, &QRadioButton::toggled, this, [this, k](bool on) {
            if (on) form_.onOptionClick(k);
        });
        connect(option, &QRadioButton::clicked, this, [this, k] {
            if (chosenAtPress_) form_.onOptionClick(k);
        });
    }
    for (int n = 0; n < static_cast<int>(controls_.Command1.size()); ++n)
        connect(controls_.Command1[n], &QPushButton::clicked, this,
                [this, n] { form_.onCommandClick(n); });
    for (int i = 0; i < window::BoxCount; ++i)
        connect(controls_.Text2[i], &QLineEdit::returnPressed, this, [this, i] {
            press(window::Key::Enter, {window::Kind::Text2, i});
        });
    form_.onLoad();
}

bool MainWindow::focusNextPrevChild(bool next) {
    for (const window::ControlRef ref : window::TabOrder)
        if (controls_.find(ref) == QApplication::focusWidget())
            return press(next ? window::Key::Tab : window::Key::ShiftTab, ref);
    return QWidget::focusNextPrevChild(next);  // none of ours has the focus
}

bool MainWindow::press(window::Key key, window::ControlRef ref) {
    const window::KeyAction action = keyAction(key, ref, form_.selectedVariant().value_or(0));
    if (action.focus) {
        QWidget* target = controls_.find(*action.focus);
        // Qt's own reasons: a button so focused shows it, a box selects its text.
        target->setFocus(key == window::Key::ShiftTab ? Qt::BacktabFocusReason
                                                      : Qt::TabFocusReason);
        if (auto* box = qobject_cast<QLineEdit*>(target); box && action.selectAll) box->selectAll();
    }
    if (action.command) form_.onCommandClick(*action.command);
    return action.handled();
}

std::u16string MainWindow::boxText(int box) const {
    return controls_.Text2.at(box)->state().text();
}

void MainWindow::setBoxText(int box, std::u16string_view text) {
    controls_.Text2.at(box)->write(text);
}

void MainWindow::setBoxLocked(int box, bool locked) {
    controls_.Text2.at(box)->setReadOnly(locked);
}

void MainWindow::selectOption(int k) {
    // The program's choice, not the user's: the form does not hear of it.
    const QSignalBlocker quiet(controls_.Option1.at(k));
    controls_.Option1.at(k)->setChecked(true);
}

void MainWindow::setReportText(std::u16string_view text) {
    controls_.Text1[0]->setPlainText(toDisplayText(text));
}

void MainWindow::reportError(const platform::CalculationError& error) {
    if (reporter_) return reporter_->report(error);
    QMessageBox::warning(this, toQString(window::ErrorCaption),
                         toQString(platform::describe(error)));
}

void MainWindow::setSolution(const calc::Solution& solution) {
    // Qt's plain-text tooltips and descriptions break lines at "\n".
    const window::SolutionNotes notes = window::solutionNotes(solution, separator_, u"\n");
    for (std::size_t i = 0; i < notes.box.size(); ++i) controls_.Text2[i]->setStep(notes.box[i]);
    controls_.Text1[0]->setToolTip(toQString(notes.report));
    controls_.Text1[0]->setAccessibleDescription(toQString(notes.report));
}
