// SPDX-License-Identifier: GPL-3.0-or-later
#include "givens.h"

#include "rules.h"

namespace calc {

using platform::Dimension;

Dimension dimensionOf(Quantity q) {
    switch (q) {
        case Quantity::So:
        case Quantity::Sp:
        case Quantity::s:
        case Quantity::S:
            return Dimension::Area;
        case Quantity::V:
            return Dimension::Volume;
        default:
            return Dimension::Length;
    }
}

Givens inOneUnit(int variant, const std::array<platform::Reading, 2>& typed) {
    const auto given = givenColumns(variant);
    Givens g{typed, typed, std::nullopt};
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const std::optional<platform::Unit>& unit = typed[i].unit;
        if (!unit) continue;
        const Quantity q = quantityOf(given[i]);
        if (unit->dimension != dimensionOf(q)) {
            platform::CalculationError error(platform::Failure::WrongUnit);
            nameQuantity(error, q, true);
            throw error;
        }
        if (!g.length || unit->exponent < g.length->exponent)
            g.length = platform::Unit{.dimension = Dimension::Length,
                                      .exponent = unit->exponent,
                                      .cyrillic = unit->cyrillic};
    }
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const std::optional<platform::Unit>& unit = typed[i].unit;
        if (!unit) continue;
        try {
            g.values[i] = platform::convert(typed[i], *unit, g.length->exponent);
        } catch (platform::CalculationError& error) {
            nameQuantity(error, quantityOf(given[i]), true);
            throw;
        }
    }
    return g;
}

std::u16string unitOf(Quantity q, platform::Unit length) {
    length.dimension = dimensionOf(q);
    length.litres = false;
    return platform::unitText(length);
}

}  // namespace calc
