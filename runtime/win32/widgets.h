// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <array>

#include "window/controlarrays.h"
#include "window/design.h"

// The window's control arrays as Win32 child windows, indexed as designed.
struct Widgets : window::ControlArrays<HWND, HWND, HWND, HWND, HWND, HWND> {};

// The command id of a control: WM_COMMAND and WM_DRAWITEM name it by this.
// Example: controlId({Kind::Command1, 1}) == 1401.
constexpr int controlId(window::ControlRef ref) {
    return 1000 + 100 * static_cast<int>(ref.kind) + ref.index;
}

// Creates every control of the design table as a child of `form`, in its
// place at `dpi` with its font, named by its controlId(). One pass: under Wine every later move or
// font change of a child costs a round trip to the server.
Widgets createWidgets(HWND form, HINSTANCE instance, int dpi, HFONT normal, HFONT bold);

// The design of a control made by createWidgets(), or null for any other.
const window::ControlDesign* designOf(HWND control);

// Pixels at `dpi` of a length in twips. Example: toPixels(1455, 96) == 97.
constexpr int toPixels(int twips, int dpi) {
    return (twips * dpi + 720) / 1440;
}

// Places and sizes every control for a new `dpi` and gives it the normal or
// bold window font.
void layoutWidgets(const Widgets& widgets, int dpi, HFONT normal, HFONT bold);

// "Times New Roman" 12 pt, Cyrillic, at `dpi`; `weight` FW_NORMAL or FW_BOLD.
HFONT createWindowFont(int dpi, int weight);
