// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the notebook's reader and the sentences' reader share: the cursor,
// the numbers with their units, and what each measure is.

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/checked.h"
#include "platform/numbertext.h"
#include "platform/units.h"
#include "task.h"

namespace calc::scan {

using platform::Checked;
using platform::Exact;
using platform::isLetter;
using platform::isSpace;
using platform::Reading;
using M = Measure;
using UnitKind = TaskUnit::Kind;

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

// From r on, the measures are asked only (no cylinder is found from them),
// but for the sphere around's radius: "вписан в сфера с радиус 5 cm".
constexpr bool given(Measure m) {
    return m < Measure::r || m == Measure::rho;
}

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

constexpr bool isCyrillic(char16_t c) {
    return c >= u'\u0400' && c <= u'\u04FF';
}

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
        bool digit = false, point = false, spaced = false;
        for (; i < text.size(); ++i) {
            if (isDigit(text[i])) {
                spaced |= digit && end < i;  // digits after white space: "12 560"
                digit = true;
                end = i + 1;
            } else if ((text[i] == u'.' || text[i] == u',') && !point && i + 1 < text.size() &&
                       isDigit(text[i + 1]) && (i == start || isDigit(text[i - 1]))) {
                point = true;
                end = i + 1;
            } else if (!isSpace(text[i])) {
                break;
            }
        }
        if (!digit) return std::nullopt;
        in_.reset(end);
        // "2 3/4" is a mixed number to a pupil, 23/4 to the digits: not read.
        if (spaced && in_.peek() == u'/') {
            in_.reset(start);
            return std::nullopt;
        }
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

inline Reading reading(const Number& n, std::optional<platform::Unit> unit = std::nullopt) {
    return {n.value, n.exact, unit};
}

inline Fact factOf(Fact::Kind kind, Measure m, Reading number = {}) {
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
inline std::optional<platform::Unit> takeUnit(Cursor& in) {
    const auto unit = platform::readUnit(in.rest());
    if (!unit) return std::nullopt;
    in.reset(in.at() + unit->second);
    return unit->first;
}

inline std::u16string written(Cursor& in, std::size_t from) {
    std::u16string_view text = in.text().substr(from, in.at() - from);
    while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
    return std::u16string(text);
}

// A unit asked in: a mass, a hectolitre, or readUnit's.
inline std::optional<TaskUnit> takeAskedUnit(Cursor& in) {
    const std::size_t start = in.at();
    if (const UnitName* u = takeRow(in, MoreUnits, &UnitName::spelling))
        return TaskUnit{u->kind, u->exponent, written(in, start)};
    const auto unit = takeUnit(in);
    if (!unit) return std::nullopt;
    const int power = static_cast<int>(unit->dimension);
    return TaskUnit{kindOf(unit->dimension), power * unit->exponent, written(in, start)};
}

// A mass over a volume: g/cm³ is the unit, kg/m³ 10⁻³ of it.
inline std::optional<TaskUnit> takeDensityUnit(Cursor& in) {
    const std::size_t start = in.at();
    const UnitName* mass = takeRow(in, MoreUnits, &UnitName::spelling);
    const auto volume = mass != nullptr && mass->kind == UnitKind::Mass && in.takeOne(u"/")
                            ? takeUnit(in)
                            : std::nullopt;
    if (!volume || volume->dimension != platform::Dimension::Volume) {
        in.reset(start);
        return std::nullopt;
    }
    return TaskUnit{UnitKind::Density, mass->exponent - 3 * volume->exponent - 6,
                    written(in, start)};
}

// Whether a length's, area's or volume's unit, if any, is `m`'s kind.
inline bool fits(const std::optional<platform::Unit>& unit, Measure m) {
    return !unit || kindOf(unit->dimension) == kindOf(m);
}

inline std::u16string_view trimmed(std::u16string_view text) {
    while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
    return text;
}

constexpr bool isLineBreak(char16_t c) {
    return c == u'\n' || c == u'\r' || c == u'\u2028' || c == u'\u2029';
}

// One notebook part between separators: a label ("Дадено:", "Търси се:"),
// then a fact or a precision for the facts asked before it, put in `task`.
// False, and `task` unchanged, when the part is not read whole.
bool readPart(std::u16string_view part, bool& asking, Task& task);

// A task written in sentences: see readTask.
Task readSentences(std::u16string_view text);

}  // namespace calc::scan
