// SPDX-License-Identifier: GPL-3.0-or-later
#include "solutionwindow.h"

#include <commdlg.h>
#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>
#include <vector>

#include "calc/texts.h"
#include "widgets.h"
#include "window/design.h"
#include "window/placement.h"

namespace {

using Page = window::SolutionPage;
using window::Drawing;
using window::FormulaLayout;
using Style = FormulaLayout::Style;

constexpr DWORD FrameStyle = WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_CLIPCHILDREN;

HFONT createFont(double pixels, bool italic, const wchar_t* family = nullptr) {
    const std::wstring face = family ? family : wide(window::FontFamily);
    return CreateFontW(-static_cast<int>(std::lround(pixels)), 0, 0, 0, FW_NORMAL, italic, FALSE,
                       FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, VARIABLE_PITCH | FF_ROMAN, face.c_str());
}

// Every glyph of `text` in `font`: GDI draws no other face's in its place.
bool hasGlyphs(HDC dc, HFONT font, std::u16string_view text) {
    HGDIOBJ old = SelectObject(dc, font);
    std::vector<WORD> glyphs(text.size());
    GetGlyphIndicesW(dc, reinterpret_cast<const wchar_t*>(text.data()),
                     static_cast<int>(text.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(dc, old);
    return std::find(glyphs.begin(), glyphs.end(), 0xFFFF) == glyphs.end();
}

// Faces for the signs Times New Roman lacks (⇒), the first that has them;
// the last two where Wine stands in for Windows.
constexpr const wchar_t* StandIns[] = {L"Cambria Math", L"Segoe UI Symbol", L"Nimbus Roman",
                                       L"DejaVu Serif"};

// The four fonts a formula uses at `dpi`, scripts smaller, by fontIndex();
// then the same in the first stand-in face that has "⇒".
SolutionWindow::Fonts createFonts(int dpi) {
    SolutionWindow::Fonts fonts{};
    HDC screen = GetDC(nullptr);
    const wchar_t* standIn = nullptr;
    for (const wchar_t* face : StandIns) {
        HFONT probe = createFont(16, false, face);
        const bool has = hasGlyphs(screen, probe, u"⇒");
        DeleteObject(probe);
        if (has) {
            standIn = face;
            break;
        }
    }
    ReleaseDC(nullptr, screen);
    for (std::size_t i = 0; i < FormulaLayout::FontCount; ++i) {
        const Style style = FormulaLayout::styleOf(i);
        const double pixels = Page::points(style) * dpi / 72.0;
        fonts[i] = createFont(pixels, style.italic);
        fonts[FormulaLayout::FontCount + i] = createFont(pixels, style.italic, standIn);
    }
    return fonts;
}

void deleteFonts(SolutionWindow::Fonts& fonts) {
    for (HFONT& font : fonts) DeleteObject(font), font = nullptr;
}

// The font `text` is set in: the window's face, else its stand-in where
// that has a sign the face lacks.
HFONT fontFor(HDC dc, const SolutionWindow::Fonts& fonts, std::u16string_view text, Style style) {
    HFONT face = fonts[FormulaLayout::fontIndex(style)];
    HFONT standIn = fonts[FormulaLayout::FontCount + FormulaLayout::fontIndex(style)];
    return hasGlyphs(dc, face, text) || !hasGlyphs(dc, standIn, text) ? face : standIn;
}

// The layout's font measures on one device context.
class Metrics final : public FormulaLayout::Metrics {
public:
    // On the window's own device context, released with the measures.
    Metrics(HWND hwnd, const SolutionWindow::Fonts& fonts) : Metrics(GetDC(hwnd), fonts) {
        window_ = hwnd;
    }
    ~Metrics() override {
        if (window_) ReleaseDC(window_, dc_);
    }
    Metrics(const Metrics&) = delete;
    Metrics& operator=(const Metrics&) = delete;

    Metrics(HDC dc, const SolutionWindow::Fonts& fonts) : dc_(dc), fonts_(fonts) {
        HGDIOBJ old = SelectObject(dc, fonts[0]);
        for (std::size_t i = 0; i < text_.size(); ++i) {
            SelectObject(dc, fonts[i]);
            GetTextMetricsW(dc, &text_[i]);
        }
        SelectObject(dc, fonts[0]);
        OUTLINETEXTMETRICW outline{};
        outline.otmSize = sizeof outline;
        if (GetOutlineTextMetricsW(dc, sizeof outline, &outline)) {
            axis_ = outline.otmsStrikeoutPosition;
            rule_ = std::max(1, static_cast<int>(outline.otmsUnderscoreSize));
        } else {
            axis_ = text_[0].tmAscent * 3 / 10;
        }
        SelectObject(dc, old);
    }

    int advance(std::u16string_view text, Style style) const override {
        HGDIOBJ old = SelectObject(dc_, fontFor(dc_, fonts_, text, style));
        SIZE size{};
        GetTextExtentPoint32W(dc_, reinterpret_cast<const wchar_t*>(text.data()),
                              static_cast<int>(text.size()), &size);
        SelectObject(dc_, old);
        return size.cx;
    }
    int ascent(Style style) const override {
        return text_[FormulaLayout::fontIndex(style)].tmAscent;
    }
    int descent(Style style) const override {
        return text_[FormulaLayout::fontIndex(style)].tmDescent;
    }
    int axis() const override { return axis_; }
    int rule() const override { return rule_; }

private:
    HWND window_ = nullptr;
    HDC dc_;
    const SolutionWindow::Fonts& fonts_;
    std::array<TEXTMETRICW, FormulaLayout::FontCount> text_{};
    int axis_ = 0;
    int rule_ = 1;
};

// A pen of `design` at `unit` device pixels per CSS pixel.
HPEN createPen(Drawing::PenDesign design, double unit) {
    LOGBRUSH brush{BS_SOLID, RGB(0, 0, 0), 0};
    const DWORD w = static_cast<DWORD>(std::max(1L, std::lround(design.width * unit)));
    if (design.dashes.empty())
        return ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, w, &brush, 0, nullptr);
    std::vector<DWORD> style;
    for (const double dash : design.dashes)
        style.push_back(static_cast<DWORD>(std::max(1L, std::lround(dash * unit))));
    return ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, w, &brush,
                        static_cast<DWORD>(style.size()), style.data());
}

// The sketch's strokes and letters with its origin at (x, y).
void paintSketch(HDC dc, const Drawing& d, int x, int y) {
    const auto px = [&](double v) { return x + static_cast<int>(std::lround(v * d.unit)); };
    const auto py = [&](double v) { return y + static_cast<int>(std::lround(v * d.unit)); };
    constexpr Drawing::Pen Pens[] = {Drawing::Pen::Outline, Drawing::Pen::Hidden,
                                     Drawing::Pen::Axis, Drawing::Pen::Radius};
    std::array<HPEN, std::size(Pens)> pens{};
    for (const Drawing::Pen pen : Pens)
        pens[static_cast<std::size_t>(pen)] = createPen(Drawing::design(pen), d.unit);
    HGDIOBJ oldPen = SelectObject(dc, pens[0]);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    for (const Drawing::Stroke& s : d.strokes) {
        SelectObject(dc, pens[static_cast<std::size_t>(s.pen)]);
        const int l = px(s.x1 - s.x2), t = py(s.y1 - s.y2), r = px(s.x1 + s.x2),
                  b = py(s.y1 + s.y2), middle = py(s.y1);
        switch (s.shape) {
            case Drawing::Shape::Ellipse:
            case Drawing::Shape::Circle:
                Ellipse(dc, l, t, r, b);
                break;
            case Drawing::Shape::FrontHalf:  // counter-clockwise: left, bottom, right
                Arc(dc, l, t, r, b, l, middle, r, middle);
                break;
            case Drawing::Shape::BackHalf:
                Arc(dc, l, t, r, b, r, middle, l, middle);
                break;
            case Drawing::Shape::Line:
                MoveToEx(dc, px(s.x1), py(s.y1), nullptr);
                LineTo(dc, px(s.x2), py(s.y2));
                break;
            case Drawing::Shape::Rect:
                Rectangle(dc, px(s.x1), py(s.y1), px(s.x1 + s.x2), py(s.y1 + s.y2));
                break;
            case Drawing::Shape::Sides:
                for (const double x : {s.x1, s.x1 + s.x2}) {
                    MoveToEx(dc, px(x), py(s.y1), nullptr);
                    LineTo(dc, px(x), py(s.y1 + s.y2));
                }
                break;
        }
    }
    const std::array<HFONT, 2> faces{
        createFont(Drawing::pixels(Drawing::Face::Label) * d.unit, true),
        createFont(Drawing::pixels(Drawing::Face::Note) * d.unit, true)};
    HGDIOBJ oldFont = SelectObject(dc, faces[0]);
    for (const Drawing::Label& l : d.labels) {
        using A = calc::Sketch::Anchor;
        SelectObject(dc, faces[static_cast<std::size_t>(l.face)]);
        SetTextAlign(dc, TA_BASELINE | (l.anchor == A::Start    ? TA_LEFT
                                        : l.anchor == A::Middle ? TA_CENTER
                                                                : TA_RIGHT));
        const std::wstring text = wide(window::plainLetters(l.text));
        TextOutW(dc, px(l.x), py(l.y), text.c_str(), static_cast<int>(text.size()));
    }
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    for (HPEN pen : pens) DeleteObject(pen);
    for (HFONT font : faces) DeleteObject(font);
}

// The drawing with the page's top left corner at (x, y), black on a
// transparent background.
void paint(HDC dc, const Drawing& d, const SolutionWindow::Fonts& fonts, int x, int y) {
    if (const auto& band = d.band) {
        const RECT r{x + band->x, y + band->y, x + band->x + band->width,
                     y + band->y + band->height};
        const unsigned c = Drawing::BandColour;
        FillRect(dc, &r, brushIn(dc, RGB(c >> 16, (c >> 8) & 0xFF, c & 0xFF)));
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    if (!d.strokes.empty()) paintSketch(dc, d, x, y);
    y += d.linesTop;
    HGDIOBJ oldFont = SelectObject(dc, fonts[0]);
    SetTextAlign(dc, TA_BASELINE | TA_LEFT);
    for (const FormulaLayout::Run& run : d.runs) {
        SelectObject(dc, fontFor(dc, fonts, run.text, run.style));
        TextOutW(dc, x + run.x, y + run.y, reinterpret_cast<const wchar_t*>(run.text.data()),
                 static_cast<int>(run.text.size()));
    }
    SelectObject(dc, oldFont);
    const auto black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    for (const FormulaLayout::Bar& bar : d.bars) {
        const RECT r{x + bar.x, y + bar.y, x + bar.x + bar.width, y + bar.y + bar.height};
        FillRect(dc, &r, black);
    }
    LOGBRUSH brush{BS_SOLID, RGB(0, 0, 0), 0};
    HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE | PS_JOIN_MITER,
                            static_cast<DWORD>(d.rule), &brush, 0, nullptr);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    for (const FormulaLayout::Radical& radical : d.radicals) {
        std::array<POINT, std::tuple_size_v<FormulaLayout::Radical>> points;
        for (std::size_t i = 0; i < radical.size(); ++i)
            points[i] = {x + radical[i].x, y + radical[i].y};
        Polyline(dc, points.data(), static_cast<int>(points.size()));
    }
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

SCROLLINFO scrollInfo(UINT mask) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = mask;
    return si;
}

// A 32-bit picture `width` × `height`, its top row first.
BITMAPINFO topDown(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// The client area of `w` as 32-bit pixels in grey, top row first, as the
// screen shows it (Wine's PrintWindow leaves out the child windows).
struct Picture {
    int width = 0, height = 0;
    std::vector<RGBQUAD> pixels;
};

Picture greyPicture(HWND w) {
    RECT r;
    GetClientRect(w, &r);
    Picture picture{r.right, r.bottom, {}};
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);
    HDC screen = GetDC(w);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, picture.width, picture.height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, picture.width, picture.height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info = topDown(picture.width, picture.height);
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(picture.height), picture.pixels.data(), &info,
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(w, screen);
    for (RGBQUAD& p : picture.pixels) {
        const auto grey =
            static_cast<BYTE>((299 * p.rgbRed + 587 * p.rgbGreen + 114 * p.rgbBlue) / 1000);
        p = {grey, grey, grey, 0};
    }
    return picture;
}

// A frame's size around no client area, at `dpi`.
SIZE frameExtra(int dpi) {
    return outerSize(0, 0, FrameStyle & ~(WS_VSCROLL | WS_CLIPCHILDREN), dpi);
}

// A system metric at `dpi`, such as SM_CXVSCROLL.
int systemMetric(int index, int dpi) {
    using MetricsForDpiFn = int(WINAPI*)(int, UINT);
    static const auto forDpi =
        systemFunction<MetricsForDpiFn>(L"user32.dll", "GetSystemMetricsForDpi");
    return forDpi ? forDpi(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

}  // namespace

SolutionWindow::SolutionWindow(HWND owner, char16_t separator,
                               std::function<void(calc::Rounding)> chooseRounding,
                               std::function<void(std::u16string_view)> solveTask)
    : owner_(owner), view_(*this, separator, std::move(chooseRounding), std::move(solveTask)) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.lpfnWndProc = &windowProcedure<SolutionWindow>;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.hIcon = reinterpret_cast<HICON>(GetClassLongPtrW(owner, GCLP_HICON));
    wc.lpszClassName = ClassName;
    hwnd_ = createTopWindow(wc, calc::text(calc::Text::SolutionCaption), FrameStyle,
                            {CW_USEDEFAULT, CW_USEDEFAULT}, owner, this);
    box_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", nullptr,
                           WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                               ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                           0, 0, 0, 0, hwnd_, nullptr, instance, nullptr);
    // The label first: a screen reader names the list after it.
    const std::wstring name = wide(calc::text(calc::Text::RoundingName)) + L":";
    label_ = CreateWindowExW(0, L"STATIC", name.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0, 0,
                             0, hwnd_, nullptr, instance, nullptr);
    choice_ = CreateWindowExW(0, L"COMBOBOX", nullptr,
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 0, 0, 0,
                              hwnd_, nullptr, instance, nullptr);
    for (const std::u16string& place : view_.roundingChoices())
        SendMessageW(choice_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(place).c_str()));
    SendMessageW(choice_, CB_SETCURSEL, 0, 0);
    // After the text box, which a search for the first EDIT child finds.
    const std::wstring task = wide(calc::text(calc::Text::FieldName)) + L":";
    taskLabel_ = CreateWindowExW(0, L"STATIC", task.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0,
                                 0, 0, hwnd_, nullptr, instance, nullptr);
    task_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", nullptr,
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, 0,
                            0, 0, 0, hwnd_, nullptr, instance, nullptr);
    solve_ = CreateWindowExW(0, L"BUTTON", wide(calc::text(calc::Text::SolveButton)).c_str(),
                             WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 0, hwnd_, nullptr,
                             instance, nullptr);
    for (std::size_t i = 0; i < defaults_.size(); ++i)
        defaults_[i] = subclass(parts()[i], &SolutionWindow::childProcedure, this);
    applyDpi(dpiOf(hwnd_));
}

