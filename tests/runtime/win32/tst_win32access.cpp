// SPDX-License-Identifier: GPL-3.0-or-later
// What reaches the Win32 window's form and what a screen reader gets: the
// solution in tooltips and descriptions, options and buttons, locked boxes.
#include <tuple>
#include <vector>

#include "calc/texts.h"
#include "testwindow.h"
#include "variants.h"

#include <oleacc.h>

// Text2(0)'s WM_SETTEXT messages: the form writes it once whenever an
// option is chosen or the grid emptied.
static int writes = 0;
static WNDPROC boxProcedure = nullptr;
static LRESULT CALLBACK countWrites(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    writes += message == WM_SETTEXT;
    return CallWindowProcW(boxProcedure, w, message, wParam, lParam);
}

TEST_CASE("descriptions give the solution; each way in reaches the form once; locks hold") {
    SendMessageW(theWindow().handle(), WM_GETOBJECT, 0, OBJID_CLIENT);  // as a reader asks
    // F2 before any solution opens the window for its task field.
    CHECK(press(control({Kind::Text2, 0}), VK_F2));
    REQUIRE(theWindow().solutionWindow());
    CHECK(IsWindowVisible(theWindow().solutionWindow()->handle()));
    CHECK(GetFocus() == theWindow().solutionWindow()->taskField());
    const VariantCase& c = variantCases()[3];  // H and So given
    click({Kind::Option1, 3});
    for (int i : {0, 1})
        SetWindowTextW(control({Kind::Text2, c.boxes[i]}), wide(c.given[i]).c_str());
    click({Kind::Command1, 0});
    SetFocus(control({Kind::Text2, 16}));
    const std::wstring V = wide(c.row[4]);
    // R = So/(2πH) = 5/(4π) exactly.
    const std::wstring v = L"V = πR²H = π · (5/(4π))² · " + wide(c.row[1]) + L" = 25/(4π) ≈ " + V;
    CHECK(textOf(control({Kind::Text1, 0})).find(wide(c.r)) != std::wstring::npos);  // the report
    CHECK(tipOf(control({Kind::Text2, 19})) == v + L"\r\n" + V);  // V, computed and rounded
    CHECK(wide(theWindow().accessibleDescription({Kind::Text2, 19})) == v);
    CHECK(tipOf(control({Kind::Text2, 16})).empty());  // H, given
    CHECK(theWindow().accessibleDescription({Kind::Text2, 16}).empty());
    // Wine's tooltips hand back at most 1023 characters of a longer text.
    const std::wstring whole = wide(theWindow().accessibleDescription({Kind::Text1, 0}));
    CHECK(whole.find(L"\r\n" + v + L"\r\n") != std::wstring::npos);
    CHECK(whole.starts_with(tipOf(control({Kind::Text1, 0}))));
    const std::wstring hint = wide(calc::text(calc::Text::SolutionKeyHint));
    CHECK(whole.ends_with(L"\r\n" + hint));

    // The solution's own window: owned, beside, shown without the focus;
    // its text box reads the plain text, and so does the clipboard.
    HWND solution = FindWindowW(SolutionWindow::ClassName, L"Решение");
    REQUIRE(solution);
    CHECK(GetWindow(solution, GW_OWNER) == theWindow().handle());
    CHECK(IsWindowVisible(solution));
    CHECK(GetFocus() == control({Kind::Text2, 16}));
    RECT main, beside, both;
    GetWindowRect(theWindow().handle(), &main);
    GetWindowRect(solution, &beside);
    CHECK_FALSE(IntersectRect(&both, &main, &beside));
    // The line the text box's caret is on is marked at the page's left edge
    // while the box has the focus.
    const auto marked = [solution] {
        RedrawWindow(solution, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        RECT r;
        GetClientRect(solution, &r);
        HDC dc = GetDC(solution);
        bool any = false;
        for (int y = 0; y < r.bottom && !any; ++y) any = GetPixel(dc, 1, y) == RGB(255, 240, 170);
        ReleaseDC(solution, dc);
        return any;
    };
    CHECK_FALSE(marked());
    HWND solutionText = FindWindowExW(solution, nullptr, L"EDIT", nullptr);
    const std::wstring text = textOf(solutionText);
    CHECK(text + L"\r\n" + hint == whole);
    BYTE keys[256] = {};
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(solutionText, WM_KEYDOWN, 'C', 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    REQUIRE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const std::wstring copied = static_cast<const wchar_t*>(GlobalLock(data));
    GlobalUnlock(data);
    CHECK(copied == text + L"\r\n");
    CloseClipboard();

    // The printed page in a metafile with an A4 frame lies inside it.
    HDC screen = GetDC(nullptr);
    const int a4Width =
        MulDiv(210, GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, HORZSIZE));
    const int a4Height =
        MulDiv(297, GetDeviceCaps(screen, VERTRES), GetDeviceCaps(screen, VERTSIZE));
    ReleaseDC(nullptr, screen);
    const RECT a4{0, 0, 21000, 29700};  // hundredths of a millimetre
    HDC metafile = CreateEnhMetaFileW(nullptr, nullptr, &a4, nullptr);
    theWindow().solutionWindow()->drawPrintPage(metafile, a4Width, a4Height);
    HENHMETAFILE printed = CloseEnhMetaFile(metafile);
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(printed, sizeof header, &header);
    DeleteEnhMetaFile(printed);
    INFO("bounds " << header.rclBounds.left << " " << header.rclBounds.top << " "
                   << header.rclBounds.right << " " << header.rclBounds.bottom << " in " << a4Width
                   << " x " << a4Height);
    CHECK(header.rclBounds.left >= 0);
    CHECK(header.rclBounds.top >= 0);
    CHECK(header.rclBounds.right < a4Width);
    CHECK(header.rclBounds.bottom < a4Height);
    CHECK(header.rclBounds.right > a4Width / 2);  // the picture and the lines, not nothing

    // Escape closes it; it stays closed through a calculation until F2.
    SendMessageW(solutionText, WM_KEYDOWN, VK_ESCAPE, 0);
    CHECK_FALSE(IsWindowVisible(solution));
    click({Kind::Command1, 0});
    CHECK_FALSE(IsWindowVisible(solution));
    CHECK(press(control({Kind::Text2, 16}), VK_F2));
    CHECK(IsWindowVisible(solution));
    CHECK(GetFocus() == theWindow().solutionWindow()->taskField());
    SetFocus(solutionText);
    CHECK(marked());
    // Closed again, the report area's menu brings it back: its last item,
    // chosen from the keyboard while the menu is up.
    SendMessageW(solutionText, WM_KEYDOWN, VK_ESCAPE, 0);
    SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        for (const WPARAM key : {VK_UP, VK_RETURN})
            PostMessageW(control({Kind::Text1, 0}), WM_KEYDOWN, key, 0);
    });
    SendMessageW(control({Kind::Text1, 0}), WM_CONTEXTMENU,
                 reinterpret_cast<WPARAM>(control({Kind::Text1, 0})), MAKELPARAM(20, 320));
    CHECK(IsWindowVisible(solution));
    SetFocus(solutionText);
    // Lower than its page, it scrolls to the caret's line; the first brings
    // the sketch back.
    RECT tall;
    GetWindowRect(solution, &tall);
    SetWindowPos(solution, nullptr, 0, 0, tall.right - tall.left, 420,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const int end = GetWindowTextLengthW(solutionText);
    for (const auto& [at, key, scrolled] : {std::tuple{end, VK_END, true}, {0, VK_HOME, false}}) {
        SendMessageW(solutionText, EM_SETSEL, at, at);
        SendMessageW(solutionText, WM_KEYDOWN, key, 0);
        CHECK((GetScrollPos(solution, SB_VERT) > 0) == scrolled);
    }
    SetWindowPos(solution, nullptr, 0, 0, tall.right - tall.left, tall.bottom - tall.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Made again for the monitor's DPI: at 150 % its text box's font is 24 pixels high.
    for (const int dpi : {144, 96}) {
        RECT frame;
        GetWindowRect(solution, &frame);
        SendMessageW(solution, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&frame));
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(solutionText, WM_GETFONT, 0, 0)),
                   sizeof font, &font);
        CHECK(font.lfHeight == -16 * dpi / 96);
    }
    SetForegroundWindow(theWindow().handle());
    SetFocus(control({Kind::Text2, 16}));

    click({Kind::Option1, 3});
    for (const ControlRef ref : {ControlRef{Kind::Text2, 19}, ControlRef{Kind::Text1, 0}}) {
        CHECK(tipOf(control(ref)).empty());
        CHECK(theWindow().accessibleDescription(ref).empty());
    }
    CHECK(IsWindowVisible(solution));  // emptied, but asked for: its task field stays
    click({Kind::Option1, 0});

    // Under Wine a button's MSAA default action is not implemented; on
    // Windows it sends BM_CLICK, as the mouse's press and release do.
    const struct {
        const char* name;
        ControlRef at;
        WPARAM key;  // 0: BM_CLICK
        int chosen;  // the option chosen and focused after; -1 for a button
    } rows[] = {
        {"Option1(4) clicked", {Kind::Option1, 4}, 0, 4},
        {"Space on Option1(5)", {Kind::Option1, 5}, VK_SPACE, 5},
        {"Down on Option1(5)", {Kind::Option1, 5}, VK_DOWN, 6},
        {"Command1(1) clicked", {Kind::Command1, 1}, 0, -1},
        {"Space on Command1(1)", {Kind::Command1, 1}, VK_SPACE, -1},
        {"Enter on Command1(1)", {Kind::Command1, 1}, VK_RETURN, -1},
    };
    HWND box = control({Kind::Text2, 0});
    boxProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&countWrites)));
    for (const auto& row : rows) {
        INFO(row.name);
        HWND at = control(row.at);
        SetFocus(at);
        writes = 0;
        if (!row.key) SendMessageW(at, BM_CLICK, 0, 0);
        if (row.key && !press(at, row.key)) {  // as the message loop goes on to the control
            SendMessageW(at, WM_KEYDOWN, row.key, 0);
            SendMessageW(at, WM_KEYUP, row.key, 0);
        }
        pump();
        CHECK(writes == 1);
        if (row.chosen < 0) continue;
        CHECK(GetFocus() == control({Kind::Option1, row.chosen}));
        for (int k = 0; k < 9; ++k)  // the one chosen checked, every other not
            CHECK(SendMessageW(control({Kind::Option1, k}), BM_GETCHECK, 0, 0) ==
                  (k == row.chosen ? BST_CHECKED : BST_UNCHECKED));
    }
    SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(boxProcedure));
    CHECK_FALSE(press(box, VK_DOWN));  // a box keeps its arrows

    // A locked box takes text from the program only.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    click({Kind::Option1, 0});
    VARIANT self{};
    self.vt = VT_I4;  // lVal CHILDID_SELF: the box itself
    BSTR five = SysAllocString(L"5");
    for (const int i : {5, 0}) {  // locked, then open
        INFO("Text2(" << i << ")");
        HWND box = control({Kind::Text2, i});
        IAccessible* a = nullptr;
        REQUIRE(AccessibleObjectFromWindow(box, OBJID_CLIENT, IID_IAccessible,
                                           reinterpret_cast<void**>(&a)) == S_OK);
        CHECK(a->put_accValue(self, five) == S_OK);  // a reader or voice control writes
        a->Release();
        SetWindowTextW(box, L"6");  // another program
        SendMessageW(box, EM_SETSEL, 0, -1);
        SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"7"));  // pasted
        const std::wstring expected = i == 0 ? L"7" : L"";
        CHECK(textOf(box) == expected);
        CHECK(wide(theWindow().box(i).model().text()) == expected);
    }
    SysFreeString(five);
    click({Kind::Command1, 1});
}

