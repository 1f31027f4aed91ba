// SPDX-License-Identifier: GPL-3.0-or-later
#include "solutionwindow.h"

#include <commdlg.h>
#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <stdexcept>
#include <utility>
#include <vector>

#include "calc/texts.h"
#include "widgets.h"
#include "window/design.h"
#include "window/placement.h"

namespace {

using Page = window::SolutionPage;
using Style = window::FormulaLayout::Style;

constexpr DWORD FrameStyle = WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_CLIPCHILDREN;
// The text box's height in lines; each of its lines is one of the
// solution's, unwrapped, so the arrows go from step to step.
constexpr int BoxLines = 3;

std::size_t indexOf(Style style) {
    return static_cast<std::size_t>(style.script) * 2 + static_cast<std::size_t>(style.italic);
}

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

// The four fonts a formula uses at `dpi`, scripts smaller, by indexOf();
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
    for (const bool script : {false, true})
        for (const bool italic : {false, true}) {
            const double pixels = window::FontPoints * (script ? Page::ScriptSize : 1) * dpi / 72.0;
            fonts[indexOf({script, italic})] = createFont(pixels, italic);
            fonts[4 + indexOf({script, italic})] = createFont(pixels, italic, standIn);
        }
    return fonts;
}

void deleteFonts(SolutionWindow::Fonts& fonts) {
    for (HFONT& font : fonts) DeleteObject(font), font = nullptr;
}

// The font `text` is set in: the window's face, else its stand-in where
// that has a sign the face lacks.
HFONT fontFor(HDC dc, const SolutionWindow::Fonts& fonts, std::u16string_view text, Style style) {
    HFONT face = fonts[indexOf(style)];
    HFONT standIn = fonts[4 + indexOf(style)];
    return hasGlyphs(dc, face, text) || !hasGlyphs(dc, standIn, text) ? face : standIn;
}

// The layout's font measures on one device context.
class Metrics final : public window::FormulaLayout::Metrics {
public:
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
    int ascent(Style style) const override { return text_[indexOf(style)].tmAscent; }
    int descent(Style style) const override { return text_[indexOf(style)].tmDescent; }
    int axis() const override { return axis_; }
    int rule() const override { return rule_; }

private:
    HDC dc_;
    const SolutionWindow::Fonts& fonts_;
    std::array<TEXTMETRICW, 4> text_{};
    int axis_ = 0;
    int rule_ = 1;
};

// A pen `width` CSS pixels wide, dashed by `dashes` where any, at `unit`.
template <std::size_t N>
HPEN createPen(double width, const std::array<double, N>& dashes, double unit) {
    LOGBRUSH brush{BS_SOLID, RGB(0, 0, 0), 0};
    const DWORD w = static_cast<DWORD>(std::max(1L, std::lround(width * unit)));
    if constexpr (N == 0) {
        return ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, w, &brush, 0, nullptr);
    } else {
        std::array<DWORD, N> style{};
        for (std::size_t i = 0; i < N; ++i)
            style[i] = static_cast<DWORD>(std::max(1L, std::lround(dashes[i] * unit)));
        return ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, w, &brush, N,
                            style.data());
    }
}

// Draws the sketch at (x, y) in `unit` device pixels per CSS pixel.
class SketchPainter {
public:
    SketchPainter(HDC dc, double unit, int x, int y) : dc_(dc), unit_(unit), x_(x), y_(y) {}

    int px(double v) const { return x_ + static_cast<int>(std::lround(v * unit_)); }
    int py(double v) const { return y_ + static_cast<int>(std::lround(v * unit_)); }

