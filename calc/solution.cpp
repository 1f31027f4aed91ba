// SPDX-License-Identifier: GPL-3.0-or-later
#include "solution.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

#include "constants.h"

namespace calc {

namespace {

using enum Column;

Formula q(Column c) {
    return sym(columnName(c));
}
Formula two() {
    return lit(u"2");
}

// The school formulas; letters stand for the quantities.
Formula lateral() {
    return prod({two(), pi(), q(R), q(H)});
}
Formula total() {
    return prod({two(), pi(), q(R), sum({q(R), q(H)}, u"+")});
}
Formula volume() {
    return prod({pi(), square(q(R)), q(H)});
}
Formula twoPiR() {
    return prod({two(), pi(), q(R)});
}

// How one quantity is found: what is known leads to it (each relation
// followed by ⇒), then its formula; and what the formula cannot take.
struct Derivation {
    std::vector<Formula> from;
    Formula formula;
    std::u16string_view note;               // after the result
    std::optional<Column> divisorQuantity;  // zero here stops the division
    std::optional<Formula> divisor;
    std::optional<Formula> radicand;  // negative here stops the root
};

Derivation derive(int variant, Column column) {
    const Formula soIs = rel({q(So), lateral()}, u"=");
    const Formula vIs = rel({q(V), volume()}, u"=");
    switch (column) {
        case So:
            return {{}, lateral(), {}, {}, {}, {}};
        case Sp:
            return {{}, total(), {}, {}, {}, {}};
        case V:
            return {{}, volume(), {}, {}, {}, {}};
        case H:
            if (variant == 5)  // from Sp and R
                return {
                    {rel({q(Sp), sum({prod({two(), pi(), square(q(R))}), lateral()}, u"+")}, u"=")},
                    frac(sum({q(Sp), prod({two(), pi(), square(q(R))})}, u"−"), twoPiR()),
                    {},
                    R,
                    twoPiR(),
                    {}};
            if (variant == 6)  // from R and V
                return {{vIs},
                        frac(q(V), prod({pi(), square(q(R))})),
                        {},
                        R,
                        prod({pi(), square(q(R))}),
                        {}};
            return {{soIs}, frac(q(So), twoPiR()), {}, R, twoPiR(), {}};
        case R:
            break;
    }
    switch (variant) {
        case 2: {  // from H and Sp: the positive root of a quadratic
            Formula radicand = sum({square(q(H)), frac(prod({two(), q(Sp)}), pi())}, u"+");
            return {{rel({q(Sp), total()}, u"="), rel({sum({prod({two(), pi(), square(q(R))}),
                                                            prod({two(), pi(), q(H), q(R)}), q(Sp)},
                                                           u"+−"),
                                                       lit(u"0")},
                                                      u"=")},
                    frac(sum({negate(q(H)), root(radicand)}, u"+"), two()),
                    u"(положителният корен)",
                    {},
                    {},
                    radicand};
        }
        case 3:  // from H and So
            return {
                {soIs}, frac(q(So), prod({two(), pi(), q(H)})), {}, H, prod({two(), pi(), q(H)}),
                {}};
        case 4:  // from So and V: V/So = R/2
            return {{rel({frac(q(V), q(So)), frac(volume(), lateral()), frac(q(R), two())}, u"==")},
                    frac(prod({two(), q(V)}), q(So)),
                    {},
                    So,
                    q(So),
                    {}};
        case 7:  // from H and V
            return {{vIs},
                    root(frac(q(V), prod({pi(), q(H)}))),
                    {},
                    H,
                    prod({pi(), q(H)}),
                    frac(q(V), prod({pi(), q(H)}))};
        default:  // 8: from So and Sp
            return {{rel({sum({q(Sp), q(So)}, u"−"), prod({two(), pi(), square(q(R))})}, u"=")},
                    root(frac(sum({q(Sp), q(So)}, u"−"), prod({two(), pi()}))),
                    {},
                    {},
                    {},
                    sum({q(Sp), q(So)}, u"−")};
    }
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

constexpr std::array<std::u16string_view, ColumnCount> MustBePositive{
    u"радиусът R трябва да е положително число",
    u"височината H трябва да е положително число",
    u"околната повърхнина So трябва да е положително число",
    u"пълната повърхнина Sp трябва да е положително число",
    u"обемът V трябва да е положително число",
};

constexpr std::u16string_view NoSuchCylinder = u"Такъв цилиндър не съществува";

class Writer {
public:
    explicit Writer(const Calculation& c) { s_.calculation = c; }

    Solution write() {
        const Calculation& c = s_.calculation;
        const auto given = givenColumns(c.variant);
        Line line{Quantity::None, {words(u"Дадено:")}};
        listValues(line, {{q(given[0]), c.q[given[0]]}, {q(given[1]), c.q[given[1]]}});
        s_.lines.push_back(std::move(line));

        s_.solved = cylinder();
        if (s_.solved && positive() && sphere()) answer();
        s_.lines.push_back(
            {Quantity::None,
             {words(u"Програмата смята с"), math(rel({pi(), num(PI_14)}, u"≈")), words(u".")}});
        return std::move(s_);
    }

private:
    // The three computed quantities; false where one failed.
    bool cylinder() {
        const Calculation& c = s_.calculation;
        for (Column column : computedColumns(c.variant)) {
            Derivation d = derive(c.variant, column);
            Line line{static_cast<Quantity>(column), {}};
            for (std::size_t i = 0; i < d.from.size(); ++i) {
                if (i > 0) d.from[i].ops.insert(0, 1, u'⇒');
                line.parts.push_back(math(std::move(d.from[i])));
            }
            line.parts.push_back(math(rel({q(column), d.formula}, d.from.empty() ? u"=" : u"⇒=")));
            line.parts.push_back(math(rel({putIn(d.formula, c.q, {})}, u"=")));
            if (failedHere(columnName(column))) {
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
            std::u16string text(NoSuchCylinder);
            text += u": ";
            text += MustBePositive[static_cast<std::size_t>(c)];
            text += u'.';
            s_.lines.push_back({Quantity::None, {words(text)}});
            return false;
        }
        return true;
    }

    bool sphere() {
        const Calculation& c = s_.calculation;
        s_.lines.push_back(
            {Quantity::None,
             {words(u"Най-голямата сфера в цилиндъра има радиус"),
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
                words(u"— сферата се допира до двете основи.")};
        } else if (c.q.H > twoR) {
            s_.contact = SphereContact::Lateral;
            line.parts = {math(rel({q(H), num(c.q.H), prod({two(), q(R)}), num(twoR)}, u"=>=")),
                          math(rel({sym(u"r"), q(R), num(*c.r)}, u"⇒==")),
                          words(u"— сферата се допира до околната повърхнина.")};
        } else {
            s_.contact = SphereContact::All;
            line.parts = {math(rel({q(H), num(c.q.H), prod({two(), q(R)})}, u"==")),
                          math(rel({sym(u"r"), q(R), frac(q(H), two()), num(*c.r)}, u"⇒===")),
                          words(u"— сферата се допира до двете основи и до околната повърхнина: "
                                u"само тогава тя е вписана в цилиндъра.")};
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
        Line line{Quantity::None, {words(u"Отговор:")}};
        std::vector<std::pair<Formula, double>> values;
        values.reserve(ColumnCount + 2);
        for (int col = 0; col < ColumnCount; ++col)
            values.emplace_back(q(static_cast<Column>(col)), c.q[static_cast<Column>(col)]);
        values.emplace_back(sym(u"r"), *c.r);
        values.emplace_back(sym(u"s"), *c.s);
        listValues(line, values);
        s_.lines.push_back(std::move(line));
    }

    bool failedHere(std::u16string_view quantity) const {
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
                              words(u": на нула не се дели.")};
                break;
            }
            case platform::Failure::InvalidArgument: {
                const Formula radicand = d.radicand.value_or(lit(u"0"));
                line.parts = {math(rel({radicand, putIn(radicand, c.q, c.r), lit(u"0")}, u"=<")),
                              words(u": няма реално число, чийто квадрат е отрицателен.")};
                break;
            }
            case platform::Failure::Overflow:
                line.parts = {words(u"Числото е твърде голямо: програмата смята с числа до"),
                              math(num(std::numeric_limits<double>::max())), words(u".")};
                break;
        }
        s_.lines.push_back(std::move(line));
        // Too large a number is the program's limit, not the cylinder's.
        s_.lines.push_back({Quantity::None,
                            {words(c.failure == platform::Failure::Overflow
                                       ? u"Такъв цилиндър е извън обхвата на програмата."
                                       : std::u16string(NoSuchCylinder) + u".")}});
        return false;
    }

    Solution s_;
};

// Parts stand a space apart, except before a mark that closes a phrase.
bool spaceBefore(const Part& part) {
    return part.formula || (part.words.find_first_of(u".,:;") != 0);
}

std::u16string escaped(std::u16string_view text) {
    std::u16string out;
    for (char16_t ch : text) {
        if (ch == u'&')
            out += u"&amp;";
        else if (ch == u'<')
            out += u"&lt;";
        else if (ch == u'>')
            out += u"&gt;";
        else
            out += ch;
    }
    return out;
}

std::u16string lineText(const Line& line, char16_t separator) {
    std::u16string out;
    for (const Part& part : line.parts) {
        if (!out.empty() && spaceBefore(part)) out += u' ';
        out += part.formula ? formulaText(*part.formula, separator) : part.words;
    }
    return out;
}

}  // namespace

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

std::u16string mathML(const Solution& solution, char16_t separator) {
    std::u16string out;
    for (const Line& line : solution.lines) {
        out += line.quantity == Quantity::None ? u"<p>" : u"<p class=\"step\">";
        bool first = true;
        for (const Part& part : line.parts) {
            if (!first && spaceBefore(part)) out += u' ';
            first = false;
            // Display style: fractions at full size, as written on paper.
            out += part.formula ? u"<math displaystyle=\"true\">" +
                                      formulaMathML(*part.formula, separator) + u"</math>"
                                : escaped(part.words);
        }
        out += u"</p>";
    }
    return out;
}

}  // namespace calc
