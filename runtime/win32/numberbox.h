// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// Makes the grid box `box` (an EDIT control) show, whenever it has no
// keyboard focus, a number too wide for it rounded to the digits that fit
// (platform::fitNumberText, measured with GetTextExtentPoint32W in the box's
// font against its formatting rectangle), the full text in a tooltip. The
// window text stays the full text: what GetWindowText, a screen reader and
// copying get, and what the box shows while it has the focus. `separator`
// is the decimal separator the program writes numbers with, the same for
// every box.
// Example: a 65-pixel box holding "2.65331193145904" shows "2.653312".
void fitNumbers(HWND box, char16_t separator);

// The step that computed the number of `box` (a box given to fitNumbers),
// first in its tooltip; empty for none.
void setBoxStep(HWND box, std::u16string_view step);

// The tooltip of any other control: fixed text, lines ended by CR LF;
// empty for none.
void setTipText(HWND control, std::u16string_view text);

// The whole window text of `w`, as UTF-16.
std::u16string windowText(HWND w);

// What `box` shows now: its window text, or the fitted text.
std::u16string shownText(HWND box);
