// SPDX-License-Identifier: GPL-3.0-or-later
#include <optional>
#include <string_view>

#include "expect.h"
#include "platform/rounding.h"

using platform::Rational;
using platform::toFixed;

TEST_CASE("a double rounded to a place") {
    struct Row {
        std::string_view name;
        double value;
        int places;
        char16_t separator;
        std::u16string_view expected;
    };
    const Row rows[] = {
        {"376.991118430775 to 0.01", 376.991118430775, 2, u',', u"376,99"},
        {"0.125 to 0.01, a tie in binary", 0.125, 2, u'.', u"0.13"},
        {"2.675 to 0.01, the double below the half", 2.675, 2, u'.', u"2.67"},
        {"1.0005 to 0.001, the double below the half", 1.0005, 3, u'.', u"1.000"},
        {"3.1 to 0.01 keeps its zero", 3.1, 2, u'.', u"3.10"},
        {"2.5 to a whole", 2.5, 0, u'.', u"3"},
        {"-2.5 to a whole", -2.5, 0, u'.', u"-3"},
        {"9.9999 to 0.001 carries", 9.9999, 3, u'.', u"10.000"},
        {"-0.0004 to 0.001 has no sign", -0.0004, 3, u'.', u"0.000"},
        {"5e-324 to 0.001", 5e-324, 3, u'.', u"0.000"},
        {"1e22 to 0.1", 1e22, 1, u'.', u"10000000000000000000000.0"},
        {"0.35 to 0.1, the double below the half", 0.35, 1, u'.', u"0.3"},
        {"0.45 to 0.1, the double above the half", 0.45, 1, u'.', u"0.5"},
    };
    for (const Row& row : rows) {
        CAPTURE(row.name);
        CHECK(toFixed(row.value, row.places, row.separator) == row.expected);
    }
}

TEST_CASE("a fraction rounded to a place") {
    struct Row {
        std::string_view name;
        Rational value;
        int places;
        std::optional<std::u16string_view> expected;
    };
    const Row rows[] = {
        {"2.675 to 0.01", Rational(2675, 1000), 2, u"2,68"},
        {"1.0005 to 0.001", Rational(10005, 10000), 3, u"1,001"},
        {"200/3 to 0.1", Rational(200, 3), 1, u"66,7"},
        {"1/3 to 0.001", Rational(1, 3), 3, u"0,333"},
        {"2/3 to a whole", Rational(2, 3), 0, u"1"},
        {"-1/8 to 0.01", Rational(-1, 8), 2, u"-0,13"},
        {"-1/1000 to 0.01 has no sign", Rational(-1, 1000), 2, u"0,00"},
        {"10^18/7 to 0.01 does not fit", Rational(1'000'000'000'000'000'000, 7), 2, std::nullopt},
    };
    for (const Row& row : rows) {
        CAPTURE(row.name);
        CHECK(toFixed(row.value, row.places, u',') == row.expected);
    }
}
