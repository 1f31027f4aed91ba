// SPDX-License-Identifier: GPL-3.0-or-later
#include <windows.h>

#include "runtime/win32/mainwindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    return runMainWindow(instance, show);
}
