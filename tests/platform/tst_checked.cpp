// SPDX-License-Identifier: GPL-3.0-or-later
#include <cfloat>
#include <string>

#include "expect.h"
#include "platform/calculationerror.h"
#include "platform/checked.h"

using platform::Checked;
using platform::Failure;

namespace {

enum Op { Add, Sub, Mul, Div, Sqrt };

Checked apply(Op op, double a, double b) {
    switch (op) {
        case Add:
            return Checked(a) + Checked(b);
        case Sub:
            return Checked(a) - Checked(b);
        case Mul:
            return Checked(a) * Checked(b);
        case Div:
            return Checked(a) / Checked(b);
        case Sqrt:
            break;
    }
    return platform::squareRoot(Checked(a));
}

}  // namespace

TEST_CASE("failing steps") {
    struct Row {
        std::string_view name;
        Op op;
        double a, b;
        Failure expected;
    };
    const Row rows[] = {
        {"1/0", Div, 1.0, 0.0, Failure::DivisionByZero},
        {"0/0", Div, 0.0, 0.0, Failure::DivisionByZero},
        {"1/-0", Div, 1.0, -0.0, Failure::DivisionByZero},
        {"max+max", Add, DBL_MAX, DBL_MAX, Failure::Overflow},
        {"-max-max", Sub, -DBL_MAX, DBL_MAX, Failure::Overflow},
        {"1e200*1e200", Mul, 1e200, 1e200, Failure::Overflow},
        {"1e300/1e-300", Div, 1e300, 1e-300, Failure::Overflow},
        {"sqrt(-1)", Sqrt, -1.0, 0.0, Failure::InvalidArgument},
        {"sqrt(-min subnormal)", Sqrt, -4.9e-324, 0.0, Failure::InvalidArgument},
    };
    for (const Row& row : rows) {
        INFO(row.name);
        const auto error = errorOf([&] { apply(row.op, row.a, row.b); });
        CHECK_MESSAGE(error.has_value(), "no calculation error");
        if (error) CHECK(error->failure() == row.expected);
    }
}

TEST_CASE("passing steps") {
    struct Row {
        std::string_view name;
        Op op;
        double a, b;
        double expected;
    };
    // Underflow and inexact results are not errors.
    const Row rows[] = {
        {"1e-200*1e-200", Mul, 1e-200, 1e-200, 0.0},
        {"min/2", Div, 4.9e-324, 2.0, 0.0},
        {"1/3", Div, 1.0, 3.0, 1.0 / 3.0},
        {"0.1+0.2", Add, 0.1, 0.2, 0.30000000000000004},
        {"max+1", Add, DBL_MAX, 1.0, DBL_MAX},
        {"sqrt(-0)", Sqrt, -0.0, 0.0, -0.0},
        {"sqrt(2)", Sqrt, 2.0, 0.0, 1.4142135623730951},
        {"0/5", Div, 0.0, 5.0, 0.0},
    };
    for (const Row& row : rows) {
        INFO(row.name);
        CHECK_BITS(apply(row.op, row.a, row.b).value(), row.expected);
    }
}
