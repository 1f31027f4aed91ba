// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "calc/sketch.h"
#include "calc/solution.h"
#include "design.h"
#include "solutionlayout.h"

namespace window {

// A solution laid out as the desktop's window and its printed sheet show
// it: the sketch at the top in `unit` device pixels per CSS pixel, the
// lines under it, Gap CSS pixels apart. Origin at the top left corner; the
// margins are the window's own.
// Example: after R = 1, H = 3 at 96 dpi the lines start at 176, the
// sketch being 168 high.
struct SolutionPage {
    static constexpr double CssPixels = 96;  // the sketch's unit, a CSS pixel, per inch
    static constexpr int TextWidth = 560;    // the lines' width in CSS pixels
    static constexpr int MinWidth =
        360;                           // the window beside, in CSS pixels, before it goes elsewhere
    static constexpr int Margin = 12;  // around the page on the screen
    static constexpr int Gap = 8;      // between the windows, and sketch to lines
    static constexpr double ScriptSize = 0.7;  // an exponent's or a subscript's size
    // A formula's font size in `style`, in points, the window's face.
    // Example: points({.script = true}) is 12 × 0.7.
    static constexpr double points(FormulaLayout::Style style) {
        return style.script ? FontPoints * ScriptSize : FontPoints;
    }

    std::optional<calc::Sketch> sketch;
    SolutionLayout lines;
    double unit = 1;
    int rule = 1;  // a radical's stroke
    int linesTop = 0;

    // The sketch's or the lines' width, whichever is wider; down to the lines' bottom.
    int width() const;
    int height() const;
};

// `solution` laid out with `metrics` (fonts at `dpi`) for lines `width`
// pixels wide, numbers written with `separator`.
// Example: at 192 dpi the sketch is drawn with unit 2.
SolutionPage layOutPage(const calc::Solution& solution, const FormulaLayout::Metrics& metrics,
                        double dpi, int width, char16_t separator);

// The page on a printed sheet `areaWidth` × `areaHeight` under a picture
// ending at `pictureBottom`, all in printer pixels: drawn at `scale`
// (at most 1), so that picture and page fit the sheet's height, and laid
// out again to the sheet's width at that scale.
// Example: a page twice as high as the room left is drawn at about half
// its size, its lines then twice as wide in its own pixels.
struct PrintedPage {
    SolutionPage page;
    double scale = 1;
};
PrintedPage fitToSheet(const calc::Solution& solution, const FormulaLayout::Metrics& metrics,
                       double dpi, double areaWidth, double areaHeight, double pictureBottom,
                       char16_t separator);

}  // namespace window
