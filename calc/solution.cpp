// SPDX-License-Identifier: GPL-3.0-or-later
#include "solution.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

#include "constants.h"
#include "exactform.h"
#include "platform/rounding.h"
#include "rules.h"

namespace calc {

namespace {

using enum Column;

Formula q(Column c) {
    return sym(columnName(c));
}
Formula two() {
    return lit(u"2");
}

std::size_t at(Quantity quantity) {
    return static_cast<std::size_t>(quantity);
}

Part words(std::u16string_view text) {
    return {std::u16string(text), {}};
}
Part math(Formula f) {
    return {{}, std::move(f)};
}

constexpr std::array<Text, ColumnCount> MustBePositive{
    Text::RMustBePositive, Text::HMustBePositive, Text::SoMustBePositive, Text::SpMustBePositive,
    Text::VMustBePositive};

// "— сферата се допира до двете основи." and the like.
std::u16string contactWords(SphereContact contact) {
    std::u16string out(u"— ");
    switch (contact) {
        case SphereContact::Bases:
            return out += std::u16string(text(Text::TouchesBases)) + u".";
        case SphereContact::Lateral:
            return out += std::u16string(text(Text::TouchesLateral)) + u".";
        case SphereContact::All:
            break;
    }
    out += text(Text::TouchesAll);
    return out += text(Text::OnlyThenInscribed);
}

// The letters of `quantity`: "R" … "V", "r", "s".
std::u16string_view letters(Quantity quantity) {
    if (quantity == Quantity::r) return u"r";
    if (quantity == Quantity::s) return u"s";
    if (quantity == Quantity::rho) return u"ρ";
    if (quantity == Quantity::S) return u"S";
    return columnName(static_cast<Column>(quantity));
}

// "Числото е твърде голямо: програмата смята с числа до 1.79769313486232E+308."
std::vector<Part> tooLargeParts() {
    return {words(text(Text::TooLarge)), math(num(std::numeric_limits<double>::max())),
            words(u".")};
}

class Writer {
public:
    Writer(const Calculation& c, Rounding rounding) {
        s_.calculation = c;
        s_.rounding = rounding;
        for (std::size_t i = 0; i < forms_.size(); ++i)
            forms_[i] = exactForm(c, static_cast<Quantity>(i));
    }

    Solution write() {
        const Calculation& c = s_.calculation;
        const auto given = givenColumns(c.variant);
        Line line{Quantity::None, {words(text(Text::Given))}};
        for (std::size_t i = 0; i < given.size(); ++i) {
            if (i > 0) line.parts.push_back(words(u","));
            const Quantity quantity = quantityOf(given[i]);
            const platform::Reading& typed = c.givens.typed[i];
            if (converted(typed)) {  // as typed, then in the grid's unit
                line.parts.push_back(math(rel({q(given[i]), typedForm(typed)}, u"=")));
                line.parts.push_back(words(platform::unitText(*typed.unit)));
                line.parts.push_back(math(rel({shown(quantity)}, u"=")));
            } else {
                line.parts.push_back(math(rel({q(given[i]), shown(quantity)}, u"=")));
            }
            unit(line, quantity);
        }
        line.parts.push_back(words(u"."));
        s_.lines.push_back(std::move(line));

        s_.solved = cylinder();
        if (s_.solved && positive() && sphere()) {
            around();
            answer();
        }
        s_.lines.push_back(
            {Quantity::None,
             {words(text(Text::ProgramPi)), math(rel({pi(), num(PI_14)}, u"≈")), words(u".")}});
        return std::move(s_);
    }

private:
    double value(Quantity quantity) const {
        const Calculation& c = s_.calculation;
        if (quantity == Quantity::r) return c.r.value_or(0);
        if (quantity == Quantity::s) return c.s.value_or(0);
        if (quantity == Quantity::rho) return c.rho.value_or(0);
        if (quantity == Quantity::S) return c.S.value_or(0);
        return c.q[static_cast<Column>(quantity)];
    }

    // A quantity as it is put in or given: its book form, else its decimal.
    Formula shown(Quantity quantity) const {
        const std::optional<Formula>& form = forms_[at(quantity)];
        return form ? *form : num(value(quantity));
    }

