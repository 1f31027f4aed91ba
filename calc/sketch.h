// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "solution.h"

namespace calc {

// The solution's sketch as a pupil draws it, as geometry for any toolkit:
// the cylinder (two elliptical bases, the hidden halves dashed, the axis)
// with its largest sphere, and beside it the axial section, the rectangle
// 2R × H with the circle of radius r, labelled R, H and r. Units are CSS
// pixels, y downwards; the longer side of the section is 120. To scale
// while H / 2R lies between 1/6 and 6; beyond, drawn at that limit and
// marked "не в мащаб".
struct Sketch {
    struct Ellipse {
        double cx, cy, rx, ry;
    };
    struct Circle {
        double cx, cy, r;
    };
    struct Rect {
        double x, y, width, height;
    };
    // A vertical dash-dotted line at x from y1 down to y2.
    struct Axis {
        double x, y1, y2;
    };
    enum class Anchor { Start, Middle, End };
    struct Label {
        double x, y;  // the baseline's anchor point
        Anchor anchor;
        std::u16string_view text;
    };

    // How every runtime strokes and letters it, in CSS pixels: the outlines,
    // the hidden halves dashed, the axes dash-dotted (dash, gap, ...), the
    // radius r, then the labels' and the note's font sizes.
    // Example: a screen at 144 dpi draws the outlines 2.1 pixels wide.
    static constexpr double SolidWidth = 1.4;
    static constexpr std::array<double, 2> HiddenDashes{4, 3};
    static constexpr double AxisWidth = 0.8;
    static constexpr std::array<double, 4> AxisDashes{9, 3, 2, 3};
    static constexpr double RadiusWidth = 1;
    static constexpr double LabelPixels = 18, NotePixels = 14;

    double width, height;
    bool toScale;
    std::u16string title;  // what it shows, for a screen reader

    Ellipse upperBase;  // whole, solid
    Rect body;          // its left and right edges are the sides
    Ellipse lowerBase;  // the front (lower) half solid, the back half dashed
    Circle sphere;
    Ellipse equator;  // halves as the lower base
    Axis axis;
    Rect section;
    Circle sectionCircle;  // its radius r drawn from the centre to the left
    Axis sectionAxis;
    std::array<Label, 3> labels;  // R, H, r
    std::optional<Label> note;    // "не в мащаб" when not to scale
};

// The sketch of `solution`; none where no cylinder exists.
// Example: R = 1, H = 3 gives a 246 × 168 sketch whose section is 80 × 120.
std::optional<Sketch> sketchOf(const Solution& solution);

}  // namespace calc
