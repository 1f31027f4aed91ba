// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace calc {

// A school formula as a small tree, written once and shown two ways: as
// plain text with Unicode signs, and as MathML Core. Numbers are doubles,
// written by toText when shown, so no typed text ever reaches the output.
// Example: frac(sum({sym(u"Sp"), sym(u"So")}, u"−"), prod({lit(u"2"), pi()}))
// is "(Sp − So)/(2π)" as text and an <mfrac> in MathML.
struct Formula {
    enum class Kind {
        Symbol,    // a quantity's letters or π: "R", "So", "π"
        Literal,   // a constant of the formula: "2", "4"
        Number,    // a value put in: toText(value)
        Sum,       // items joined by `ops`, one sign between each two
        Product,   // items side by side ("2πR"), with " · " next to a number
        Fraction,  // items[0] over items[1]
        Root,      // square root of items[0]
        Square,    // items[0] squared
        Negate,    // −items[0]
        Call,      // text(items[0]; items[1]): "min(R; H/2)"
        Relation,  // items joined by `ops`: "=", "⇒", "<", ">", "≈"
    };
    Kind kind = Kind::Literal;
    std::u16string text;  // Symbol, Literal, Call
    double value = 0;     // Number
    std::vector<Formula> items;
    std::u16string ops;  // Sum and Relation: one sign per gap
    // A value put in for a letter, written as a formula ("3√2"): set off
    // from its neighbours by dots as a number is, its own factors side by side.
    bool filledIn = false;
};

Formula sym(std::u16string_view letters);
Formula pi();
Formula lit(std::u16string_view digits);
Formula num(double value);
// `ops` holds one sign for each gap: sum({a, b, c}, u"+−") is a + b − c.
Formula sum(std::vector<Formula> items, std::u16string_view ops);
Formula prod(std::vector<Formula> items);
Formula frac(Formula numerator, Formula denominator);
Formula root(Formula radicand);
Formula square(Formula base);
Formula negate(Formula x);
Formula call(std::u16string_view name, std::vector<Formula> arguments);
Formula rel(std::vector<Formula> items, std::u16string_view ops);

// Plain text: "(−H + √(H² + 2Sp/π)) / 2"; a fraction at the top is
// spaced, one inside another formula is not. Numbers by toText with
// `separator`, a minus as U+2212, negative numbers in brackets where a
// sign would be read wrong ("2 · (−1)", "(−1)²").
std::u16string formulaText(const Formula& f, char16_t separator);

// The MathML Core content (no <math> element) of `f`.
std::u16string formulaMathML(const Formula& f, char16_t separator);

}  // namespace calc
