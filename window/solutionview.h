// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "calc/solution.h"
#include "calc/texts.h"
#include "drawing.h"
#include "placement.h"
#include "solutionpage.h"

namespace window {

// A key as the solution's window hears it: an upper-case letter, Tab,
// Enter, Escape or Insert (Windows' key codes), with Ctrl or Shift held or
// not; key 0 is none.
struct SolutionKey {
    static constexpr char16_t Tab = 0x09, Enter = 0x0D, Escape = 0x1B, Insert = 0x2D;
    char16_t key = 0;
    bool control = false;
    bool shift = false;
    friend bool operator==(const SolutionKey&, const SolutionKey&) = default;
};

// The parts of the window that take the keyboard, in Tab's order: the task
// field, its button "Реши", the choice of the answer's place, the solution
// (its text box, or the page itself).
enum class SolutionPart { Task, Solve, Rounding, Text };
inline constexpr int SolutionPartCount = 4;

// What the window does from its keys and its context menu, in the menu's order.
enum class SolutionCommand { Copy, Print, Close };
struct SolutionCommandDesign {
    SolutionCommand command;
    calc::Text text;                  // the menu's
    std::u16string_view keyName;      // shown beside it in the menu
    std::array<SolutionKey, 2> keys;  // the named one first
};
inline constexpr SolutionCommandDesign SolutionCommands[] = {
    {.command = SolutionCommand::Copy,
     .text = calc::Text::CopySolution,
     .keyName = u"Ctrl+C",
     .keys = {{{u'C', true}, {SolutionKey::Insert, true}}}},
    {.command = SolutionCommand::Print,
     .text = calc::Text::PrintSolution,
     .keyName = u"Ctrl+P",
     .keys = {{{u'P', true}}}},
    {.command = SolutionCommand::Close,
     .text = calc::Text::CloseSolution,
     .keyName = u"Esc",
     .keys = {{{SolutionKey::Escape, false}}}},
};

// The choice of the place the answer is rounded to, in calc::Rounding's
// order, each place's sample written with `separator`.
// Example: roundingChoice(calc::Rounding::Hundredths, u'.') is u"до стотните (0.01)".
std::u16string roundingChoice(calc::Rounding place, char16_t separator);
inline constexpr calc::Rounding RoundingPlaces[] = {calc::Rounding::None, calc::Rounding::Tenths,
                                                    calc::Rounding::Hundredths,
                                                    calc::Rounding::Thousandths};

// Where the window may go and what its toolkit puts around the page, in
// device pixels: the owner's frame and the work area on its screen; the
// window's frame (its border and caption), the vertical scroll bar's width
// (shown always, or only where the page is taller than the view), and the
// controls above or below the page. With `barAlways` the vertical bar is
// always there, disabled while not needed, and no horizontal one (as on
// Windows); else each shows where the page needs it (as in Qt).
struct SolutionRoom {
    ScreenRect owner, screen;
    int frameWidth = 0, frameHeight = 0;
    int bar = 0;
    bool barAlways = false;
    int controls = 0;
};

// What a toolkit that places its own controls (Windows) measures of them,
// in device pixels: a line of the text boxes' font, a sunken edge, a
// horizontal scroll bar's height, a closed drop-down list's height, and the
// texts of the labels before the rounding choice and the task field.
struct ControlMeasures {
    struct Extent {
        int width = 0, height = 0;
    };
    int line = 0, edge = 0, bar = 0, row = 0;
    Extent roundingLabel, taskLabel;
};

// Where the window's controls go in its client area, and the page's view
// between them: the task's row on top (its label, the field three lines
// high, "Реши" at the right), under the page the rounding choice's row
// and the text box, three lines high with its horizontal bar.
struct ControlPlaces {
    ScreenRect taskLabel, task, solve, roundingLabel, rounding, box, page;
    int around = 0;  // the rows above and below the page together
};

// How far the page is scrolled and how far it can be, with the page's size
// and its margins and the view's once the bars take their room; a range of
// 0: no bar is needed.
struct SolutionScroll {
    int x = 0, y = 0;
    int xRange = 0, yRange = 0;
    int width = 0, height = 0;
    int viewWidth = 0, viewHeight = 0;
};

// What the solution's window asks of its toolkit; each runtime implements
// it once over its own window.
class SolutionServices {
public:
    virtual ~SolutionServices() = default;
    // The formulas' fonts measured at the window's resolution, dpi().
    virtual std::unique_ptr<FormulaLayout::Metrics> metrics() const = 0;
    virtual double dpi() const = 0;
    virtual SolutionRoom room() const = 0;
    // The window's frame to `frame`, on the screen.
    virtual void move(ScreenRect frame) = 0;
    // Shown without taking the focus, or (`activate`) raised with it.
    virtual void show(bool activate) = 0;
    virtual void hide() = 0;
    virtual bool shown() const = 0;
    // The solution's plain text, for its text box or a screen reader, and
    // the place chosen, as roundingChoices() counts.
    virtual void setText(std::u16string_view text, int rounding) = 0;
    // The bars to `scroll`.
    virtual void setScroll(const SolutionScroll& scroll) = 0;
    // The page, its scroll or its band changed: paint it again.
    virtual void invalidate() = 0;
    virtual void copy(std::u16string_view text) = 0;
    // The system's print dialog, then printed() on the printer chosen.
    virtual void print() = 0;
    // `part` takes the keyboard.
    virtual void focus(SolutionPart part) = 0;
    // The text typed into the task field.
    virtual std::u16string taskText() const = 0;
};

// The solution in a window of its own beside the main one, decided once
// for every desktop: it opens itself with the first solution, beside its
// owner where the screen has room (narrowed there, its lines laid out again
// to the room), without taking the focus, and follows every later one; an
// empty solution hides it, unless the pupil asked for it (its task field
// stays open for typing); closed by the pupil it stays closed until
// reopen(). Its keys and menu run its commands; it scrolls, keeps the line
// the keyboard is on in view and marks it; it lays out the printed sheet.
// Example: after "Вариант 3" with H = 3, Sp = 94.2477796076937 the text
// starts "Дадено: H = 3, Sp = 94.2477796076937.".
class SolutionView {
public:
    // Hidden; numbers written with `separator`; `chooseRounding` hears the
    // place the pupil chooses, `solveTask` the task typed when it is solved.
    SolutionView(SolutionServices& services, char16_t separator,
                 std::function<void(calc::Rounding)> chooseRounding,
                 std::function<void(std::u16string_view)> solveTask = {});

