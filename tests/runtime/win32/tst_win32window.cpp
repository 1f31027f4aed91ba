// SPDX-License-Identifier: GPL-3.0-or-later
// The Win32 window's own part: sizes, DPI, fonts, colours, styles, drawing, focus
// and keys (their meaning is tst_keyboard's; the form, tst_form's; a reader, tst_win32access's).
#include <algorithm>
#include <sstream>
#include <vector>

#include "designjson.h"
#include "focus_chains_data.h"  // tests/data/focus-chains.txt, embedded at configure time
#include "testwindow.h"

static RECT clientRectOf(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, theWindow().handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

static SIZE clientSize() {
    RECT r;
    GetClientRect(theWindow().handle(), &r);
    return {r.right, r.bottom};
}

static LOGFONTW fontOf(HWND control) {
    LOGFONTW font{};
    const auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    REQUIRE(handle);
    REQUIRE(GetObjectW(handle, sizeof font, &font) == sizeof font);
    return font;
}

// "Text2(13)", as tests/data/focus-chains.txt names a control.
static HWND named(const std::string& name) {
    const char* const arrays[] = {"Label1", "Option1", "Text2", "Command1", "Text1"};
    const std::size_t open = name.find('(');
    const auto kind = std::find(arrays, arrays + 5, name.substr(0, open)) - arrays;
    return control({static_cast<Kind>(kind), std::stoi(name.substr(open + 1))});
}

// Shift or Ctrl held down, as GetKeyState will see it on this thread.
static void holdKey(int key, bool down) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[key] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

static COLORREF pixelAt(HWND w, int x, int y) {
    HDC dc = GetDC(w);
    const COLORREF painted = GetPixel(dc, x, y);
    ReleaseDC(w, dc);
    return painted;
}

// The client area of `w` as painted, pixel by pixel.
static std::vector<COLORREF> pixelsOf(HWND w) {
    RECT r;
    GetClientRect(w, &r);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x) pixels.push_back(pixelAt(w, x, y));
    return pixels;
}

