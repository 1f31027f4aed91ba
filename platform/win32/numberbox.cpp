// SPDX-License-Identifier: GPL-3.0-or-later
#include "numberbox.h"

#include <commctrl.h>

#include <optional>

#include "platform/fittext.h"
#include "systemfunction.h"

namespace {

WNDPROC editProcedure = nullptr;  // EDIT's own, the same for every box
char16_t numberSeparator = u'.';  // the program's, given to fitNumbers()
HWND tips = nullptr;              // one tooltip for every box, made when first needed

HFONT fontOf(HWND box) {
    return reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0));
}

RECT formatRect(HWND box) {
    RECT r{};
    SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r;
}

// The shorter text `box` shows without the focus, or nothing where its own
// text fits or is no number the program wrote.
std::optional<std::wstring> fittedText(HWND box) {
    const std::u16string full = windowText(box);
    if (full.empty()) return std::nullopt;  // most boxes, and all at start: no DC
    const RECT format = formatRect(box);
    HDC dc = GetDC(box);
    HGDIOBJ oldFont = SelectObject(dc, fontOf(box));
    const auto fits = [&](std::u16string_view text) {
        const std::wstring wide(text.begin(), text.end());
        SIZE size{};
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
        return size.cx <= format.right - format.left;
    };
    const std::u16string shown = platform::fitNumberText(full, numberSeparator, fits);
    SelectObject(dc, oldFont);
    ReleaseDC(box, dc);
    if (shown == full) return std::nullopt;
    return std::wstring(shown.begin(), shown.end());
}

// As the edit paints an unfocused line: the background its parent gives
// (read-only edits ask as static controls do), then the text at the
// formatting rectangle's corner.
void paintFitted(HWND box, const std::wstring& shown) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(box, &ps);
    HGDIOBJ oldFont = SelectObject(dc, fontOf(box));
    const bool locked = GetWindowLongW(box, GWL_STYLE) & ES_READONLY;
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(box), locked ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                     reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(box)));
    RECT client;
    GetClientRect(box, &client);
    FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_WINDOW));
    const RECT format = formatRect(box);
    ExtTextOutW(dc, format.left, format.top, ETO_CLIPPED, &format, shown.c_str(),
                static_cast<UINT>(shown.size()), nullptr);
    SelectObject(dc, oldFont);
    EndPaint(box, &ps);
}

// Gives `box` a tooltip. The tooltip is made when a box first shows a
// fitted text: a start without one loads no common controls.
void addTip(HWND box) {
    if (!tips || !IsWindow(tips)) {
        using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        const auto init = systemFunction<InitFn>(L"comctl32.dll", "InitCommonControlsEx");
        const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
        if (!init || !init(&classes)) return;
        tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               GetAncestor(box, GA_ROOT), nullptr, nullptr, nullptr);
        if (!tips) return;
    }
    // The size older common controls know; the text is asked for when shown.
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = box;
    tool.uId = reinterpret_cast<UINT_PTR>(box);
    TOOLINFOW known = tool;
    if (SendMessageW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&known))) return;
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// The tooltip's text: the full text while the box shows a shorter one,
// none (no tip) otherwise.
void giveTipText(HWND box, NMTTDISPINFOW& info) {
    info.szText[0] = L'\0';
    info.lpszText = info.szText;
    if (GetFocus() == box || !fittedText(box)) return;
    const std::u16string full = windowText(box);  // at most 22 characters
    const std::wstring wide(full.begin(), full.end());
    lstrcpynW(info.szText, wide.c_str(), ARRAYSIZE(info.szText));
}

LRESULT CALLBACK boxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            if (GetFocus() == box) break;
            if (const auto shown = fittedText(box)) {
                paintFitted(box, *shown);
                addTip(box);
                return 0;
            }
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            // The edit repaints only what the caret and selection change.
            const LRESULT result = CallWindowProcW(editProcedure, box, message, wParam, lParam);
            InvalidateRect(box, nullptr, FALSE);
            return result;
        }
        case WM_NOTIFY: {
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            if (tips && info->hdr.hwndFrom == tips && info->hdr.code == TTN_GETDISPINFOW) {
                giveTipText(box, *info);
                return 0;
            }
            break;
        }
        default:
            break;
    }
    return CallWindowProcW(editProcedure, box, message, wParam, lParam);
}

}  // namespace

std::u16string windowText(HWND w) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(w)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(w, text.data(), static_cast<int>(text.size()))));
    return {text.begin(), text.end()};
}

void fitNumbers(HWND box, char16_t separator) {
    numberSeparator = separator;
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&boxProcedure)));
    if (!editProcedure) editProcedure = previous;
}

std::u16string shownText(HWND box) {
    if (GetFocus() != box)
        if (const auto shown = fittedText(box)) return {shown->begin(), shown->end()};
    return windowText(box);
}
