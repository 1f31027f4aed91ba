// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

namespace platform {

// A fraction in lowest terms with a positive denominator. Exact values do
// their arithmetic on it inside exact.cpp, checked: an overflow there means
// "no exact form", never a wrong one. Boost stays out of this header, so
// code built without exceptions may hold exact values too.
// Example: Rational(6, -4) has numerator -3 and denominator 2.
class Rational {
public:
    Rational(long long integer = 0) : numerator_(integer) {}  // NOLINT: 5 reads as 5
    // `denominator` is not 0; throws std::overflow_error where the lowest
    // terms do not fit (a numerator of LLONG_MIN made positive).
    Rational(long long numerator, long long denominator);
    long long numerator() const { return numerator_; }
    long long denominator() const { return denominator_; }
    bool operator==(const Rational&) const = default;

private:
    long long numerator_ = 0;
    long long denominator_ = 1;
};

// coefficient · √radicand · π^piPower; the radicand is square-free, 1 for none.
// Example: 3√2 is {3, 2, 0}; 25π/16 is {25/16, 1, 1}.
struct ExactTerm {
    Rational coefficient;
    long long radicand = 1;
    int piPower = 0;
    bool operator==(const ExactTerm&) const = default;
};

// A number as a textbook writes it exactly: a sum of terms as above, like
// terms merged, no zero coefficients, ordered by π power then radicand.
// Or none: no exact form, because an operand had none, an integer
// overflowed, or the result leaves the family (a root of a sum, a quotient
// by a sum it cannot rationalise). Operations on none give none, like NaN.
// Example: (Exact(5) * Exact::pi()) * (Exact(5) + Exact(7)) * Exact(2) is 120π;
// sqrt(Exact(12)) is 2√3; sqrt(Exact::pi()) is none.
class Exact {
public:
    // Zero.
    Exact() = default;
    Exact(long long integer);  // NOLINT(google-explicit-constructor): 5 reads as 5
    explicit Exact(Rational value);
    static Exact pi();
    static Exact none();
    // digits · 10^exponent, as a decimal text gives it; none when it does not fit.
    // Example: decimal(265, -2) is 2.65 = 53/20.
    static Exact decimal(long long digits, int exponent);

    bool exact() const { return exact_; }
    bool isZero() const { return exact_ && terms_.empty(); }
    // Empty for zero; meaningless for none.
    const std::vector<ExactTerm>& terms() const { return terms_; }
    // The value when it is a rational (no root, no π), else nothing.
    std::optional<Rational> rational() const;

    // The sign where it can be decided exactly (-1, 0, 1), else nothing
    // (none, or terms of different signs that no squaring settles).
    // Example: sign(Exact(6) - sqrt(Exact(2)) * Exact(3)) == 1.
    std::optional<int> sign() const;

    friend Exact operator+(const Exact& a, const Exact& b);
    friend Exact operator-(const Exact& a, const Exact& b);
    friend Exact operator-(const Exact& a);
    friend Exact operator*(const Exact& a, const Exact& b);
    // By zero: none (the double evaluation reports the error).
    friend Exact operator/(const Exact& a, const Exact& b);
    // Equal as numbers; none equals nothing, itself included.
    friend bool operator==(const Exact& a, const Exact& b);
    friend Exact sqrt(const Exact& x);

private:
    bool exact_ = true;
    std::vector<ExactTerm> terms_;
};

// The square root in simplest form: √(p/q) = √(pq)/q with the square
// factors taken out; of a single term with an even π power too. None for a
// negative value, a sum, an odd π power, or a radicand too large to factor.
// Example: sqrt(Exact(Rational(3, 4))) is √3/2.
Exact sqrt(const Exact& x);

}  // namespace platform
