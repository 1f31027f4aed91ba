// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the two Win32 window tests share: one window, its controls, keys.
#include <doctest/doctest.h>
#include <string>

#include "mainwindow.h"
#include "widgets.h"

#include <commctrl.h>

using window::ControlRef;
using window::Kind;

// One window for the whole program: the class is registered once.
inline MainWindow& theWindow() {
    static MainWindow* w = [] {
        auto* made = new MainWindow(GetModuleHandleW(nullptr));
        ShowWindow(made->handle(), SW_SHOWNORMAL);
        SetForegroundWindow(made->handle());
        UpdateWindow(made->handle());
        return made;
    }();
    return *w;
}

inline void pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

inline HWND control(ControlRef ref) {
    return theWindow().widgets().find(ref);
}

// A key press as the message loop would hand it to the window first.
inline bool press(HWND target, WPARAM key) {
    return theWindow().handleKey(MSG{target, WM_KEYDOWN, key, 0, 0, {0, 0}});
}

inline void click(ControlRef ref) {
    SendMessageW(control(ref), BM_CLICK, 0, 0);
    pump();
}

inline std::wstring textOf(HWND control) {
    std::wstring text(4096, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), 4096)));
    return text;
}

// The tooltip text of `control`, asked for as when the pointer rests on it.
inline std::wstring tipOf(HWND control) {
    HWND tip = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr);
    REQUIRE(tip);
    std::wstring text(2048, L'\0');
    TOOLINFOW tool{TTTOOLINFOW_V2_SIZE, 0, control, reinterpret_cast<UINT_PTR>(control), {}, {},
                   text.data(),         0, nullptr};
    SendMessageW(tip, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
    return text.c_str();
}
