// SPDX-License-Identifier: GPL-3.0-or-later
#include "keyboard.h"

#include <algorithm>
#include <cstddef>

namespace window {

namespace {

constexpr int OptionCount = 9;

bool inChain(ControlRef ref, int chosen) {
    return tabStop(ref) && (ref.kind != Kind::Option1 || ref.index == chosen);
}

int tabPlace(ControlRef ref) {
    return static_cast<int>(std::find(TabOrder.begin(), TabOrder.end(), ref) - TabOrder.begin());
}

// The first chain member from `place` on, `step` (+1 or -1) at a time,
// wrapping round the tab order.
ControlRef nextStop(int place, int step, int chosen) {
    for (int i = 1; i <= ControlCount; ++i) {
        const ControlRef ref = TabOrder[static_cast<std::size_t>(
            (place + step * i + 2 * ControlCount) % ControlCount)];
        if (inChain(ref, chosen)) return ref;
    }
    return TabOrder.front();  // not reached: the chain is never empty
}

KeyAction tab(std::optional<ControlRef> focused, int step, int chosen) {
    // From none, as from just outside either end of the tab order.
    const int place = focused ? tabPlace(*focused) : (step > 0 ? -1 : ControlCount);
    const ControlRef next = nextStop(place, step, chosen);
    return {.focus = next, .selectAll = next.kind == Kind::Text2};
}

}  // namespace

bool takesFocus(ControlRef ref) {
    return ref.kind != Kind::Label1;
}

bool tabStop(ControlRef ref) {
    return takesFocus(ref) && controlDesign(ref).tabStop;
}

std::vector<ControlRef> focusChain(int chosen) {
    std::vector<ControlRef> chain;
    for (const ControlRef ref : TabOrder)
        if (inChain(ref, chosen)) chain.push_back(ref);
    return chain;
}

KeyAction keyAction(Key key, std::optional<ControlRef> focused, int chosen) {
    switch (key) {
        case Key::Tab:
            return tab(focused, 1, chosen);
        case Key::ShiftTab:
            return tab(focused, -1, chosen);
        default:
            break;
    }
    if (!focused) return {};
    const auto [kind, index] = *focused;
    switch (key) {
        case Key::Up:
        case Key::Left:
        case Key::Down:
        case Key::Right: {
            if (kind != Kind::Option1) return {};
            const int step = key == Key::Up || key == Key::Left ? -1 : 1;
            const int next = (index + step + OptionCount) % OptionCount;
            return {.focus = ControlRef{Kind::Option1, next}, .option = next};
        }
        case Key::Enter:
            if (kind == Kind::Text2) return {.command = 0};
            if (kind == Kind::Command1) return {.command = index};
            return {};
        case Key::SelectAll:
            if (kind == Kind::Text2 || kind == Kind::Text1) return {.selectAll = true};
            return {};
        default:
            return {};
    }
}

}  // namespace window