TEST_CASE("a task in units, its answer rounded where the solution's window says") {
    click({Kind::Option1, 0});
    SetWindowTextW(control({Kind::Text2, 0}), L"3 dm");
    SetWindowTextW(control({Kind::Text2, 1}), L"0,2 m");
    click({Kind::Command1, 0});
    CHECK(textOf(control({Kind::Text2, 1})) == L"2");
    const SolutionWindow* window = theWindow().solutionWindow();
    REQUIRE(window);
    HWND choice = window->roundingChoice();
    for (int i = 0; i < 2; ++i) SendMessageW(choice, WM_KEYDOWN, VK_DOWN, 0);
    CHECK(SendMessageW(choice, CB_GETCURSEL, 0, 0) == 2);  // to 0.01
    const std::wstring text = textOf(FindWindowExW(window->handle(), nullptr, L"EDIT", nullptr));
    CHECK(text.find(L"Отговор: R = 3 dm, H = 2 dm, So = 12π ≈ 37.70 dm², Sp = 30π ≈ 94.25 dm², "
                    L"V = 18π ≈ 56.55 dm³, r = 1 dm, s = 4π ≈ 12.57 dm², ρ = √10 ≈ 3.16 dm, "
                    L"S = 40π ≈ 125.66 dm².") != std::wstring::npos);
    click({Kind::Option1, 0});
}

