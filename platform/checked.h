// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

#include "calculationerror.h"

namespace platform {

[[noreturn]] void fail(Failure failure);

// A double whose every operation is one IEEE step, rounded to nearest,
// followed by a check: a zero divisor, a non-finite result or a square root
// of a negative number throws CalculationError. Underflow and inexact
// results pass. Operands are finite by construction (toNumber never makes
// an infinity or a NaN), so a non-finite result always means overflow.
// Example: Checked(1e308) + Checked(1e308) throws Failure::Overflow.
class Checked {
public:
    constexpr explicit Checked(double value) noexcept : value_(value) {}
    constexpr double value() const noexcept { return value_; }

    friend Checked operator+(Checked a, Checked b) { return finite(a.value_ + b.value_); }
    friend Checked operator-(Checked a, Checked b) { return finite(a.value_ - b.value_); }
    friend Checked operator*(Checked a, Checked b) { return finite(a.value_ * b.value_); }
    friend Checked operator/(Checked a, Checked b) {
        if (b.value_ == 0.0) [[unlikely]]
            fail(Failure::DivisionByZero);
        return finite(a.value_ / b.value_);
    }
    friend constexpr Checked operator-(Checked a) noexcept { return Checked(-a.value_); }

private:
    static Checked finite(double result) {
        if (!std::isfinite(result)) [[unlikely]]
            fail(Failure::Overflow);
        return Checked(result);
    }

    double value_;
};

// Correctly rounded square root; -0 gives -0, a negative argument throws
// Failure::InvalidArgument. Example: squareRoot(Checked(2.25)).value() == 1.5.
inline Checked squareRoot(Checked x) {
    if (x.value() < 0.0) [[unlikely]]
        fail(Failure::InvalidArgument);
    return Checked(std::sqrt(x.value()));
}

}  // namespace platform
