// SPDX-License-Identifier: GPL-3.0-or-later
#include "messageboxreporter.h"

#include <QMessageBox>

#include "textconvert.h"
#include "window/design.h"

void MessageBoxReporter::report(const platform::CalculationError& error) {
    QMessageBox::warning(parent_, toQString(window::ErrorCaption),
                         toQString(calc::describe(error)));
}
