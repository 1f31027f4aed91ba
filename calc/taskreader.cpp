// SPDX-License-Identifier: GPL-3.0-or-later
#include "taskreader.h"

#include <optional>
#include <utility>

#include "platform/calculationerror.h"
#include "platform/checked.h"

namespace calc {

using platform::Checked;
using platform::Exact;
using platform::isLetter;
using platform::isSpace;
using platform::Reading;
using M = Measure;
using UnitKind = TaskUnit::Kind;

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

// What each measure is, in the order of Measure; Mass only asked.
constexpr UnitKind KindOf[MeasureCount] = {
    UnitKind::Length, UnitKind::Length, UnitKind::Length, UnitKind::Area,    // R d C B
    UnitKind::Length, UnitKind::Area,   UnitKind::Area,   UnitKind::Volume,  // H So Sp V
    UnitKind::Area,   UnitKind::Length, UnitKind::Length, UnitKind::Length,  // the sections
    UnitKind::Length, UnitKind::Area,   UnitKind::Volume,                    // the sphere inside
    UnitKind::Length, UnitKind::Area,   UnitKind::Length, UnitKind::Area,    // r s ρ S
    UnitKind::Area,   UnitKind::Mass,
};

constexpr UnitKind kindOf(Measure m) {
    return KindOf[static_cast<int>(m)];
}

// From r on, the measures are asked only: no cylinder is found from them.
constexpr bool given(Measure m) {
    return m < Measure::r;
}

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

// What follows "до" in "с точност до 0,01": the decimal places.
constexpr std::pair<std::u16string_view, int> Precisions[] = {
    {u"цяло число", 0}, {u"цели", 0},   {u"0,1", 1},   {u"0.1", 1},   {u"десети", 1},  {u"0,01", 2},
    {u"0.01", 2},       {u"стотни", 2}, {u"0,001", 3}, {u"0.001", 3}, {u"хилядни", 3},
};

// Units beyond readUnit's lengths, areas and volumes: masses and the hectolitre.
struct UnitName {
    std::u16string_view spelling;
    UnitKind kind;
    int exponent;
};
constexpr UnitName MoreUnits[] = {
    {u"g", UnitKind::Mass, 0},     {u"г", UnitKind::Mass, 0},     {u"kg", UnitKind::Mass, 3},
    {u"кг", UnitKind::Mass, 3},    {u"t", UnitKind::Mass, 6},     {u"т", UnitKind::Mass, 6},
    {u"hl", UnitKind::Volume, -1}, {u"хл", UnitKind::Volume, -1},
};

constexpr bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// What may not follow a name or a word: a letter, a digit, an index.
constexpr bool continuesWord(char16_t c) {
    return isLetter(c) || isDigit(c) || c == u'_' || (c >= u'\u2080' && c <= u'\u2089');
}

// A superscript digit's value, or -1.
constexpr int superscript(char16_t c) {
    if (c == u'\u00B9') return 1;
    if (c == u'\u00B2' || c == u'\u00B3') return c - u'\u00B0';
    if (c == u'\u2070' || (c >= u'\u2074' && c <= u'\u2079')) return c - u'\u2070';
    return -1;
}

// A fact's text and where its reading stands.
class Cursor {
public:
    explicit Cursor(std::u16string_view text) : text_(text) {}

    char16_t peek() {
        while (at_ < text_.size() && isSpace(text_[at_])) ++at_;
        return at_ < text_.size() ? text_[at_] : u'\0';
    }
    void next() { ++at_; }
    std::size_t at() const { return at_; }
    void reset(std::size_t at) { at_ = at; }
    std::u16string_view rest() const { return text_.substr(at_); }
    std::u16string_view text() const { return text_; }

    // Takes `spelling` after white space where it stands whole: the first
    // letter of a Cyrillic word may be a capital, as at a line's start.
    bool take(std::u16string_view spelling) {
        peek();
        std::size_t i = at_;
        for (std::size_t k = 0; k < spelling.size(); ++k) {
            if (spelling[k] == u' ') {
                if (i == text_.size() || !isSpace(text_[i])) return false;
                while (i < text_.size() && isSpace(text_[i])) ++i;
                continue;
            }
            if (i == text_.size()) return false;
            char16_t c = text_[i++];
            if (k == 0 && c >= u'А' && c <= u'Я') c += 0x20;
            if (c != spelling[k]) return false;
        }
        if (i < text_.size() && continuesWord(text_[i]) && continuesWord(spelling.back()))
            return false;
        at_ = i;
        return true;
    }

