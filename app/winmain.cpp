#include <windows.h>

#include "platform/win32/mainwindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    return runMainWindow(instance, show);
}
