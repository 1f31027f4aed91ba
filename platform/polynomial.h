// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace platform {

// The positive real roots of a0 + a1·x + … + an·xⁿ (`coefficients` from
// the constant up, trailing zeros allowed), each to the last bit Boost's
// TOMS 748 reaches, in increasing order. Every root that changes the sign
// is found: each lies between two roots of the derivative, found first,
// and below Cauchy's bound; a root where the sign stays (a double root)
// is found only where the polynomial is exactly zero at it.
// Example: positiveRoots({2, -3, 1}) == {1, 2}; positiveRoots({1, 0, 1}) is empty.
std::vector<double> positiveRoots(const std::vector<double>& coefficients);

}  // namespace platform
