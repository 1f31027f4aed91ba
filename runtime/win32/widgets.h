// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "window/controlarrays.h"
#include "window/design.h"

// The window's control arrays as Win32 child windows, indexed as designed.
struct Widgets : window::ControlArrays<HWND, HWND, HWND, HWND, HWND, HWND> {};

// A text as Win32 takes it. Example: wide(u"Изчисли") == L"Изчисли".
inline std::wstring wide(std::u16string_view text) {
    return {text.begin(), text.end()};  // both UTF-16 on Windows
}

// The id of a control: WM_COMMAND, WM_DRAWITEM and designOf() name it by this.
// Example: controlId({Kind::Command1, 1}) == 1401.
constexpr int controlId(window::ControlRef ref) {
    return 1000 + 100 * static_cast<int>(ref.kind) + ref.index;
}

// Pixels at `dpi` of a length in twips. Example: toPixels(1455, 96) == 97.
constexpr int toPixels(int twips, int dpi) {
    return (twips * dpi + 720) / 1440;
}

// Places every control of the design table at `dpi` with its font (fonts:
// normal, bold), creating them as children of `form` the first time. One
// pass: under Wine every move or font change of a child costs a round trip
// to the server.
void placeWidgets(Widgets& widgets, HWND form, int dpi, const std::array<HFONT, 2>& fonts);

// The design of a control made by placeWidgets(), by its id; null for none.
const window::ControlDesign* designOf(HWND control);

// "Times New Roman" 12 pt, Cyrillic, at `dpi`; `weight` FW_NORMAL or FW_BOLD.
HFONT createWindowFont(int dpi, int weight);

// Per-monitor DPI of `hwnd` where Windows has it (10 and later), the
// system's elsewhere. Example: 144 on a monitor at 150 %.
int dpiOf(HWND hwnd);

// A function of a system DLL that older Windows may lack, or that only some
// starts need: null where it is missing. The DLL is loaded on first use.
// Example: systemFunction<UINT(WINAPI*)(HWND)>(L"user32.dll", "GetDpiForWindow").
template <typename Function>
Function systemFunction(const wchar_t* dll, const char* name) {
    HMODULE module = GetModuleHandleW(dll);
    if (!module) module = LoadLibraryW(dll);
    if (!module) return nullptr;
    // Through void*: FARPROC is a placeholder type for any function.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The object a window of ours belongs to: the one CreateWindowEx was given,
// kept from WM_NCCREATE on; null before.
// Example: windowObject<MainWindow>(hwnd, message, lParam) in its procedure.
template <typename Window>
Window* windowObject(HWND hwnd, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(
            hwnd, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// The outer size of a window of `style` around a client area `width` ×
// `height` at `dpi`: its frame and caption added, as that DPI draws them.
SIZE outerSize(int width, int height, DWORD style, int dpi);

// The DC's own brush in `colour`: a colour of ours needs no brush of its own.
inline HBRUSH brushIn(HDC dc, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
}
