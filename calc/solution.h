// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cylinder.h"
#include "formula.h"
#include "givens.h"
#include "platform/calculationerror.h"
#include "texts.h"

namespace calc {

// A calculation's exact values, known by name here (exactform.h).
struct ExactValues;

// What one calculation got to: the variant, its two given values and every
// computed value the solver and the sphere reached before an error (if
// any) stopped it. These are the doubles the window shows; the solution
// only writes them down, it computes nothing of the cylinder again.

struct Calculation {
    int variant = 0;
    Givens givens;                             // as typed and as the grid holds them
    CylinderQuantities q;                      // the given values, then each computed one reached
    std::optional<double> r, s;                // the inscribed sphere, once reached
    std::optional<double> rho, S;              // the sphere around it, where it fits the doubles
    std::optional<platform::Failure> failure;  // what stopped it, if anything
    Quantity failedQuantity = Quantity::None;  // failedQuantity() of its error
    // Beside the doubles, the quantities' exact values (exactform.h); none
    // of them where empty.
    std::shared_ptr<const ExactValues> exact;
};

// A piece of a line: words, or one formula. A step's chain "V = πR²H",
// "= π · 2.65² · 3", "= 66.35" is three formula parts, so a narrow screen
// can put each on its own line.
struct Part {
    std::u16string words;  // used when `formula` is empty
    std::optional<Formula> formula;
};

struct Line {
    Quantity quantity = Quantity::None;  // what the line finds, if anything
    std::vector<Part> parts;
};

// How far the answer rounds its decimals, as tasks ask: not at all, or to
// 0.1, 0.01 or 0.001 (the enumerator's value is the places).
enum class Rounding { None, Tenths, Hundredths, Thousandths };

// How the largest sphere sits in the cylinder.
enum class SphereContact {
    Bases,    // H < 2R: r = H/2, it touches both bases
    Lateral,  // H > 2R: r = R, it touches the lateral surface
    All,      // H = 2R: it touches all three, inscribed in the strict sense
};

// The solution of one calculation as a pupil writes it: what is given,
// each computed quantity (formula in letters, numbers put in, result), the
// inscribed sphere, then the answer; or where it stopped and why. Empty
// (no lines) before any calculation and after the grid is emptied.
struct Solution {
    std::vector<Line> lines;
    Calculation calculation;
    // The solver found all five quantities, so the grid shows them.
    bool solved = false;
    // All five quantities computed and positive: a real cylinder, which a
    // sketch can show.
    bool cylinderExists = false;
    SphereContact contact = SphereContact::Bases;  // when cylinderExists
    Rounding rounding = Rounding::None;            // as the answer was written

    bool empty() const { return lines.empty(); }
};

// The solution of `c`. Example: variant 2 with H = 3, Sp = 94.2477796076937
// explains R by the positive root of 2πR² + 2πHR − Sp = 0, then So, V,
// the sphere r = H/2 (it touches both bases) and its surface s = 4πr².
// Where units were typed, every given, result and answer carries its unit;
// with `rounding`, the answer also gives each decimal rounded so
// ("Sp = 120π ≈ 376.99 cm²").
Solution explain(const Calculation& c, Rounding rounding = Rounding::None);

// The whole solution as plain text with Unicode signs (π, ², √, ·, −, ⇒),
// one line each, CR LF after every line; numbers written by toText with
// `separator`. Empty for an empty solution. For tooltips, screen readers,
// copying. Example line: u"V = πR²H = π · 2.65331193145904² · 3 = 66.3510419675559".
std::u16string plainText(const Solution& solution, char16_t separator);

// The line that finds `quantity`, as plain text without a line end; empty
// when no line does. Example: stepText(s, Quantity::V, u'.') as above.
std::u16string stepText(const Solution& solution, Quantity quantity, char16_t separator);

// Whether a space stands between `part` and the part before it: not
// before words that start with a mark closing a phrase.
// Example: spaceBefore(Part{u".", {}}) is false.
bool spaceBefore(const Part& part);

}  // namespace calc
