// SPDX-License-Identifier: GPL-3.0-or-later
#include "formula.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

#include "platform/numbertext.h"
#include "platform/rounding.h"

namespace calc {

using Kind = Formula::Kind;

Formula sym(std::u16string_view letters) {
    return {Kind::Symbol, std::u16string(letters), 0, {}, {}};
}
Formula pi() {
    return sym(u"π");
}
Formula lit(std::u16string_view digits) {
    return {Kind::Literal, std::u16string(digits), 0, {}, {}};
}
Formula num(double value) {
    return {Kind::Number, {}, value, {}, {}};
}
Formula fixed(double value, int places) {
    Formula f = num(value);
    f.places = places;
    return f;
}
Formula sum(std::vector<Formula> items, std::u16string_view ops) {
    return {Kind::Sum, {}, 0, std::move(items), std::u16string(ops)};
}
Formula prod(std::vector<Formula> items) {
    return {Kind::Product, {}, 0, std::move(items), {}};
}
Formula frac(Formula numerator, Formula denominator) {
    return {Kind::Fraction, {}, 0, {std::move(numerator), std::move(denominator)}, {}};
}
Formula root(Formula radicand) {
    return {Kind::Root, {}, 0, {std::move(radicand)}, {}};
}
Formula square(Formula base) {
    return {Kind::Square, {}, 0, {std::move(base)}, {}};
}
Formula cube(Formula base) {
    return {Kind::Square, u"3", 0, {std::move(base)}, {}};
}
Formula negate(Formula x) {
    return {Kind::Negate, {}, 0, {std::move(x)}, {}};
}
Formula call(std::u16string_view name, std::vector<Formula> arguments) {
    return {Kind::Call, std::u16string(name), 0, std::move(arguments), {}};
}
Formula rel(std::vector<Formula> items, std::u16string_view ops) {
    return {Kind::Relation, {}, 0, std::move(items), std::u16string(ops)};
}

namespace {

bool negativeNumber(const Formula& f) {
    return f.kind == Kind::Number && std::signbit(f.value) && f.value != 0;
}

// Something with a sign in front, read wrong after another sign or a dot.
bool signed_(const Formula& f) {
    return f.kind == Kind::Negate || negativeNumber(f);
}

// One symbol, constant or non-negative number: needs no brackets anywhere.
bool atom(const Formula& f) {
    return f.kind == Kind::Symbol || f.kind == Kind::Literal ||
           (f.kind == Kind::Number && !negativeNumber(f));
}

// A number toText writes with its power of ten: "2.82094791773878E+149".
bool exponentForm(const Formula& f) {
    return f.kind == Kind::Number &&
           platform::toText(f.value, u'.').find(u'E') != std::u16string::npos;
}

bool holdsNumber(const Formula& f) {
    return f.kind == Kind::Number || f.filledIn ||
           std::any_of(f.items.begin(), f.items.end(), holdsNumber);
}

// Factors stand side by side ("2πR") unless a number is next to them.
bool dotBetween(const Formula& left, const Formula& right) {
    return holdsNumber(left) || holdsNumber(right) || right.kind == Kind::Literal;
}

// The sign of toText's number as a real minus; the exponent's stays.
std::u16string numberText(const Formula& number, char16_t separator) {
    std::u16string text = number.places < 0
                              ? platform::toText(number.value, separator)
                              : platform::toFixed(number.value, number.places, separator);
    if (!text.empty() && text.front() == u'-') text.front() = u'\u2212';
    return text;
}

// A sink that writes a string.
class StringSink : public Formula::Sink {
public:
    explicit StringSink(char16_t separator) : separator(separator) {}

    const char16_t separator;  // the numbers' decimal separator
    std::u16string out;
};

// The one walk: which items take brackets, where a sign or dot stands.
class Walk {
public:
    explicit Walk(Formula::Sink& sink) : sink_(sink) {}

