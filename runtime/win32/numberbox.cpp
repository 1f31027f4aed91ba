// SPDX-License-Identifier: GPL-3.0-or-later
#include "numberbox.h"

#include <commctrl.h>

#include <climits>

#include "widgets.h"

namespace {

// The box's font and formatting rectangle, where the edit puts its text.
HGDIOBJ selectFont(HWND box, HDC dc, RECT& format) {
    SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    return SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(box, WM_GETFONT, 0, 0)));
}

// The one tooltip window, made for `control` when first needed: a start
// without a fitted number or a solution loads no common controls. Null
// where the system refuses, or for none.
HWND tooltip(HWND control) {
    static HWND tips = nullptr;
    if (tips && IsWindow(tips)) return tips;
    if (!control) return nullptr;
    using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto init = systemFunction<InitFn>(L"comctl32.dll", "InitCommonControlsEx");
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    if (!init || !init(&classes)) return nullptr;
    tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                           WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, GetAncestor(control, GA_ROOT), nullptr,
                           nullptr, nullptr);
    // Without a width the tooltip ignores line breaks; lines then break
    // only where they would leave the screen. A whole solution takes
    // longer to read than the usual five seconds.
    SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN));
    SendMessageW(tips, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(SHRT_MAX, 0));
    return tips;
}

}  // namespace

void setTipText(HWND control, std::u16string_view text) {
    HWND tips = tooltip(text.empty() ? nullptr : control);
    if (!tips) return;
    std::wstring copy = wide(text);
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;  // the size older common controls know
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = control;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    TOOLINFOW known = tool;
    const bool has = SendMessageW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&known));
    tool.lpszText = copy.data();  // copied by the tooltip
    const UINT change = text.empty() ? TTM_DELTOOLW : has ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW;
    if (has || !text.empty()) SendMessageW(tips, change, 0, reinterpret_cast<LPARAM>(&tool));
}

void NumberBox::attach(HWND box, char16_t separator) {
    box_ = box;
    edit_ = subclass(box, &NumberBox::procedure, this);
    separator_ = separator;
    measure();
}

void NumberBox::measure() {
    model_.setMeasure([this](std::u16string_view text) { return fits(text); }, separator_);
    showTip();
}

void NumberBox::setText(std::u16string_view text) {
    // The model first: the EDIT's EN_CHANGE then brings back a known text.
    model_.setText(text);
    writing_ = true;
    SetWindowTextW(box_, wide(text).c_str());
    writing_ = false;
    showTip();
}

void NumberBox::setLocked(bool locked) {
    model_.setLocked(locked);
    SendMessageW(box_, EM_SETREADONLY, locked, 0);
}

void NumberBox::setStep(std::u16string_view step) {
    model_.setStep(step);
    showTip();
}

void NumberBox::textChanged() {
    if (writing_) return;
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box_)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(box_, text.data(), static_cast<int>(text.size()))));
    if (!model_.offerText(std::u16string(text.begin(), text.end()))) setText(model_.text());
    showTip();
}

bool NumberBox::fits(std::u16string_view text) const {
    const std::wstring shown = wide(text);
    HDC dc = GetDC(box_);
    RECT format;
    HGDIOBJ oldFont = selectFont(box_, dc, format);
    SIZE size{};
    GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
    SelectObject(dc, oldFont);
    ReleaseDC(box_, dc);
    return size.cx <= format.right - format.left;
}

void NumberBox::showTip() const {
    setTipText(box_, model_.tooltip(u"\r\n"));
}

// As the edit paints an unfocused line: the background its parent gives
// (read-only edits ask as static controls do), then the text at the
// formatting rectangle's corner.
void NumberBox::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(box_, &ps);
    RECT format;
    HGDIOBJ oldFont = selectFont(box_, dc, format);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(box_), model_.locked() ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                     reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(box_)));
    RECT client;
    GetClientRect(box_, &client);
    FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_WINDOW));
    const std::wstring shown = wide(model_.shownText());
    ExtTextOutW(dc, format.left, format.top, ETO_CLIPPED, &format, shown.c_str(),
                static_cast<UINT>(shown.size()), nullptr);
    SelectObject(dc, oldFont);
    EndPaint(box_, &ps);
}

LRESULT CALLBACK NumberBox::procedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& self = *reinterpret_cast<NumberBox*>(GetWindowLongPtrW(box, GWLP_USERDATA));
    return self.handle(message, wParam, lParam);
}

LRESULT NumberBox::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT && model_.rounded()) {
        paint();
        return 0;
    }
    if (message == WM_SETTEXT && model_.locked() && !writing_) return FALSE;  // not the program
    // Fitted anew for the focus before the edit paints, for the width or
    // font once it has taken them.
    const bool focus = message == WM_SETFOCUS || message == WM_KILLFOCUS;
    if (focus) model_.setFocus(message == WM_SETFOCUS);
    const LRESULT result = CallWindowProcW(edit_, box_, message, wParam, lParam);
    if (message == WM_SIZE || message == WM_SETFONT) measure();
    if (focus) {
        showTip();
        // The edit repaints only what the caret and selection change.
        InvalidateRect(box_, nullptr, FALSE);
    }
    return result;
}
