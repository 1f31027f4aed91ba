// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of any Win32 program that shows text: the program's fixed frame
// around a 504 x 419 client area, its background, and one static text in
// its font. Nothing else, so its start-up is what Windows (or Wine) costs.
#include <windows.h>

namespace {

constexpr wchar_t ClassName[] = L"FloorWindow";
// The program's frame: fixed size, no maximise box.
constexpr DWORD FrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int Dpi = USER_DEFAULT_SCREEN_DPI;

HFONT font;

LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: {
            HWND text = CreateWindowExW(0, L"STATIC", L"Вариант 1",
                                        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_CENTER |
                                            SS_NOPREFIX,
                                        8, 56, 97, 25, hwnd, nullptr, nullptr, nullptr);
            // The program's window font: Times New Roman 12 pt, Cyrillic.
            font = CreateFontW(-MulDiv(12, Dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                               RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                               DEFAULT_QUALITY, VARIABLE_PITCH | FF_ROMAN, L"Times New Roman");
            SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = CreateSolidBrush(RGB(192, 192, 255));
    wc.lpszClassName = ClassName;
    if (!RegisterClassExW(&wc)) return 1;

    RECT r{0, 0, 504, 419};
    AdjustWindowRectEx(&r, FrameStyle, FALSE, 0);
    HWND hwnd = CreateWindowExW(0, ClassName, L"floor", FrameStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance,
                                nullptr);
    if (!hwnd) return 1;
    ShowWindow(hwnd, show);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DeleteObject(font);
    return static_cast<int>(msg.wParam);
}
