// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

#include "design.h"

namespace window {

// The keys whose meaning the window decides; each runtime translates its
// own key events into these and leaves every other key to its toolkit.
enum class Key { Tab, ShiftTab, Up, Down, Left, Right, Enter, SelectAll };

// What a key does. All empty: not ours, the toolkit handles the key.
struct KeyAction {
    std::optional<ControlRef> focus{};  // the control that takes the focus
    bool selectAll = false;             // select the whole text of the box focused afterwards
    std::optional<int> option{};        // Option1(k) to choose, as a click on it
    std::optional<int> command{};       // Command1(n) to press, as a click on it
    bool handled() const { return focus || selectAll || option || command; }
};

// Whether `ref` takes the focus at all: every control but the labels (the
// computed boxes by the mouse only).
// Example: takesFocus({Kind::Text2, 2}) is true, takesFocus({Kind::Label1, 0}) false.
bool takesFocus(ControlRef ref);

// Whether `ref` is a stop of Tab for some chosen option: not a label nor a
// computed box. A control that takes the focus but is no stop (a computed
// box) takes it from the mouse only: Qt's ClickFocus, the page's tabindex="-1".
// Example: tabStop({Kind::Text2, 0}) is true, tabStop({Kind::Text2, 2}) false.
bool tabStop(ControlRef ref);

// The controls Tab visits in turn while Option1(chosen) is chosen, chosen
// 0..8: the tab order's stops, of the options the chosen one only. Tab
// after the last goes to the first.
// Example: focusChain(0) starts Text1(0), Text1(1), Option1(0), Text2(0).
std::vector<ControlRef> focusChain(int chosen);

// What `key` does with `focused` holding the focus (none: nothing in the
// window has it) and Option1(chosen) chosen:
// - Tab / ShiftTab: the next / previous control of focusChain(chosen),
//   wrapping; from a control outside the chain (a computed box clicked, an
//   option not chosen) the first / last stop after / before its place in
//   the tab order; from none the first / last. A grid box so focused gets
//   its whole text selected.
// - Up, Left / Down, Right on Option1(k): Option1(k - 1) / Option1(k + 1),
//   wrapping over the nine, focused and chosen.
// - Enter in any grid box presses Command1(0); on Command1(n) presses it.
// - SelectAll (Ctrl+A) in a grid box or a Text1 area selects its whole text.
// Anything else: not ours.
// Example: keyAction(Key::Tab, ControlRef{Kind::Text2, 1}, 0) focuses Text2(5)
// with its text selected.
KeyAction keyAction(Key key, std::optional<ControlRef> focused, int chosen);

}  // namespace window
