// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>

#include "calc/solution.h"
#include "widgets.h"
#include "window/solutionview.h"

// The solution's own window, "Решение", owned by the main window (it
// minimises, comes back and closes with it), over the toolkit-free
// window::SolutionView, which decides when it shows, where it goes, its
// keys and menu, its scrolling, the line marked and the printed sheet.
// Implements: the frame and its vertical scroll bar; painting the view's
// drawing with GDI at the window's DPI, on the screen and the printer; the
// fonts (with a stand-in face for signs Times New Roman lacks) and their
// measures; above the page the task field "Задача" with its button "Реши"
// (Enter solves, Shift+Enter starts a new line); under the page the choice
// of the answer's place and a
// read-only text box of the plain text, a few lines high, which holds the
// keyboard focus, so the arrows and a screen reader go through it line by
// line (Tab goes between the two); the clipboard; the common print dialog;
// the owner's picture in grey on the sheet.
// Does not: keep settings, follow a high-contrast theme, print more than
// one page.
// Example: after "Вариант 3" with H = 3, Sp = 94.2477796076937 its text box
// starts "Дадено: H = 3, Sp = 94.2477796076937."
class SolutionWindow : private window::SolutionServices {
public:
    static constexpr wchar_t ClassName[] = L"CylinderSolution";
    // A formula's fonts by FormulaLayout::fontIndex, then the same sizes in
    // a face for the signs the window's lacks.
    using Fonts = std::array<HFONT, 2 * window::FormulaLayout::FontCount>;

    // Made hidden, owned by `owner`; numbers written with `separator`;
    // `chooseRounding` hears the place chosen, `solveTask` the task typed.
    // Throws std::runtime_error when Windows refuses.
    SolutionWindow(HWND owner, char16_t separator,
                   std::function<void(calc::Rounding)> chooseRounding,
                   std::function<void(std::u16string_view)> solveTask);
    ~SolutionWindow() override;
    SolutionWindow(const SolutionWindow&) = delete;
    SolutionWindow& operator=(const SolutionWindow&) = delete;

    HWND handle() const { return hwnd_; }
    // The choice of the place the answer is rounded to, a drop-down list.
    HWND roundingChoice() const { return choice_; }
    // The task field, a text box of several lines.
    HWND taskField() const { return task_; }

    void setSolution(const calc::Solution& solution) { view_.setSolution(solution); }
    void reopen() { view_.reopen(); }
    // The owner's picture in grey and the solution under it, black on
    // white, on a page `width` × `height` device pixels of `dc`, made
    // smaller where they would not fit. Example: into an enhanced
    // metafile with an A4 frame, everything drawn lies inside it.
    void drawPrintPage(HDC dc, int width, int height) const;

private:
    friend LRESULT CALLBACK windowProcedure<SolutionWindow>(HWND, UINT, WPARAM, LPARAM);
    // The children's keys, as the view says, and the text box's menu.
    static LRESULT CALLBACK childProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    // The children that take the keyboard, as window::SolutionPart counts them.
    std::array<HWND, window::SolutionPartCount> parts() const {
        return {task_, solve_, choice_, box_};
    }
    void showMenu(POINT at);
    void applyDpi(int dpi);
    // The children and the page's view fitted to the client area.
    void arrange();
    // The line the text box's caret is on, to the view.
    void followCaret();
    // What the view places the children by, at the window's DPI.
    window::ControlMeasures measures() const;

    std::unique_ptr<window::FormulaLayout::Metrics> metrics() const override;
    double dpi() const override { return dpi_; }
    window::SolutionRoom room() const override;
    void move(window::ScreenRect frame) override;
    void show(bool activate) override;
    void hide() override;
    bool shown() const override;
    void setText(std::u16string_view text, int rounding) override;
    void setScroll(const window::SolutionScroll& scroll) override;
    void invalidate() override;
    void copy(std::u16string_view text) override;
    void print() override;
    // Remembered too: an activation that comes after it (Wine's, from the X
    // server) gives the keyboard back to this part, not the one before.
    void focus(window::SolutionPart part) override {
        SetFocus(focused_ = parts()[static_cast<std::size_t>(part)]);
    }
    std::u16string taskText() const override;

    HWND owner_;
    HWND hwnd_ = nullptr;
    HWND box_ = nullptr;
    HWND label_ = nullptr;
    HWND choice_ = nullptr;
    HWND taskLabel_ = nullptr;
    HWND task_ = nullptr;
    HWND solve_ = nullptr;
    std::array<WNDPROC, window::SolutionPartCount> defaults_{};  // the parts' own procedures
    bool tookKey_ = false;    // the last key pressed was the window's: its character is not
    HWND focused_ = nullptr;  // the child that had the keyboard when the window lost it
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    window::ScreenRect page_{};  // the page's view between the children
    Fonts fonts_{};
    HFONT boxFont_ = nullptr;
    window::SolutionView view_;
};
