// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "formula.h"
#include "solution.h"

// Boost's checked integers need exceptions; the writers of the solution,
// built without them in the browser, see Exact only by name.
namespace platform {
class Exact;
}

namespace calc {

// How many quantities a calculation knows exactly: R, H, So, Sp, V, r, s, ρ, S.
inline constexpr std::size_t ExactQuantityCount = 9;

// The radius of the sphere around the cylinder, as the school writes it:
// √(R² + (H/2)²), half the diagonal of the axial section.
Formula circumscribedRadius();
// A sphere's surface 4π·`radius`², as "4πr²".
Formula sphereSurfaceOf(std::u16string_view radius);

// Fills c.exact: the two givens as read (`first` and `second` in reading
// order), then each quantity c's doubles reached, by the rules' school
// formulas (exactValue); r and s as sphereContact(c) decides. A quantity
// without a book form has none, and so has every one computed from it.
// Example: variant 4 (H, So) with 7 and 70π gives R = 5, Sp = 120π, V = 175π.
void solveExactly(Calculation& c, const platform::Exact& first, const platform::Exact& second);

// Quantity q's exact value in `c`: none where it has none or `c` was not
// solved exactly.
const platform::Exact& exactOf(const Calculation& c, Quantity q);

// The book form of quantity q's exact value in `c`; nothing where it has
// none. Example: after the example above, exactForm(c, Quantity::V) is 175π.
std::optional<Formula> exactForm(const Calculation& c, Quantity q);

// The book form of 2R, as the sphere compares it; nothing where R has none.
std::optional<Formula> exactTwoR(const Calculation& c);

// How the sphere of `c` sits: by the exact sign of H − 2R where both are
// exact and it is decided, else as the doubles H and 2·R compare, equal
// where toText writes them the same.
// Example: R = 3√2, H = 6√2 exactly is SphereContact::All.
SphereContact sphereContact(const Calculation& c);

// The exact value of a school formula whose letters R, H, So, Sp, V, r, s
// stand for `values`, π for π and constants for themselves. None where a
// letter's value is none, the result leaves Exact's family, or the formula
// holds what is no number (a relation, a call, a double put in: a double
// never tells what exact value it stood for).
// Example: exactValue(2πR(R + H), {R = 5, H = 7}) is 120π.
platform::Exact exactValue(const Formula& f, const ExactValues& values);

// `x` as a textbook writes it, marked filledIn: a rational as a decimal
// where it ends within 15 significant digits (num of that decimal's double:
// 2.5), else as a fraction of at most six digits each (1/3); with roots and
// π as integers over one common denominator, π outside a sum: "3√2",
// "120π", "25π/16", "(√69 − 3)/2", "(6 + 4√3)π". Nothing for none, for
// larger numbers or for π beyond its square.
// Example: formulaText(*bookForm(Exact(Rational(5, 2))), '.') == u"2.5".
std::optional<Formula> bookForm(const platform::Exact& x);

// Whether `form` reads as toText(value) does: a decimal with the same digits.
// Example: readsAs(num(2.5), 2.5) is true; readsAs(120π, 376.99…) is false.
bool readsAs(const Formula& form, double value);

}  // namespace calc