TEST_CASE("a task pasted into the solution's field fills its row as typing it by hand does") {
    theWindow().showSolution();
    HWND field = theWindow().solutionWindow()->taskField();
    CHECK(GetFocus() == field);
    const std::wstring pasted =
        L"Диаметърът на основата на прав кръгов цилиндър е 10 cm, а височината му е с 15 cm "
        L"по-голяма от диаметъра. Намерете лицето на повърхнината на цилиндъра.";
    SetWindowTextW(field, pasted.c_str());
    SendMessageW(field, WM_KEYDOWN, VK_RETURN, 0);
    CHECK(GetFocus() == field);
    CHECK(textOf(field) == pasted);  // Enter solved, no new line
    const std::wstring text = textOf(FindWindowExW(theWindow().solutionWindow()->handle(), nullptr,
                                                   L"EDIT", nullptr));
    CHECK(text.starts_with(L"Дадено: d = 10 cm, h = d + 15 cm."));
    CHECK(text.find(L"Отговор: S₁ = 300π ≈ 942.48 cm².") != std::wstring::npos);
    std::vector<std::wstring> task;
    for (int i = 0; i < 5; ++i) task.push_back(textOf(control({Kind::Text2, i})));
    CHECK(task[0] == L"5");
    CHECK(task[1] == L"25");
    click({Kind::Option1, 0});
    SetWindowTextW(control({Kind::Text2, 0}), L"5 cm");
    SetWindowTextW(control({Kind::Text2, 1}), L"25 cm");
    click({Kind::Command1, 0});
    for (int i = 0; i < 5; ++i) CHECK(textOf(control({Kind::Text2, i})) == task[i]);
    click({Kind::Option1, 0});
}