    // Whether the book form differs from the grid's decimal, which then follows "≈".
    bool approximated(Quantity quantity) const {
        const std::optional<Formula>& form = forms_[at(quantity)];
        return form && !readsAs(*form, value(quantity));
    }

    // "= 120π", "≈ 376.991118430775", its unit; or "= 3" where the two read alike.
    void result(Line& line, Quantity quantity) const {
        line.parts.push_back(math(rel({shown(quantity)}, u"=")));
        if (approximated(quantity)) line.parts.push_back(math(rel({num(value(quantity))}, u"≈")));
        unit(line, quantity);
    }

    // The unit of `quantity` where units were typed.
    void unit(Line& line, Quantity quantity) const {
        if (const auto& length = s_.calculation.givens.length)
            line.parts.push_back(words(unitOf(quantity, *length)));
    }

    // Whether a given was typed in another unit than the grid holds.
    bool converted(const platform::Reading& typed) const {
        const auto& length = s_.calculation.givens.length;
        return typed.unit && (typed.unit->litres || typed.unit->exponent != length->exponent);
    }

    // A given as typed: exactly where it can be.
    static Formula typedForm(const platform::Reading& typed) {
        const std::optional<Formula> form = bookForm(typed.exact);
        return form ? *form : num(typed.value);
    }

    // `quantity`'s decimal rounded to the answer's place; none where no
    // place is chosen or the value has no more digits than that.
    std::optional<Formula> rounded(Quantity quantity) const {
        const int places = static_cast<int>(s_.rounding);
        if (places == 0) return std::nullopt;
        const double v = value(quantity);
        const platform::Exact& exact = exactOf(s_.calculation, quantity);
        if (const auto ratio = exact.exact() ? exact.rational() : std::nullopt) {
            long long scale = 1;
            for (int i = 0; i < places; ++i) scale *= 10;
            if (scale % ratio->denominator() == 0) return std::nullopt;  // ends within the place
            if (const auto digits = platform::toFixed(*ratio, places, u'.'))
                return fixed(platform::toNumber(*digits), places);
        }
        const double at = platform::toNumber(platform::toFixed(v, places, u'.'));
        // Without an exact value the grid's digits are all there is to go by.
        if (!exact.exact() && platform::toText(at) == platform::toText(v)) return std::nullopt;
        return fixed(at, places);
    }

    // Every letter of a quantity replaced by its value; π stays π.
    Formula putIn(Formula f) const {
        if (f.kind == Formula::Kind::Symbol) {
            for (int c = 0; c < ColumnCount; ++c)
                if (f.text == columnName(static_cast<Column>(c)))
                    return shown(quantityOf(static_cast<Column>(c)));
            if (f.text == u"r" && s_.calculation.r) return shown(Quantity::r);
            if (f.text == u"ρ" && s_.calculation.rho) return shown(Quantity::rho);
            return f;
        }
        for (Formula& item : f.items) item = putIn(std::move(item));
        return f;
    }

    // The three computed quantities; false where one failed.
    bool cylinder() {
        const Calculation& c = s_.calculation;
        for (const Rule* rule : computedRules(c.variant)) {
            const Column column = rule->finds;
            Derivation d = rule->derive();
            Line line{quantityOf(column), {}};
            for (std::size_t i = 0; i < d.from.size(); ++i) {
                if (i > 0) d.from[i].ops.insert(0, 1, u'⇒');
                line.parts.push_back(math(std::move(d.from[i])));
            }
            line.parts.push_back(math(rel({q(column), d.formula}, d.from.empty() ? u"=" : u"⇒=")));
            line.parts.push_back(math(rel({putIn(d.formula)}, u"=")));
            if (failedHere(quantityOf(column))) {
                s_.lines.push_back(std::move(line));
                failure(d);
                return false;
            }
            result(line, quantityOf(column));
            // "(положителният корен)" only where it is: Sp < 0 makes both roots negative.
            if (!d.note.empty() && c.q[column] > 0) line.parts.push_back(words(d.note));
            s_.lines.push_back(std::move(line));
        }
        return true;
    }

