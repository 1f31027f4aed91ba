// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/calculationerror.h"
#include "widgets.h"
#include "window/controls.h"
#include "window/form.h"

// The program's one window on Qt: the widgets built from the design table,
// their signals delivered to the form, the form's writes applied to them.
//
// Implements: box texts and locks (read-only line edits), the selected
// option, the report area, errors in a message box, Enter in any box
// calculates as "Изчисли" does, the design's tab order and the arrow keys
// among the options, the locale's decimal separator, a number too wide for
// its box shown rounded to fit while the box has no focus, accessible names,
// and the solution of the last calculation in the tooltips and accessible
// descriptions of the computed boxes and the report area.
// Does not: resize (the size is fixed; Qt scales it for the screen's DPI),
// open any other window than the error's, or keep anything: no settings,
// no files, no network.
class MainWindow : public QWidget, private window::ControlServices {
    Q_OBJECT

public:
    // `reporter` receives calculation errors; without one, errors show in
    // a message box.
    explicit MainWindow(platform::ErrorReporter* reporter = nullptr, QWidget* parent = nullptr);
    ~MainWindow() override;

    const Controls& controls() const { return controls_; }
    std::optional<std::int16_t> selectedVariant() const { return form_.selectedVariant(); }
    // The report area's text as written, with CR LF line ends.
    std::u16string reportText() const { return form_.reportText(); }

private:
    std::u16string boxText(int box) const override;
    void setBoxText(int box, std::u16string_view text) override;
    void setBoxLocked(int box, bool locked) override;
    void selectOption(int k) override;
    void setReportText(std::u16string_view text) override;
    void reportError(const platform::CalculationError& error) override;
    void setSolution(const calc::Solution& solution) override;

    Controls controls_;
    std::unique_ptr<platform::ErrorReporter> ownReporter_;
    platform::ErrorReporter* reporter_;
    char16_t separator_;  // the locale's: numbers are written with it
    window::Form form_;
};