    void ellipse(const calc::Sketch::Ellipse& e) const {
        Ellipse(dc_, px(e.cx - e.rx), py(e.cy - e.ry), px(e.cx + e.rx), py(e.cy + e.ry));
    }
    void circle(const calc::Sketch::Circle& c) const { ellipse({c.cx, c.cy, c.r, c.r}); }
    // An ellipse's front (lower) half with `front`, its hidden half with `back`.
    void halves(const calc::Sketch::Ellipse& e, HPEN front, HPEN back) const {
        const int l = px(e.cx - e.rx), t = py(e.cy - e.ry), r = px(e.cx + e.rx),
                  b = py(e.cy + e.ry), y = py(e.cy);
        SelectObject(dc_, front);
        Arc(dc_, l, t, r, b, l, y, r, y);  // counter-clockwise: left, bottom, right
        SelectObject(dc_, back);
        Arc(dc_, l, t, r, b, r, y, l, y);
    }
    void line(double x1, double y1, double x2, double y2) const {
        MoveToEx(dc_, px(x1), py(y1), nullptr);
        LineTo(dc_, px(x2), py(y2));
    }
    // GDI falls back to no other face: a mathematical italic letter, which
    // few faces have, is drawn as the plain letter in the italic face.
    static std::wstring letters(std::u16string_view text) {
        std::wstring out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char32_t c = i + 1 < text.size() && text[i] >= 0xD800 && text[i] < 0xDC00
                                   ? 0x10000 + ((text[i] - 0xD800) << 10) + (text[i + 1] - 0xDC00)
                                   : text[i];
            if (c >= 0x1D434 && c < 0x1D468) {
                out +=
                    static_cast<wchar_t>(c < 0x1D44E ? L'A' + (c - 0x1D434) : L'a' + (c - 0x1D44E));
                ++i;
            } else {
                out += static_cast<wchar_t>(text[i]);
            }
        }
        return out;
    }
    void label(const calc::Sketch::Label& l) const {
        using A = calc::Sketch::Anchor;
        SetTextAlign(dc_, TA_BASELINE | (l.anchor == A::Start    ? TA_LEFT
                                         : l.anchor == A::Middle ? TA_CENTER
                                                                 : TA_RIGHT));
        const std::wstring text = letters(l.text);
        TextOutW(dc_, px(l.x), py(l.y), text.c_str(), static_cast<int>(text.size()));
    }

private:
    HDC dc_;
    double unit_;
    int x_, y_;
};

// The sketch as the browser draws it, in calc::Sketch's strokes, at (x, y).
void drawSketch(HDC dc, const calc::Sketch& s, double unit, int x, int y) {
    using S = calc::Sketch;
    const SketchPainter p(dc, unit, x, y);
    HPEN solid = createPen(S::SolidWidth, std::array<double, 0>{}, unit);
    HPEN dashed = createPen(S::SolidWidth, S::HiddenDashes, unit);
    HPEN dashDot = createPen(S::AxisWidth, S::AxisDashes, unit);
    HPEN radius = createPen(S::RadiusWidth, std::array<double, 0>{}, unit);
    HGDIOBJ oldPen = SelectObject(dc, solid);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));

    p.ellipse(s.upperBase);
    p.line(s.body.x, s.body.y, s.body.x, s.body.y + s.body.height);
    const double right = s.body.x + s.body.width;
    p.line(right, s.body.y, right, s.body.y + s.body.height);
    p.halves(s.lowerBase, solid, dashed);
    SelectObject(dc, solid);
    p.circle(s.sphere);
    p.halves(s.equator, solid, dashed);
    SelectObject(dc, dashDot);
    p.line(s.axis.x, s.axis.y1, s.axis.x, s.axis.y2);

    SelectObject(dc, solid);
    Rectangle(dc, p.px(s.section.x), p.py(s.section.y), p.px(s.section.x + s.section.width),
              p.py(s.section.y + s.section.height));
    p.circle(s.sectionCircle);
    SelectObject(dc, dashDot);
    p.line(s.sectionAxis.x, s.sectionAxis.y1, s.sectionAxis.x, s.sectionAxis.y2);
    const auto& c = s.sectionCircle;
    SelectObject(dc, radius);
    p.line(c.cx, c.cy, c.cx - c.r, c.cy);

    HFONT labels = createFont(S::LabelPixels * unit, true);
    HGDIOBJ oldFont = SelectObject(dc, labels);
    for (const auto& l : s.labels) p.label(l);
    HFONT note = createFont(S::NotePixels * unit, true);
    SelectObject(dc, note);
    if (s.note) p.label(*s.note);

    SelectObject(dc, oldFont);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    for (HGDIOBJ o : {HGDIOBJ(solid), HGDIOBJ(dashed), HGDIOBJ(dashDot), HGDIOBJ(radius),
                      HGDIOBJ(labels), HGDIOBJ(note)})
        DeleteObject(o);
}

