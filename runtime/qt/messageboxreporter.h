// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/calculationerror.h"

class QWidget;

// Tells the user of a calculation error in a modal Bulgarian message box.
class MessageBoxReporter : public platform::ErrorReporter {
public:
    explicit MessageBoxReporter(QWidget* parent) : parent_(parent) {}
    void report(const platform::CalculationError& error) override;

private:
    QWidget* parent_;
};