    // A cylinder has every quantity above zero.
    bool positive() {
        for (int c = 0; c < ColumnCount; ++c) {
            if (s_.calculation.q[static_cast<Column>(c)] > 0) continue;
            std::u16string sentence(text(Text::NoSuchCylinder));
            sentence += u": ";
            sentence += text(MustBePositive[static_cast<std::size_t>(c)]);
            sentence += u'.';
            s_.lines.push_back({Quantity::None, {words(sentence)}});
            return false;
        }
        return true;
    }

    bool sphere() {
        const Calculation& c = s_.calculation;
        s_.lines.push_back(
            {Quantity::None,
             {words(text(Text::LargestSphere)),
              math(rel({sym(u"r"), call(u"min", {q(R), frac(q(H), two())})}, u"=")), words(u".")}});
        if (!c.r) return failure({});
        // 2R exactly, else the double 2·R the sphere compares (doubling rounds nothing).
        const std::optional<Formula> twoRForm = exactTwoR(c);
        const Formula twoR = twoRForm ? *twoRForm : num(2 * c.q.R);
        const Formula h = shown(Quantity::H);
        Line line{Quantity::r, {}};
        s_.contact = sphereContact(c);
        switch (s_.contact) {
            case SphereContact::Bases:
                line.parts = {
                    math(rel({q(H), h, prod({two(), q(R)}), twoR}, u"=<=")),
                    math(rel({sym(u"r"), frac(q(H), two()), frac(h, two()), shown(Quantity::r)},
                             u"⇒==="))};
                break;
            case SphereContact::Lateral:
                line.parts = {math(rel({q(H), h, prod({two(), q(R)}), twoR}, u"=>=")),
                              math(rel({sym(u"r"), q(R), shown(Quantity::r)}, u"⇒=="))};
                break;
            case SphereContact::All:
                line.parts = {
                    math(rel({q(H), h, prod({two(), q(R)})}, u"==")),
                    math(rel({sym(u"r"), q(R), frac(q(H), two()), shown(Quantity::r)}, u"⇒==="))};
                break;
        }
        if (approximated(Quantity::r)) line.parts.push_back(math(rel({num(*c.r)}, u"≈")));
        unit(line, Quantity::r);
        line.parts.push_back(words(contactWords(s_.contact)));
        s_.lines.push_back(std::move(line));

        const Formula surface = sphereSurfaceOf(u"r");
        line = {Quantity::s,
                {math(rel({sym(u"s"), surface}, u"=")), math(rel({putIn(surface)}, u"="))}};
        if (!c.s) {
            s_.lines.push_back(std::move(line));
            return failure({});
        }
        result(line, Quantity::s);
        s_.lines.push_back(std::move(line));
        s_.cylinderExists = true;
        return true;
    }

    // The sphere through both bases' circles; where its numbers leave the
    // program's range, its line says so and the answer goes without it.
    void around() {
        const Calculation& c = s_.calculation;
        const Formula radius = circumscribedRadius();
        s_.lines.push_back(
            {Quantity::None,
             {words(text(Text::AroundSphere)), math(rel({sym(u"ρ"), radius}, u"=")), words(u".")}});
        Line line{Quantity::rho, {math(rel({sym(u"ρ"), putIn(radius)}, u"="))}};
        if (!c.rho) return tooLarge(std::move(line));
        result(line, Quantity::rho);
        s_.lines.push_back(std::move(line));
        const Formula surface = sphereSurfaceOf(u"ρ");
        line = {Quantity::S,
                {math(rel({sym(u"S"), surface}, u"=")), math(rel({putIn(surface)}, u"="))}};
        if (!c.S) return tooLarge(std::move(line));
        result(line, Quantity::S);
        s_.lines.push_back(std::move(line));
    }

    // `line`, then the largest number the program has.
    void tooLarge(Line line) {
        s_.lines.push_back(std::move(line));
        s_.lines.push_back({Quantity::None, tooLargeParts()});
    }