// The page with its top left corner at (x, y), black on a transparent background.
void drawPage(HDC dc, const Page& page, const SolutionWindow::Fonts& fonts, int x, int y) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    if (page.sketch) drawSketch(dc, *page.sketch, page.unit, x, y);
    y += page.linesTop;
    HGDIOBJ oldFont = SelectObject(dc, fonts[0]);
    SetTextAlign(dc, TA_BASELINE | TA_LEFT);
    page.lines.forEachRun([&](const window::FormulaLayout::Run& run) {
        SelectObject(dc, fontFor(dc, fonts, run.text, run.style));
        TextOutW(dc, x + run.x, y + run.y, reinterpret_cast<const wchar_t*>(run.text.data()),
                 static_cast<int>(run.text.size()));
    });
    SelectObject(dc, oldFont);
    const auto black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    page.lines.forEachBar([&](const window::FormulaLayout::Bar& bar) {
        const RECT r{x + bar.x, y + bar.y, x + bar.x + bar.width, y + bar.y + bar.height};
        FillRect(dc, &r, black);
    });
    LOGBRUSH brush{BS_SOLID, RGB(0, 0, 0), 0};
    HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE | PS_JOIN_MITER,
                            static_cast<DWORD>(page.rule), &brush, 0, nullptr);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    page.lines.forEachPolyline([&](const window::FormulaLayout::Radical& radical) {
        POINT points[4];
        for (std::size_t i = 0; i < radical.size(); ++i)
            points[i] = {x + radical[i].x, y + radical[i].y};
        Polyline(dc, points, 4);
    });
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
    RECT r{0, 0, 0, 0};
    using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi =
        systemFunction<AdjustForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
    const DWORD style = FrameStyle & ~(WS_VSCROLL | WS_CLIPCHILDREN);
    if (adjustForDpi)
        adjustForDpi(&r, style, FALSE, 0, static_cast<UINT>(dpi));
    else
        AdjustWindowRectEx(&r, style, FALSE, 0);
    return {r.right - r.left, r.bottom - r.top};
}

