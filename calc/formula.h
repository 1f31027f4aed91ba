// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <utility>
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
        Square,    // items[0] squared, or to the power `text` ("3") where it is not empty
        Negate,    // −items[0]
        Call,      // text(items[0]; items[1]): "min(R; H/2)"
        Relation,  // items joined by `ops`: "=", "⇒", "<", ">", "≈"
    };
    Kind kind = Kind::Literal;
    std::u16string text;  // Symbol, Literal, Call; a Square's other power
    double value = 0;     // Number
    std::vector<Formula> items;
    std::u16string ops;  // Sum and Relation: one sign per gap

    // A value put in for a letter, written as a formula ("3√2"): set off
    // from its neighbours by dots as a number is, its own factors side by side.
    bool filledIn = false;
    // A Number rounded to this many places after the separator, its zeros
    // kept ("3.10"); -1: as toText writes it.
    int places = -1;

    class Sink;
};

// Where walkFormula writes a formula. The walk decides the brackets and
// where signs stand; a sink only draws what it is told.
// Example: the plain text's sink appends "(" at bracket(true).
class Formula::Sink {
public:
    virtual ~Sink() = default;
    // Fractions and roots on one line need brackets the bar and sign spare.
    virtual bool linear() const = 0;
    // A symbol, constant or number.
    virtual void leaf(const Formula& f) = 0;
    // What frames a node of several pieces.
    virtual void begin(const Formula& f) = 0;
    virtual void end(const Formula& f) = 0;
    // A sign of node `in`; `afterItem`: an item stands before it.
    virtual void sign(const Formula& in, char16_t sign, bool afterItem) = 0;
    virtual void bracket(bool open) = 0;
    // A linear fraction's bar; the numerator and denominator stacked.
    virtual void bar(bool spaced) = 0;
    virtual void beginPart() = 0;
    virtual void endPart() = 0;
};

Formula sym(std::u16string_view letters);
Formula pi();
Formula lit(std::u16string_view digits);
Formula num(double value);
// `value` as rounded to `places` digits after the separator, zeros kept.
// Example: formulaText(fixed(3.1, 2), u',') == u"3,10".
Formula fixed(double value, int places);
// `ops` holds one sign for each gap: sum({a, b, c}, u"+−") is a + b − c.
Formula sum(std::vector<Formula> items, std::u16string_view ops);
Formula prod(std::vector<Formula> items);
Formula frac(Formula numerator, Formula denominator);
Formula root(Formula radicand);
Formula square(Formula base);
// base³, as a Square of power "3". Example: formulaText(cube(sym(u"r")), u'.') == u"r³".
Formula cube(Formula base);
Formula negate(Formula x);
Formula call(std::u16string_view name, std::vector<Formula> arguments);
Formula rel(std::vector<Formula> items, std::u16string_view ops);

// Plain text: "(−H + √(H² + 2Sp/π)) / 2"; a fraction at the top is
// spaced, one inside another formula is not. Numbers by toText with
// `separator`, a minus as U+2212, negative numbers in brackets where a
// sign would be read wrong ("2 · (−1)", "(−1)²").
std::u16string formulaText(const Formula& f, char16_t separator);

// `f` walked into `sink`, `f` standing at the top.
// Example: root(sym(u"V")) gives begin(root), leaf(V), end(root).
void walkFormula(const Formula& f, Formula::Sink& sink);

// A leaf's text and a sign with its spaces, as the plain text writes them.
// Example: leafText(num(-1.5), u',') is "−1,5"; signText(sum, u'+', true) " + ".
std::u16string leafText(const Formula& leaf, char16_t separator);
std::u16string signText(const Formula& in, char16_t sign, bool afterItem);

// A symbol of two characters written as a letter with a subscript, as a
// pupil writes So, Sp, S₁ and r₂: the letter and the subscript's text, a
// subscript digit as its plain digit; nothing for other symbols ("r³").
// Example: subscripted(u"S₁") is {u"S", u"1"}; subscripted(u"ρ") is nothing.
std::optional<std::pair<std::u16string, std::u16string>> subscripted(std::u16string_view letters);

// The MathML Core content (no <math> element) of `f`.
std::u16string formulaMathML(const Formula& f, char16_t separator);

}  // namespace calc
