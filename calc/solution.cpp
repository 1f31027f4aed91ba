// SPDX-License-Identifier: GPL-3.0-or-later
#include "solution.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

#include "constants.h"
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

// Every letter of a quantity replaced by its value; π stays π.
Formula putIn(Formula f, const CylinderQuantities& values, std::optional<double> r) {
    if (f.kind == Formula::Kind::Symbol) {
        for (int c = 0; c < ColumnCount; ++c)
            if (f.text == columnName(static_cast<Column>(c)))
                return num(values[static_cast<Column>(c)]);
        if (f.text == u"r" && r) return num(*r);
        return f;
    }
    for (Formula& item : f.items) item = putIn(std::move(item), values, r);
    return f;
}

Part words(std::u16string_view text) {
    return {std::u16string(text), {}};
}
Part math(Formula f) {
    return {{}, std::move(f)};
}

// "R = 2.65331193145904, H = 3" as parts, each value its own formula.
void listValues(Line& line, const std::vector<std::pair<Formula, double>>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) line.parts.push_back(words(u","));
        line.parts.push_back(math(rel({values[i].first, num(values[i].second)}, u"=")));
    }
    line.parts.push_back(words(u"."));
}

constexpr std::array<Text, ColumnCount> MustBePositive{
    Text::RMustBePositive, Text::HMustBePositive, Text::SoMustBePositive, Text::SpMustBePositive,
    Text::VMustBePositive};

// "— сферата се допира до двете основи." and the like.
std::u16string contactWords(Text contact, std::u16string_view end) {
    std::u16string out(u"— ");
    out += text(contact);
    return out += end;
}

class Writer {
public:
    explicit Writer(const Calculation& c) { s_.calculation = c; }

    Solution write() {
        const Calculation& c = s_.calculation;
        const auto given = givenColumns(c.variant);
        Line line{Quantity::None, {words(text(Text::Given))}};
        listValues(line, {{q(given[0]), c.q[given[0]]}, {q(given[1]), c.q[given[1]]}});
        s_.lines.push_back(std::move(line));

        s_.solved = cylinder();
        if (s_.solved && positive() && sphere()) answer();
        s_.lines.push_back(
            {Quantity::None,
             {words(text(Text::ProgramPi)), math(rel({pi(), num(PI_14)}, u"≈")), words(u".")}});
        return std::move(s_);
    }

private:
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
            line.parts.push_back(math(rel({putIn(d.formula, c.q, {})}, u"=")));
            if (failedHere(quantityOf(column))) {
                s_.lines.push_back(std::move(line));
                failure(d);
                return false;
            }
            line.parts.push_back(math(rel({num(c.q[column])}, u"=")));
            if (!d.note.empty()) line.parts.push_back(words(d.note));
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
        const double twoR = 2 * c.q.R;  // exact, as the sphere compares it
        Line line{Quantity::r, {}};
        if (c.q.H < twoR) {
            s_.contact = SphereContact::Bases;
            line.parts = {
                math(rel({q(H), num(c.q.H), prod({two(), q(R)}), num(twoR)}, u"=<=")),
                math(rel({sym(u"r"), frac(q(H), two()), frac(num(c.q.H), two()), num(*c.r)},
                         u"⇒===")),
                words(contactWords(Text::TouchesBases, u"."))};
        } else if (c.q.H > twoR) {
            s_.contact = SphereContact::Lateral;
            line.parts = {math(rel({q(H), num(c.q.H), prod({two(), q(R)}), num(twoR)}, u"=>=")),
                          math(rel({sym(u"r"), q(R), num(*c.r)}, u"⇒==")),
                          words(contactWords(Text::TouchesLateral, u"."))};
        } else {
            s_.contact = SphereContact::All;
            line.parts = {math(rel({q(H), num(c.q.H), prod({two(), q(R)})}, u"==")),
                          math(rel({sym(u"r"), q(R), frac(q(H), two()), num(*c.r)}, u"⇒===")),
                          words(contactWords(Text::TouchesAll, text(Text::OnlyThenInscribed)))};
        }
        s_.lines.push_back(std::move(line));

        const Formula surface = prod({lit(u"4"), pi(), square(sym(u"r"))});
        line = {
            Quantity::s,
            {math(rel({sym(u"s"), surface}, u"=")), math(rel({putIn(surface, c.q, c.r)}, u"="))}};
        if (!c.s) {
            s_.lines.push_back(std::move(line));
            return failure({});
        }
        line.parts.push_back(math(rel({num(*c.s)}, u"=")));
        s_.lines.push_back(std::move(line));
        s_.cylinderExists = true;
        return true;
    }

    void answer() {
        const Calculation& c = s_.calculation;
        Line line{Quantity::None, {words(text(Text::Answer))}};
        std::vector<std::pair<Formula, double>> values;
        values.reserve(ColumnCount + 2);
        for (int col = 0; col < ColumnCount; ++col)
            values.emplace_back(q(static_cast<Column>(col)), c.q[static_cast<Column>(col)]);
        values.emplace_back(sym(u"r"), *c.r);
        values.emplace_back(sym(u"s"), *c.s);
        listValues(line, values);
        s_.lines.push_back(std::move(line));
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
                line.parts = {math(rel({radicand, putIn(radicand, c.q, c.r), lit(u"0")}, u"=<")),
                              words(text(Text::NoNegativeSquare))};
                break;
            }
            case platform::Failure::Overflow:
                line.parts = {words(text(Text::TooLarge)),
                              math(num(std::numeric_limits<double>::max())), words(u".")};
                break;
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

Solution explain(const Calculation& c) {
    return Writer(c).write();
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