// A system metric at `dpi`, such as SM_CXVSCROLL.
int systemMetric(int index, int dpi) {
    using MetricsForDpiFn = int(WINAPI*)(int, UINT);
    static const auto forDpi =
        systemFunction<MetricsForDpiFn>(L"user32.dll", "GetSystemMetricsForDpi");
    return forDpi ? forDpi(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

// Behind the line the text box's caret is on, while it has the focus.
constexpr COLORREF Marker = RGB(255, 240, 170);

HBRUSH brushIn(HDC dc, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
}

// The rows of the solution's `line` on `page`, as wide as the page, from
// its tallest box's top to its lowest box's bottom; empty for no line.
RECT lineBand(const calc::Solution& solution, const Page& page, int line) {
    RECT band{};
    std::size_t first = 0;
    for (int i = 0; i < line && i < static_cast<int>(solution.lines.size()); ++i)
        first += solution.lines[static_cast<std::size_t>(i)].parts.size();
    if (line < 0 || line >= static_cast<int>(solution.lines.size())) return band;
    const std::size_t end = first + solution.lines[static_cast<std::size_t>(line)].parts.size();
    if (end > page.lines.items.size()) return band;  // a layout of another solution
    band = {0, INT_MAX, page.width(), INT_MIN};
    for (std::size_t i = first; i < end; ++i) {
        const window::SolutionLayout::Item& item = page.lines.items[i];
        band.top = std::min<LONG>(band.top, page.linesTop + item.y - item.box.ascent);
        band.bottom = std::max<LONG>(band.bottom, page.linesTop + item.y + item.box.descent);
    }
    if (band.top >= band.bottom) return RECT{};
    InflateRect(&band, 0, 2);
    return band;
}

// What the window does from the keyboard and its context menu.
enum Command { Copy = 1, Print, Close };
constexpr struct {
    Command command;
    calc::Text text;
    const wchar_t* key;
} Actions[] = {
    {Copy, calc::Text::CopySolution, L"\tCtrl+C"},
    {Print, calc::Text::PrintSolution, L"\tCtrl+P"},
    {Close, calc::Text::CloseSolution, L"\tEsc"},
};

}  // namespace

SolutionWindow::SolutionWindow(HWND owner, std::function<void(calc::Rounding)> chooseRounding)
    : owner_(owner), chooseRounding_(std::move(chooseRounding)) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(instance, ClassName, &wc)) {
        wc.lpfnWndProc = &SolutionWindow::procedure;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.hIcon = reinterpret_cast<HICON>(GetClassLongPtrW(owner, GCLP_HICON));
        wc.lpszClassName = ClassName;
        if (!RegisterClassExW(&wc)) throw std::runtime_error("RegisterClassEx");
    }
    const std::wstring caption = wide(calc::text(calc::Text::SolutionCaption));
    hwnd_ = CreateWindowExW(0, ClassName, caption.c_str(), FrameStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, this);
    if (!hwnd_) throw std::runtime_error("CreateWindowEx");
    box_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", nullptr,
                           WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                               ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                           0, 0, 0, 0, hwnd_, nullptr, instance, nullptr);
    SetWindowLongPtrW(box_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    boxDefault_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        box_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SolutionWindow::boxProcedure)));
    // The label first: a screen reader names the list after it.
    const std::wstring name = wide(calc::text(calc::Text::RoundingName)) + L":";
    label_ = CreateWindowExW(0, L"STATIC", name.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0, 0,
                             0, hwnd_, nullptr, instance, nullptr);
    choice_ = CreateWindowExW(0, L"COMBOBOX", nullptr,
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 0, 0, 0,
                              hwnd_, nullptr, instance, nullptr);
    for (const calc::Text place : {calc::Text::RoundAll, calc::Text::RoundTenths,
                                   calc::Text::RoundHundredths, calc::Text::RoundThousandths})
        SendMessageW(choice_, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(wide(calc::text(place)).c_str()));
    SendMessageW(choice_, CB_SETCURSEL, 0, 0);
    SetWindowLongPtrW(choice_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    choiceDefault_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        choice_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SolutionWindow::choiceProcedure)));
    applyDpi(dpiOf(hwnd_));
}

SolutionWindow::~SolutionWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
    deleteFonts(fonts_);
    DeleteObject(boxFont_);
}

LRESULT CALLBACK SolutionWindow::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<SolutionWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<SolutionWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

LRESULT CALLBACK SolutionWindow::boxProcedure(HWND hwnd, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    auto* self = reinterpret_cast<SolutionWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (message) {
        case WM_KEYDOWN:
            if (self->onKey(wParam)) return 0;
            break;
        case WM_CHAR:  // what onKey took, and no beep for them
            if (wParam == VK_ESCAPE || wParam == 'C' - '@' || wParam == 'P' - '@' || wParam == '\t')
                return 0;
            break;
        case WM_CONTEXTMENU:
            self->showMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
    }
    const LRESULT result = CallWindowProcW(self->boxDefault_, hwnd, message, wParam, lParam);
    if (message == WM_KEYDOWN || message == WM_LBUTTONDOWN || message == WM_SETFOCUS ||
        message == WM_KILLFOCUS)
        self->followCaret();
    return result;
}