    // Takes one of the characters given.
    bool takeOne(std::u16string_view characters) {
        if (characters.find(peek()) == std::u16string_view::npos || at_ == text_.size())
            return false;
        ++at_;
        return true;
    }

    // Only white space, or a full stop and white space, is left.
    bool atEnd() {
        if (peek() == u'.') next();
        return peek() == u'\0' && at_ == text_.size();
    }

private:
    std::u16string_view text_;
    std::size_t at_ = 0;
};

// The row of `table` whose spelling stands at the cursor, the longest; taken.
template <typename Row, std::size_t N>
const Row* takeRow(Cursor& in, const Row (&table)[N], std::u16string_view Row::*spelling) {
    const std::size_t start = in.at();
    const Row* best = nullptr;
    std::size_t end = start;
    for (const Row& row : table) {
        in.reset(start);
        if (in.take(row.*spelling) && in.at() > end) {
            best = &row;
            end = in.at();
        }
    }
    in.reset(end);
    return best;
}

template <typename Row, std::size_t N>
const Row* takePair(Cursor& in, const Row (&table)[N]) {
    return takeRow(in, table, &Row::first);
}

struct Number {
    double value = 0;
    Exact exact;
};

// Brackets and roots deeper than this are not read; past this many steps
// a number is no textbook's and has no exact form (as readNumber).
constexpr int MaxDepth = 100;
constexpr int ExactSteps = 100;

// Numbers as readNumber reads them, and also sums and whole powers ("5²",
// "3^2"), which bind tighter than a product or a root's sign. The double is
// worked out as read, left to right, each step checked; every rule takes
// nothing and returns nothing when its kind is not there.
class NumberReader {
public:
    explicit NumberReader(Cursor& in) : in_(in) {}

    // An optional sign, then products joined by signs.
    std::optional<Number> sum(int depth = 0) {
        const std::size_t start = in_.at();
        const bool negative = takeSign();
        std::optional<Number> total = product(depth);
        if (!total) {
            in_.reset(start);
            return std::nullopt;
        }
        if (negative) total = negate(*total);
        for (;;) {
            const std::size_t before = in_.at();
            const char16_t c = in_.peek();
            if (c != u'+' && c != u'-' && c != u'\u2212') return total;
            in_.next();
            const std::optional<Number> term = product(depth);
            if (!term) {
                in_.reset(before);
                return total;
            }
            total = combine(c == u'+' ? u'+' : u'-', *total, *term);
        }
    }

    // Factors joined by '*', '·', '×', '⋅', '/' or nothing (before π, a root
    // or a bracket).
    std::optional<Number> product(int depth = 0) {
        std::optional<Number> result = factor(depth);
        if (!result) return std::nullopt;
        for (;;) {
            const std::size_t before = in_.at();
            const char16_t c = in_.peek();
            const bool times = c == u'*' || c == u'\u00B7' || c == u'\u00D7' || c == u'\u22C5';
            if (times || c == u'/') in_.next();
            if (!times && c != u'/' && (isDigit(c) || c == u'.' || c == u',')) return result;
            const std::optional<Number> next = factor(depth);
            if (!next) {
                in_.reset(before);
                return result;
            }
            result = combine(c == u'/' ? u'/' : u'*', *result, *next);
        }
    }

    bool takeSign() {
        const char16_t c = in_.peek();
        if (c == u'+' || c == u'-' || c == u'\u2212') in_.next();
        return c == u'-' || c == u'\u2212';
    }

private:
    // An atom and its power.
    std::optional<Number> factor(int depth) {
        std::optional<Number> base = atom(depth);
        if (!base) return std::nullopt;
        const int n = power();
        if (n < 0) return base;
        Number result{1, 1};
        for (int i = 0; i < n; ++i) result = i == 0 ? *base : combine(u'*', result, *base);
        return result;
    }

