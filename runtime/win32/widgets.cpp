// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets.h"

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
    {L"STATIC", SS_CENTER | SS_NOPREFIX, 0},
    {L"BUTTON", BS_RADIOBUTTON, 0},
    {L"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
    {L"BUTTON", BS_OWNERDRAW, 0},
    {L"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE},
};

}  // namespace

Widgets createWidgets(HWND form, HINSTANCE instance, int dpi, const std::array<HFONT, 2>& fonts) {
    Widgets widgets;
    HWND* const arrays[] = {widgets.Label1.data(), widgets.Option1.data(), widgets.Text2.data(),
                            widgets.Command1.data(), widgets.Text1.data()};  // by Kind
    for (const ControlDesign& d : window::controlDesigns()) {
        const Style& s = Styles[static_cast<int>(d.kind)];
        const std::wstring text = wide(d.text);
        HWND control = CreateWindowExW(
            d.border ? s.exStyle : 0, s.className, text.c_str(),
            s.style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, toPixels(d.left, dpi),
            toPixels(d.top, dpi), toPixels(d.width, dpi), toPixels(d.height, dpi), form,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId({d.kind, d.index}))), instance,
            nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts[d.bold]), FALSE);
        arrays[static_cast<int>(d.kind)][d.index] = control;
    }
    // The quotation lies over the report area, as designed.
    SetWindowPos(widgets.Text1[1], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return widgets;
}

void layoutWidgets(const Widgets& widgets, int dpi, const std::array<HFONT, 2>& fonts) {
    const auto& designs = window::controlDesigns();
    HDWP batch = BeginDeferWindowPos(static_cast<int>(designs.size()));
    for (const ControlDesign& d : designs) {
        HWND control = widgets.find({d.kind, d.index});
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts[d.bold]), FALSE);
        batch = DeferWindowPos(batch, control, nullptr, toPixels(d.left, dpi), toPixels(d.top, dpi),
                               toPixels(d.width, dpi), toPixels(d.height, dpi),
                               SWP_NOZORDER | SWP_NOACTIVATE);
    }
    EndDeferWindowPos(batch);
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
                       VARIABLE_PITCH | FF_ROMAN, L"Times New Roman");
}