LRESULT CALLBACK SolutionWindow::choiceProcedure(HWND hwnd, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
    auto* self = reinterpret_cast<SolutionWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    const bool dropped = SendMessageW(hwnd, CB_GETDROPPEDSTATE, 0, 0) != 0;
    if (message == WM_KEYDOWN && !dropped && self->onKey(wParam)) return 0;
    if (message == WM_CHAR && wParam == '\t') return 0;
    return CallWindowProcW(self->choiceDefault_, hwnd, message, wParam, lParam);
}

LRESULT SolutionWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd_, &ps);
            RECT client;
            GetClientRect(hwnd_, &client);
            IntersectClipRect(dc, 0, 0, client.right,
                              client.bottom - belowPage());  // the page's view
            const int margin = pixels(Page::Margin);
            if (RECT band = lineBand(solution_, page_, caretLine_); !IsRectEmpty(&band)) {
                OffsetRect(&band, margin, margin - scroll_);
                band.left = 0;
                band.right += margin;
                FillRect(dc, &band, brushIn(dc, Marker));
            }
            drawPage(dc, page_, fonts_, margin, margin - scroll_);
            EndPaint(hwnd_, &ps);
            return 0;
        }
        case WM_SIZE:
            arrange();
            return 0;
        case WM_VSCROLL: {
            SCROLLINFO si = scrollInfo(SIF_ALL);
            GetScrollInfo(hwnd_, SB_VERT, &si);
            const int line = pixels(20);
            const int page = static_cast<int>(si.nPage);
            const int to[] = {si.nPos - line, si.nPos + line, si.nPos - page, si.nPos + page,
                              si.nTrackPos,   si.nTrackPos,   si.nMin,        si.nMax};
            if (LOWORD(wParam) <= SB_BOTTOM) scrollTo(to[LOWORD(wParam)]);
            return 0;
        }
        case WM_MOUSEWHEEL:
            scrollTo(scroll_ - GET_WHEEL_DELTA_WPARAM(wParam) * pixels(60) / WHEEL_DELTA);
            return 0;
        case WM_CONTEXTMENU:
            showMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_COMMAND:
            if (reinterpret_cast<HWND>(lParam) == choice_ && HIWORD(wParam) == CBN_SELCHANGE)
                chooseRounding_(
                    static_cast<calc::Rounding>(SendMessageW(choice_, CB_GETCURSEL, 0, 0)));
            return 0;
        case WM_CTLCOLORSTATIC:  // the label on the page's white
            SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
            return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) SetFocus(box_);
            return 0;
        case WM_SETFOCUS:
            SetFocus(box_);
            return 0;
        case WM_DPICHANGED: {
            const int old = dpi_;
            applyDpi(HIWORD(wParam));
            textWidth_ = MulDiv(textWidth_, dpi_, old);
            layOut();
            const RECT& r = *reinterpret_cast<const RECT*>(lParam);  // Windows' suggestion
            SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_CLOSE:
            wanted_ = false;  // only the pupil closes it; the program hides it
            ShowWindow(hwnd_, SW_HIDE);
            return 0;
        case WM_DESTROY:
            hwnd_ = nullptr;  // with its owner
            return 0;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

bool SolutionWindow::onKey(WPARAM key) {
    const bool control = GetKeyState(VK_CONTROL) < 0;
    if (key == VK_TAB)
        SetFocus(GetFocus() == box_ ? choice_ : box_);
    else if (key == VK_ESCAPE)
        SendMessageW(hwnd_, WM_CLOSE, 0, 0);
    else if (control && key == 'C')
        copy();
    else if (control && key == 'P')
        printAsked();
    else
        return false;
    return true;
}

void SolutionWindow::showMenu(POINT at) {
    if (at.x == -1 && at.y == -1) {  // from the keyboard: at the text box
        RECT r;
        GetWindowRect(box_, &r);
        at = {r.left, r.top};
    }
    HMENU menu = CreatePopupMenu();
    for (const auto& a : Actions)
        AppendMenuW(menu, MF_STRING, a.command, (wide(calc::text(a.text)) + a.key).c_str());
    const int chosen =
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
    DestroyMenu(menu);
    if (chosen == Copy) copy();
    if (chosen == Print) printAsked();
    if (chosen == Close) SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void SolutionWindow::setSolution(const calc::Solution& solution, char16_t separator) {
    solution_ = solution;
    separator_ = separator;
    std::wstring text = wide(calc::plainText(solution, separator));
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) text.pop_back();
    SetWindowTextW(box_, text.c_str());
    SendMessageW(choice_, CB_SETCURSEL, static_cast<WPARAM>(solution.rounding), 0);
    layOut();
    caretLine_ = -1;
    followCaret();
    if (solution.empty()) return void(ShowWindow(hwnd_, SW_HIDE));
    if (!wanted_ || IsWindowVisible(hwnd_)) return;
    if (!placed_) showBeside();
    ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
}

void SolutionWindow::reopen() {
    wanted_ = true;
    if (solution_.empty()) return;
    if (!placed_) showBeside();
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    SetFocus(box_);
}

void SolutionWindow::copy() const {
    const std::wstring text = wide(calc::plainText(solution_, separator_));
    if (!OpenClipboard(hwnd_)) return;
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    }
    CloseClipboard();
}

