// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>

#include "cylinder.h"
#include "platform/numbertext.h"
#include "platform/units.h"

namespace calc {

// What each column measures: R and H lengths, So and Sp areas, V a volume.
platform::Dimension dimensionOf(Quantity q);

// The two givens of a calculation as typed, and in the one unit the grid
// holds them in.
struct Givens {
    std::array<platform::Reading, 2> typed;   // in reading order, each with its unit, if typed
    std::array<platform::Reading, 2> values;  // the same in `length`'s units
    // The smallest length unit typed (a litre's is dm, a millilitre's cm),
    // written in its alphabet; none when no unit was typed.
    std::optional<platform::Unit> length;
};

// The givens of `variant` in one unit: each typed unit checked against its
// quantity (a wrong kind throws platform::CalculationError(WrongUnit),
// naming that quantity as read), each converted to the smallest length
// unit typed; a given without a unit is taken in that unit.
// Example: variant 0 with "3 dm" and "0,2 m" holds 3 and 2, in dm.
Givens inOneUnit(int variant, const std::array<platform::Reading, 2>& typed);

// The unit `q` is written with in `length`: "dm", "dm²", "дм³".
// Example: unitOf(Quantity::Sp, {Length, -2, false, false}) == u"cm²".
std::u16string unitOf(Quantity q, platform::Unit length);

}  // namespace calc