    std::optional<Number> atom(int depth) {
        const std::size_t start = in_.at();
        const char16_t c = in_.peek();
        if (isDigit(c) || c == u'.' || c == u',') return decimal();
        if (takePi()) return Number{platform::PI_14, Exact::pi()};
        if ((c != u'\u221A' && c != u'(') || depth == MaxDepth) return std::nullopt;
        in_.next();
        if (c == u'(') {
            std::optional<Number> inside = sum(depth + 1);
            if (inside && in_.peek() == u')') {
                in_.next();
                return inside;
            }
        } else {
            const bool negative = takeSign();
            if (std::optional<Number> radicand = factor(depth + 1)) {
                if (negative) radicand = negate(*radicand);
                return Number{platform::squareRoot(Checked(radicand->value)).value(),
                              count() ? sqrt(radicand->exact) : Exact::none()};
            }
        }
        in_.reset(start);
        return std::nullopt;
    }

    // Digits with one separator, white space between them skipped, and an
    // exponent as readNumber takes it; readNumber gives their value.
    std::optional<Number> decimal() {
        const std::u16string_view text = in_.text();
        const std::size_t start = in_.at();
        std::size_t i = start, end = start;
        bool digit = false, point = false;
        for (; i < text.size(); ++i) {
            if (isDigit(text[i])) {
                digit = true;
                end = i + 1;
            } else if ((text[i] == u'.' || text[i] == u',') && !point) {
                point = true;
                end = i + 1;
            } else if (!isSpace(text[i])) {
                break;
            }
        }
        if (!digit) return std::nullopt;
        in_.reset(end);
        if (const char16_t e = in_.peek(); e == u'e' || e == u'E') {
            in_.next();
            takeSign();
            if (isDigit(in_.peek())) {
                while (isDigit(in_.peek())) in_.next();
                end = in_.at();
            }
        }
        in_.reset(end);
        const Reading reading = platform::readNumber(text.substr(start, end - start));
        return Number{reading.value, reading.exact};
    }

    // A whole power of at most two digits, "²" or "^2"; -1 for none.
    int power() {
        const std::size_t start = in_.at();
        int n = 0, digits = 0;
        if (in_.peek() == u'^') {
            in_.next();
            for (; digits < 3 && isDigit(in_.peek()); ++digits, in_.next())
                n = n * 10 + (in_.peek() - u'0');
        } else {
            for (; digits < 3 && superscript(in_.peek()) >= 0; ++digits, in_.next())
                n = n * 10 + superscript(in_.peek());
        }
        if (digits > 0 && digits < 3) return n;
        in_.reset(start);
        return -1;
    }

    bool takePi() {
        const std::size_t start = in_.at();
        const char16_t c = in_.peek();
        if (c == u'\u03C0') {
            in_.next();
            return true;
        }
        if (in_.take(u"pi") || in_.take(u"Pi") || in_.take(u"PI") || in_.take(u"pI") ||
            in_.take(u"п"))
            return true;
        in_.reset(start);
        return false;
    }

    // Whether the exact value is still worth working out.
    bool count() { return ++steps_ <= ExactSteps; }

    Number negate(const Number& x) { return {-x.value, count() ? -x.exact : Exact::none()}; }

    Number combine(char16_t op, const Number& a, const Number& b) {
        const Checked x(a.value), y(b.value);
        const double value = (op == u'+'   ? x + y
                              : op == u'-' ? x - y
                              : op == u'*' ? x * y
                                           : x / y)
                                 .value();
        if (!count()) return {value, Exact::none()};
        return {value, op == u'+'   ? a.exact + b.exact
                       : op == u'-' ? a.exact - b.exact
                       : op == u'*' ? a.exact * b.exact
                                    : a.exact / b.exact};
    }

