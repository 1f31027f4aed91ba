// SPDX-License-Identifier: GPL-3.0-or-later
#include "numberbox.h"

#include <commctrl.h>

#include <climits>
#include <map>
#include <optional>

#include "platform/fittext.h"
#include "systemfunction.h"
#include "window/solutionnotes.h"

namespace {

WNDPROC editProcedure = nullptr;       // EDIT's own, the same for every box
char16_t numberSeparator = u'.';       // the program's, given to fitNumbers()
HWND tips = nullptr;                   // one tooltip for every box, made when first needed
std::map<HWND, std::u16string> steps;  // the boxes computed by the last calculation
std::wstring shownTip;                 // what the tooltip asked for last, kept while it shows

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

// The tooltip window, made when a box first shows a fitted text or a
// calculation first explains itself: a start without either loads no
// common controls. Null where the system refuses.
HWND tooltip(HWND control) {
    if (tips && IsWindow(tips)) return tips;
    using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto init = systemFunction<InitFn>(L"comctl32.dll", "InitCommonControlsEx");
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    if (!init || !init(&classes)) return nullptr;
    tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                           WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, GetAncestor(control, GA_ROOT), nullptr,
                           nullptr, nullptr);
    if (!tips) return nullptr;
    // Without a width the tooltip ignores line breaks; lines then break
    // only where they would leave the screen. A whole solution takes
    // longer to read than the usual five seconds.
    SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN));
    SendMessageW(tips, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(SHRT_MAX, 0));
    return tips;
}

// The size older common controls know.
TOOLINFOW toolOf(HWND control) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = control;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    return tool;
}

bool hasTip(const TOOLINFOW& tool) {
    TOOLINFOW known = tool;
    return tips && SendMessageW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&known));
}

// Gives `box` a tooltip whose text is asked for when shown.
void addTip(HWND box) {
    TOOLINFOW tool = toolOf(box);
    if (!tooltip(box) || hasTip(tool)) return;
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// The tooltip's text: the step that computed the box, then the full text
// while the box shows a shorter one; none (no tip) when neither.
void giveTipText(HWND box, NMTTDISPINFOW& info) {
    const auto step = steps.find(box);
    const std::u16string tip =
        window::boxTooltip(step == steps.end() ? u"" : step->second, windowText(box),
                           GetFocus() != box && fittedText(box), u"\r\n");
    shownTip.assign(tip.begin(), tip.end());
    info.szText[0] = L'\0';
    info.lpszText = shownTip.data();
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

void setBoxStep(HWND box, std::u16string_view step) {
    if (step.empty()) {
        steps.erase(box);
        return;
    }
    steps[box] = step;
    addTip(box);
}

void setTipText(HWND control, std::u16string_view text) {
    TOOLINFOW tool = toolOf(control);
    if (text.empty()) {
        if (hasTip(tool)) SendMessageW(tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        return;
    }
    if (!tooltip(control)) return;
    std::wstring wide(text.begin(), text.end());
    tool.lpszText = wide.data();  // copied by the tooltip
    SendMessageW(tips, hasTip(tool) ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0,
                 reinterpret_cast<LPARAM>(&tool));
}
