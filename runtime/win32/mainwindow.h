// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "accessibility.h"
#include "numberbox.h"
#include "widgets.h"
#include "window/controls.h"
#include "window/form.h"

// The program's one window on Win32: the controls built from the design
// table, clicks and the keys the window model decides delivered to the form,
// the form's writes applied to the controls. One window procedure; each
// message in a small function.
//
// Implements: the design's colours (the two buttons drawn by the program),
// per-monitor DPI, the user's decimal separator, errors in a message box,
// the grid boxes as NumberBox objects, the solution in tooltips, and for a
// screen reader the controls' names and the solution as descriptions
// through the system's annotations, loaded only once a reader asks.
// Does not: resize, follow a high-contrast theme, provide UI Automation of
// its own, open any other window than the error's, or keep anything.
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
    // Example: Tab in Text2(1) with Option1(0) chosen focuses Text2(5),
    // its text selected.
    bool handleKey(const MSG& msg);

    // The description a screen reader gets for a grid box or a text area:
    // the last calculation's step of a box, the whole solution for Text1(0).
    // Handed to the system when a reader first asks, and on every change after.
    std::u16string accessibleDescription(window::ControlRef ref) const;

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void onCreate();
    void onCommand(HWND control, int code);
    LRESULT onControlColour(HDC dc, HWND control);
    void onDrawItem(const DRAWITEMSTRUCT& item);
    void onDpiChanged(int dpi, const RECT& suggested);
    void onSetFocus();
    void onActivate(bool active);

    void applyDpi(int dpi);
    void fitFrame();
    void checkOption(int k);
    void clickOption(int k);
    HBRUSH brushFor(window::Rgb colour);

    // window::ControlServices
    std::u16string boxText(int box) const override;
    void setBoxText(int box, std::u16string_view text) override;
    void setBoxLocked(int box, bool locked) override;
    void selectOption(int k) override;
    void setReportText(std::u16string_view text) override;
    void reportError(const platform::CalculationError& error) override;
    void setSolution(const calc::Solution& solution) override;
    void describeControls();

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    Widgets widgets_;
    char16_t separator_;  // the user's decimal separator: numbers are written with it
    window::Form form_;
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    HFONT normalFont_ = nullptr;
    HFONT boldFont_ = nullptr;
    std::array<std::pair<COLORREF, HBRUSH>, 8> brushes_{};  // one per design colour
    HWND lastFocus_ = nullptr;
    std::array<NumberBox, window::BoxCount> boxes_;
    std::u16string solution_;  // the last calculation's, in Text1(0)'s tooltip
    Annotations annotations_;
    bool annotated_ = false;
};

// Creates the window, shows it and runs the message loop until it closes;
// returns the exit code.
int runMainWindow(HINSTANCE instance, int show);