    // Every quantity, exactly where it can be, then "≈" its decimal.
    void answer() {
        Line line{Quantity::None, {words(text(Text::Answer))}};
        const Calculation& c = s_.calculation;
        std::vector<Quantity> all{Quantity::R, Quantity::H, Quantity::So, Quantity::Sp,
                                  Quantity::V, Quantity::r, Quantity::s};
        if (c.rho && c.S) all.insert(all.end(), {Quantity::rho, Quantity::S});
        for (const Quantity quantity : all) {
            if (quantity != Quantity::R) line.parts.push_back(words(u","));
            Formula letter = sym(letters(quantity));
            if (std::optional<Formula> near = rounded(quantity))
                line.parts.push_back(
                    math(rel({std::move(letter), shown(quantity), std::move(*near)}, u"=≈")));
            else if (approximated(quantity))
                line.parts.push_back(
                    math(rel({std::move(letter), shown(quantity), num(value(quantity))}, u"=≈")));
            else
                line.parts.push_back(math(rel({std::move(letter), num(value(quantity))}, u"=")));
            unit(line, quantity);
            if (quantity == Quantity::V) litres(line);
        }
        line.parts.push_back(words(u"."));
        s_.lines.push_back(std::move(line));
    }

    // A volume given in litres is answered in litres as well: "= 1.5 л".
    void litres(Line& line) const {
        const Calculation& c = s_.calculation;
        const auto given = givenColumns(c.variant);
        for (std::size_t i = 0; i < given.size(); ++i) {
            const platform::Reading& typed = c.givens.typed[i];
            if (given[i] != V || !typed.unit || !typed.unit->litres) continue;
            line.parts.push_back(math(rel({typedForm(typed)}, u"=")));
            line.parts.push_back(words(platform::unitText(*typed.unit)));
        }
    }

    bool failedHere(Quantity quantity) const {
        return s_.calculation.failure && s_.calculation.failedQuantity == quantity;
    }

    // Why the step could not be done, in a pupil's words; always false.
    bool failure(const Derivation& d) {
        const Calculation& c = s_.calculation;
        Line line{Quantity::None, {}};
        switch (c.failure.value_or(platform::Failure::Overflow)) {
            case platform::Failure::DivisionByZero: {
                const bool zero = d.divisorQuantity && c.q[*d.divisorQuantity] == 0;
                Formula divisor = zero ? q(*d.divisorQuantity) : d.divisor.value_or(lit(u"0"));
                line.parts = {math(rel({std::move(divisor), lit(u"0")}, u"=")),
                              words(text(Text::NoDivisionByZero))};
                break;
            }
            case platform::Failure::InvalidArgument: {
                const Formula radicand = d.radicand.value_or(lit(u"0"));
                line.parts = {math(rel({radicand, putIn(radicand), lit(u"0")}, u"=<")),
                              words(text(Text::NoNegativeSquare))};
                break;
            }
            case platform::Failure::Overflow:
                line.parts = tooLargeParts();
                break;
            case platform::Failure::WrongUnit:  // found before anything is calculated
            case platform::Failure::UnreadText:
                return false;
        }
        s_.lines.push_back(std::move(line));
        // Too large a number is the program's limit, not the cylinder's.
        s_.lines.push_back({Quantity::None,
                            {words(c.failure == platform::Failure::Overflow
                                       ? std::u16string(text(Text::OutOfRange))
                                       : std::u16string(text(Text::NoSuchCylinder)) + u".")}});
        return false;
    }

    Solution s_;
    std::array<std::optional<Formula>, ExactQuantityCount> forms_;
};

std::u16string lineText(const Line& line, char16_t separator) {
    std::u16string out;
    for (const Part& part : line.parts) {
        if (!out.empty() && spaceBefore(part)) out += u' ';
        out += part.formula ? formulaText(*part.formula, separator) : part.words;
    }
    return out;
}

}  // namespace

bool spaceBefore(const Part& part) {
    return part.formula || (part.words.find_first_of(u".,:;") != 0);
}

Solution explain(const Calculation& c, Rounding rounding) {
    return Writer(c, rounding).write();
}

std::u16string stepText(const Solution& solution, Quantity quantity, char16_t separator) {
    const auto line = std::find_if(solution.lines.begin(), solution.lines.end(),
                                   [quantity](const Line& l) { return l.quantity == quantity; });
    return line == solution.lines.end() ? std::u16string() : lineText(*line, separator);
}

std::u16string plainText(const Solution& solution, char16_t separator) {
    std::u16string out;
    for (const Line& line : solution.lines) out += lineText(line, separator) + u"\r\n";
    return out;
}

}  // namespace calc
