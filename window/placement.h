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
// `owner` (none where the screen has room). To the right or left it is
// narrowed to the room there, down to `minWidth`. Larger than the screen,
// it starts at the screen's top left corner.
// Example: owner {0, 0, 504, 419} on {0, 0, 1024, 768}, 573 × 595, at
// least 300 wide, gap 8, gives {512, 0, 512, 595}.
ScreenRect besideOwner(ScreenRect owner, int width, int height, int minWidth, ScreenRect screen,
                       int gap);

}  // namespace window