SolutionWindow::~SolutionWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
    deleteFonts(fonts_);
    DeleteObject(boxFont_);
}

LRESULT CALLBACK SolutionWindow::childProcedure(HWND hwnd, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    auto* self = reinterpret_cast<SolutionWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    const auto parts = self->parts();
    const auto part =
        static_cast<std::size_t>(std::find(parts.begin(), parts.end(), hwnd) - parts.begin());
    if (message == WM_KEYDOWN) {
        // An open list's keys are its own.
        const bool dropped = hwnd == self->choice_ && SendMessageW(hwnd, CB_GETDROPPEDSTATE, 0, 0);
        const window::SolutionKey key{static_cast<char16_t>(wParam), GetKeyState(VK_CONTROL) < 0,
                                      GetKeyState(VK_SHIFT) < 0};
        self->tookKey_ =
            !dropped && self->view_.onKey(key, static_cast<window::SolutionPart>(part));
        if (self->tookKey_) return 0;
    }
    if (message == WM_CHAR && self->tookKey_) return 0;  // no character, no beep
    if (message == WM_CONTEXTMENU && hwnd == self->box_) {
        self->showMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    }
    const LRESULT result = CallWindowProcW(self->defaults_[part], hwnd, message, wParam, lParam);
    if (hwnd == self->box_ && (message == WM_KEYDOWN || message == WM_LBUTTONDOWN ||
                               message == WM_SETFOCUS || message == WM_KILLFOCUS))
        self->followCaret();
    return result;
}

