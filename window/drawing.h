// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calc/sketch.h"
#include "formulalayout.h"

namespace window {

struct SolutionPage;

// What the solution's page draws, in the order it is drawn, for every
// toolkit to paint the same way: the sketch's strokes and letters in CSS
// pixels, `unit` device pixels each; under it, from `linesTop`, the lines'
// text runs, bars and radical signs in device pixels. Origin at the page's
// top left corner, y downwards. Text is measured and set by the toolkit;
// the drawing holds views into the page or sketch it was made from.
// Example: the sketch of R = 1, H = 3 starts with the upper base, an
// ellipse stroked with Pen::Outline.
struct Drawing {
    // How a stroke is drawn: its width and dashes (dash, gap, ...) in CSS
    // pixels, from calc::Sketch.
    enum class Pen { Outline, Hidden, Axis, Radius };
    struct PenDesign {
        double width;
        std::span<const double> dashes;  // empty: solid
    };
    static PenDesign design(Pen pen);

    // Ellipse, Circle and the halves: centre (x1, y1), radii (x2, y2), the
    // front half the lower one; Line: (x1, y1) to (x2, y2); Rect: top left
    // corner (x1, y1), size (x2, y2); Sides: a rectangle's left and right
    // edges alone (a cylinder's sides), as Rect.
    enum class Shape { Ellipse, Circle, FrontHalf, BackHalf, Line, Rect, Sides };
    struct Stroke {
        Shape shape;
        Pen pen;
        double x1, y1, x2, y2;
    };
    // A letter of the sketch, italic, at its baseline's anchor point; a
    // note ("не в мащаб") is set smaller.
    enum class Face { Label, Note };
    struct Label {
        double x, y;
        calc::Sketch::Anchor anchor;
        Face face;
        std::u16string_view text;
    };
    static double pixels(Face face);

    double width = 0, height = 0;  // the sketch's, in CSS pixels
    std::u16string_view title;     // what the sketch shows, for a screen reader
    std::vector<Stroke> strokes;
    std::vector<Label> labels;
    double unit = 1;

    int linesTop = 0;
    std::vector<FormulaLayout::Run> runs;
    std::vector<FormulaLayout::Bar> bars;
    std::vector<FormulaLayout::Radical> radicals;  // stroked `rule` thick
    int rule = 1;
    // Behind the line the keyboard is on, in device pixels from the page's
    // origin, painted first in BandColour (0xRRGGBB); none while no line is.
    std::optional<FormulaLayout::Bar> band;
    static constexpr unsigned BandColour = 0xFFF0AA;
};

// `sketch` alone, at unit 1. Example: its last strokes are the section's
// rectangle, circle, axis and the radius r.
Drawing drawingOf(const calc::Sketch& sketch);
// `page` whole: its sketch, if any, at the page's unit, then its lines.
Drawing drawingOf(const SolutionPage& page);

// `text` with each mathematical italic letter (U+1D434 to U+1D467) as the
// plain Latin letter, for a painter whose faces lack them and that falls
// back to no other face (GDI): the italic face then sets it so.
// Example: plainLetters(u"𝑅 = 2") is u"R = 2".
std::u16string plainLetters(std::u16string_view text);

// A sketch's drawing as inline SVG markup (UTF-8), for the page: its
// strokes, its letters (in the formulas' italic, by the page's style), its
// <title> naming what it shows; numbers with two decimals.
// Example: a sketch 246 wide starts
// <svg class="sketch" role="img" aria-labelledby="sketch-title" width="246.00" …
std::string svg(const Drawing& drawing);

}  // namespace window
