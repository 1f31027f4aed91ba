// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "calc/solution.h"
#include "formulalayout.h"

namespace window {

// A solution laid out as a page for a desktop window or a printed sheet:
// each part of each line placed as a box (words are one upright run), in
// whole pixels of the metrics' font. The origin is the page's top left
// corner, y grows downwards; the page has no margins of its own.
// Example: "Дадено: R = 1, H = 1." at a wide width is one row of five
// boxes, the page as high as the text font.
struct SolutionLayout {
    // One part's box, its origin (left end of its baseline) at (x, y), on
    // the solution's line `line`.
    struct Item {
        FormulaLayout box;
        int x, y;
        int line;
    };

    std::vector<Item> items;
    // The widest row's right end (more than the width asked for only
    // where a part alone is wider) and the last row's bottom.
    int width = 0, height = 0;

    // `f` called with every text run, in page coordinates, as a painter
    // draws them without knowing which formula they belong to.
    // Example: page.forEachRun([&](const FormulaLayout::Run& r) { ... }).
    template <typename F>
    void forEachRun(F&& f) const {
        for (const Item& item : items)
            for (const FormulaLayout::Run& run : item.box.runs)
                f(FormulaLayout::Run{run.text, run.x + item.x, run.y + item.y, run.style});
    }
    // `f` called with every filled bar (fraction bars, radicals' overbars),
    // in page coordinates.
    template <typename F>
    void forEachBar(F&& f) const {
        for (const Item& item : items)
            for (const FormulaLayout::Bar& bar : item.box.bars)
                f(FormulaLayout::Bar{bar.x + item.x, bar.y + item.y, bar.width, bar.height});
    }
    // `f` called with every radical sign, a polyline stroked a rule thick,
    // in page coordinates.
    template <typename F>
    void forEachPolyline(F&& f) const {
        for (const Item& item : items)
            for (FormulaLayout::Radical radical : item.box.radicals) {
                for (FormulaLayout::Point& p : radical) p = {p.x + item.x, p.y + item.y};
                f(radical);
            }
    }
};

// `solution` laid out `width` pixels wide with `metrics`, numbers written
// with `separator`. Parts stand side by side, a space between them where
// calc::spaceBefore says so; a line wider than `width` breaks before a
// part, never before one glued to its neighbour (",", "."), and its
// further rows are indented one and a half em, as a pupil continues a
// long chain. Each row is as high as its tallest box (a fraction makes it
// taller); a quarter em stands between the rows of one line and half an
// em between lines. An empty solution is an empty page.
// Example: with every character 10 wide, ascent 8, descent 2, the lines
// "Дадено: R = 1." and "V = 3" at width 200 are rows with baselines 8 and
// 23; the page is 140 wide and 25 high.
SolutionLayout layOutSolution(const calc::Solution& solution, const FormulaLayout::Metrics& metrics,
                              int width, char16_t separator);

}  // namespace window
