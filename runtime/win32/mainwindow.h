// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "accessibility.h"
#include "numberbox.h"
#include "solutionwindow.h"
#include "widgets.h"
#include "window/controls.h"
#include "window/form.h"
#include "window/solutionnotes.h"

// The program's one window on Win32: the controls built from the design
// table, clicks and the keys the window model decides handed to the form,
// the form's writes applied to the controls. Keeps to itself: the design's
// colours (the two buttons drawn here), per-monitor DPI, the user's decimal
// separator, errors in a message box, the solution in tooltips and, once a
// screen reader asks, in the system's annotations beside the boxes' names;
// the solution's own window (SolutionWindow), which F2 and the report
// area's menu bring back. Does not: resize, follow a high-contrast theme,
// provide UI Automation of its own, or keep anything.
class MainWindow : private window::ControlServices {
public:
    // Registers the class and creates the window, sized for the monitor's
    // DPI, not yet shown. Throws std::runtime_error when Windows refuses.
    explicit MainWindow(HINSTANCE instance);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND handle() const { return hwnd_; }
    const Widgets& widgets() const { return widgets_; }
    const NumberBox& box(int i) const { return boxes_.at(static_cast<std::size_t>(i)); }

    // The keys the window model decides (window::keyAction), before the
    // usual translation; true when `msg` was one of them and is done with.
    // Example: Tab in Text2(1), Option1(0) chosen, focuses Text2(5) with its
    // text selected.
    bool handleKey(const MSG& msg);

    // The description a screen reader gets: a grid box's step, the whole
    // solution for Text1(0); empty for none.
    std::u16string accessibleDescription(window::ControlRef ref) const {
        return std::u16string(notes_.of(ref));
    }
    // The solution's window; null before the first solution.
    const SolutionWindow* solutionWindow() const { return solutionWindow_.get(); }
    // Shows the solution's window, its task field focused, as F2 and the
    // report area's menu do; also before the first solution.
    void showSolution() { openSolutionWindow().reopen(); }

private:
    friend LRESULT CALLBACK windowProcedure<MainWindow>(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK reportProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void onCreate();
    void onCommand(HWND control, int code);
    void onDrawItem(const DRAWITEMSTRUCT& item);
    // New fonts for `dpi`, every control placed for it (made, the first time).
    void applyDpi(int dpi);

    // window::ControlServices
    std::u16string boxText(int box) const override { return boxes_.at(box).model().text(); }
    void setBoxText(int box, std::u16string_view text) override { boxes_.at(box).setText(text); }
    void setBoxLocked(int box, bool locked) override { boxes_.at(box).setLocked(locked); }
    void selectOption(int k) override;
    void setReportText(std::u16string_view text) override {
        SetWindowTextW(widgets_.Text1[0], wide(text).c_str());
    }
    void reportError(const platform::CalculationError& error) override;
    void setSolution(const calc::Solution& solution) override;

    HWND hwnd_ = nullptr;
    Widgets widgets_;
    char16_t separator_;  // the user's decimal separator: numbers are written with it
    window::Form form_;
    std::array<HFONT, 2> fonts_{};  // normal, bold
    HBRUSH background_;
    HWND lastFocus_ = nullptr;
    std::array<NumberBox, window::BoxCount> boxes_;
    window::SolutionNotes notes_;  // of the last calculation
    Annotations annotations_;
    WNDPROC reportDefault_ = nullptr;
    std::unique_ptr<SolutionWindow> solutionWindow_;  // made when first needed
    SolutionWindow& openSolutionWindow();
};
