// SPDX-License-Identifier: GPL-3.0-or-later
// Where the solution window opens beside the main one, worked out by hand.
#include "expect.h"
#include "window/placement.h"

using window::ScreenRect;

TEST_CASE("besideOwner: right, left, below, above, else where it covers least") {
    const struct {
        const char* name;
        ScreenRect owner;
        int width, height, minWidth;
        ScreenRect screen, placed;
    } rows[] = {
        // clang-format off
        {"room on the right", {100, 100, 500, 400}, 600, 500, 600, {0, 0, 1920, 1080},
         {608, 100, 600, 500}},
        {"owner at the right edge: left", {1300, 100, 500, 400}, 600, 500, 600, {0, 0, 1920, 1080},
         {692, 100, 600, 500}},
        {"wide owner: below", {100, 100, 1000, 400}, 600, 500, 600, {0, 0, 1280, 1024},
         {100, 508, 600, 500}},
        {"wide owner low down: above", {100, 524, 1000, 400}, 600, 500, 600, {0, 0, 1280, 1024},
         {100, 16, 600, 500}},
        {"no room: the right, moved in", {200, 100, 600, 500}, 600, 500, 600, {0, 0, 1024, 768},
         {424, 100, 600, 500}},
        {"larger than the screen", {0, 0, 500, 400}, 900, 700, 900, {0, 0, 800, 600},
         {0, 0, 900, 700}},
        {"second screen", {1950, 50, 500, 400}, 600, 500, 600, {1920, 0, 1920, 1080},
         {2458, 50, 600, 500}},
        {"1024 x 768: narrowed on the right", {0, 0, 504, 419}, 573, 595, 300, {0, 0, 1024, 768},
         {512, 0, 512, 595}},
        {"right too narrow: left", {700, 0, 504, 419}, 573, 595, 300, {0, 0, 1280, 768},
         {119, 0, 573, 595}},
        {"both narrowed to the least: below", {250, 0, 504, 419}, 573, 300, 300, {0, 0, 1024, 768},
         {250, 427, 573, 300}},
        // clang-format on
    };
    for (const auto& row : rows) {
        CAPTURE(row.name);
        CHECK(window::besideOwner(row.owner, row.width, row.height, row.minWidth, row.screen, 8) ==
              row.placed);
    }
}
