// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets.h"

#include <stdexcept>

using window::ControlDesign;

namespace {

// Class and styles of each kind, by Kind; the border where designed. Every
// control clips its siblings: the quotation box lies over the report area.
// The options are checked by the window itself: no group rules that hang
// on z-order.
struct Style {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};
constexpr Style Styles[] = {
    {L"STATIC", SS_NOPREFIX, 0},
    {L"BUTTON", BS_RADIOBUTTON, 0},
    {L"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
    {L"BUTTON", BS_OWNERDRAW, 0},
    {L"EDIT", ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE},
};
// The style that centres each kind's text, where designed; the drawn buttons
// centre their own.
constexpr DWORD CentredStyles[] = {SS_CENTER, BS_CENTER, ES_CENTER, 0, ES_CENTER};

}  // namespace

void placeWidgets(Widgets& widgets, HWND form, int dpi, const std::array<HFONT, 2>& fonts) {
    HWND* const arrays[] = {widgets.Label1.data(), widgets.Option1.data(), widgets.Text2.data(),
                            widgets.Command1.data(), widgets.Text1.data()};  // by Kind
    const bool creating = !widgets.Text1[1];
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(form, GWLP_HINSTANCE));
    HDWP batch = BeginDeferWindowPos(window::ControlCount);
    for (const ControlDesign& d : window::controlDesigns()) {
        HWND& control = arrays[static_cast<int>(d.kind)][d.index];
        const int left = toPixels(d.left, dpi);
        const int top = toPixels(d.top, dpi);
        const int width = toPixels(d.width, dpi);
        const int height = toPixels(d.height, dpi);
        const Style& s = Styles[static_cast<int>(d.kind)];
        // Only text boxes are read-only.
        const DWORD style = s.style | (d.centred ? CentredStyles[static_cast<int>(d.kind)] : 0) |
                            (d.readOnly ? ES_READONLY : 0);
        if (creating)
            control = CreateWindowExW(
                d.border ? s.exStyle : 0, s.className, wide(d.text).c_str(),
                style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, left, top, width, height, form,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId({d.kind, d.index}))),
                instance, nullptr);
        else
            batch = DeferWindowPos(batch, control, nullptr, left, top, width, height,
                                   SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts[d.bold]), FALSE);
    }
    EndDeferWindowPos(batch);
    // The quotation lies over the report area, as designed.
    if (creating)
        SetWindowPos(widgets.Text1[1], HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

const ControlDesign* designOf(HWND control) {
    const int id = control ? GetDlgCtrlID(control) : 0;
    for (const ControlDesign& d : window::controlDesigns())
        if (controlId({d.kind, d.index}) == id) return &d;
    return nullptr;
}

HFONT createWindowFont(int dpi, int weight) {
    // FF_ROMAN: where Times New Roman is missing, a serif face stands in.
    return CreateFontW(-MulDiv(window::FontPoints, dpi, 72), 0, 0, 0, weight, FALSE, FALSE, FALSE,
                       RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       VARIABLE_PITCH | FF_ROMAN, wide(window::FontFamily).c_str());
}

int dpiOf(HWND hwnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = systemFunction<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
    if (getDpi) return static_cast<int>(getDpi(hwnd));
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

SIZE outerSize(int width, int height, DWORD style, int dpi) {
    RECT r{0, 0, width, height};
    using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi =
        systemFunction<AdjustForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
    if (adjustForDpi)
        adjustForDpi(&r, style, FALSE, 0, static_cast<UINT>(dpi));
    else
        AdjustWindowRectEx(&r, style, FALSE, 0);
    return {r.right - r.left, r.bottom - r.top};
}

HWND createTopWindow(WNDCLASSEXW wc, std::u16string_view caption, DWORD style, SIZE size,
                     HWND owner, void* self) {
    wc.cbSize = sizeof wc;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    WNDCLASSEXW known{};
    known.cbSize = sizeof known;
    if (!GetClassInfoExW(wc.hInstance, wc.lpszClassName, &known) && !RegisterClassExW(&wc))
        throw std::runtime_error("RegisterClassEx");
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, wide(caption).c_str(), style, CW_USEDEFAULT,
                                CW_USEDEFAULT, size.cx, size.cy, owner, nullptr, wc.hInstance, self);
    if (!hwnd) throw std::runtime_error("CreateWindowEx");
    return hwnd;
}
