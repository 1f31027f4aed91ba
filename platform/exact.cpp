// SPDX-License-Identifier: GPL-3.0-or-later
#include "exact.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <numeric>
#include <stdexcept>
#include <utility>

#include <boost/rational.hpp>
#include <boost/safe_numerics/safe_integer.hpp>

namespace platform {

namespace {

using Integer = boost::safe_numerics::safe<long long>;
// The arithmetic: Boost.Rational over integers that throw on overflow.
using Checked = boost::rational<Integer>;

Checked big(const Rational& r) {
    return {Integer(r.numerator()), Integer(r.denominator())};
}

Rational small(const Checked& c) {
    return {static_cast<long long>(c.numerator()), static_cast<long long>(c.denominator())};
}

// Beyond this a radicand takes too long to factor by trial division.
constexpr long long LargestRadicand = 1'000'000'000'000;

// Anything an operation throws (safe<> on overflow, a zero denominator)
// means no exact form.
template <typename Operation>
Exact guarded(Operation operation) {
    try {
        return operation();
    } catch (const std::exception&) {
        return Exact::none();
    }
}

bool isPositive(const Rational& r) {
    return r.numerator() > 0;
}

// Kept within ±INT_MAX, so that 1/x can negate any power.
int addPowers(int a, int b) {
    const long long sum = static_cast<long long>(a) + b;
    if (sum < -std::numeric_limits<int>::max() || sum > std::numeric_limits<int>::max())
        throw std::overflow_error("π power");
    return static_cast<int>(sum);
}

// n = outside² · inside with inside square-free. Past trial division up to
// the cube root, what remains has at most two prime factors: 1, p, p² or pq.
std::pair<long long, long long> squareFree(long long n) {
    long long outside = 1, inside = 1;
    for (long long d = 2; d * d * d <= n; d += d == 2 ? 1 : 2) {
        while (n % (d * d) == 0) {
            n /= d * d;
            outside *= d;
        }
        if (n % d == 0) {
            n /= d;
            inside *= d;
        }
    }
    long long root = static_cast<long long>(std::sqrt(static_cast<double>(n)));
    while (root * root > n) --root;
    while ((root + 1) * (root + 1) <= n) ++root;
    if (root * root == n) return {outside * root, inside};
    return {outside, inside * n};
}

// Adds a term to a sum kept sorted by (π power, radicand), like terms
// merged and zeros dropped. A sum has a handful of terms: a linear search is
// enough, and smaller on the page than a sort.
void add(std::vector<ExactTerm>& sum, const ExactTerm& term) {
    const auto key = [](const ExactTerm& t) { return std::pair(t.piPower, t.radicand); };
    auto at = sum.begin();
    while (at != sum.end() && key(*at) < key(term)) ++at;
    if (at != sum.end() && key(*at) == key(term)) {
        at->coefficient = small(big(at->coefficient) + big(term.coefficient));
        if (at->coefficient.numerator() == 0) sum.erase(at);
    } else if (term.coefficient.numerator() != 0) {
        sum.insert(at, term);
    }
}

// √a·√b = g·√((a/g)(b/g)) with g = gcd(a, b): the cofactors are coprime and
// square-free, so their product is square-free without factoring.
ExactTerm product(const ExactTerm& a, const ExactTerm& b) {
    const long long g = std::gcd(a.radicand, b.radicand);
    return {small(big(a.coefficient) * big(b.coefficient) * Checked(Integer(g))),
            static_cast<long long>(Integer(a.radicand / g) * (b.radicand / g)),
            addPowers(a.piPower, b.piPower)};
}

// Squares of two like-π terms compared: |a|√d1 against |b|√d2.
bool firstOutweighs(const ExactTerm& a, const ExactTerm& b) {
    const Checked x = big(a.coefficient), y = big(b.coefficient);
    return x * x * Checked(Integer(a.radicand)) > y * y * Checked(Integer(b.radicand));
}

}  // namespace

Rational::Rational(long long numerator, long long denominator) {
    const Checked lowest(Integer{numerator}, Integer{denominator});
    numerator_ = lowest.numerator();
    denominator_ = lowest.denominator();
}

Exact::Exact(long long integer) : Exact(Rational(integer)) {}

Exact::Exact(Rational value) {
    if (value.numerator() != 0) terms_.push_back({value, 1, 0});
}

Exact Exact::pi() {
    Exact result;
    result.terms_.push_back({Rational(1), 1, 1});
    return result;
}

Exact Exact::none() {
    Exact result;
    result.exact_ = false;
    return result;
}

Exact Exact::decimal(long long digits, int exponent) {
    return guarded([&] {
        // 100·10^-20 fits where 10^20 does not.
        while (exponent < 0 && digits % 10 == 0 && digits != 0) {
            digits /= 10;
            ++exponent;
        }
        if (digits == 0) return Exact();
        Integer scale = 1;
        for (int i = 0; i < exponent || i < -exponent; ++i) scale *= 10;
        return Exact(small(exponent >= 0 ? Checked(Integer(digits) * scale)
                                         : Checked(Integer(digits), scale)));
    });
}

std::optional<Rational> Exact::rational() const {
    if (!exact_) return std::nullopt;
    if (terms_.empty()) return Rational(0);
    if (terms_.size() == 1 && terms_[0].radicand == 1 && terms_[0].piPower == 0)
        return terms_[0].coefficient;
    return std::nullopt;
}

std::optional<int> Exact::sign() const {
    if (!exact_) return std::nullopt;
    if (terms_.empty()) return 0;
    const bool positive = isPositive(terms_[0].coefficient);
    if (std::all_of(terms_.begin(), terms_.end(),
                    [&](const ExactTerm& t) { return isPositive(t.coefficient) == positive; }))
        return positive ? 1 : -1;
    if (terms_.size() != 2 || terms_[0].piPower != terms_[1].piPower) return std::nullopt;
    // Unequal: like terms are merged and radicands square-free.
    try {
        const ExactTerm& larger = firstOutweighs(terms_[0], terms_[1]) ? terms_[0] : terms_[1];
        return isPositive(larger.coefficient) ? 1 : -1;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

Exact operator+(const Exact& a, const Exact& b) {
    if (!a.exact_ || !b.exact_) return Exact::none();
    return guarded([&] {
        Exact result = a;
        for (const ExactTerm& term : b.terms_) add(result.terms_, term);
        return result;
    });
}

Exact operator-(const Exact& a) {
    if (!a.exact_) return a;
    return guarded([&] {
        Exact result = a;
        for (ExactTerm& term : result.terms_) term.coefficient = small(-big(term.coefficient));
        return result;
    });
}

Exact operator-(const Exact& a, const Exact& b) {
    return a + -b;
}

Exact operator*(const Exact& a, const Exact& b) {
    if (!a.exact_ || !b.exact_) return Exact::none();
    return guarded([&] {
        Exact result;
        for (const ExactTerm& x : a.terms_)
            for (const ExactTerm& y : b.terms_) add(result.terms_, product(x, y));
        return result;
    });
}

Exact operator/(const Exact& a, const Exact& b) {
    if (!a.exact_ || !b.exact_ || b.terms_.empty() || b.terms_.size() > 2) return Exact::none();
    return guarded([&] {
        Exact factor;
        if (b.terms_.size() == 1) {
            // 1/(c√d·π^k) = √d/(cd)·π^-k
            const ExactTerm& t = b.terms_[0];
            factor.terms_.push_back(
                {small(Checked(1) / (big(t.coefficient) * Checked(Integer(t.radicand)))),
                 t.radicand, -t.piPower});
            return a * factor;
        }
        const ExactTerm& x = b.terms_[0];
        const ExactTerm& y = b.terms_[1];
        if (x.piPower != y.piPower) return Exact::none();
        // (x√d1 + y√d2)(x√d1 − y√d2) = x²d1 − y²d2, never zero for d1 ≠ d2 square-free.
        const Checked cx = big(x.coefficient), cy = big(y.coefficient);
        const Checked norm =
            cx * cx * Checked(Integer(x.radicand)) - cy * cy * Checked(Integer(y.radicand));
        // Still in order: the same π power, the same radicands.
        factor.terms_.push_back({small(cx / norm), x.radicand, -x.piPower});
        factor.terms_.push_back({small(-cy / norm), y.radicand, -y.piPower});
        return a * factor;
    });
}

bool operator==(const Exact& a, const Exact& b) {
    return a.exact_ && b.exact_ && a.terms_ == b.terms_;
}

Exact sqrt(const Exact& x) {
    if (!x.exact() || x.isZero()) return x;
    if (x.terms().size() != 1) return Exact::none();
    const ExactTerm& t = x.terms()[0];
    if (t.radicand != 1 || t.piPower % 2 != 0 || !isPositive(t.coefficient)) return Exact::none();
    return guarded([&] {
        // √(p/q) = √(pq)/q
        const Integer q = t.coefficient.denominator();
        const long long n = Integer(t.coefficient.numerator()) * q;
        if (n > LargestRadicand) return Exact::none();
        const auto [outside, inside] = squareFree(n);
        Exact root;
        root.terms_.push_back(
            {Rational(outside, static_cast<long long>(q)), inside, t.piPower / 2});
        return root;
    });
}

}  // namespace platform
