// SPDX-License-Identifier: GPL-3.0-or-later
#include "formula.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/numbertext.h"

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

bool holdsNumber(const Formula& f) {
    return f.kind == Kind::Number || std::any_of(f.items.begin(), f.items.end(), holdsNumber);
}

// Factors stand side by side ("2πR") unless a number is next to them.
bool dotBetween(const Formula& left, const Formula& right) {
    return holdsNumber(left) || holdsNumber(right) || right.kind == Kind::Literal;
}

// The sign of toText's number as a real minus; the exponent's stays.
std::u16string numberText(double value, char16_t separator) {
    std::u16string text = platform::toText(value, separator);
    if (!text.empty() && text.front() == u'-') text.front() = u'\u2212';
    return text;
}

class TextWriter {
public:
    explicit TextWriter(char16_t separator) : separator_(separator) {}

    std::u16string write(const Formula& f, bool top) {
        switch (f.kind) {
            case Kind::Symbol:
            case Kind::Literal:
                return f.text;
            case Kind::Number:
                return numberText(f.value, separator_);
            case Kind::Sum: {
                std::u16string out = write(f.items[0], false);
                for (std::size_t i = 1; i < f.items.size(); ++i) {
                    out += u' ';
                    out += f.ops[i - 1];
                    out += u' ';
                    out += wrapIf(f.items[i], signed_(f.items[i]));
                }
                return out;
            }
            case Kind::Product: {
                std::u16string out;
                for (std::size_t i = 0; i < f.items.size(); ++i) {
                    const Formula& item = f.items[i];
                    if (i > 0 && dotBetween(f.items[i - 1], item)) out += u" · ";
                    out += wrapIf(item, item.kind == Kind::Sum || (i > 0 && signed_(item)));
                }
                return out;
            }
            case Kind::Fraction: {
                const Formula& n = f.items[0];
                const Formula& d = f.items[1];
                const bool up = n.kind == Kind::Sum || n.kind == Kind::Fraction;
                const bool down = !atom(d) && d.kind != Kind::Root && d.kind != Kind::Square;
                // Spaced where a bracket would otherwise touch the bar.
                const bool spaced = top && (up || down);
                return wrapIf(n, up) + (spaced ? u" / " : u"/") + wrapIf(d, down);
            }
            case Kind::Root:
                return u"√" + wrapIf(f.items[0], !atom(f.items[0]));
            case Kind::Square:
                return wrapIf(f.items[0], !atom(f.items[0])) + u"²";
            case Kind::Negate:
                return u"\u2212" +
                       wrapIf(f.items[0], f.items[0].kind == Kind::Sum || signed_(f.items[0]));
            case Kind::Call: {
                std::u16string out = f.text + u"(";
                for (std::size_t i = 0; i < f.items.size(); ++i) {
                    if (i > 0) out += u"; ";
                    out += write(f.items[i], false);
                }
                return out + u")";
            }
            case Kind::Relation:
                return relation(f);
        }
        return {};
    }

private:
    std::u16string wrapIf(const Formula& f, bool brackets) {
        return brackets ? u"(" + write(f, false) + u")" : write(f, false);
    }

    // "a = b ⇒ c"; with as many signs as items the first sign leads: "= b".
    std::u16string relation(const Formula& f) {
        const bool leads = f.ops.size() == f.items.size();
        std::u16string out;
        for (std::size_t i = 0; i < f.items.size(); ++i) {
            const std::size_t op = leads ? i : i - 1;
            if (leads || i > 0) {
                if (!out.empty()) out += u' ';
                out += f.ops[op];
                out += u' ';
            }
            out += write(f.items[i], true);
        }
        return out;
    }

    char16_t separator_;
};

class MathWriter {
public:
    explicit MathWriter(char16_t separator) : separator_(separator) {}

