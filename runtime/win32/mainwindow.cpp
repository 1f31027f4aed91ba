// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"

#include <optional>
#include <tuple>

#include "calc/texts.h"
#include "window/keyboard.h"

using window::ControlRef;
using window::Key;
using window::Kind;

namespace {

constexpr wchar_t ClassName[] = L"CylinderWindow";
constexpr DWORD FrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int IconId = 1;

// The window model's keys: virtual key, modifier held (0: any), the first
// match counting. The Edit control itself knows no Ctrl+A.
constexpr std::tuple<WPARAM, int, Key> Keys[] = {
    {VK_TAB, VK_SHIFT, Key::ShiftTab}, {VK_TAB, 0, Key::Tab},
    {VK_RETURN, 0, Key::Enter},        {VK_UP, 0, Key::Up},
    {VK_DOWN, 0, Key::Down},           {VK_LEFT, 0, Key::Left},
    {VK_RIGHT, 0, Key::Right},         {'A', VK_CONTROL, Key::SelectAll},
};

std::optional<Key> keyOf(WPARAM pressed) {
    for (const auto& [code, modifier, key] : Keys)
        if (code == pressed && (!modifier || GetKeyState(modifier) < 0)) return key;
    return std::nullopt;
}

COLORREF toColorRef(window::Rgb c) {
    return RGB(c.red, c.green, c.blue);
}

// The user's decimal separator from the regional settings; '.' where it is
// not a single character.
char16_t userDecimalSeparator() {
    wchar_t text[8] = {};
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, text, 8);
    return length == 2 ? static_cast<char16_t>(text[0]) : u'.';
}

// The frame around a client area of the design's size at `dpi`.
SIZE frameSize(int dpi) {
    return outerSize(toPixels(window::ClientWidth, dpi), toPixels(window::ClientHeight, dpi),
                     FrameStyle, dpi);
}

// A control's colours, as WM_CTLCOLOR* returns them: the design's, else
// the desktop's text-box colour, locked or not.
LRESULT controlColour(HDC dc, HWND control) {
    const window::ControlDesign* d = designOf(control);
    const bool designed = d && d->background;
    const COLORREF back = designed ? toColorRef(*d->background) : GetSysColor(COLOR_WINDOW);
    SetBkColor(dc, back);
    SetTextColor(dc, designed ? RGB(0, 0, 0) : GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(brushIn(dc, back));
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance)
    : separator_(userDecimalSeparator()),
      form_(*this, separator_),
      background_(CreateSolidBrush(toColorRef(window::WindowBackground))) {
    WNDCLASSEXW wc{};
    wc.lpfnWndProc = &windowProcedure<MainWindow>;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IconId));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IconId), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    wc.hbrBackground = background_;
    wc.lpszClassName = ClassName;
    hwnd_ = createTopWindow(wc, window::windowCaption(), FrameStyle,
                            frameSize(USER_DEFAULT_SCREEN_DPI), nullptr, this);
}

