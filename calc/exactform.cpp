// SPDX-License-Identifier: GPL-3.0-or-later
#include "exactform.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <memory>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "platform/exact.h"
#include "platform/numbertext.h"
#include "rules.h"

namespace calc {

// By Quantity: R, H, So, Sp, V, r, s; none where not known exactly.
struct ExactValues {
    std::array<platform::Exact, ExactQuantityCount> of;
};

using platform::Exact;
using platform::ExactTerm;
using Kind = Formula::Kind;

namespace {

// The letters of the quantities, in calc::Quantity's order.
constexpr std::u16string_view Letters[]{u"R", u"H", u"So", u"Sp", u"V", u"r", u"s", u"ρ", u"S"};
static_assert(std::size(Letters) == ExactQuantityCount);

constexpr long long SixDigits = 999'999;
constexpr long long FifteenDigits = 999'999'999'999'999;

// a·b into `out`; false where it does not fit.
bool times(long long a, long long b, long long& out) {
    return !__builtin_mul_overflow(a, b, &out);
}

// A formula's constant, by its digits.
Exact constant(std::u16string_view digits) {
    if (digits.empty() || digits.size() > 15) return Exact::none();
    long long n = 0;
    for (const char16_t c : digits) {
        if (c < u'0' || c > u'9') return Exact::none();
        n = n * 10 + (c - u'0');
    }
    return Exact(n);
}

std::u16string digitsOf(long long n) {  // n ≥ 0
    std::u16string out;
    do out.insert(out.begin(), static_cast<char16_t>(u'0' + n % 10));
    while ((n /= 10) != 0);
    return out;
}

Formula integer(long long n) {
    return lit(digitsOf(n));
}

// n/d as the double of its decimal, where that ends within 15 digits.
std::optional<Formula> decimal(long long n, long long d) {
    int twos = 0, fives = 0;
    for (; d % 2 == 0; d /= 2) ++twos;
    for (; d % 5 == 0; d /= 5) ++fives;
    if (d != 1) return std::nullopt;
    const int places = std::max(twos, fives);
    for (int i = twos; i < places; ++i)
        if (!times(n, 2, n)) return std::nullopt;
    for (int i = fives; i < places; ++i)
        if (!times(n, 5, n)) return std::nullopt;
    int exponent = -places;
    for (; n != 0 && n % 10 == 0; n /= 10) ++exponent;
    if (n > FifteenDigits || n < -FifteenDigits) return std::nullopt;
    std::u16string text = n < 0 ? u"-" : u"";
    text += digitsOf(n < 0 ? -n : n) + u"E" + (exponent < 0 ? u"-" : u"");
    text += digitsOf(exponent < 0 ? -exponent : exponent);
    return num(platform::toNumber(text));
}

std::optional<Formula> rationalForm(const platform::Rational& r) {
    const auto n = static_cast<long long>(r.numerator());
    const auto d = static_cast<long long>(r.denominator());
    if (auto form = decimal(n, d)) return form;
    if (d > SixDigits || n > SixDigits || n < -SixDigits) return std::nullopt;
    Formula f = frac(integer(n < 0 ? -n : n), integer(d));
    return n < 0 ? negate(std::move(f)) : f;
}

Formula piTo(int power) {
    return power == 1 ? pi() : square(pi());
}

// n·π^power·√radicand, n ≥ 1 left out where something else stands: "3π√2".
Formula term(long long n, long long radicand, int power) {
    std::vector<Formula> factors;
    if (n != 1 || (radicand == 1 && power == 0)) factors.push_back(integer(n));
    if (power > 0) factors.push_back(piTo(power));
    if (radicand != 1) factors.push_back(root(integer(radicand)));
    return factors.size() == 1 ? std::move(factors[0]) : prod(std::move(factors));
}

// Terms of one π power over their common denominator, π outside the sum:
// "(√69 − 3)π/2". `negative`: every term is, and the form is their negation.
std::optional<Formula> group(const ExactTerm* terms, std::size_t count, bool& negative) {
    long long d = 1;
    for (std::size_t i = 0; i < count; ++i) {
        const auto den = static_cast<long long>(terms[i].coefficient.denominator());
        if (!times(d / std::gcd(d, den), den, d)) return std::nullopt;
    }
    const long long limit = d > 1 ? SixDigits : FifteenDigits;
    const int power = terms[0].piPower;
    if (d > limit || power < -2 || power > 2) return std::nullopt;
    struct Scaled {
        long long n, radicand;
    };
    std::vector<Scaled> scaled;
    negative = true;
    for (std::size_t i = 0; i < count; ++i) {
        const ExactTerm& t = terms[i];
        long long n = 0;
        if (!times(static_cast<long long>(t.coefficient.numerator()),
                   d / static_cast<long long>(t.coefficient.denominator()), n) ||
            n > limit || n < -limit || t.radicand > SixDigits)
            return std::nullopt;
        negative = negative && n < 0;
        scaled.push_back({n, t.radicand});
    }
    for (Scaled& s : scaled) s.n = negative ? -s.n : s.n;
    std::stable_partition(scaled.begin(), scaled.end(), [](const Scaled& s) { return s.n > 0; });

    Formula top;
    if (count == 1) {
        top = term(scaled[0].n, scaled[0].radicand, std::max(power, 0));
    } else {
        std::vector<Formula> items;
        std::u16string ops;
        for (const Scaled& s : scaled) {
            if (!items.empty()) ops += s.n > 0 ? u'+' : u'−';
            items.push_back(term(s.n > 0 ? s.n : -s.n, s.radicand, 0));
        }
        top = sum(std::move(items), ops);
        if (power > 0) top = prod({std::move(top), piTo(power)});
    }
    std::vector<Formula> below;
    if (d > 1) below.push_back(integer(d));
    if (power < 0) below.push_back(piTo(-power));
    if (below.empty()) return top;
    return frac(std::move(top), below.size() == 1 ? std::move(below[0]) : prod(std::move(below)));
}

// Each π power's group, the highest first, positive ones before the
// others: "18π + 200/3", "5/(2π) − 2".
std::optional<Formula> groups(const std::vector<ExactTerm>& terms) {
    std::vector<std::pair<Formula, bool>> signedGroups;  // a group's form, negated or not
    for (std::size_t end = terms.size(); end > 0;) {
        std::size_t begin = end - 1;
        while (begin > 0 && terms[begin - 1].piPower == terms[end - 1].piPower) --begin;
        bool negative = false;
        std::optional<Formula> g = group(terms.data() + begin, end - begin, negative);
        if (!g) return std::nullopt;
        signedGroups.emplace_back(std::move(*g), negative);
        end = begin;
    }
    std::stable_partition(signedGroups.begin(), signedGroups.end(),
                          [](const auto& g) { return !g.second; });
    if (signedGroups.size() == 1 || signedGroups[0].second) {
        Formula& first = signedGroups[0].first;
        if (signedGroups[0].second) first = negate(std::move(first));
        if (signedGroups.size() == 1) return std::move(first);
    }
    std::vector<Formula> items;
    std::u16string ops;
    for (auto& [form, negative] : signedGroups) {
        if (!items.empty()) ops += negative ? u'−' : u'+';
        items.push_back(std::move(form));
    }
    return sum(std::move(items), ops);
}

std::size_t at(Quantity quantity) {
    return static_cast<std::size_t>(quantity);
}

}  // namespace

void solveExactly(Calculation& c, const Exact& first, const Exact& second) {
    auto values = std::make_shared<ExactValues>();
    values->of.fill(Exact::none());
    c.exact = values;
    // What the book would not write is not carried on.
    const auto keep = [&values](Quantity quantity, Exact x) {
        if (bookForm(x)) values->of[at(quantity)] = std::move(x);
    };
    const auto given = givenColumns(c.variant);
    keep(quantityOf(given[0]), first);
    keep(quantityOf(given[1]), second);
    for (const Rule* rule : computedRules(c.variant)) {
        const Quantity quantity = quantityOf(rule->finds);
        if (c.failure && c.failedQuantity == quantity) return;
        keep(quantity, exactValue(rule->derive().formula, *values));
    }
    if (!c.r) return;
    const Exact r = sphereContact(c) == SphereContact::Bases
                        ? values->of[at(Quantity::H)] / Exact(2)
                        : values->of[at(Quantity::R)];
    keep(Quantity::r, r);
    if (c.s) keep(Quantity::s, Exact(4) * Exact::pi() * r * r);
    if (c.rho) keep(Quantity::rho, exactValue(circumscribedRadius(), *values));
    // 4π(R² + (H/2)²): exact even where ρ, a root of a sum, is not.
    if (c.S)
        keep(Quantity::S,
             Exact(4) * Exact::pi() * exactValue(circumscribedRadius().items[0], *values));
}

Formula circumscribedRadius() {
    return root(sum({square(sym(u"R")), square(frac(sym(u"H"), lit(u"2")))}, u"+"));
}

Formula sphereSurfaceOf(std::u16string_view radius) {
    return prod({lit(u"4"), pi(), square(sym(radius))});
}

const Exact& exactOf(const Calculation& c, Quantity quantity) {
    static const Exact none = Exact::none();
    return c.exact ? c.exact->of[at(quantity)] : none;
}

std::optional<Formula> exactForm(const Calculation& c, Quantity q) {
    return bookForm(exactOf(c, q));
}

std::optional<Formula> exactTwoR(const Calculation& c) {
    return bookForm(Exact(2) * exactOf(c, Quantity::R));
}

SphereContact sphereContact(const Calculation& c) {
    const Exact difference = exactOf(c, Quantity::H) - Exact(2) * exactOf(c, Quantity::R);
    if (const std::optional<int> sign = difference.sign())
        return *sign < 0   ? SphereContact::Bases
               : *sign > 0 ? SphereContact::Lateral
                           : SphereContact::All;
    const double twoR = 2 * c.q.R;  // exact, as the sphere compares it
    // Equal as written ("H = 1.12837916709551 = 2R"), unequal only in the
    // last bits of two roundings: no "<" between two same numbers.
    if (platform::toText(c.q.H, u'.') == platform::toText(twoR, u'.')) return SphereContact::All;
    return c.q.H < twoR   ? SphereContact::Bases
           : c.q.H > twoR ? SphereContact::Lateral
                          : SphereContact::All;
}

Exact exactValue(const Formula& f, const ExactValues& values) {
    switch (f.kind) {
        case Kind::Symbol:
            if (f.text == u"π") return Exact::pi();
            for (std::size_t i = 0; i < std::size(Letters); ++i)
                if (f.text == Letters[i]) return values.of[i];
            break;
        case Kind::Literal:
            return constant(f.text);
        case Kind::Sum: {
            Exact x = exactValue(f.items[0], values);
            for (std::size_t i = 1; i < f.items.size(); ++i) {
                const Exact y = exactValue(f.items[i], values);
                x = f.ops[i - 1] == u'+' ? x + y : f.ops[i - 1] == u'−' ? x - y : Exact::none();
            }
            return x;
        }
        case Kind::Product: {
            Exact x(1);
            for (const Formula& item : f.items) x = x * exactValue(item, values);
            return x;
        }
        case Kind::Fraction:
            return exactValue(f.items[0], values) / exactValue(f.items[1], values);
        case Kind::Root:
            return platform::sqrt(exactValue(f.items[0], values));
        case Kind::Square: {
            const Exact x = exactValue(f.items[0], values);
            return f.text.empty() ? x * x : x * x * x;
        }
        case Kind::Negate:
            return -exactValue(f.items[0], values);
        case Kind::Number:
        case Kind::Call:
        case Kind::Relation:
            break;
    }
    return Exact::none();
}

std::optional<Formula> bookForm(const Exact& x) {
    if (!x.exact()) return std::nullopt;
    std::optional<Formula> form;
    if (x.isZero())
        form = num(0);
    else if (const auto r = x.rational())
        form = rationalForm(*r);
    else
        form = groups(x.terms());
    if (form) form->filledIn = true;
    return form;
}

bool readsAs(const Formula& form, double value) {
    return form.kind == Kind::Number &&
           platform::toText(form.value, u'.') == platform::toText(value, u'.');
}

}  // namespace calc
