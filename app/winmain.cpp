// SPDX-License-Identifier: GPL-3.0-or-later
#include <windows.h>

#include "runtime/win32/mainwindow.h"

// The window, shown, and its message loop until it closes; the window's own
// keys before the usual translation.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    MainWindow window(instance);
    ShowWindow(window.handle(), show);
    SetFocus(window.widgets().Text2[0]);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (window.handleKey(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
