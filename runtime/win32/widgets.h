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

// The procedure of a window of ours: its messages go to Window::handle() of
// the object CreateWindowEx was given, kept from WM_NCCREATE on with the
// window's handle in its `hwnd_`; before that, to DefWindowProc.
// Example: createTopWindow(wc, ...) with wc.lpfnWndProc = &windowProcedure<MainWindow>.
template <typename Window>
LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* made = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(made));
        made->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->handle(message, wParam, lParam)
                : DefWindowProcW(hwnd, message, wParam, lParam);
}

// A top-level window of class `wc` (registered the first time, with the
// arrow cursor) for `self`, its procedure's object, `size` where Windows
// places it. Throws std::runtime_error when Windows refuses.
HWND createTopWindow(WNDCLASSEXW wc, std::u16string_view caption, DWORD style, SIZE size,
                     HWND owner, void* self);

// Puts `procedure` before the own one of `control`, which it returns, with
// `self` in GWLP_USERDATA for the procedure to find.
inline WNDPROC subclass(HWND control, WNDPROC procedure, void* self) {
    SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

// The outer size of a window of `style` around a client area `width` ×
// `height` at `dpi`: its frame and caption added, as that DPI draws them.
SIZE outerSize(int width, int height, DWORD style, int dpi);

// The DC's own brush in `colour`: a colour of ours needs no brush of its own.
inline HBRUSH brushIn(HDC dc, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
}