    std::u16string write(const Formula& f) {
        switch (f.kind) {
            case Kind::Symbol:
                return symbol(f.text);
            case Kind::Literal:
                return u"<mn>" + f.text + u"</mn>";
            case Kind::Number: {
                std::u16string text = numberText(f.value, separator_);
                if (text.front() != u'\u2212') return u"<mn>" + text + u"</mn>";
                return u"<mrow>" + op(u'\u2212') + u"<mn>" + text.substr(1) + u"</mn></mrow>";
            }
            case Kind::Sum: {
                std::u16string out = u"<mrow>" + write(f.items[0]);
                for (std::size_t i = 1; i < f.items.size(); ++i)
                    out += op(f.ops[i - 1]) + wrapIf(f.items[i], signed_(f.items[i]));
                return out + u"</mrow>";
            }
            case Kind::Product: {
                std::u16string out = u"<mrow>";
                for (std::size_t i = 0; i < f.items.size(); ++i) {
                    const Formula& item = f.items[i];
                    if (i > 0 && dotBetween(f.items[i - 1], item)) out += op(u'·');
                    out += wrapIf(item, item.kind == Kind::Sum || (i > 0 && signed_(item)));
                }
                return out + u"</mrow>";
            }
            case Kind::Fraction:
                return u"<mfrac>" + row(f.items[0]) + row(f.items[1]) + u"</mfrac>";
            case Kind::Root:
                return u"<msqrt>" + write(f.items[0]) + u"</msqrt>";
            case Kind::Square:
                return u"<msup>" + wrapIf(f.items[0], !atom(f.items[0])) + u"<mn>2</mn></msup>";
            case Kind::Negate:
                return u"<mrow>" + op(u'\u2212') +
                       wrapIf(f.items[0], f.items[0].kind == Kind::Sum || signed_(f.items[0])) +
                       u"</mrow>";
            case Kind::Call: {
                std::u16string out = u"<mrow><mi>" + f.text + u"</mi>" + op(u'(');
                for (std::size_t i = 0; i < f.items.size(); ++i) {
                    if (i > 0) out += op(u';');
                    out += write(f.items[i]);
                }
                return out + op(u')') + u"</mrow>";
            }
            case Kind::Relation: {
                const bool leads = f.ops.size() == f.items.size();
                std::u16string out = u"<mrow>";
                for (std::size_t i = 0; i < f.items.size(); ++i) {
                    if (leads)
                        out += op(f.ops[i]);
                    else if (i > 0)
                        out += op(f.ops[i - 1]);
                    out += write(f.items[i]);
                }
                return out + u"</mrow>";
            }
        }
        return {};
    }

private:
    static std::u16string op(char16_t sign) {
        if (sign == u'<') return u"<mo>&lt;</mo>";
        if (sign == u'>') return u"<mo>&gt;</mo>";
        return u"<mo>" + std::u16string(1, sign) + u"</mo>";
    }

    // "So" and "Sp" as S with a subscript, as a pupil writes them.
    static std::u16string symbol(const std::u16string& letters) {
        if (letters.size() == 2)
            return u"<msub><mi>" + letters.substr(0, 1) + u"</mi><mi>" + letters.substr(1) +
                   u"</mi></msub>";
        return u"<mi>" + letters + u"</mi>";
    }

    std::u16string row(const Formula& f) {
        const std::u16string inner = write(f);
        return inner.starts_with(u"<mrow>") ? inner : u"<mrow>" + inner + u"</mrow>";
    }

    std::u16string wrapIf(const Formula& f, bool brackets) {
        if (!brackets) return write(f);
        return u"<mrow>" + op(u'(') + write(f) + op(u')') + u"</mrow>";
    }

    char16_t separator_;
};

}  // namespace

std::u16string formulaText(const Formula& f, char16_t separator) {
    return TextWriter(separator).write(f, true);
}

std::u16string formulaMathML(const Formula& f, char16_t separator) {
    return MathWriter(separator).write(f);
}

}  // namespace calc
