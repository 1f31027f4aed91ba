// SPDX-License-Identifier: GPL-3.0-or-later
// Where the solution window opens beside the main one, worked out by hand.
#include "expect.h"
#include "window/placement.h"

using window::ScreenRect;

TEST_CASE("besideOwner: right, left, below, above, else where it covers least") {
    const struct {
        const char* name;
        ScreenRect owner;
        int width, height;
        ScreenRect screen, placed;
    } rows[] = {
        {"room on the right",
         {100, 100, 500, 400},
         600,
         500,
         {0, 0, 1920, 1080},
         {608, 100, 600, 500}},
        {"owner at the right edge: left",
         {1300, 100, 500, 400},
         600,
         500,
         {0, 0, 1920, 1080},
         {692, 100, 600, 500}},
        {"wide owner: below",
         {100, 100, 1000, 400},
         600,
         500,
         {0, 0, 1280, 1024},
         {100, 508, 600, 500}},
        {"wide owner low down: above",
         {100, 524, 1000, 400},
         600,
         500,
         {0, 0, 1280, 1024},
         {100, 16, 600, 500}},
        {"no room: the right, moved in",
         {200, 100, 600, 500},
         600,
         500,
         {0, 0, 1024, 768},
         {424, 100, 600, 500}},
        {"larger than the screen", {0, 0, 500, 400}, 900, 700, {0, 0, 800, 600}, {0, 0, 900, 700}},
        {"second screen",
         {1950, 50, 500, 400},
         600,
         500,
         {1920, 0, 1920, 1080},
         {2458, 50, 600, 500}},
    };
    for (const auto& row : rows) {
        CAPTURE(row.name);
        CHECK(window::besideOwner(row.owner, row.width, row.height, row.screen, 8) == row.placed);
    }
}
