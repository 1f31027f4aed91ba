// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets.h"

#include <string>

using window::ControlDesign;
using window::Kind;

namespace {

// Class and styles of each kind. Every control clips its siblings: the
// quotation box lies over the report area.
struct Style {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

Style styleOf(const ControlDesign& d) {
    constexpr DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    switch (d.kind) {
        case Kind::Label1:
            return {L"STATIC", child | SS_CENTER | SS_NOPREFIX, 0};
        case Kind::Option1:
            // Checked by the window itself: no group rules that hang on z-order.
            return {L"BUTTON", child | BS_RADIOBUTTON, 0};
        case Kind::Text2:
            return {L"EDIT", child | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case Kind::Command1:
            return {L"BUTTON", child | BS_OWNERDRAW, 0};
        case Kind::Text1:
            return {L"EDIT", child | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL,
                    d.border ? WS_EX_CLIENTEDGE : 0u};
    }
    return {L"STATIC", child, 0};
}

std::wstring wide(std::u16string_view text) {
    return {text.begin(), text.end()};  // both UTF-16 on Windows
}

}  // namespace

Widgets createWidgets(HWND form, HINSTANCE instance, int dpi, HFONT normal, HFONT bold) {
    Widgets widgets;
    HWND* const arrays[] = {widgets.Label1.data(), widgets.Option1.data(), widgets.Text2.data(),
                            widgets.Command1.data(), widgets.Text1.data()};  // by Kind
    for (const ControlDesign& d : window::controlDesigns()) {
        const Style s = styleOf(d);
        const std::wstring text = wide(d.text);
        HWND control = CreateWindowExW(
            s.exStyle, s.className, text.c_str(), s.style, toPixels(d.left, dpi),
            toPixels(d.top, dpi), toPixels(d.width, dpi), toPixels(d.height, dpi), form,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId({d.kind, d.index}))), instance,
            nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(d.bold ? bold : normal), FALSE);
        arrays[static_cast<int>(d.kind)][d.index] = control;
    }
    // The quotation lies over the report area, as designed.
    SetWindowPos(widgets.Text1[1], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return widgets;
}

const ControlDesign* designOf(HWND control) {
    const int id = control ? GetDlgCtrlID(control) : 0;
    for (const ControlDesign& d : window::controlDesigns())
        if (controlId({d.kind, d.index}) == id) return &d;
    return nullptr;
}

void layoutWidgets(const Widgets& widgets, int dpi, HFONT normal, HFONT bold) {
    const auto& designs = window::controlDesigns();
    HDWP batch = BeginDeferWindowPos(static_cast<int>(designs.size()));
    for (const ControlDesign& d : designs) {
        HWND control = widgets.find({d.kind, d.index});
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(d.bold ? bold : normal), FALSE);
        batch = DeferWindowPos(batch, control, nullptr, toPixels(d.left, dpi), toPixels(d.top, dpi),
                               toPixels(d.width, dpi), toPixels(d.height, dpi),
                               SWP_NOZORDER | SWP_NOACTIVATE);
    }
    EndDeferWindowPos(batch);
}

HFONT createWindowFont(int dpi, int weight) {
    // FF_ROMAN: where Times New Roman is missing, a serif face stands in.
    return CreateFontW(-MulDiv(window::FontPoints, dpi, 72), 0, 0, 0, weight, FALSE, FALSE, FALSE,
                       RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       VARIABLE_PITCH | FF_ROMAN, L"Times New Roman");
}
