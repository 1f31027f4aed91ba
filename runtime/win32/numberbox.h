// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <string_view>

#include "window/numberbox.h"

// A grid box: an EDIT control over a window::NumberBox. Without the focus
// it paints the model's fitted text (measured in its font against its
// formatting rectangle) and has the model's tooltip; its window text stays
// the full text, what a screen reader and copying get. While locked it
// refuses every WM_SETTEXT but the program's, as put_accValue sends.
// Example: a 65-pixel box holding "2.65331193145904" shows "2.653312".
class NumberBox {
public:
    NumberBox() = default;
    NumberBox(const NumberBox&) = delete;
    NumberBox& operator=(const NumberBox&) = delete;

    // Takes over `box`, an EDIT control, for good; its GWLP_USERDATA then
    // points here. Numbers are written with `separator`.
    void attach(HWND box, char16_t separator);
    // The program writes, locks or explains the box (the step: first in the
    // tooltip, the description; empty for none).
    void setText(std::u16string_view text);
    void setLocked(bool locked);
    void setStep(std::u16string_view step);
    // The EDIT's EN_CHANGE: the model takes the new text, or the box gets
    // the model's back.
    void textChanged();

    const window::NumberBox& model() const { return model_; }

private:
    static LRESULT CALLBACK procedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool fits(std::u16string_view text) const;
    void measure();
    void paint();
    void showTip() const;

    HWND box_ = nullptr;
    WNDPROC edit_ = nullptr;  // EDIT's own procedure
    window::NumberBox model_;
    char16_t separator_ = u'.';
    bool writing_ = false;  // the program's SetWindowText is under way
};

// The tooltip of `control`: lines ended by CR LF; empty for none. The one
// tooltip window is made when a text first needs it.
void setTipText(HWND control, std::u16string_view text);
