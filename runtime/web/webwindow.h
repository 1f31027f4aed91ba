// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "window/controls.h"
#include "window/form.h"

// The page's side, in library.js. Texts cross as UTF-16 code units, the
// solution's markup as UTF-8.
extern "C" {
int cylinder_decimalSeparator();
void cylinder_attach(int rounding);
void cylinder_setRoundingChoice(int index, const char16_t* text, int length);
int cylinder_boxText(int box, char16_t* out, int length);
void cylinder_setBoxText(int box, const char16_t* text, int length);
void cylinder_setBoxLocked(int box, int locked);
void cylinder_selectOption(int k);
void cylinder_setReportText(const char16_t* text, int length);
void cylinder_showError(const char16_t* text, int length);
int cylinder_textFits(int box, const char16_t* text, int length);
void cylinder_showFitted(int box, const char16_t* text, int length);
void cylinder_setSolution(const char* html, const char* sketch, const char16_t* text, int length);
}

// The program's one window in the browser: the page holds the 64 controls
// already, made from the design at build time (makepage.cpp); this delivers
// their clicks to the form and applies the form's writes.
//
// Implements: box texts and locks (read-only inputs), the selected option,
// the report area, errors in a modal alert dialog that gives the focus back,
// Enter in a box as the window's keyboard says (the page is told which button
// it presses), the browser language's decimal separator, a number too wide
// for its box rounded to fit while unfocused, the solution under the window
// (formulas in MathML, a sketch in SVG, plain text when copied), the place
// the answer is rounded to (a select above the solution), a task as written
// in the notebook (a field under the window, handed over by cylinder_task).
// Tab, Shift+Tab and the arrows stay the browser's, as they already do what
// the keyboard says: the elements stand in the tab order, the computed boxes
// out of it (tabindex="-1"), and the options are one radio group, a single
// stop whose arrows choose and click.
// Does not: resize, scale for DPI (the browser does), or keep anything.
class WebWindow : private window::ControlServices {
public:
    // Runs the load handler on the page's controls, then attaches to them.
    WebWindow();

    // The page's events: a click on Option1(k) or Command1(n).
    void onOptionClick(int k) { form_.onOptionClick(k); }
    void onCommandClick(int n) { form_.onCommandClick(n); }
    // The place chosen for the answer, `place` in calc::Rounding's order:
    // the solution shown is written again, as later ones will be.
    // Example: onRoundingChoice(2) rounds the answer to 0,01.
    void onRoundingChoice(int place) { form_.onRoundingChoice(static_cast<calc::Rounding>(place)); }
    // The task field's text, on Enter or "Реши": solved into the grid and the solution.
    void onTask(std::u16string_view text) { form_.onTask(text); }
    // Box `box` 0..44 shows its number rounded to the digits that fit while
    // it has no focus; its value, what is read and copied, stays whole.
    void fitBox(int box);

private:
    static int lengthOf(std::u16string_view text) { return static_cast<int>(text.size()); }

    std::u16string boxText(int box) const override;
    void setBoxText(int box, std::u16string_view text) override;
    void setBoxLocked(int box, bool locked) override { cylinder_setBoxLocked(box, locked); }
    void selectOption(int k) override { cylinder_selectOption(k); }
    void setReportText(std::u16string_view text) override {
        cylinder_setReportText(text.data(), lengthOf(text));
    }
    void reportError(const platform::CalculationError& error) override;
    void setSolution(const calc::Solution& solution) override;

    char16_t separator_;
    window::Form form_;
};
