// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "window/controls.h"
#include "window/form.h"

// The program's one window in the browser. The page already holds the 64
// controls as elements, made from the design table at build time
// (makepage.cpp); this attaches to them by id ("Text2_11"), delivers their
// clicks to the form and applies the form's writes.
//
// Implements: box texts and locks (read-only inputs), the selected option,
// the report area, errors in a modal alert dialog that gives the focus back,
// Enter in a box calculates, the decimal separator of the browser's language,
// a number too wide for its box shown rounded to fit while the box has no focus,
// the solution of each calculation under the window (its formulas in MathML,
// a sketch in SVG, its plain text when copied), built only when there is one.
// Does not: resize, scale for DPI (the browser does), or keep anything: no
// storage, no cookies, no network.
class WebWindow : private window::ControlServices {
public:
    // Attaches to the page's controls and runs the load handler.
    WebWindow();

    // The page's events: a click on Option1(k) or Command1(n).
    void onOptionClick(int k) { form_.onOptionClick(k); }
    void onCommandClick(int n) { form_.onCommandClick(n); }
    // Box `box` 0..44 shows its number rounded to the digits that fit while
    // it has no focus; its value, what is read and copied, stays whole.
    void fitBox(int box);

private:
    std::u16string boxText(int box) const override;
    void setBoxText(int box, std::u16string_view text) override;
    void setBoxLocked(int box, bool locked) override;
    void selectOption(int k) override;
    void setReportText(std::u16string_view text) override;
    void reportError(const platform::CalculationError& error) override;
    void setSolution(const calc::Solution& solution) override;

    char16_t separator_;
    window::Form form_;
};
