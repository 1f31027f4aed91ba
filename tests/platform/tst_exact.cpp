// SPDX-License-Identifier: GPL-3.0-or-later
#include <optional>
#include <string_view>
#include <vector>

#include "expect.h"
#include "platform/exact.h"

using platform::Exact;
using platform::ExactTerm;
using platform::Rational;

TEST_CASE("exact values") {
    const Exact pi = Exact::pi();
    const Exact none = Exact::none();
    const auto root = [](long long n) { return sqrt(Exact(n)); };
    const std::vector<ExactTerm> zero;
    const long long e18 = 1'000'000'000'000'000'000;
    struct Row {
        std::string_view name;
        Exact value;
        std::optional<std::vector<ExactTerm>> terms;  // nothing: none
        std::optional<int> sign;
    };
    const Row rows[] = {
        {"5·π·(5+7)·2", Exact(5) * pi * (Exact(5) + Exact(7)) * Exact(2), {{{120, 1, 1}}}, 1},
        {"√12", root(12), {{{2, 3, 0}}}, 1},
        {"√(3/4)", sqrt(Exact(Rational(3, 4))), {{{Rational(1, 2), 3, 0}}}, 1},
        {"√2·√6", root(2) * root(6), {{{2, 3, 0}}}, 1},
        {"√999983²", root(999983LL * 999983), {{{999983, 1, 0}}}, 1},
        {"√(999983·999979)", root(999983LL * 999979), {{{1, 999983LL * 999979, 0}}}, 1},
        {"√(10¹²+1)", root(1'000'000'000'001), std::nullopt, std::nullopt},
        {"1/(√69−3)",
         Exact(1) / (root(69) - Exact(3)),
         {{{Rational(1, 20), 1, 0}, {Rational(1, 60), 69, 0}}},
         1},
        {"1/(√3+√2)", Exact(1) / (root(3) + root(2)), {{{-1, 2, 0}, {1, 3, 0}}}, 1},
        {"1/(2π)", Exact(1) / (Exact(2) * pi), {{{Rational(1, 2), 1, -1}}}, 1},
        {"1/(1+π)", Exact(1) / (Exact(1) + pi), std::nullopt, std::nullopt},
        {"2π·√3·(√3+2)",
         Exact(2) * pi * root(3) * (root(3) + Exact(2)),
         {{{6, 1, 1}, {4, 3, 1}}},
         1},
        {"√π", sqrt(pi), std::nullopt, std::nullopt},
        {"√(π²·9/4)", sqrt(pi * pi * Exact(Rational(9, 4))), {{{Rational(3, 2), 1, 1}}}, 1},
        {"√(1+√2)", sqrt(Exact(1) + root(2)), std::nullopt, std::nullopt},
        {"√−4", root(-4), std::nullopt, std::nullopt},
        {"√0", root(0), zero, 0},
        {"1/0", Exact(1) / Exact(0), std::nullopt, std::nullopt},
        {"10¹⁸·10¹⁸", Exact(e18) * Exact(e18), std::nullopt, std::nullopt},
        {"none+1", none + Exact(1), std::nullopt, std::nullopt},
        {"6−3√2", Exact(6) - root(2) * Exact(3), {{{6, 1, 0}, {-3, 2, 0}}}, 1},
        {"3√2−5", Exact(3) * root(2) - Exact(5), {{{-5, 1, 0}, {3, 2, 0}}}, -1},
        {"π−3", pi - Exact(3), {{{-3, 1, 0}, {1, 1, 1}}}, std::nullopt},
        {"π−π", pi - pi, zero, 0},
        {"decimal(265,−2)", Exact::decimal(265, -2), {{{Rational(53, 20), 1, 0}}}, 1},
        {"decimal(100,−20)", Exact::decimal(100, -20), {{{Rational(1, e18), 1, 0}}}, 1},
        {"decimal(1,19)", Exact::decimal(1, 19), std::nullopt, std::nullopt},
    };
    for (const Row& row : rows) {
        INFO(row.name);
        CHECK(row.value.exact() == row.terms.has_value());
        if (row.terms) CHECK(row.value.terms() == *row.terms);
        CHECK(row.value.sign() == row.sign);
        CHECK((row.value == row.value) == row.terms.has_value());
    }
    CHECK(Exact::decimal(265, -2) == Exact(Rational(53, 20)));
}