void SolutionWindow::printAsked() {
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

void SolutionWindow::drawPrintPage(HDC dc, int width, int height) const {
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    const double unit = dpi / Page::CssPixels;
    Fonts fonts = createFonts(dpi);
    const Picture picture = greyPicture(owner_);
    // The picture at its size on the screen, in CSS pixels.
    const double shown = unit * USER_DEFAULT_SCREEN_DPI / dpiOf(owner_);
    const int pictureWidth = static_cast<int>(std::lround(picture.width * shown));
    const int pictureHeight = static_cast<int>(std::lround(picture.height * shown));
    const double pictureBottom = pictureHeight + 2 * Page::Gap * unit;
    const auto [page, scale] = window::fitToSheet(solution_, Metrics(dc, fonts), dpi, width, height,
                                                  pictureBottom, separator_);
    const int old = SetGraphicsMode(dc, GM_ADVANCED);
    const XFORM smaller{static_cast<FLOAT>(scale), 0, 0, static_cast<FLOAT>(scale), 0, 0};
    SetWorldTransform(dc, &smaller);
    BITMAPINFO info = topDown(picture.width, picture.height);
    SetStretchBltMode(dc, HALFTONE);
    StretchDIBits(dc, 0, 0, pictureWidth, pictureHeight, 0, 0, picture.width, picture.height,
                  picture.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    drawPage(dc, page, fonts, 0, static_cast<int>(std::lround(pictureBottom)));
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
    for (HWND control : {box_, label_, choice_})
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(boxFont_), TRUE);
    DeleteObject(old);
    if (!textWidth_) textWidth_ = pixels(Page::TextWidth);
}

void SolutionWindow::layOut() {
    HDC dc = GetDC(hwnd_);
    page_ = window::layOutPage(solution_, Metrics(dc, fonts_), dpi_, textWidth_, separator_);
    ReleaseDC(hwnd_, dc);
    arrange();
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void SolutionWindow::arrange() {
    RECT r;
    GetClientRect(hwnd_, &r);
    const int box = boxHeight();
    MoveWindow(box_, 0, r.bottom - box, r.right, box, TRUE);
    // The choice's row right above the text box, the label before the list.
    const int margin = pixels(Page::Margin);
    const int rowTop = r.bottom - belowPage() + pixels(Page::Gap) / 2;
    RECT closed;
    GetWindowRect(choice_, &closed);
    const int row = closed.bottom - closed.top;
    SIZE label{};
    wchar_t name[64];
    const int length = GetWindowTextW(label_, name, 64);
    HDC dc = GetDC(label_);
    HGDIOBJ old = SelectObject(dc, boxFont_);
    GetTextExtentPoint32W(dc, name, length, &label);
    SelectObject(dc, old);
    ReleaseDC(label_, dc);
    MoveWindow(label_, margin, rowTop + (row - label.cy) / 2, label.cx, label.cy, TRUE);
    MoveWindow(choice_, margin + label.cx + pixels(Page::Gap), rowTop, pixels(180),
               row + pixels(120), TRUE);
    SCROLLINFO si = scrollInfo(SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL);
    si.nMax = page_.height() + 2 * pixels(Page::Margin) - 1;
    si.nPage = static_cast<UINT>(std::max(0L, r.bottom - belowPage()));
    SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);
    scrollTo(scroll_);
}

void SolutionWindow::scrollTo(int position) {
    SCROLLINFO si = scrollInfo(SIF_RANGE | SIF_PAGE);
    GetScrollInfo(hwnd_, SB_VERT, &si);
    position = std::clamp(position, 0, std::max(0, si.nMax + 1 - static_cast<int>(si.nPage)));
    if (position == scroll_) return;
    scroll_ = position;
    si = scrollInfo(SIF_POS);
    si.nPos = position;
    SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void SolutionWindow::showBeside() {
    placed_ = true;
    RECT frame;
    GetWindowRect(owner_, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner_, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const window::ScreenRect screen{work.left, work.top, work.right - work.left,
                                    work.bottom - work.top};
    const SIZE extra = frameExtra(dpi_);
    const int bar = systemMetric(SM_CXVSCROLL, dpi_);
    const int margin = pixels(Page::Margin);
    // The page and the text box in a framed window, the scroll bar beside.
    const auto outer = [&] {
        const int w = page_.width() + 2 * margin + bar + extra.cx;
        const int h = page_.height() + 2 * margin + belowPage() + extra.cy;
        return SIZE{std::min(w, screen.width), std::min(h, screen.height)};
    };
    const auto place = [&](SIZE size, int least) {
        return window::besideOwner(
            {frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top}, size.cx,
            size.cy, least, screen, pixels(Page::Gap));
    };
    const SIZE wanted = outer();
    const int sketch = page_.sketch ? pixels(page_.sketch->width) : 0;
    const int least = extra.cx + std::max(pixels(Page::MinWidth), sketch + 2 * margin + bar);
    window::ScreenRect at = place(wanted, least);
    if (at.width < wanted.cx) {  // narrowed to the room beside: the lines wrap to it
        textWidth_ = at.width - extra.cx - 2 * margin - bar;
        layOut();
        at = place(outer(), at.width);
    }
    SetWindowPos(hwnd_, nullptr, at.x, at.y, at.width, at.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void SolutionWindow::followCaret() {
    const int line = GetFocus() == box_
                         ? static_cast<int>(SendMessageW(box_, EM_LINEFROMCHAR, WPARAM(-1), 0))
                         : -1;
    if (line == caretLine_) return;
    caretLine_ = line;
    // The line in view: the page scrolls as the caret goes down the steps.
    const RECT band = lineBand(solution_, page_, line);
    RECT client;
    GetClientRect(hwnd_, &client);
    const int margin = pixels(Page::Margin);
    const int view = client.bottom - belowPage();
    const int top = line == 0 ? 0 : band.top + margin;  // the first with the sketch above it
    if (!IsRectEmpty(&band) && top < scroll_) scrollTo(top);
    if (!IsRectEmpty(&band) && band.bottom + margin > scroll_ + view)
        scrollTo(band.bottom + margin - view);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

int SolutionWindow::boxHeight() const {
    HDC dc = GetDC(box_);
    HGDIOBJ old = SelectObject(dc, boxFont_);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(box_, dc);
    return BoxLines * tm.tmHeight + systemMetric(SM_CYHSCROLL, dpi_) +
           2 * systemMetric(SM_CYEDGE, dpi_) + pixels(4);
}

int SolutionWindow::belowPage() const {
    RECT closed;
    GetWindowRect(choice_, &closed);
    return boxHeight() + static_cast<int>(closed.bottom - closed.top) + pixels(Page::Gap);
}

int SolutionWindow::pixels(double cssPixels) const {
    return static_cast<int>(std::lround(cssPixels * dpi_ / Page::CssPixels));
}
