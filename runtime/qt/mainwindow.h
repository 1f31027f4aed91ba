// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <cstdint>
#include <optional>

#include "platform/calculationerror.h"
#include "widgets.h"
#include "window/controls.h"
#include "window/form.h"
#include "window/keyboard.h"

// The program's one window on Qt: the widgets built from the design table,
// every way of operating them delivered to the form once, the form's writes
// applied to them.
//
// Implements: box texts and locks (window::NumberBox; a locked box takes
// text from the program only), the selected option, the report area, errors
// in a message box, Tab and Shift+Tab and Enter in a box as the window model
// says, Qt's arrow keys among the options, the locale's decimal separator,
// accessible names, and the solution of the last calculation in the
// tooltips and accessible descriptions of the computed boxes and the report
// area.
// Does not: resize (the size is fixed; Qt scales it for the screen's DPI),
// open any other window than the error's, or keep anything: no settings,
// no files, no network.
class MainWindow : public QWidget, private window::ControlServices {
    Q_OBJECT

public:
    // `reporter` receives calculation errors; without one, errors show in
    // a message box.
    explicit MainWindow(platform::ErrorReporter* reporter = nullptr, QWidget* parent = nullptr);

    const Controls& controls() const { return controls_; }
    std::optional<std::int16_t> selectedVariant() const { return form_.selectedVariant(); }
    // The report area's text as written, with CR LF line ends.
    std::u16string reportText() const { return form_.reportText(); }

protected:
    bool focusNextPrevChild(bool next) override;

private:
    // Does what the window model says `key` does on `ref`; false: not ours.
    bool press(window::Key key, window::ControlRef ref);

    std::u16string boxText(int box) const override;
    void setBoxText(int box, std::u16string_view text) override;
    void setBoxLocked(int box, bool locked) override;
    void selectOption(int k) override;
    void setReportText(std::u16string_view text) override;
    void reportError(const platform::CalculationError& error) override;
    void setSolution(const calc::Solution& solution) override;

    Controls controls_;
    platform::ErrorReporter* reporter_;  // none: a message box
    char16_t separator_;                 // the locale's: numbers are written with it
    window::Form form_;
    bool chosenAtPress_ = false;  // whether the option last pressed was the chosen one
};
