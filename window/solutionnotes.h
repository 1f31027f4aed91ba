// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "calc/solution.h"
#include "design.h"

namespace window {

// What the desktop runtimes show of a solution besides the grid and the
// report: the texts of the tooltips and accessible descriptions of the grid
// boxes and of the report area Text1(0). Each runtime only hands them to its
// toolkit.
struct SolutionNotes {
    // Per grid box, the step that computed it (boxSolutionText): set for the
    // computed boxes of the solved row, empty for every other box.
    std::array<std::u16string, BoxCount> box;
    // The report area's: the whole solution (calc::plainText), then on a
    // line of its own the key that shows the solution's window.
    std::u16string report;

    // The note of `ref`: box[i] for Text2(i), report for Text1(0), empty for
    // any other control. Example: of({Kind::Text1, 1}) is empty.
    std::u16string_view of(ControlRef ref) const;
};

// What grid box `box` shows as its tooltip after `solution`: the step that
// found it, for a computed box of the solved row; empty for any other box.
// Example: box 14 after "Вариант 3" gives
// u"V = πR²H = π · 2.65331193145904² · 3 = 66.3510419675559".
std::u16string boxSolutionText(const calc::Solution& solution, int box, char16_t separator);

// The notes of `solution`, numbers written with `separator`, lines ended by
// `lineEnd` (u"\n" for Qt, u"\r\n" for Win32) and no line end after the
// last; all empty for an empty solution.
// Example: box[14] after "Вариант 3" with H = 3, Sp = 94.2477796076937 is
// u"V = πR²H = π · 2.65331193145904² · 3 = 66.3510419675559".
SolutionNotes solutionNotes(const calc::Solution& solution, char16_t separator,
                            std::u16string_view lineEnd);

// A grid box's tooltip: its step, then its full text on a line of its own
// while the box shows that rounded; either alone when it is the only one,
// empty when there is neither.
// Example: boxTooltip(u"V = … = 66.3510419675559", u"66.3510419675559", true, u"\n")
// is u"V = … = 66.3510419675559\n66.3510419675559".
std::u16string boxTooltip(std::u16string_view step, std::u16string_view fullText, bool rounded,
                          std::u16string_view lineEnd);

}  // namespace window