TEST_CASE("the client area and every control sit and look as designed, at 96 dpi") {
    CHECK(textOf(theWindow().handle()) == L"Геометрия - прав кръгов цилиндър");  // no publisher
    CHECK(clientSize().cx == 504);
    CHECK(clientSize().cy == 419);
    const LONG frame = GetWindowLongW(theWindow().handle(), GWL_STYLE);
    CHECK((frame & (WS_MAXIMIZEBOX | WS_THICKFRAME)) == 0);  // fixed in size

    const struct {
        const char* name;
        ControlRef ref;
        RECT rect;  // in client pixels
    } rows[] = {
        {"Label1(0)", {Kind::Label1, 0}, {40, 0, 457, 25}},
        {"Label1(5)", {Kind::Label1, 5}, {360, 32, 425, 57}},
        {"Option1(8)", {Kind::Option1, 8}, {8, 248, 105, 273}},
        {"Command1(0)", {Kind::Command1, 0}, {432, 80, 497, 105}},
        {"Command1(1)", {Kind::Command1, 1}, {432, 200, 497, 225}},
        {"Text1(0)", {Kind::Text1, 0}, {8, 296, 497, 417}},
        {"Text1(1)", {Kind::Text1, 1}, {40, 336, 489, 457}},
        {"Text2(44)", {Kind::Text2, 44}, {360, 248, 425, 275}},
    };
    for (const auto& row : rows) {
        INFO(row.name);
        const RECT r = clientRectOf(control(row.ref));
        CHECK(EqualRect(&r, &row.rect));
    }
    for (int i = 0; i < window::BoxCount; ++i) {
        INFO("Text2(" << i << ")");
        const RECT r = clientRectOf(control({Kind::Text2, i}));
        const DesignedPlace box = designedPlace("Text2_" + std::to_string(i));
        CHECK(r.left == box.left);
        CHECK(r.top == box.top);
    }
    // The quotation lies over the report area: child windows are listed top first.
    HWND first = nullptr;
    for (HWND w = GetWindow(theWindow().handle(), GW_CHILD); w && !first;
         w = GetWindow(w, GW_HWNDNEXT))
        if (w == control({Kind::Text1, 0}) || w == control({Kind::Text1, 1})) first = w;
    CHECK(first == control({Kind::Text1, 1}));

    // At 144 dpi every size and font is scaled by one and a half.
    // Windows suggests the frame for the new DPI; here the frame's own
    // width stays, the client area grows.
    RECT before;
    GetWindowRect(theWindow().handle(), &before);
    RECT suggested{before.left, before.top, before.right + 756 - 504, before.bottom + 628 - 419};
    SendMessageW(theWindow().handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    CHECK(clientSize().cx == 756);
    CHECK(clientSize().cy == 628);
    const RECT box = clientRectOf(control({Kind::Text2, 0}));
    CHECK(box.left == 156);
    CHECK(box.top == 84);
    CHECK(box.right - box.left == 98);  // 975 twips: 97.5 pixels, rounded
    CHECK(fontOf(control({Kind::Text2, 0})).lfHeight == -24);
    SendMessageW(theWindow().handle(), WM_DPICHANGED, MAKEWPARAM(96, 96),
                 reinterpret_cast<LPARAM>(&before));
    CHECK(clientSize().cx == 504);
    CHECK(fontOf(control({Kind::Text2, 0})).lfHeight == -16);

    // Styles: the two text areas, borders and locked boxes.
    const auto style = [](HWND w) { return GetWindowLongW(w, GWL_STYLE); };
    const auto exStyle = [](HWND w) { return GetWindowLongW(w, GWL_EXSTYLE); };
    constexpr LONG area = ES_MULTILINE | ES_READONLY | WS_VSCROLL;
    for (int i = 0; i < 2; ++i) {
        INFO("Text1(" << i << ")");
        CHECK((style(control({Kind::Text1, i})) & area) == area);
    }
    CHECK((exStyle(control({Kind::Text1, 0})) & WS_EX_CLIENTEDGE) != 0);
    CHECK((exStyle(control({Kind::Text1, 1})) & WS_EX_CLIENTEDGE) == 0);
    click({Kind::Option1, 2});
    for (int i = 0; i < window::BoxCount; ++i) {
        INFO("Text2(" << i << ") with Вариант 3 chosen");
        const bool open = i / 5 == 2;  // its row, computed boxes too: they can be copied
        CHECK(static_cast<bool>(style(control({Kind::Text2, i})) & ES_READONLY) == !open);
    }
    click({Kind::Option1, 0});
}

TEST_CASE("fonts: Times New Roman 12 pt, Cyrillic, bold where designed; colours as painted") {
    for (const window::ControlDesign& d : window::controlDesigns()) {
        INFO("kind " << static_cast<int>(d.kind) << " index " << d.index);
        const LOGFONTW font = fontOf(control({d.kind, d.index}));
        CHECK(std::wstring(font.lfFaceName) == L"Times New Roman");
        CHECK(font.lfHeight == -16);
        CHECK(font.lfCharSet == RUSSIAN_CHARSET);
        CHECK((font.lfWeight == FW_BOLD) == d.bold);
    }
    // What Windows (or Wine) realises holds Cyrillic.
    HDC dc = GetDC(control({Kind::Label1, 0}));
    HGDIOBJ old = SelectObject(
        dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control({Kind::Label1, 0}), WM_GETFONT, 0, 0)));
    CHECK(GetTextCharset(dc) == RUSSIAN_CHARSET);
    SelectObject(dc, old);
    ReleaseDC(control({Kind::Label1, 0}), dc);

    const struct {
        const char* name;
        ControlRef ref;
        COLORREF colour;
    } rows[] = {
        {"window background", {Kind::Text1, -1}, RGB(192, 192, 255)},
        {"Label1(0) heading", {Kind::Label1, 0}, RGB(255, 192, 128)},
        {"Option1(3)", {Kind::Option1, 3}, RGB(192, 255, 192)},
        {"Command1(0) Изчисли", {Kind::Command1, 0}, RGB(128, 255, 128)},
        {"Command1(1) Изчисти", {Kind::Command1, 1}, RGB(255, 0, 0)},
        {"Text2(2) computed", {Kind::Text2, 2}, RGB(255, 192, 192)},
        {"Text2(22) white bold", {Kind::Text2, 22}, RGB(255, 255, 255)},
        {"Text2(0) given", {Kind::Text2, 0}, GetSysColor(COLOR_WINDOW)},
    };
    RedrawWindow(theWindow().handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    pump();
    for (const auto& row : rows) {
        INFO(row.name);
        // A point inside the control, clear of its frame and text.
        const bool window = row.ref.index < 0;
        CHECK(pixelAt(window ? theWindow().handle() : control(row.ref), window ? 2 : 4,
                      window ? 290 : 4) == row.colour);
    }
}

