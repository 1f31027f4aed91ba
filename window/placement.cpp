// SPDX-License-Identifier: GPL-3.0-or-later
#include "placement.h"

#include <algorithm>

namespace window {

namespace {

// `r` moved the least that puts it inside `screen`, its top left first.
ScreenRect inside(ScreenRect r, ScreenRect screen) {
    r.x = std::max(screen.x, std::min(r.x, screen.x + screen.width - r.width));
    r.y = std::max(screen.y, std::min(r.y, screen.y + screen.height - r.height));
    return r;
}

long long overlap(ScreenRect a, ScreenRect b) {
    const long long w = std::min(a.x + a.width, b.x + b.width) - std::max(a.x, b.x);
    const long long h = std::min(a.y + a.height, b.y + b.height) - std::max(a.y, b.y);
    return w > 0 && h > 0 ? w * h : 0;
}

}  // namespace

ScreenRect besideOwner(ScreenRect owner, int width, int height, int minWidth, ScreenRect screen,
                       int gap) {
    const auto narrowed = [&](int room) { return std::min(width, std::max(minWidth, room)); };
    const int right = narrowed(screen.x + screen.width - (owner.x + owner.width + gap));
    const int left = narrowed(owner.x - gap - screen.x);
    const ScreenRect sides[] = {
        {owner.x + owner.width + gap, owner.y, right, height},
        {owner.x - gap - left, owner.y, left, height},
        {owner.x, owner.y + owner.height + gap, width, height},
        {owner.x, owner.y - gap - height, width, height},
    };
    ScreenRect best = inside(sides[0], screen);
    for (const ScreenRect& side : sides) {
        const ScreenRect r = inside(side, screen);
        if (overlap(r, owner) < overlap(best, owner)) best = r;
    }
    return best;
}

}  // namespace window
