// SPDX-License-Identifier: GPL-3.0-or-later
#include <optional>
#include <string>
#include <vector>

#include "expect.h"
#include "platform/calculationerror.h"
#include "platform/numbertext.h"
#include "platform/units.h"

using platform::Dimension;
using platform::Exact;
using platform::Rational;
using platform::Unit;

namespace {

constexpr double pi = 3.14159265358979, root2 = 0x1.6a09e667f3bcdp+0;

constexpr Unit length(int exponent, bool cyrillic = false) {
    return {.dimension = Dimension::Length, .exponent = exponent, .cyrillic = cyrillic};
}
constexpr Unit area(int exponent, bool cyrillic = false) {
    return {.dimension = Dimension::Area, .exponent = exponent, .cyrillic = cyrillic};
}
constexpr Unit volume(int exponent, bool cyrillic = false, bool litres = false) {
    return {.dimension = Dimension::Volume,
            .exponent = exponent,
            .litres = litres,
            .cyrillic = cyrillic};
}

std::string describe(const std::optional<Unit>& unit) {
    if (!unit) return "no unit";
    return "unit " + std::to_string(static_cast<int>(unit->dimension)) + "/" +
           std::to_string(unit->exponent) + (unit->litres ? " litres" : "") +
           (unit->cyrillic ? " cyrillic" : "");
}

}  // namespace

// The number as typed, whatever the unit after it.
TEST_CASE("readNumber with units") {
    struct Row {
        std::u16string text;
        double value;
        Exact exact;
        std::optional<Unit> unit;
    };
    const Row rows[] = {
        {u"7 mm", 7, 7, length(-3)},
        {u"7 cm", 7, 7, length(-2)},
        {u"7 dm", 7, 7, length(-1)},
        {u"7 m", 7, 7, length(0)},
        {u"7 km", 7, 7, length(3)},
        {u"7 мм", 7, 7, length(-3, true)},
        {u"7 см", 7, 7, length(-2, true)},
        {u"7 дм", 7, 7, length(-1, true)},
        {u"7 м", 7, 7, length(0, true)},
        {u"7 км", 7, 7, length(3, true)},
        {u"3dm", 3, 3, length(-1)},
        {u"0,2\u00A0m.", 0.2, Exact(Rational(1, 5)), length(0)},
        {u"3 m 2", 3, 3, length(0)},
        {u"250 cm²", 250, 250, area(-2)},
        {u"250 cm2", 250, 250, area(-2)},
        {u"250 cm^2", 250, 250, area(-2)},
        {u"2,5 мм²", 2.5, Exact(Rational(5, 2)), area(-3, true)},
        {u"3 км2", 3, 3, area(3, true)},
        {u"5 кв. см", 5, 5, area(-2, true)},
        {u"5 кв.дм", 5, 5, area(-1, true)},
        {u"5 кв. m", 5, 5, area(0)},
        {u"1,5 dm³", 1.5, Exact(Rational(3, 2)), volume(-1)},
        {u"1,5 mm3", 1.5, Exact(Rational(3, 2)), volume(-3)},
        {u"1,5 м^3", 1.5, Exact(Rational(3, 2)), volume(0, true)},
        {u"4 куб. см", 4, 4, volume(-2, true)},
        {u"4 куб.km", 4, 4, volume(3)},
        {u"1,5 л", 1.5, Exact(Rational(3, 2)), volume(-1, true, true)},
        {u"1,5 l", 1.5, Exact(Rational(3, 2)), volume(-1, false, true)},
        {u"250 ml", 250, 250, volume(-2, false, true)},
        {u"250 мл", 250, 250, volume(-2, true, true)},
        {u"2 L", 2, 2, volume(-1, false, true)},
        {u"250 mL", 250, 250, volume(-2, false, true)},
        {u"70π cm²", 70 * pi, Exact(70) * Exact::pi(), area(-2)},
        {u"3√2 dm", 3 * root2, Exact(3) * sqrt(Exact(2)), length(-1)},
        {u"3/4 m", 0.75, Exact(Rational(3, 4)), length(0)},
        // No unit: the number reads as it did.
        {u"7", 7, 7, std::nullopt},
        {u"7 meters", 7, 7, std::nullopt},
        {u"7 mi", 7, 7, std::nullopt},
        {u"7 pieces", 7, 7, std::nullopt},
        {u"5 пъти", 5, 5, std::nullopt},
        {u"7 Cm", 7, 7, std::nullopt},
        {u"5 m23", 5, 5, std::nullopt},
        {u"5 см^", 5, 5, std::nullopt},
        {u"5 кв см", 5, 5, std::nullopt},
        {u"3/ m", 3, 3, std::nullopt},
        {u"cm", 0, 0, std::nullopt},
    };
    for (const Row& r : rows) {
        INFO(utf8(r.text));
        const platform::Reading reading = platform::readNumber(r.text);
        CHECK_BITS(reading.value, r.value);
        CHECK(reading.exact == r.exact);
        CHECK_MESSAGE(reading.unit == r.unit, describe(reading.unit));
        CHECK_BITS(platform::toNumber(r.text), r.value);
    }
}

