// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "calc/formula.h"

namespace window {

// A formula laid out in two dimensions for any toolkit to draw: text runs,
// filled bars (fraction bars, a radical's overbar) and radical signs as
// polylines, in whole pixels of the font the metrics measure. The origin
// is the box's left end on its baseline; y grows downwards, so whatever
// stands above the baseline has a negative y. The brackets, signs and
// spaces are the plain text's (calc::formulaText), bars and roots aside.
// Example: V/(πH) is a box a little wider than "πH", its bar on the axis,
// "V" centred above the bar and "πH" below it.
struct FormulaLayout {
    // How a run is set: a script (an exponent, a subscript) is smaller;
    // a quantity's letters are italic, as in print.
    struct Style {
        bool script = false;
        bool italic = false;
        friend bool operator==(const Style&, const Style&) = default;
    };
    // The four fonts a formula is set in, each runtime's by this index.
    // Example: fontIndex({.script = true, .italic = false}) is 2.
    static constexpr std::size_t FontCount = 4;
    static constexpr std::size_t fontIndex(Style style) {
        return static_cast<std::size_t>(style.script) * 2 + static_cast<std::size_t>(style.italic);
    }
    // The style at fontIndex() `index`. Example: styleOf(1) is italic, not a script.
    static constexpr Style styleOf(std::size_t index) { return {index >= 2, index % 2 == 1}; }

    // The font's measures at the size the formula is drawn, supplied by
    // each runtime (QFontMetricsF, GDI's text metrics) at the screen's or
    // printer's resolution, in whole pixels.
    // Example: a 20 px Times gives ascent 18, descent 4, axis 5, rule 1.
    class Metrics {
    public:
        virtual ~Metrics() = default;
        // The advance width of `text` set in `style`.
        virtual int advance(std::u16string_view text, Style style) const = 0;
        // Above and below the baseline, for the font at `style`'s size.
        virtual int ascent(Style style) const = 0;
        virtual int descent(Style style) const = 0;
        // Where a fraction bar's middle stands above the baseline (the
        // strikeout position), and a bar's thickness, at least 1.
        virtual int axis() const = 0;
        virtual int rule() const = 0;
    };

    struct Run {
        std::u16string text;
        int x, y;  // the baseline's left end
        Style style;
    };
    // A filled rectangle: top left corner, size.
    struct Bar {
        int x, y, width, height;
    };
    struct Point {
        int x, y;
    };
    // A radical sign, stroked `rule` thick from the tick's start down to
    // the bottom and up to its overbar's left end.
    using Radical = std::array<Point, 4>;

    std::vector<Run> runs;
    std::vector<Bar> bars;
    std::vector<Radical> radicals;
    int width = 0, ascent = 0, descent = 0;
};

// `formula` laid out with `metrics`, numbers written with `separator`.
// Fractions stack the numerator over the denominator, centred, the bar
// on the axis; a root draws its sign and a bar over the radicand; a
// square raises a smaller "2"; a two-letter quantity (So, Sp) is a letter
// with a subscript; the rest stands on the baseline as the plain text
// writes it. Adjacent runs of one style on one baseline are one run.
// Example: with every character 10 wide, ascent 8, descent 2, axis 3 and
// rule 1, R/2 is 12 wide, ascent 14, descent 9: "R" at (1, -6), "2" at
// (1, 7), the bar at (0, -3) 12 × 1.
FormulaLayout layOut(const calc::Formula& formula, const FormulaLayout::Metrics& metrics,
                     char16_t separator);

}  // namespace window
