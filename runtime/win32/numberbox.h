// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <string_view>

#include "window/numberbox.h"

// A grid box: an EDIT control whose state is a window::NumberBox. Without
// the focus it shows the model's fitted text (measured with
// GetTextExtentPoint32W in its font against its formatting rectangle), and
// the model's tooltip; the window text stays the full text: what a screen
// reader and copying get. Fitted again when the text, width, font or focus
// changes, never at a paint. While locked it refuses every WM_SETTEXT but
// the program's own, as from put_accValue.
// Example: a 65-pixel box holding "2.65331193145904" shows "2.653312".
class NumberBox {
public:
    NumberBox() = default;
    NumberBox(const NumberBox&) = delete;
    NumberBox& operator=(const NumberBox&) = delete;

    // Takes over `box`, an EDIT control, for good; numbers are written with
    // `separator`. Its GWLP_USERDATA then points to this object.
    void attach(HWND box, char16_t separator);

    // The program writes, locks or explains the box (the step, first in its
    // tooltip; empty for none).
    void setText(std::u16string_view text);
    void setLocked(bool locked);
    void setStep(std::u16string_view step);
    // The EDIT told its parent of a change (EN_CHANGE): the model takes the
    // new text, or the box gets the model's back.
    void textChanged();

    const window::NumberBox& model() const { return model_; }

private:
    static LRESULT CALLBACK procedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT edit(UINT message, WPARAM wParam, LPARAM lParam) {
        return CallWindowProcW(edit_, box_, message, wParam, lParam);
    }
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

// The tooltip of `control`: fixed text, lines ended by CR LF; empty for
// none. The one tooltip window is made when a text first needs it.
void setTipText(HWND control, std::u16string_view text);