MainWindow::~MainWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
    for (HFONT font : fonts_) DeleteObject(font);
    DeleteObject(background_);
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            onCreate();
            return 0;
        case WM_COMMAND:
            onCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return controlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_DRAWITEM:
            onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_DPICHANGED: {
            applyDpi(HIWORD(wParam));
            const RECT& r = *reinterpret_cast<const RECT*>(lParam);  // Windows' suggestion
            SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_ACTIVATE:
            // The focus leaves with the window and comes back where it was.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
                return 0;
            }
            [[fallthrough]];
        case WM_SETFOCUS:
            if (lastFocus_) SetFocus(lastFocus_);
            return 0;
        case WM_GETOBJECT:
            // A screen reader is asking: name and describe the controls now.
            annotations_.start(widgets_, notes_);
            break;
        case WM_DESTROY:
            PostQuitMessage(0);
            hwnd_ = nullptr;
            return 0;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void MainWindow::onCreate() {
    const int dpi = dpiOf(hwnd_);
    applyDpi(dpi);
    for (std::size_t i = 0; i < boxes_.size(); ++i) boxes_[i].attach(widgets_.Text2[i], separator_);
    // The frame was made for 96 dpi.
    if (dpi != USER_DEFAULT_SCREEN_DPI) {
        const SIZE frame = frameSize(dpi);
        SetWindowPos(hwnd_, nullptr, 0, 0, frame.cx, frame.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The report area's menu: the edit control's own cannot be extended.
    reportDefault_ = subclass(widgets_.Text1[0], &MainWindow::reportProcedure, this);
    form_.onLoad();
    lastFocus_ = widgets_.Text2[0];
}

void MainWindow::onCommand(HWND control, int code) {
    const window::ControlDesign* d = designOf(control);
    if (!d) return;
    if (code == EN_CHANGE && d->kind == Kind::Text2) boxes_.at(d->index).textChanged();
    if (code != BN_CLICKED) return;
    if (d->kind == Kind::Option1) selectOption(d->index);
    if (d->kind == Kind::Option1) form_.onOptionClick(d->index);
    if (d->kind == Kind::Command1) form_.onCommandClick(d->index);
}

void MainWindow::onDrawItem(const DRAWITEMSTRUCT& item) {
    const window::ControlDesign* d = designOf(item.hwndItem);
    if (!d || !d->background) return;
    RECT r = item.rcItem;
    const bool down = item.itemState & ODS_SELECTED;
    FillRect(item.hDC, &r, brushIn(item.hDC, toColorRef(*d->background)));
    DrawEdge(item.hDC, &r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    RECT textArea = r;
    if (down) OffsetRect(&textArea, 1, 1);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, RGB(0, 0, 0));
    DrawTextW(item.hDC, wide(d->text).c_str(), -1, &textArea,
              (d->centred ? DT_CENTER : DT_LEFT) | DT_VCENTER | DT_SINGLELINE);
    if (item.itemState & ODS_FOCUS) {
        InflateRect(&r, -4, -4);
        DrawFocusRect(item.hDC, &r);
    }
}

void MainWindow::applyDpi(int dpi) {
    const std::array<HFONT, 2> old = fonts_;  // none the first time
    fonts_ = {createWindowFont(dpi, FW_NORMAL), createWindowFont(dpi, FW_BOLD)};
    placeWidgets(widgets_, hwnd_, dpi, fonts_);
    for (HFONT font : old) DeleteObject(font);
}

LRESULT CALLBACK MainWindow::reportProcedure(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message != WM_CONTEXTMENU)
        return CallWindowProcW(self->reportDefault_, hwnd, message, wParam, lParam);
    POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (at.x == -1 && at.y == -1) {  // from the keyboard: at the area's corner
        at = {0, 0};
        ClientToScreen(hwnd, &at);
    }
    DWORD from = 0, to = 0;
    SendMessageW(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, from == to ? MF_GRAYED : MF_STRING, WM_COPY,
                (wide(calc::text(calc::Text::CopySolution)) + L"\tCtrl+C").c_str());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, WM_APP,
                (wide(calc::text(calc::Text::ShowSolution)) + L"\tF2").c_str());
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd, nullptr));
    DestroyMenu(menu);
    if (chosen == WM_COPY) SendMessageW(hwnd, WM_COPY, 0, 0);
    if (chosen == WM_APP) self->showSolution();
    return 0;
}

bool MainWindow::handleKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !hwnd_ || !IsChild(hwnd_, msg.hwnd)) return false;
    if (msg.wParam == VK_F2) {  // a key no control uses
        showSolution();
        return true;
    }
    const std::optional<Key> key = keyOf(msg.wParam);
    const window::ControlDesign* d = designOf(msg.hwnd);
    if (!key) return false;
    // The option is checked before it takes the focus: a radio button
    // given the focus unchecked may click itself.
    const window::KeyAction action =
        form_.onKey(*key, d ? std::optional(ControlRef{d->kind, d->index}) : std::nullopt);
    HWND target = action.focus ? widgets_.find(*action.focus) : msg.hwnd;
    if (action.focus) SetFocus(target);
    if (action.selectAll) SendMessageW(target, EM_SETSEL, 0, -1);
    return action.handled();
}

void MainWindow::selectOption(int k) {
    CheckRadioButton(hwnd_, controlId({Kind::Option1, 0}), controlId({Kind::Option1, 8}),
                     controlId({Kind::Option1, k}));
}

void MainWindow::reportError(const platform::CalculationError& error) {
    MessageBoxW(hwnd_, wide(calc::describe(error)).c_str(), wide(window::ErrorCaption).c_str(),
                MB_OK | MB_ICONWARNING);
}

void MainWindow::setSolution(const calc::Solution& solution) {
    notes_ = window::solutionNotes(solution, separator_, u"\r\n");
    for (std::size_t i = 0; i < boxes_.size(); ++i) boxes_[i].setStep(notes_.box[i]);
    setTipText(widgets_.Text1[0], notes_.report);
    annotations_.describe(widgets_, notes_);
    if (!solution.empty() || solutionWindow_) openSolutionWindow().setSolution(solution);
}

SolutionWindow& MainWindow::openSolutionWindow() {
    // Made when first needed: a solution, or F2 for the task field.
    if (!solutionWindow_)
        solutionWindow_ = std::make_unique<SolutionWindow>(
            hwnd_, separator_, [this](calc::Rounding rounding) { form_.onRoundingChoice(rounding); },
            [this](std::u16string_view task) { form_.onTask(task); });
    return *solutionWindow_;
}
