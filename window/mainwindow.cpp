#include "mainwindow.h"

#include <QIcon>
#include <QLocale>
#include <QPixmap>

#include "calc/sphere.h"
#include "messageboxreporter.h"
#include "platform/numbertext.h"
#include "textconvert.h"

#include "packaging/icons/cylinder-32.xpm"
#include "packaging/icons/cylinder-64.xpm"

#ifndef CYLINDER_PUBLISHER_URL
#define CYLINDER_PUBLISHER_URL "www.example.org"
#endif

MainWindow::MainWindow(platform::ErrorReporter* reporter, QWidget* parent)
    : QWidget(parent),
      controls_(buildControls(this)),
      report_(controls_.Text1[0], window::AssignmentText),
      ownReporter_(reporter ? nullptr : std::make_unique<MessageBoxReporter>(this)),
      reporter_(reporter ? reporter : ownReporter_.get()),
      separator_(decimalSeparator(QLocale())) {
    setWindowTitle(QStringLiteral(CYLINDER_PUBLISHER_URL "  ") + toQString(window::CaptionTitle));
    // Compiled-in pixmaps: no image or icon plugins to look up at start.
    QIcon icon;
    icon.addPixmap(QPixmap(cylinder_32_xpm));
    icon.addPixmap(QPixmap(cylinder_64_xpm));
    setWindowIcon(icon);

    for (int k = 0; k < calc::VariantCount; ++k)
        connect(controls_.Option1[k], &QRadioButton::clicked, this,
                [this, k] { onOptionClicked(k); });
    for (int n = 0; n < 2; ++n)
        connect(controls_.Command1[n], &QPushButton::clicked, this,
                [this, n] { onCommandClicked(n); });
    for (QLineEdit* box : controls_.Text2)
        connect(box, &QLineEdit::returnPressed, this, [this] { onCommandClicked(0); });

    onLoad();
}

MainWindow::~MainWindow() = default;

void MainWindow::onLoad() {
    LastBoxIndex = 44;
    controls_.Option1[0]->setChecked(true);
    for (std::int16_t i = 5; i <= LastBoxIndex; ++i) controls_.Text2[i]->setReadOnly(true);
}

void MainWindow::onOptionClicked(int k) {
    const auto first = static_cast<std::int16_t>(5 * k);
    const auto last = static_cast<std::int16_t>(first + 4);
    SelectedVariant = static_cast<std::int16_t>(k);
    for (std::int16_t i = 0; i <= LastBoxIndex; ++i) {
        controls_.Text2[i]->clear();
        controls_.Text2[i]->setReadOnly(true);
    }
    for (std::int16_t i = first; i <= last; ++i) controls_.Text2[i]->setReadOnly(false);
}

void MainWindow::onCommandClicked(int n) {
    // The one place a calculation error stops: report it and carry on.
    try {
        if (n == 0) calculate();
        if (n == 1) clearGrid();
    } catch (const platform::CalculationError& error) {
        reporter_->report(error);
    }
}

QLineEdit* MainWindow::box(int k, calc::Column c) const {
    const auto index = static_cast<std::int16_t>(k * 5 + static_cast<int>(c));
    Q_ASSERT(index >= 0 && index <= LastBoxIndex);
    return controls_.Text2[static_cast<std::size_t>(index)];
}

void MainWindow::calculate() {
    const int k = SelectedVariant.value_or(0);
    const std::array<calc::Column, 2> given = calc::givenColumns(k);
    std::array<double, 2> values{};
    for (std::size_t i = 0; i < given.size(); ++i) {
        try {
            values[i] = platform::toNumber(toView(box(k, given[i])->text()));
        } catch (platform::CalculationError& error) {
            error.nameQuantity(calc::columnName(given[i]), true);
            throw;
        }
    }
    const calc::CylinderQuantities q = calc::solveCylinder(k, values[0], values[1]);

    for (int c = 0; c < calc::ColumnCount; ++c) {
        const auto column = static_cast<calc::Column>(c);
        QLineEdit* target = box(k, column);
        target->setText(toQString(platform::toText(q[column], separator_)));
        target->setCursorPosition(0);  // a long number shows its start
    }
    calc::reportInscribedSphere(q.R, q.H, report_, separator_);
}

void MainWindow::clearGrid() {
    for (std::int16_t i = 0; i <= LastBoxIndex; ++i) controls_.Text2[i]->clear();
}
