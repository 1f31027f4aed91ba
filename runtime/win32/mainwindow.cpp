// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"

#include <optional>
#include <stdexcept>

#include "systemfunction.h"
#include "window/keyboard.h"
#include "window/solutionnotes.h"

using window::ControlRef;
using window::Key;
using window::Kind;

namespace {

constexpr wchar_t ClassName[] = L"CylinderWindow";
constexpr DWORD FrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int IconId = 1;

std::wstring wide(std::u16string_view text) {
    return {text.begin(), text.end()};  // both UTF-16 on Windows
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

// Per-monitor DPI where Windows has it (10 and later), the system's elsewhere.
int dpiOf(HWND hwnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = systemFunction<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
    if (getDpi) return static_cast<int>(getDpi(hwnd));
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// The frame around a client area of the design's size at `dpi`.
SIZE frameSize(int dpi) {
    RECT r{0, 0, toPixels(window::ClientWidth, dpi), toPixels(window::ClientHeight, dpi)};
    using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi =
        systemFunction<AdjustForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
    if (adjustForDpi)
        adjustForDpi(&r, FrameStyle, FALSE, 0, static_cast<UINT>(dpi));
    else
        AdjustWindowRectEx(&r, FrameStyle, FALSE, 0);
    return {r.right - r.left, r.bottom - r.top};
}

// The window model's key for a key press; none for a key not its own.
std::optional<Key> keyOf(WPARAM key) {
    switch (key) {
        case VK_TAB:
            return GetKeyState(VK_SHIFT) < 0 ? Key::ShiftTab : Key::Tab;
        case VK_RETURN:
            return Key::Enter;
        case VK_UP:
            return Key::Up;
        case VK_DOWN:
            return Key::Down;
        case VK_LEFT:
            return Key::Left;
        case VK_RIGHT:
            return Key::Right;
        case 'A':
            // The Edit control itself knows no Ctrl+A.
            if (GetKeyState(VK_CONTROL) < 0) return Key::SelectAll;
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance)
    : instance_(instance), separator_(userDecimalSeparator()), form_(*this, separator_) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &MainWindow::procedure;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IconId));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IconId), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = brushFor(window::WindowBackground);
    wc.lpszClassName = ClassName;
    if (!RegisterClassExW(&wc)) throw std::runtime_error("RegisterClassEx");

    const SIZE frame = frameSize(USER_DEFAULT_SCREEN_DPI);
    const std::wstring caption = wide(window::windowCaption());
    hwnd_ = CreateWindowExW(0, ClassName, caption.c_str(), FrameStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                            frame.cx, frame.cy, nullptr, nullptr, instance, this);
    if (!hwnd_) throw std::runtime_error("CreateWindowEx");
}

MainWindow::~MainWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
    DeleteObject(normalFont_);
    DeleteObject(boldFont_);
    for (const auto& [colour, brush] : brushes_)
        if (brush) DeleteObject(brush);
}

LRESULT CALLBACK MainWindow::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
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
            return onControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_DRAWITEM:
            onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_DPICHANGED:
            onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_SETFOCUS:
            onSetFocus();
            return 0;
        case WM_ACTIVATE:
            onActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_GETOBJECT:
            // A screen reader is asking: name and describe the controls now.
            if (!annotated_) {
                annotated_ = true;
                annotations_.start(widgets_);
                describeControls();
            }
            break;
        case WM_DESTROY:
            PostQuitMessage(0);
            hwnd_ = nullptr;
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void MainWindow::onCreate() {
    dpi_ = dpiOf(hwnd_);
    normalFont_ = createWindowFont(dpi_, FW_NORMAL);
    boldFont_ = createWindowFont(dpi_, FW_BOLD);
    widgets_ = createWidgets(hwnd_, instance_, dpi_, normalFont_, boldFont_);
    for (int i = 0; i < window::BoxCount; ++i)
        boxes_[static_cast<std::size_t>(i)].attach(widgets_.Text2[static_cast<std::size_t>(i)],
                                                   separator_);
    // The frame was made for 96 dpi.
    if (dpi_ != USER_DEFAULT_SCREEN_DPI) fitFrame();
    form_.onLoad();
    lastFocus_ = widgets_.Text2[0];
}

void MainWindow::onCommand(HWND control, int code) {
    const window::ControlDesign* d = designOf(control);
    if (!d) return;
    if (code == EN_CHANGE && d->kind == Kind::Text2)
        boxes_[static_cast<std::size_t>(d->index)].textChanged();
    if (code != BN_CLICKED) return;
    if (d->kind == Kind::Option1) clickOption(d->index);
    if (d->kind == Kind::Command1) form_.onCommandClick(d->index);
}

