// SPDX-License-Identifier: GPL-3.0-or-later
#include "taskreader.h"

#include <optional>
#include <utility>

#include "platform/calculationerror.h"
#include "taskscan.h"

namespace calc {

using namespace scan;

namespace {

// What a name at the start of a fact says.
enum class Role : unsigned char {
    Measure,  // a measure of the cylinder
    Pi,       // the task's π
    Density,  // the density, in a density unit
    Rho,      // ρ: the density when a density unit follows, else the sphere around's radius
    Angle,    // the axial section's diagonal with the base, in degrees
};

struct Name {
    std::u16string_view spelling;  // a space stands for any white space
    Role role;
    Measure measure;
};

// Every spelling a task may use; each measure's first row is the book's own.
constexpr Name Names[] = {
    {u"r", Role::Measure, M::R},
    {u"R", Role::Measure, M::R},
    {u"d", Role::Measure, M::d},
    {u"C", Role::Measure, M::C},
    {u"B", Role::Measure, M::B},
    {u"h", Role::Measure, M::H},
    {u"H", Role::Measure, M::H},
    {u"l", Role::Measure, M::H},
    {u"S", Role::Measure, M::So},
    {u"So", Role::Measure, M::So},
    {u"S₁", Role::Measure, M::Sp},
    {u"S1", Role::Measure, M::Sp},
    {u"S_1", Role::Measure, M::Sp},
    {u"Sp", Role::Measure, M::Sp},
    {u"V", Role::Measure, M::V},
    {u"Q", Role::Measure, M::AxialArea},
    {u"осно сечение", Role::Measure, M::AxialArea},
    {u"осното сечение", Role::Measure, M::AxialArea},
    {u"диагонал", Role::Measure, M::AxialDiagonal},
    {u"диагоналът", Role::Measure, M::AxialDiagonal},
    {u"диагонал на осното сечение", Role::Measure, M::AxialDiagonal},
    {u"периметър", Role::Measure, M::AxialPerimeter},
    {u"периметърът", Role::Measure, M::AxialPerimeter},
    {u"P", Role::Measure, M::AxialPerimeter},
    {u"диагонал на развивката", Role::Measure, M::DevelopmentDiagonal},
    {u"диагоналът на развивката", Role::Measure, M::DevelopmentDiagonal},
    {u"сфера r", Role::Measure, M::SphereRadius},
    {u"кълбо r", Role::Measure, M::SphereRadius},
    {u"сфера S", Role::Measure, M::SphereSurface},
    {u"кълбо S", Role::Measure, M::SphereSurface},
    {u"кълбо V", Role::Measure, M::SphereVolume},
    {u"сфера V", Role::Measure, M::SphereVolume},
    {u"r_max", Role::Measure, M::r},
    {u"rmax", Role::Measure, M::r},
    {u"s", Role::Measure, M::s},
    {u"ρ", Role::Rho, M::rho},
    {u"описана сфера r", Role::Measure, M::rho},
    {u"описана сфера S", Role::Measure, M::Around},
    {u"без капак", Role::Measure, M::OpenSurface},
    {u"S без капак", Role::Measure, M::OpenSurface},
    {u"маса", Role::Measure, M::Mass},
    {u"масата", Role::Measure, M::Mass},
    {u"M", Role::Measure, M::Mass},
    {u"плътност", Role::Density, M::Mass},
    {u"плътността", Role::Density, M::Mass},
    {u"π", Role::Pi, M::R},
    {u"pi", Role::Pi, M::R},
    {u"ъгъл", Role::Angle, M::R},
    {u"ъгълът", Role::Angle, M::R},
    {u"α", Role::Angle, M::R},
};

// The squares a task names: the axial section's, the development's.
constexpr std::pair<std::u16string_view, Measure> Squares[] = {
    {u"осното сечение", M::AxialArea},
    {u"осно сечение", M::AxialArea},
    {u"развивката", M::DevelopmentDiagonal},
    {u"развивка", M::DevelopmentDiagonal},
};

// The labels a line may start with, and whether a bare letter after them is asked.
constexpr std::pair<std::u16string_view, bool> Labels[] = {
    {u"дадено", false},      {u"търси се", true},      {u"търсят се", true},
    {u"да се намери", true}, {u"да се намерят", true},
};

// What follows "до" in "с точност до 0,01": the decimal places, the
// words with and without the article ("до десетите").
constexpr std::pair<std::u16string_view, int> Precisions[] = {
    {u"цяло число", 0}, {u"цели", 0},  {u"0,1", 1},     {u"0.1", 1},       {u"десети", 1},
    {u"десетите", 1},   {u"0,01", 2},  {u"0.01", 2},    {u"стотни", 2},    {u"стотните", 2},
    {u"0,001", 3},      {u"0.001", 3}, {u"хилядни", 3}, {u"хилядните", 3},
};

// "с точност до 0,01", "до цяло число": the decimal places, or -1.
int takePlaces(Cursor& in) {
    const std::size_t start = in.at();
    in.take(u"с точност");
    if (in.take(u"до"))
        if (const auto* row = takePair(in, Precisions)) return row->second;
    in.reset(start);
    return -1;
}

bool takeEquals(Cursor& in) {
    return in.takeOne(u"=\u2248");
}

// The rest of an asked fact: an optional unit of the measure's kind and precision.
std::optional<Fact> asked(Cursor& in, Measure m) {
    Fact fact = factOf(Fact::Kind::Asked, m);
    fact.unit = takeAskedUnit(in);
    if (fact.unit && fact.unit->kind != kindOf(m)) return std::nullopt;
    fact.places = takePlaces(in);
    if (!in.atEnd()) return std::nullopt;
    return fact;
}

// "r = 5 cm", "h = 2r + 5 cm", "h = d".
std::optional<Fact> valueOrRelation(Cursor& in, Measure m) {
    const std::size_t start = in.at();
    NumberReader numbers(in);
    if (const std::optional<Number> n = numbers.sum()) {
        const auto unit = takeUnit(in);
        if (in.atEnd()) {
            if (!fits(unit, m)) return std::nullopt;
            return factOf(Fact::Kind::Value, m, reading(*n, unit));
        }
    }
    in.reset(start);
    Fact fact = factOf(Fact::Kind::Relation, m, {0, Exact(0)});
    const bool negative = numbers.takeSign();
    const std::optional<Number> a = numbers.product();
    if (a) {
        fact.factor = reading(*a);
        in.takeOne(u"*\u00B7\u00D7\u22C5");
    }
    if (negative) fact.factor = {-fact.factor.value, -fact.factor.exact};
    const Name* other = takeRow(in, Names, &Name::spelling);
    if (other == nullptr || other->role != Role::Measure || !given(other->measure) ||
        kindOf(other->measure) != kindOf(m))
        return std::nullopt;
    fact.other = other->measure;
    if (in.takeOne(u"/")) {
        const std::optional<Number> divisor = numbers.product();
        if (!divisor) return std::nullopt;
        fact.factor = {(Checked(fact.factor.value) / Checked(divisor->value)).value(),
                       fact.factor.exact / divisor->exact};
    }
    const char16_t c = in.peek();
    if (c == u'+' || c == u'-' || c == u'\u2212') {
        const std::optional<Number> b = numbers.sum();
        if (!b) return std::nullopt;
        fact.number = reading(*b, takeUnit(in));
        if (!fits(fact.number.unit, m)) return std::nullopt;
    }
    if (!in.atEnd()) return std::nullopt;
    return fact;
}

// "r : h = 2 : 3".
std::optional<Fact> ratio(Cursor& in, Measure m) {
    const Name* other = takeRow(in, Names, &Name::spelling);
    if (other == nullptr || other->role != Role::Measure || !given(other->measure) ||
        kindOf(other->measure) != kindOf(m) || !takeEquals(in))
        return std::nullopt;
    NumberReader numbers(in);
    const std::optional<Number> a = numbers.sum();
    if (!a || !in.takeOne(u":")) return std::nullopt;
    const std::optional<Number> b = numbers.sum();
    if (!b || !in.atEnd()) return std::nullopt;
    Fact fact = factOf(Fact::Kind::Ratio, m, reading(*a));
    fact.other = other->measure;
    fact.factor = reading(*b);
    return fact;
}

// "осното сечение е квадрат със страна 8 cm".
std::optional<Fact> square(Cursor& in) {
    const auto* row = takePair(in, Squares);
    if (row == nullptr || !in.take(u"е квадрат")) return std::nullopt;
    Fact fact = factOf(Fact::Kind::Square, row->second);
    if (in.take(u"със страна")) {
        NumberReader numbers(in);
        const std::optional<Number> side = numbers.sum();
        if (!side) return std::nullopt;
        fact.number = reading(*side, takeUnit(in));
        if (!fits(fact.number.unit, M::R)) return std::nullopt;
    }
    if (!in.atEnd()) return std::nullopt;
    return fact;
}

// A number alone, then `unit` if given: for π, a density and an angle.
std::optional<Number> bareNumber(Cursor& in, std::u16string_view after = u"") {
    NumberReader numbers(in);
    const std::optional<Number> n = numbers.sum();
    if (!n || (!after.empty() && !in.take(after))) return std::nullopt;
    return n;
}

std::optional<Fact> density(Cursor& in) {
    const std::optional<Number> n = bareNumber(in);
    if (!n) return std::nullopt;
    Fact fact = factOf(Fact::Kind::Density, M::R, reading(*n));
    fact.unit = takeDensityUnit(in);
    if (!fact.unit || !in.atEnd()) return std::nullopt;
    return fact;
}

std::optional<Fact> readFact(Cursor& in, bool asking) {
    if (std::optional<Fact> fact = square(in)) return fact;
    in.reset(0);
    const Name* name = takeRow(in, Names, &Name::spelling);
    if (name == nullptr) return std::nullopt;
    const bool equals = takeEquals(in);
    const bool question = in.takeOne(u"?");
    switch (name->role) {
        case Role::Pi: {
            const std::optional<Number> n = bareNumber(in);
            if (!equals || !n || !in.atEnd()) return std::nullopt;
            const TaskPi pi = n->exact == Exact::decimal(314, -2)            ? TaskPi::Approx
                              : n->exact == Exact(platform::Rational(22, 7)) ? TaskPi::Sevenths
                                                                             : TaskPi::Program;
            if (pi == TaskPi::Program) return std::nullopt;
            Fact fact = factOf(Fact::Kind::Pi, M::R, reading(*n));
            fact.pi = pi;
            return fact;
        }
        case Role::Density:
            return equals && !question ? density(in) : std::nullopt;
        case Role::Angle: {
            const std::optional<Number> n = bareNumber(in, u"°");
            if (question || !n || !in.atEnd()) return std::nullopt;
            return factOf(Fact::Kind::Angle, M::R, reading(*n));
        }
        case Role::Rho:
            if (equals && !question) {
                const std::size_t at = in.at();
                if (std::optional<Fact> fact = density(in)) return fact;
                // A length: the sphere around's radius. Without a unit it is neither.
                in.reset(at);
                std::optional<Fact> fact = valueOrRelation(in, M::rho);
                if (fact && fact->number.unit) return fact;  // fits(): a length
                return std::nullopt;
            }
            [[fallthrough]];
        case Role::Measure:
            if (question) return asked(in, name->measure);
            if (!equals && in.takeOne(u":"))
                return given(name->measure) ? ratio(in, name->measure) : std::nullopt;
            if (!equals) return asking ? asked(in, name->measure) : std::nullopt;
            return given(name->measure) ? valueOrRelation(in, name->measure) : std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

namespace {

// A part without its label, trimmed; the label's asking put in `asking`.
std::u16string_view afterLabel(std::u16string_view part, bool& asking) {
    Cursor in(part);
    if (const auto* label = takePair(in, Labels)) {
        asking = label->second;
        in.takeOne(u":");
    }
    return trimmed(in.rest());
}

}  // namespace

bool scan::readPart(std::u16string_view part, bool& asking, Task& task) {
    const std::u16string_view text = afterLabel(part, asking);
    Cursor in(text);
    if (text.empty()) return true;
    try {
        if (const int places = takePlaces(in); places >= 0 && in.atEnd()) {
            bool any = false;
            for (Fact& fact : task.facts) {
                if (fact.kind != Fact::Kind::Asked || fact.places >= 0) continue;
                fact.places = places;
                any = true;
            }
            if (any) return true;
        } else if (std::optional<Fact> fact = readFact(in, asking)) {
            // A line's full stop ends it; "Дадено:" adds its own.
            fact->text = trimmed(text.ends_with(u'.') ? text.substr(0, text.size() - 1) : text);
            task.facts.push_back(std::move(*fact));
            return true;
        }
    } catch (const platform::CalculationError&) {
        // A number no double holds is not read either.
    }
    return false;
}

namespace {

// The notebook's facts, each part read whole or quoted.
Task readNotebook(std::u16string_view text) {
    Task task;
    bool asking = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const char16_t c = i < text.size() ? text[i] : u'\n';
        const bool decimalComma = c == u',' && i > 0 && i + 1 < text.size() &&
                                  isDigit(text[i - 1]) && isDigit(text[i + 1]);
        if (!isLineBreak(c) && c != u';' && (c != u',' || decimalComma)) continue;
        const std::u16string_view part = text.substr(start, i - start);
        if (!readPart(part, asking, task)) task.unread.emplace_back(afterLabel(part, asking));
        // "Търси се:" alone on its line asks what the next line names.
        bool label = asking;
        const bool alone = !trimmed(part).empty() && afterLabel(part, label).empty();
        if (isLineBreak(c) && !alone) asking = false;
        start = i + 1;
    }
    return task;
}

}  // namespace

Task readTask(std::u16string_view text) {
    Task notebook = readNotebook(text);
    // Read as sentences when a part the notebook could not read is prose:
    // three Cyrillic words or more.
    for (const std::u16string& part : notebook.unread) {
        int words = 0;
        for (std::size_t i = 0; i < part.size(); ++i)
            if (isCyrillic(part[i]) && (i == 0 || !isCyrillic(part[i - 1]))) ++words;
        if (words >= 3) return readSentences(text);
    }
    return notebook;
}

std::u16string_view bookLetter(Measure m) {
    for (const Name& name : Names)
        if ((name.role == Role::Measure || name.role == Role::Rho) && name.measure == m)
            return name.spelling;
    return u"?";
}

}  // namespace calc