    Cursor& in_;
    int steps_ = 0;
};

Reading reading(const Number& n, std::optional<platform::Unit> unit = std::nullopt) {
    return {n.value, n.exact, unit};
}

Fact factOf(Fact::Kind kind, Measure m, Reading number = {}) {
    Fact fact;
    fact.kind = kind;
    fact.measure = m;
    fact.number = std::move(number);
    return fact;
}

constexpr UnitKind kindOf(platform::Dimension d) {
    return d == platform::Dimension::Length ? UnitKind::Length
           : d == platform::Dimension::Area ? UnitKind::Area
                                            : UnitKind::Volume;
}

// A length's, area's or volume's unit, as readUnit reads it.
std::optional<platform::Unit> takeUnit(Cursor& in) {
    const auto unit = platform::readUnit(in.rest());
    if (!unit) return std::nullopt;
    in.reset(in.at() + unit->second);
    return unit->first;
}

std::u16string written(Cursor& in, std::size_t from) {
    std::u16string_view text = in.text().substr(from, in.at() - from);
    while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
    return std::u16string(text);
}

// A unit asked in: a mass, a hectolitre, or readUnit's.
std::optional<TaskUnit> takeAskedUnit(Cursor& in) {
    const std::size_t start = in.at();
    if (const UnitName* u = takeRow(in, MoreUnits, &UnitName::spelling))
        return TaskUnit{u->kind, u->exponent, written(in, start)};
    const auto unit = takeUnit(in);
    if (!unit) return std::nullopt;
    const int power = static_cast<int>(unit->dimension);
    return TaskUnit{kindOf(unit->dimension), power * unit->exponent, written(in, start)};
}

// A mass over a volume: g/cm³ is the unit, kg/m³ 10⁻³ of it.
std::optional<TaskUnit> takeDensityUnit(Cursor& in) {
    const std::size_t start = in.at();
    const UnitName* mass = takeRow(in, MoreUnits, &UnitName::spelling);
    if (mass == nullptr || mass->kind != UnitKind::Mass || !in.takeOne(u"/")) return std::nullopt;
    const auto volume = takeUnit(in);
    if (!volume || volume->dimension != platform::Dimension::Volume) return std::nullopt;
    return TaskUnit{UnitKind::Density, mass->exponent - 3 * volume->exponent - 6,
                    written(in, start)};
}

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

bool fits(const std::optional<platform::Unit>& unit, Measure m) {
    return !unit || kindOf(unit->dimension) == kindOf(m);
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
            if (equals && !question) return density(in);
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

std::u16string_view trimmed(std::u16string_view text) {
    while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
    return text;
}

// One part between separators: a label, then a fact, a precision for the
// facts asked before it, or nothing.
void readPart(std::u16string_view part, bool& asking, Task& task) {
    Cursor in(part);
    if (const auto* label = takePair(in, Labels)) {
        asking = label->second;
        in.takeOne(u":");
    }
    const std::u16string_view text = trimmed(in.rest());
    if (text.empty()) return;
    in = Cursor(text);
    try {
        if (const int places = takePlaces(in); places >= 0 && in.atEnd()) {
            bool any = false;
            for (Fact& fact : task.facts) {
                if (fact.kind != Fact::Kind::Asked || fact.places >= 0) continue;
                fact.places = places;
                any = true;
            }
            if (any) return;
        } else if (std::optional<Fact> fact = readFact(in, asking)) {
            fact->text = text;
            task.facts.push_back(std::move(*fact));
            return;
        }
    } catch (const platform::CalculationError&) {
        // A number no double holds is not read either.
    }
    task.unread.emplace_back(text);
}

constexpr bool isLineBreak(char16_t c) {
    return c == u'\n' || c == u'\r' || c == u'\u2028' || c == u'\u2029';
}

}  // namespace

Task readTask(std::u16string_view text) {
    Task task;
    bool asking = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const char16_t c = i < text.size() ? text[i] : u'\n';
        const bool decimalComma = c == u',' && i > 0 && i + 1 < text.size() &&
                                  isDigit(text[i - 1]) && isDigit(text[i + 1]);
        if (!isLineBreak(c) && c != u';' && (c != u',' || decimalComma)) continue;
        readPart(text.substr(start, i - start), asking, task);
        if (isLineBreak(c)) asking = false;
        start = i + 1;
    }
    return task;
}

std::u16string_view bookLetter(Measure m) {
    for (const Name& name : Names)
        if ((name.role == Role::Measure || name.role == Role::Rho) && name.measure == m)
            return name.spelling;
    return u"?";
}

}  // namespace calc
