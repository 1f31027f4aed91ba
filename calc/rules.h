// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "cylinder.h"
#include "formula.h"
#include "platform/checked.h"

namespace calc {

// How a pupil finds a quantity: what is known leads to it (each relation
// followed by ⇒), then its formula; and what the formula cannot take.
struct Derivation {
    std::vector<Formula> from{};
    Formula formula;
    std::u16string_view note{};               // after the result
    std::optional<Column> divisorQuantity{};  // zero here stops the division
    std::optional<Formula> divisor{};
    std::optional<Formula> radicand{};  // negative here stops the root
};

// One way of finding a quantity from two others, written once: the
// solver evaluates it, the solution explains it.
// Example: HeightFromRadiusAndVolume.evaluate({.R = 1, .V = PI_14}) is 1, and its
// derivation's formula is V/(πR²).
struct Rule {
    Column finds;
    // The double evaluation in a fixed order and grouping, bits the same
    // everywhere; throws platform::CalculationError where a step fails.
    platform::Checked (*evaluate)(const CylinderQuantities& q);
    Derivation (*derive)();
};

// The eleven rules, named by what they find and from what.
extern const Rule LateralFromRadiusAndHeight;
extern const Rule TotalFromRadiusAndHeight;
extern const Rule VolumeFromRadiusAndHeight;
extern const Rule HeightFromRadiusAndLateral;
extern const Rule HeightFromRadiusAndTotal;
extern const Rule HeightFromRadiusAndVolume;
extern const Rule RadiusFromHeightAndTotal;
extern const Rule RadiusFromHeightAndLateral;
extern const Rule RadiusFromLateralAndVolume;
extern const Rule RadiusFromHeightAndVolume;
extern const Rule RadiusFromSurfaces;

}  // namespace calc
