// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls.h"

namespace window {

std::u16string boxSolutionText(const calc::Solution& solution, int box, char16_t separator) {
    // A box that kept its number from before has no step of this solution.
    if (!solution.solved || box / 5 != solution.calculation.variant) return {};
    const auto column = static_cast<calc::Column>(box % 5);
    for (calc::Column computed : calc::computedColumns(solution.calculation.variant))
        if (computed == column)
            return calc::stepText(solution, static_cast<calc::Quantity>(column), separator);
    return {};
}

}  // namespace window
