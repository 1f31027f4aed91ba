// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "calc/solution.h"
#include "calc/sphere.h"
#include "calc/tasksolver.h"
#include "controls.h"
#include "keyboard.h"
#include "platform/numbertext.h"

namespace window {

// The window's state and its three handlers, written once for every
// runtime. The runtime builds the controls from the design table, then
// delivers the load event and each click here; the form changes only
// texts, locks and the selected option, through `controls`.
//
// A calculation error ends the handler where it happens: what was written
// before it stays, and the error goes to controls.reportError().
// Example: onOptionClick(2), boxes 11 and 13 typed "3" and "94.2477796076937",
// onCommandClick(0) writes "2.65331193145904" into box 10.
class Form : private calc::TextArea {
public:
    // `separator` is the decimal separator numbers are written with;
    // reading takes '.' and ',' alike.
    Form(ControlServices& controls, char16_t separator);

    // Load: LastBoxIndex = 44, Option1(0) selected, boxes 5..44 locked.
    void onLoad();
    // Option1(k), k 0..8: empties and locks the grid, unlocks row k.
    void onOptionClick(int k);
    // Command1(0) calculates the selected row, Command1(1) empties the
    // grid; any other n does nothing.
    void onCommandClick(int n);
    // A key the window decides, pressed with `focused` holding the focus:
    // chooses the option or presses the command it operates, as a click
    // does, and returns the action for the runtime to move the focus.
    // Example: onKey(Key::Down, ControlRef{Kind::Option1, 8}) chooses
    // Option1(0) and returns it to focus.
    KeyAction onKey(Key key, std::optional<ControlRef> focused);

    // A task as a pupil writes it in the notebook ("d = 10 cm; h = d + 15 cm;
    // S₁ = ?"): read and solved; its cylinder typed into its row (taskEntry)
    // and calculated through the handlers above, as a pupil would. The
    // solution starts with the task's own (calc::explainTask) while the row
    // holds what the task put there. A task not understood or without a
    // cylinder shows only its own solution, and the grid stays as it was.
    // Example: onTask(u"r = 6 cm, l = 8 cm, π ≈ 3,14, S = ?") answers 301,44 cm².
    void onTask(std::u16string_view text);

    // The place the solution's answer is rounded to: the solution shown,
    // if any, is written again; later ones keep it. Kept for this run only.
    // Example: onRoundingChoice(calc::Rounding::Hundredths) after the
    // example above answers "Sp = 94.2477796076937 ≈ 94.25".
    void onRoundingChoice(calc::Rounding rounding);
    calc::Rounding rounding() const { return rounding_; }

    std::optional<std::int16_t> selectedVariant() const { return SelectedVariant; }
    std::int16_t lastBoxIndex() const { return LastBoxIndex; }
    // The report area's text as last written, CR LF line ends.
    const std::u16string& reportText() const { return report_; }

private:
    // The report writes through these: the area's text is kept here, so
    // reading it back never depends on how a widget stores line ends.
    std::u16string text() const override { return report_; }
    void setText(std::u16string text) override;
    void calculate();
    void clearGrid();
    // The solution of `c` to the controls, after the task's own if one
    // is shown; an empty one for none.
    void show(std::optional<calc::Calculation> c);
    calc::Solution solution() const;
    int box(int k, int column) const;

    // A given box the program rewrote after a text of π, roots, fractions
    // or brackets: while it still shows `text`, it is read as `reading`
    // again, so the same exact value gives the same solution.
    // Beside a box typed anew it is read as `inUnit`, the number the box
    // shows in the grid's one unit: "2 dm" shown as "20" beside "1,5 cm",
    // then "3" typed for H, is 20 cm, not 2 dm.
    struct Kept {
        int box = -1;
        std::u16string text;
        platform::Reading reading;
        platform::Reading inUnit;
    };

    ControlServices& controls_;
    char16_t separator_;
    std::u16string report_;
    std::array<Kept, 2> kept_;                // the given boxes, in reading order
    std::optional<calc::Calculation> shown_;  // what the solution shown explains
    calc::Rounding rounding_ = calc::Rounding::None;
    // The task shown above the solution, and the given boxes' texts its
    // calculation left: typed again, they drop it.
    std::optional<std::pair<calc::Task, calc::TaskResult>> task_;
    std::array<std::u16string, 2> taskTexts_;

    std::optional<std::int16_t> SelectedVariant;  // empty acts as variant 0
    std::int16_t LastBoxIndex = 0;
};

}  // namespace window