TEST_CASE("readUnit takes the space before it") {
    struct Row {
        std::u16string text;
        Unit unit;
        std::size_t length;
    };
    const Row rows[] = {
        {u"  mm²", area(-3), 5},
        {u" кв.см.", area(-2, true), 6},
        {u"куб. \u202Fдм", volume(-1, true), 8},
    };
    for (const Row& r : rows) {
        INFO(utf8(r.text));
        const auto read = platform::readUnit(r.text);
        REQUIRE(read.has_value());
        CHECK(read->first == r.unit);
        CHECK(read->second == r.length);
    }
    CHECK_FALSE(platform::readUnit(u" x").has_value());
}

// What is written reads back as the same unit.
TEST_CASE("unitText") {
    struct Row {
        std::u16string_view text;
        Unit unit;
    };
    const Row rows[] = {
        {u"cm", length(-2)},
        {u"км", length(3, true)},
        {u"см²", area(-2, true)},
        {u"km²", area(3)},
        {u"dm³", volume(-1)},
        {u"l", volume(-1, false, true)},
        {u"л", volume(-1, true, true)},
        {u"мл", volume(-2, true, true)},
    };
    for (const Row& r : rows) {
        INFO(utf8(r.text));
        CHECK(platform::unitText(r.unit) == r.text);
        const auto read = platform::readUnit(r.text);
        CHECK((read && read->first == r.unit));
    }
    CHECK(platform::unitText(volume(0, false, true)) == u"m³");
    CHECK(platform::unitText(length(-5)) == u"");
}

// Hand-worked: a decimal converts as if typed in the new unit ("0,07 m" is
// 7 cm, where 0.07·100 is 7.000000000000001); anything else is one rounded
// multiplication ((1/3)·10 is 0x1.aaaaaaaaaaaaap+1, not the nearest 10/3).
TEST_CASE("convert") {
    struct Row {
        std::u16string text;
        int to;
        double value;
        Exact exact;
        Unit unit;
        bool overflow = false;
    };
    const Row rows[] = {
        {u"0,2 m", -1, 2, 2, length(-1)},
        {u"3 dm", -2, 30, 30, length(-2)},
        {u"0,07 m", -2, 7, 7, length(-2)},
        {u"0.35 m", -1, 3.5, Exact(Rational(7, 2)), length(-1)},
        {u"(0,1+0,2) m", -1, 3, 3, length(-1)},
        {u"-0 m", -1, -0.0, 0, length(-1)},
        {u"250 cm²", -3, 25000, 25000, area(-3)},
        {u"2,5 дм²", -2, 250, 250, area(-2, true)},
        {u"1,5 л", -1, 1.5, Exact(Rational(3, 2)), volume(-1, true)},
        {u"1,5 л", -2, 1500, 1500, volume(-2, true)},
        {u"9 km³", -3, 9e18, 9'000'000'000'000'000'000, volume(-3)},
        {u"(0,1+0,2) dm", -1, 0.1 + 0.2, Exact(Rational(3, 10)), length(-1)},  // not converted
        {u"70π dm", -2, 70 * pi * 10, Exact(700) * Exact::pi(), length(-2)},
        {u"3√2 dm", -2, 0x1.5369480174810p+5, Exact(30) * sqrt(Exact(2)), length(-2)},
        {u"1/3 m", -1, 0x1.aaaaaaaaaaaaap+1, Exact(Rational(10, 3)), length(-1)},
        {u"10 km³", -3, 1e19, Exact::none(), volume(-3)},  // past 64 bits: no exact form
        {u"1e300 km³", -3, 0, Exact::none(), volume(-3), true},
    };
    for (const Row& r : rows) {
        INFO(utf8(r.text), " to 10^", r.to);
        const platform::Reading typed = platform::readNumber(r.text);
        REQUIRE(typed.unit.has_value());
        const auto error = errorOf([&] {
            const platform::Reading reading = platform::convert(typed, *typed.unit, r.to);
            CHECK_BITS(reading.value, r.value);
            CHECK(reading.exact.exact() == r.exact.exact());
            if (r.exact.exact()) CHECK(reading.exact == r.exact);
            CHECK_MESSAGE(reading.unit == r.unit, describe(reading.unit));
        });
        CHECK(error.has_value() == r.overflow);
        if (error) CHECK(error->failure() == platform::Failure::Overflow);
    }
}