std::u16string SolutionWindow::taskText() const {
    const int length = GetWindowTextLengthW(task_);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(task_, text.data(), length + 1)));
    return {text.begin(), text.end()};
}

LRESULT SolutionWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd_, &ps);
            const RECT view{0, page_.y, page_.width, page_.y + page_.height};
            IntersectClipRect(dc, 0, view.top, view.right, view.bottom);
            // On a clean page: each run painted once, whatever was there.
            FillRect(dc, &view, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            const FormulaLayout::Point origin = view_.origin();
            paint(dc, view_.drawing(), fonts_, origin.x, origin.y + view.top);
            EndPaint(hwnd_, &ps);
            return 0;
        }
        case WM_SIZE:
            arrange();
            return 0;
        case WM_VSCROLL: {
            SCROLLINFO si = scrollInfo(SIF_ALL);
            GetScrollInfo(hwnd_, SB_VERT, &si);
            const int line = view_.lineStep();
            const int page = static_cast<int>(si.nPage);
            const int to[] = {si.nPos - line, si.nPos + line, si.nPos - page, si.nPos + page,
                              si.nTrackPos,   si.nTrackPos,   si.nMin,        si.nMax};
            if (LOWORD(wParam) <= SB_BOTTOM) view_.scrollTo(0, to[LOWORD(wParam)]);
            return 0;
        }
        case WM_MOUSEWHEEL:
            view_.scrollTo(0, view_.scroll().y -
                                  GET_WHEEL_DELTA_WPARAM(wParam) * view_.wheelStep() / WHEEL_DELTA);
            return 0;
        case WM_CONTEXTMENU:
            showMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_COMMAND:
            if (reinterpret_cast<HWND>(lParam) == solve_ && HIWORD(wParam) == BN_CLICKED)
                view_.solveTask();
            if (reinterpret_cast<HWND>(lParam) == choice_ && HIWORD(wParam) == CBN_SELCHANGE)
                view_.chooseRounding(static_cast<int>(SendMessageW(choice_, CB_GETCURSEL, 0, 0)));
            return 0;
        case WM_CTLCOLORSTATIC:  // the label on the page's white
            SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
            return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
        case WM_ACTIVATE:
            // Back where the keyboard was: the task field keeps it while typed in.
            if (LOWORD(wParam) == WA_INACTIVE)
                focused_ = IsChild(hwnd_, GetFocus()) ? GetFocus() : nullptr;
            else
                SetFocus(focused_ ? focused_ : box_);
            return 0;
        case WM_SETFOCUS:
            SetFocus(focused_ ? focused_ : box_);
            return 0;
        case WM_DPICHANGED: {
            const int old = dpi_;
            applyDpi(HIWORD(wParam));
            view_.resolutionChanged(old);
            const RECT& r = *reinterpret_cast<const RECT*>(lParam);  // Windows' suggestion
            SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_CLOSE:
            view_.close();
            return 0;
        case WM_DESTROY:
            hwnd_ = nullptr;  // with its owner
            return 0;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void SolutionWindow::showMenu(POINT at) {
    if (at.x == -1 && at.y == -1) {  // from the keyboard: at the text box
        RECT r;
        GetWindowRect(box_, &r);
        at = {r.left, r.top};
    }
    HMENU menu = CreatePopupMenu();
    UINT id = 0;
    for (const window::SolutionCommandDesign& c : window::SolutionCommands)
        AppendMenuW(menu, MF_STRING, ++id,
                    (wide(calc::text(c.text)) + L"\t" + wide(c.keyName)).c_str());
    const int chosen =
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
    DestroyMenu(menu);
    if (chosen > 0) view_.run(window::SolutionCommands[chosen - 1].command);
}

void SolutionWindow::drawPrintPage(HDC dc, int width, int height) const {
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    const double unit = dpi / Page::CssPixels;
    Fonts fonts = createFonts(dpi);
    const Picture picture = greyPicture(owner_);
    // The picture at its size on the screen, in CSS pixels.
    const double shown = unit * USER_DEFAULT_SCREEN_DPI / dpiOf(owner_);
    const int pictureWidth = static_cast<int>(std::lround(picture.width * shown));
    const int pictureHeight = static_cast<int>(std::lround(picture.height * shown));
    const window::SolutionView::Sheet sheet =
        view_.printed(Metrics(dc, fonts), dpi, width, height, pictureHeight);
    const int old = SetGraphicsMode(dc, GM_ADVANCED);
    const XFORM smaller{static_cast<FLOAT>(sheet.scale), 0, 0,
                        static_cast<FLOAT>(sheet.scale), 0, 0};
    SetWorldTransform(dc, &smaller);
    BITMAPINFO info = topDown(picture.width, picture.height);
    SetStretchBltMode(dc, HALFTONE);
    StretchDIBits(dc, 0, 0, pictureWidth, pictureHeight, 0, 0, picture.width, picture.height,
                  picture.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    paint(dc, window::drawingOf(sheet.page), fonts, 0,
          static_cast<int>(std::lround(sheet.pictureBottom)));
    ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
    SetGraphicsMode(dc, old);
    deleteFonts(fonts);
}

void SolutionWindow::applyDpi(int dpi) {
    dpi_ = dpi;
    deleteFonts(fonts_);
    fonts_ = createFonts(dpi);
    HFONT old = boxFont_;
    boxFont_ = createWindowFont(dpi, FW_NORMAL);
    for (HWND control : {box_, label_, choice_, taskLabel_, task_, solve_})
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(boxFont_), TRUE);
    DeleteObject(old);
}

void SolutionWindow::arrange() {
    RECT r;
    GetClientRect(hwnd_, &r);
    const window::ControlPlaces at = view_.placeControls(r.right, r.bottom, measures());
    page_ = at.page;
    const std::pair<HWND, window::ScreenRect> places[] = {
        {box_, at.box},         {label_, at.roundingLabel},
        {choice_, at.rounding}, {taskLabel_, at.taskLabel},
        {task_, at.task},       {solve_, at.solve}};
    for (const auto& [control, p] : places) MoveWindow(control, p.x, p.y, p.width, p.height, TRUE);
    view_.resize(at.page.width, at.page.height);
}

void SolutionWindow::followCaret() {
    view_.setCurrentLine(GetFocus() == box_
                             ? static_cast<int>(SendMessageW(box_, EM_LINEFROMCHAR, WPARAM(-1), 0))
                             : -1);
}

std::unique_ptr<FormulaLayout::Metrics> SolutionWindow::metrics() const {
    return std::make_unique<Metrics>(hwnd_, fonts_);
}

window::SolutionRoom SolutionWindow::room() const {
    RECT frame;
    GetWindowRect(owner_, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner_, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const SIZE extra = frameExtra(dpi_);
    return {.owner = {frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top},
            .screen = {work.left, work.top, work.right - work.left, work.bottom - work.top},
            .frameWidth = extra.cx,
            .frameHeight = extra.cy,
            .bar = systemMetric(SM_CXVSCROLL, dpi_),
            .barAlways = true,
            .controls = view_.placeControls(0, 0, measures()).around};
}

void SolutionWindow::move(window::ScreenRect frame) {
    SetWindowPos(hwnd_, nullptr, frame.x, frame.y, frame.width, frame.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void SolutionWindow::show(bool activate) {
    if (!activate) return void(ShowWindow(hwnd_, SW_SHOWNOACTIVATE));
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    SetFocus(box_);
}

void SolutionWindow::hide() {
    ShowWindow(hwnd_, SW_HIDE);
}

bool SolutionWindow::shown() const {
    return IsWindowVisible(hwnd_);
}

void SolutionWindow::setText(std::u16string_view text, int rounding) {
    SetWindowTextW(box_, wide(text).c_str());
    SendMessageW(choice_, CB_SETCURSEL, static_cast<WPARAM>(rounding), 0);
    followCaret();
}

void SolutionWindow::setScroll(const window::SolutionScroll& scroll) {
    SCROLLINFO si = scrollInfo(SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL);
    si.nMax = scroll.height - 1;
    si.nPage = static_cast<UINT>(scroll.viewHeight);
    si.nPos = scroll.y;
    SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);
}

void SolutionWindow::invalidate() {
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void SolutionWindow::copy(std::u16string_view text) {
    if (!OpenClipboard(hwnd_)) return;
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        auto* to = static_cast<wchar_t*>(GlobalLock(memory));
        std::copy(text.begin(), text.end(), to);
        to[text.size()] = 0;
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    }
    CloseClipboard();
}

void SolutionWindow::print() {
    // A4 unless the pupil picks another paper.
    HGLOBAL mode = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEW));
    auto* dm = static_cast<DEVMODEW*>(GlobalLock(mode));
    dm->dmSize = sizeof(DEVMODEW);
    dm->dmFields = DM_PAPERSIZE;
    dm->dmPaperSize = DMPAPER_A4;
    GlobalUnlock(mode);
    PRINTDLGW pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = hwnd_;
    pd.hDevMode = mode;
    pd.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION;
    // Loaded when first asked for: the program starts without it.
    using PrintDlgFn = BOOL(WINAPI*)(PRINTDLGW*);
    static const auto printDialog = systemFunction<PrintDlgFn>(L"comdlg32.dll", "PrintDlgW");
    if (printDialog && printDialog(&pd) && pd.hDC) {
        const std::wstring name = wide(calc::text(calc::Text::SolutionCaption));
        DOCINFOW doc{sizeof doc, name.c_str(), nullptr, nullptr, 0};
        if (StartDocW(pd.hDC, &doc) > 0) {
            StartPage(pd.hDC);
            drawPrintPage(pd.hDC, GetDeviceCaps(pd.hDC, HORZRES), GetDeviceCaps(pd.hDC, VERTRES));
            EndPage(pd.hDC);
            EndDoc(pd.hDC);
        }
        DeleteDC(pd.hDC);
    }
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
}

window::ControlMeasures SolutionWindow::measures() const {
    HDC dc = GetDC(box_);
    HGDIOBJ old = SelectObject(dc, boxFont_);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    const auto extent = [dc](HWND label) {
        wchar_t name[64];
        SIZE size{};
        GetTextExtentPoint32W(dc, name, GetWindowTextW(label, name, 64), &size);
        return window::ControlMeasures::Extent{size.cx, size.cy};
    };
    RECT closed;
    GetWindowRect(choice_, &closed);
    const window::ControlMeasures m{.line = tm.tmHeight,
                                    .edge = systemMetric(SM_CYEDGE, dpi_),
                                    .bar = systemMetric(SM_CYHSCROLL, dpi_),
                                    .row = closed.bottom - closed.top,
                                    .roundingLabel = extent(label_),
                                    .taskLabel = extent(taskLabel_)};
    SelectObject(dc, old);
    ReleaseDC(box_, dc);
    return m;
}