LRESULT MainWindow::onControlColour(HDC dc, HWND control) {
    const window::ControlDesign* d = designOf(control);
    if (!d || !d->background) {
        // The desktop's text-box colour, locked or not.
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    SetBkColor(dc, toColorRef(*d->background));
    SetTextColor(dc, RGB(0, 0, 0));
    return reinterpret_cast<LRESULT>(brushFor(*d->background));
}

void MainWindow::onDrawItem(const DRAWITEMSTRUCT& item) {
    const window::ControlDesign* d = designOf(item.hwndItem);
    if (!d || !d->background) return;
    RECT r = item.rcItem;
    const bool down = item.itemState & ODS_SELECTED;
    FillRect(item.hDC, &r, brushFor(*d->background));
    DrawEdge(item.hDC, &r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    wchar_t text[32] = {};
    GetWindowTextW(item.hwndItem, text, 32);
    RECT textArea = r;
    if (down) OffsetRect(&textArea, 1, 1);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, RGB(0, 0, 0));
    DrawTextW(item.hDC, text, -1, &textArea, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (item.itemState & ODS_FOCUS) {
        InflateRect(&r, -4, -4);
        DrawFocusRect(item.hDC, &r);
    }
}

void MainWindow::onDpiChanged(int dpi, const RECT& suggested) {
    applyDpi(dpi);
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::onSetFocus() {
    if (lastFocus_) SetFocus(lastFocus_);
}

void MainWindow::onActivate(bool active) {
    if (!active) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
        return;
    }
    onSetFocus();
}

void MainWindow::applyDpi(int dpi) {
    dpi_ = dpi;
    HFONT oldNormal = normalFont_;
    HFONT oldBold = boldFont_;
    normalFont_ = createWindowFont(dpi, FW_NORMAL);
    boldFont_ = createWindowFont(dpi, FW_BOLD);
    layoutWidgets(widgets_, dpi, normalFont_, boldFont_);
    DeleteObject(oldNormal);
    DeleteObject(oldBold);
    fitFrame();
}

void MainWindow::fitFrame() {
    const SIZE frame = frameSize(dpi_);
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.cx, frame.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HBRUSH MainWindow::brushFor(window::Rgb colour) {
    const COLORREF ref = toColorRef(colour);
    for (auto& [known, brush] : brushes_) {
        if (brush && known == ref) return brush;
        if (!brush) {
            known = ref;
            brush = CreateSolidBrush(ref);
            return brush;
        }
    }
    throw std::logic_error("more design colours than brushes");
}

void MainWindow::checkOption(int k) {
    for (int i = 0; i < static_cast<int>(widgets_.Option1.size()); ++i)
        SendMessageW(widgets_.Option1[i], BM_SETCHECK, i == k ? BST_CHECKED : BST_UNCHECKED, 0);
}

void MainWindow::clickOption(int k) {
    checkOption(k);
    form_.onOptionClick(k);
}

bool MainWindow::handleKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !hwnd_ || !IsChild(hwnd_, msg.hwnd)) return false;
    const std::optional<Key> key = keyOf(msg.wParam);
    const window::ControlDesign* d = designOf(msg.hwnd);
    if (!key) return false;
    const window::KeyAction action =
        window::keyAction(*key, d ? std::optional(ControlRef{d->kind, d->index}) : std::nullopt,
                          form_.selectedVariant().value_or(0));
    HWND target = action.focus ? widgets_.find(*action.focus) : msg.hwnd;
    // Checked before it takes the focus: a radio button given the focus
    // unchecked may click itself.
    if (action.option) checkOption(*action.option);
    if (action.focus) SetFocus(target);
    if (action.selectAll) SendMessageW(target, EM_SETSEL, 0, -1);
    if (action.option) form_.onOptionClick(*action.option);
    if (action.command) form_.onCommandClick(*action.command);
    return action.handled();
}

std::u16string MainWindow::boxText(int box) const {
    return boxes_.at(static_cast<std::size_t>(box)).model().text();
}

void MainWindow::setBoxText(int box, std::u16string_view text) {
    boxes_.at(static_cast<std::size_t>(box)).setText(text);
}

void MainWindow::setBoxLocked(int box, bool locked) {
    boxes_.at(static_cast<std::size_t>(box)).setLocked(locked);
}

void MainWindow::selectOption(int k) {
    checkOption(k);
}

void MainWindow::setReportText(std::u16string_view text) {
    SetWindowTextW(widgets_.Text1[0], wide(text).c_str());
}

void MainWindow::reportError(const platform::CalculationError& error) {
    MessageBoxW(hwnd_, wide(platform::describe(error)).c_str(), wide(window::ErrorCaption).c_str(),
                MB_OK | MB_ICONWARNING);
}

void MainWindow::setSolution(const calc::Solution& solution) {
    const window::SolutionNotes notes = window::solutionNotes(solution, separator_, u"\r\n");
    for (std::size_t i = 0; i < boxes_.size(); ++i) boxes_[i].setStep(notes.box[i]);
    solution_ = notes.report;
    setTipText(widgets_.Text1[0], solution_);
    describeControls();
}

void MainWindow::describeControls() {
    if (!annotations_.started()) return;
    for (int i = 0; i <= window::BoxCount; ++i) {
        const ControlRef ref =
            i < window::BoxCount ? ControlRef{Kind::Text2, i} : ControlRef{Kind::Text1, 0};
        annotations_.describe(widgets_.find(ref), accessibleDescription(ref));
    }
}

std::u16string MainWindow::accessibleDescription(ControlRef ref) const {
    if (ref.kind == Kind::Text2) return box(ref.index).model().description();
    if (ref == ControlRef{Kind::Text1, 0}) return solution_;
    return {};
}

int runMainWindow(HINSTANCE instance, int show) {
    MainWindow window(instance);
    ShowWindow(window.handle(), show);
    SetFocus(window.widgets().Text2[0]);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (window.handleKey(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
