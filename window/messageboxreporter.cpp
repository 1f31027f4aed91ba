#include "messageboxreporter.h"

#include <QMessageBox>

#include "textconvert.h"

void MessageBoxReporter::report(const platform::CalculationError& error) {
    QMessageBox::warning(parent_, QStringLiteral("Грешка при изчисляването"),
                         toQString(platform::describe(error)));
}