TEST_CASE("keyboard: Tab and Shift+Tab round the hand-written chains; what they select") {
    std::istringstream lines(FocusChainsData);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream in(line);
        int chosen = 0;
        std::vector<HWND> chain;
        if (line[0] == '#' || !(in >> chosen)) continue;
        for (std::string name; in >> name;) chain.push_back(named(name));
        click({Kind::Option1, chosen});
        SetFocus(chain.front());
        const std::size_t n = chain.size();
        for (std::size_t i = 1; i <= 2 * n; ++i) {  // a round of Tab, then of Shift+Tab
            INFO("Option1(" << chosen << ") chosen, key " << i);
            holdKey(VK_SHIFT, i > n);
            CHECK(press(GetFocus(), VK_TAB));
            CHECK(GetFocus() == chain[(i > n ? 2 * n - i : i) % n]);
        }
        holdKey(VK_SHIFT, false);
    }
    // Tab to a box and Ctrl+A select its whole text; from a box clicked Tab
    // goes on from its place.
    click({Kind::Option1, 0});
    HWND box = control({Kind::Text2, 1});
    SetWindowTextW(box, L"12");
    CHECK(press(control({Kind::Text2, 0}), VK_TAB));
    CHECK(SendMessageW(box, EM_GETSEL, 0, 0) == MAKELRESULT(0, 2));
    SendMessageW(box, EM_SETSEL, 1, 1);
    holdKey(VK_CONTROL, true);
    CHECK(press(box, 'A'));
    holdKey(VK_CONTROL, false);
    CHECK(SendMessageW(box, EM_GETSEL, 0, 0) == MAKELRESULT(0, 2));
    CHECK_FALSE(press(box, 'A'));  // without Ctrl, a letter
    SetWindowTextW(box, L"");
    SetFocus(control({Kind::Text2, 2}));  // computed: by the mouse only
    CHECK(press(control({Kind::Text2, 2}), VK_TAB));
    CHECK(GetFocus() == control({Kind::Text2, 5}));
}

TEST_CASE("a number too wide for its box shows rounded unfocused, its tooltip adds it in full") {
    click({Kind::Option1, 0});
    for (const int i : {0, 1}) SetWindowTextW(control({Kind::Text2, i}), L"100000000");
    CHECK(press(control({Kind::Text2, 1}), VK_RETURN));
    HWND box = control({Kind::Text2, 4});
    const std::u16string full = u"3.14159265358979E+24";
    CHECK(textOf(box) == wide(full));
    SetFocus(control({Kind::Text2, 0}));
    const std::u16string shown = theWindow().box(4).model().shownText();
    CHECK(shown.size() < full.size());  // measured: the fitting itself is tst_fittext's

    // Painted as a box of the same kind holding that text.
    const RECT r = clientRectOf(box);
    HWND plain = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"EDIT", wide(shown).c_str(),
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | ES_AUTOHSCROLL | ES_READONLY, 100, 300,
        r.right - r.left, r.bottom - r.top, theWindow().handle(), nullptr, nullptr, nullptr);
    SetWindowLongPtrW(plain, GWLP_ID, GetDlgCtrlID(box));  // its colour
    SendMessageW(plain, WM_SETFONT, SendMessageW(box, WM_GETFONT, 0, 0), FALSE);
    SetWindowPos(plain, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(theWindow().handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    pump();
    CHECK(pixelsOf(box) == pixelsOf(plain));
    DestroyWindow(plain);

    // A computed box's tooltip: the step that found it, then the full number
    // while it shows rounded.
    const std::wstring fittedTip = tipOf(box);
    SetFocus(box);
    CHECK(theWindow().box(4).model().shownText() == full);
    CHECK(tipOf(box).starts_with(L"V = "));
    CHECK(tipOf(box) + L"\r\n" + wide(full) == fittedTip);  // the step alone
    click({Kind::Option1, 0});
}
