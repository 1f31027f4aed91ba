// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "calc/solution.h"
#include "window/solutionpage.h"

// The solution in a window of its own, "Решение", owned by the main window
// (it minimises, comes back and closes with it): the sketch and the lines
// with their formulas in two dimensions, painted with GDI at the window's
// DPI, scrolling where taller than the work area allows; under them a
// read-only text box of the plain text, a few lines high, which holds the
// keyboard focus: the arrows and a screen reader go through it line by line,
// the line it is on marked on the page.
// It opens itself with the first solution, beside the owner and without
// taking the focus, and follows every later one; an empty solution hides
// it; closed by the pupil it stays closed until reopen(). Ctrl+C and its
// context menu copy the plain text, Ctrl+P prints, Escape closes. Above the
// text box the pupil chooses the place the answer is rounded to (Tab goes
// between the two).
// Does not: keep settings, follow a high-contrast theme, print more than
// one page.
// Example: after "Вариант 3" with H = 3, Sp = 94.2477796076937 its text box
// starts "Дадено: H = 3, Sp = 94.2477796076937."
class SolutionWindow {
public:
    static constexpr wchar_t ClassName[] = L"CylinderSolution";
    // A formula's fonts by script * 2 + italic, then the same sizes in a
    // face for the signs the window's lacks.
    using Fonts = std::array<HFONT, 8>;

    // Made hidden, owned by `owner`; `chooseRounding` hears the place chosen.
    // Throws std::runtime_error when Windows refuses.
    SolutionWindow(HWND owner, std::function<void(calc::Rounding)> chooseRounding);
    ~SolutionWindow();
    SolutionWindow(const SolutionWindow&) = delete;
    SolutionWindow& operator=(const SolutionWindow&) = delete;

    HWND handle() const { return hwnd_; }
    // The choice of the place the answer is rounded to, a drop-down list.
    HWND roundingChoice() const { return choice_; }

    // Shows `solution`, numbers written with `separator`; the first time
    // beside the owner, never taking the focus.
    // Example: an empty solution hides the window, the next one shows it
    // again unless the pupil closed it.
    void setSolution(const calc::Solution& solution, char16_t separator);
    // The pupil asks for it: shown and active; not while there is no solution.
    void reopen();
    // The plain text to the clipboard.
    void copy() const;
    // The common print dialog, then one page of the chosen printer.
    void printAsked();
    // The owner's picture in grey and the solution under it, black on
    // white, on a page `width` × `height` device pixels of `dc`, made
    // smaller where they would not fit. Example: into an enhanced
    // metafile with an A4 frame, everything drawn lies inside it.
    void drawPrintPage(HDC dc, int width, int height) const;

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK boxProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK choiceProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    // The window's own keys, from its text box; true when done with.
    bool onKey(WPARAM key);
    void showMenu(POINT at);
    void applyDpi(int dpi);
    void layOut();
    // The text box and the scroll bar fitted to the client area.
    void arrange();
    void scrollTo(int position);
    // The line the text box's caret is on marked on the page and scrolled into view.
    void followCaret();
    void showBeside();
    int boxHeight() const;
    // The row of the rounding choice and the text box under the page.
    int belowPage() const;
    int pixels(double cssPixels) const;

    HWND owner_;
    HWND hwnd_ = nullptr;
    HWND box_ = nullptr;
    WNDPROC boxDefault_ = nullptr;
    HWND label_ = nullptr;
    HWND choice_ = nullptr;
    WNDPROC choiceDefault_ = nullptr;
    std::function<void(calc::Rounding)> chooseRounding_;
    calc::Solution solution_;
    char16_t separator_ = u'.';
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    Fonts fonts_{};
    HFONT boxFont_ = nullptr;
    window::SolutionPage page_;
    int textWidth_ = 0;  // the lines', in pixels: narrower where the room beside is
    int scroll_ = 0;
    int caretLine_ = -1;  // marked on the page; -1 while the text box has not the focus
    bool wanted_ = true;  // false once the pupil closed it
    bool placed_ = false;
};
