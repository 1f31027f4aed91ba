// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace window {

// A rectangle on the screen in pixels, frames included.
struct ScreenRect {
    int x, y, width, height;
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// Where a second window `width` × `height` opens beside `owner` on
// `screen`: to its right, else left, below or above, `gap` away, each
// moved inside the screen; the first of these that covers least of
// `owner` (none where the screen has room). Larger than the screen, it
// starts at the screen's top left corner.
// Example: owner {0, 0, 500, 400} on {0, 0, 1920, 1080}, 600 × 500, gap 8
// gives {508, 0, 600, 500}.
ScreenRect besideOwner(ScreenRect owner, int width, int height, ScreenRect screen, int gap);

}  // namespace window