    void write(const Formula& f, bool top) {
        switch (f.kind) {
            case Kind::Symbol:
            case Kind::Literal:
            case Kind::Number:
                sink_.leaf(f);
                return;
            case Kind::Sum:
                // A sum put in for a letter keeps its brackets: "62 − (3 + √2)".
                sink_.begin(f);
                item(f.items[0], f.items[0].kind == Kind::Sum);
                for (std::size_t i = 1; i < f.items.size(); ++i) {
                    sink_.sign(f, f.ops[i - 1], true);
                    item(f.items[i], f.items[i].kind == Kind::Sum || signed_(f.items[i]));
                }
                break;
            case Kind::Product:
                sink_.begin(f);
                for (std::size_t i = 0; i < f.items.size(); ++i) {
                    const Formula& x = f.items[i];
                    if (i > 0 && dotBetween(f.items[i - 1], x)) sink_.sign(f, u'·', true);
                    item(x, x.kind == Kind::Sum || (i > 0 && signed_(x)));
                }
                break;
            case Kind::Fraction:
                sink_.begin(f);
                fraction(f.items[0], f.items[1], top && !f.filledIn);  // "(√69 − 3)/2"
                break;
            case Kind::Root:
                sink_.begin(f);
                item(f.items[0], sink_.linear() && !atom(f.items[0]));
                break;
            case Kind::Square:
                sink_.begin(f);
                item(f.items[0], !atom(f.items[0]) || exponentForm(f.items[0]));  // (2E-12)²
                break;
            case Kind::Negate:
                sink_.begin(f);
                sink_.sign(f, u'\u2212', false);
                item(f.items[0], f.items[0].kind == Kind::Sum || signed_(f.items[0]));
                break;
            case Kind::Call:
                sink_.begin(f);
                for (std::size_t i = 0; i < f.items.size(); ++i) {
                    if (i > 0) sink_.sign(f, u';', true);
                    write(f.items[i], false);
                }
                break;
            case Kind::Relation: {
                // "a = b ⇒ c"; with as many signs as items the first sign leads: "= b".
                const bool leads = f.ops.size() == f.items.size();
                sink_.begin(f);
                for (std::size_t i = 0; i < f.items.size(); ++i) {
                    if (leads || i > 0) sink_.sign(f, f.ops[leads ? i : i - 1], i > 0);
                    write(f.items[i], true);
                }
                break;
            }
        }
        sink_.end(f);
    }

private:
    void item(const Formula& f, bool brackets) {
        if (brackets) sink_.bracket(true);
        write(f, false);
        if (brackets) sink_.bracket(false);
    }

    void fraction(const Formula& n, const Formula& d, bool top) {
        if (!sink_.linear()) {
            for (const Formula* part : {&n, &d}) {
                sink_.beginPart();
                write(*part, false);
                sink_.endPart();
            }
            return;
        }
        const bool up = n.kind == Kind::Sum || n.kind == Kind::Fraction;
        const bool down = !atom(d) && d.kind != Kind::Root && d.kind != Kind::Square;
        item(n, up);
        // Spaced where a bracket would otherwise touch the bar.
        sink_.bar(top && (up || down));
        item(d, down);
    }

    Formula::Sink& sink_;
};

class TextSink final : public StringSink {
public:
    using StringSink::StringSink;

    bool linear() const override { return true; }
    void leaf(const Formula& f) override { out += leafText(f, separator); }
    void begin(const Formula& f) override {
        if (f.kind == Kind::Root) out += u"√";
        if (f.kind == Kind::Call) out += f.text + u"(";
    }
    void end(const Formula& f) override {
        if (f.kind == Kind::Square) out += f.text.empty() ? u"²" : u"³";
        if (f.kind == Kind::Call) out += u")";
    }
    void sign(const Formula& in, char16_t sign, bool afterItem) override {
        out += signText(in, sign, afterItem);
    }
    void bracket(bool open) override { out += open ? u'(' : u')'; }
    void bar(bool spaced) override { out += spaced ? u" / " : u"/"; }
    void beginPart() override {}
    void endPart() override {}
};

// The element around each kind of node with items; a call's name and
// bracket follow its opening.
struct Frame {
    std::u16string_view open, close;
};
constexpr Frame Frames[]{
    {},  // Symbol, Literal, Number: leaves
    {},
    {},
    {u"<mrow>", u"</mrow>"},  // Sum
    {u"<mrow>", u"</mrow>"},  // Product
    {u"<mfrac>", u"</mfrac>"},
    {u"<msqrt>", u"</msqrt>"},
    {u"<msup>", u"</msup>"},                // Square: its power before the close
    {u"<mrow>", u"</mrow>"},                // Negate
    {u"<mrow><mi>", u"<mo>)</mo></mrow>"},  // Call
    {u"<mrow>", u"</mrow>"},                // Relation
};
static_assert(std::size(Frames) == static_cast<std::size_t>(Kind::Relation) + 1);

constexpr const Frame& frame(Kind kind) {
    return Frames[static_cast<std::size_t>(kind)];
}

class MathSink final : public StringSink {
public:
    using StringSink::StringSink;