    // Shows `solution` as described above.
    void setSolution(const calc::Solution& solution);
    // The pupil asks for it: shown and active, where it last stood, the
    // keyboard in its task field; also before any solution.
    void reopen();
    // The pupil closed it (its frame's button, Escape): hidden until reopen().
    void close();

    // What `key` does with the keyboard in `part`, done; false when the key
    // is the part's own. Enter without Shift in the task field or on its
    // button solves the task (Shift+Enter is the field's new line); Tab and
    // Shift+Tab go round the parts; a command's key runs it, but in the task
    // field only Escape does (its Ctrl+C copies what is typed there).
    // Example: onKey({u'C', true}) copies the plain text, each line ended.
    bool onKey(SolutionKey key, SolutionPart part = SolutionPart::Text);
    // The task typed solved, as Enter or the button "Реши" asks.
    void solveTask();
    void run(SolutionCommand command);
    // The pupil chose the place at `index` of roundingChoices().
    void chooseRounding(int index);
    std::array<std::u16string, 4> roundingChoices() const;

    // The page's view is `width` × `height` device pixels with no bar shown.
    void resize(int width, int height);
    // The page scrolled to (x, y), kept inside its range.
    void scrollTo(int x, int y);
    const SolutionScroll& scroll() const { return scroll_; }
    // A scroll bar's line step, and a wheel's notch.
    int lineStep() const { return pixels(20); }
    int wheelStep() const { return pixels(60); }
    // The controls of `measures` placed in a client area `width` × `height`.
    // Example: at 96 dpi, line 16, edge 2, bar 17, row 21, labels 50 × 16
    // and 45 × 16, 400 × 500 gives the page {0, 72, 400, 326}.
    ControlPlaces placeControls(int width, int height, const ControlMeasures& measures) const;
    // The solution's line `line` (-1: none) is where the keyboard is: it
    // is marked and scrolled into view, the first with the sketch above it.
    void setCurrentLine(int line);
    // The rows of `line` on the page, as wide as the page with its margin,
    // from its highest box's top to its lowest box's bottom, 2 pixels more
    // above and below; none for no line.
    std::optional<FormulaLayout::Bar> lineBand(int line) const;
    // The window's resolution changed from `oldDpi`: laid out again, its
    // lines as wide in inches.
    void resolutionChanged(double oldDpi);

    // What the view paints, from the page's origin; and where that origin
    // stands in the view.
    const Drawing& drawing() const { return drawing_; }
    FormulaLayout::Point origin() const;
    const SolutionPage& page() const { return page_; }
    // The plain text, its lines joined by CR LF, no line end after the last.
    const std::u16string& text() const { return text_; }

    // The solution on a printed sheet `areaWidth` × `areaHeight` printer
    // pixels at `dpi`, under the owner's picture `pictureHeight` high:
    // both made smaller by `scale` where they would not fit; the page
    // starts `pictureBottom` down, in unscaled pixels.
    struct Sheet {
        SolutionPage page;
        double scale = 1;
        double pictureBottom = 0;
    };
    Sheet printed(const FormulaLayout::Metrics& metrics, double dpi, double areaWidth,
                  double areaHeight, double pictureHeight) const;

private:
    int pixels(double cssPixels) const;
    void layOut();
    void refit();
    void place();

    SolutionServices& services_;
    char16_t separator_;
    std::function<void(calc::Rounding)> chooseRounding_;
    std::function<void(std::u16string_view)> solveTask_;
    calc::Solution solution_;
    std::u16string text_;
    SolutionPage page_;
    Drawing drawing_;
    SolutionScroll scroll_;
    int viewWidth_ = 0, viewHeight_ = 0;
    int textWidth_ = -1;  // the lines', in pixels: narrower where the room beside is
    int line_ = -1;
    bool wanted_ = true;  // false once the pupil closed it
    bool asked_ = false;  // the pupil opened it: it stays while empty
    bool placed_ = false;
};

}  // namespace window