    bool linear() const override { return false; }
    void leaf(const Formula& f) override {
        if (f.kind == Kind::Symbol) return symbol(f.text);
        if (f.kind == Kind::Literal) {
            out += u"<mn>" + f.text + u"</mn>";
            return;
        }
        const std::u16string text = numberText(f, separator);
        if (text.front() != u'\u2212') {
            out += u"<mn>" + text + u"</mn>";
            return;
        }
        out += u"<mrow>";
        op(u'\u2212');
        out += u"<mn>" + text.substr(1) + u"</mn></mrow>";
    }
    void begin(const Formula& f) override {
        out += frame(f.kind).open;
        if (f.kind != Kind::Call) return;
        out += f.text + u"</mi>";
        op(u'(');
    }
    void end(const Formula& f) override {
        if (f.kind == Kind::Square) out += u"<mn>" + (f.text.empty() ? u"2" : f.text) + u"</mn>";
        out += frame(f.kind).close;
    }
    void sign(const Formula&, char16_t sign, bool) override { op(sign); }
    void bracket(bool open) override {
        if (open) out += u"<mrow>";
        op(open ? u'(' : u')');
        if (!open) out += u"</mrow>";
    }
    void bar(bool) override {}
    // A fraction's part is one row.
    void beginPart() override { parts_.push_back(out.size()); }
    void endPart() override {
        const std::size_t at = parts_.back();
        parts_.pop_back();
        if (out.compare(at, 6, u"<mrow>") == 0) return;
        out.insert(at, u"<mrow>");
        out += u"</mrow>";
    }

private:
    void op(char16_t sign) {
        if (sign == u'<')
            out += u"<mo>&lt;</mo>";
        else if (sign == u'>')
            out += u"<mo>&gt;</mo>";
        else
            out += u"<mo>" + std::u16string(1, sign) + u"</mo>";
    }

    // "So", "Sp" and "S₁" as S with a subscript, as a pupil writes them.
    void symbol(const std::u16string& letters) {
        // "S₁′", the first of two cylinders: the prime over the subscripted letter.
        if (letters.size() > 1 && (letters.back() == u'′' || letters.back() == u'″')) {
            out += u"<msup>";
            symbol(letters.substr(0, letters.size() - 1));
            out += u"<mo>" + letters.substr(letters.size() - 1) + u"</mo></msup>";
            return;
        }
        if (const auto parts = subscripted(letters))
            out += u"<msub><mi>" + parts->first + u"</mi><mi>" + parts->second + u"</mi></msub>";
        else
            out += u"<mi>" + letters + u"</mi>";
    }

    std::vector<std::size_t> parts_;
};

}  // namespace

std::optional<std::pair<std::u16string, std::u16string>> subscripted(std::u16string_view letters) {
    if (letters.size() != 2) return std::nullopt;
    const char16_t second = letters[1];
    if (second >= u'\u2080' && second <= u'\u2089')
        return std::pair{std::u16string(1, letters[0]),
                         std::u16string(1, u'0' + (second - u'\u2080'))};
    if (!platform::isLetter(second)) return std::nullopt;
    return std::pair{std::u16string(1, letters[0]), std::u16string(1, second)};
}

void walkFormula(const Formula& f, Formula::Sink& sink) {
    Walk(sink).write(f, true);
}

std::u16string leafText(const Formula& leaf, char16_t separator) {
    return leaf.kind == Kind::Number ? numberText(leaf, separator) : leaf.text;
}

std::u16string signText(const Formula& in, char16_t sign, bool afterItem) {
    if (in.kind == Kind::Negate) return {sign};
    if (in.kind == Kind::Call) return u"; ";
    std::u16string text = afterItem ? u" " : u"";
    return text + sign + u' ';
}

std::u16string formulaText(const Formula& f, char16_t separator) {
    TextSink sink(separator);
    Walk(sink).write(f, true);
    return std::move(sink.out);
}

std::u16string formulaMathML(const Formula& f, char16_t separator) {
    MathSink sink(separator);
    Walk(sink).write(f, true);
    return std::move(sink.out);
}

}  // namespace calc
