// SPDX-License-Identifier: GPL-3.0-or-later
#include "units.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "checked.h"
#include "numbertext.h"

namespace platform {

namespace {

struct Length {
    std::u16string_view text;
    int exponent;
    bool cyrillic;
};

constexpr Length kLengths[] = {
    {u"mm", -3, false}, {u"cm", -2, false}, {u"dm", -1, false}, {u"m", 0, false}, {u"km", 3, false},
    {u"мм", -3, true},  {u"см", -2, true},  {u"дм", -1, true},  {u"м", 0, true},  {u"км", 3, true},
};

struct Power {
    std::u16string_view text;
    Dimension dimension;
};

// Right after a length; the first of each dimension is how it is written.
constexpr Power kPowers[] = {
    {u"", Dimension::Length},   {u"²", Dimension::Area},   {u"2", Dimension::Area},
    {u"^2", Dimension::Area},   {u"³", Dimension::Volume}, {u"3", Dimension::Volume},
    {u"^3", Dimension::Volume},
};

// Before a length, white space or none between.
constexpr Power kWords[] = {{u"кв.", Dimension::Area}, {u"куб.", Dimension::Volume}};

struct Litre {
    std::u16string_view text;
    Unit unit;
};

constexpr Litre kLitres[] = {
    {u"l", {.dimension = Dimension::Volume, .exponent = -1, .litres = true, .cyrillic = false}},
    {u"л", {.dimension = Dimension::Volume, .exponent = -1, .litres = true, .cyrillic = true}},
    {u"ml", {.dimension = Dimension::Volume, .exponent = -2, .litres = true, .cyrillic = false}},
    {u"мл", {.dimension = Dimension::Volume, .exponent = -2, .litres = true, .cyrillic = true}},
    // The SI's other symbols, read and written as the first.
    {u"L", {.dimension = Dimension::Volume, .exponent = -1, .litres = true, .cyrillic = false}},
    {u"mL", {.dimension = Dimension::Volume, .exponent = -2, .litres = true, .cyrillic = false}},
};

// A unit ends where no letter, digit or power goes on: "m" in "mi" or
// "m23" is none.
bool ends(std::u16string_view rest) {
    return rest.empty() || !goesOn(rest.front());
}

// 10^n for n in 0…18, where long long and double both hold it exactly.
constexpr int kLargestPower = 18;

long long powerOfTen(int n) {
    long long power = 1;
    for (int i = 0; i < n; ++i) power *= 10;
    return power;
}

// The double nearest p/q, q = 2^a·5^b, read from its decimal text as if
// typed: p·2^(m−a)·5^(m−b) · 10^−m with m = max(a, b). Nothing for any
// other q. `negative` gives the sign of a zero.
std::optional<double> nearestDecimal(const Rational& r, bool negative) {
    long long q = r.denominator();
    int twos = 0, fives = 0;
    for (; q % 2 == 0; q /= 2) ++twos;
    for (; q % 5 == 0; q /= 5) ++fives;
    if (q != 1) return std::nullopt;
    const int m = std::max(twos, fives);
    const long long p = r.numerator();
    auto magnitude =
        p < 0 ? 0ULL - static_cast<unsigned long long>(p) : static_cast<unsigned long long>(p);
    std::u16string digits;  // least significant first
    do {
        digits += static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    const auto times = [&digits](unsigned factor, int count) {
        for (; count > 0; --count) {
            unsigned carry = 0;
            for (char16_t& d : digits) {
                const unsigned x = (d - u'0') * factor + carry;
                d = static_cast<char16_t>(u'0' + x % 10);
                carry = x / 10;
            }
            if (carry != 0) digits += static_cast<char16_t>(u'0' + carry);
        }
    };
    times(2, m - twos);
    times(5, m - fives);
    std::reverse(digits.begin(), digits.end());
    if (p < 0 || (p == 0 && negative)) digits.insert(digits.begin(), u'-');
    const std::string exponent = std::to_string(m);
    digits += u"e-";
    digits.append(exponent.begin(), exponent.end());
    return toNumber(digits);
}

}  // namespace

std::u16string unitText(Unit unit) {
    if (unit.litres)
        for (const Litre& l : kLitres)
            if (l.unit == unit) return std::u16string(l.text);
    for (const Length& length : kLengths) {
        if (length.exponent != unit.exponent || length.cyrillic != unit.cyrillic) continue;
        std::u16string text(length.text);
        for (const Power& power : kPowers)
            if (power.dimension == unit.dimension) return text.append(power.text);
    }
    return {};
}

std::optional<std::pair<Unit, std::size_t>> readUnit(std::u16string_view text) {
    std::size_t start = 0;
    while (start < text.size() && isSpace(text[start])) ++start;
    const std::u16string_view rest = text.substr(start);
    std::optional<std::pair<Unit, std::size_t>> best;
    const auto consider = [&](Unit unit, std::size_t length) {
        if (ends(rest.substr(length)) && (!best || start + length > best->second))
            best = {unit, start + length};
    };
    for (const Litre& l : kLitres)
        if (rest.starts_with(l.text)) consider(l.unit, l.text.size());
    for (const Length& length : kLengths) {
        if (!rest.starts_with(length.text)) continue;
        const std::u16string_view after = rest.substr(length.text.size());
        for (const Power& power : kPowers)
            if (after.starts_with(power.text))
                consider({power.dimension, length.exponent, false, length.cyrillic},
                         length.text.size() + power.text.size());
    }
    for (const Power& word : kWords) {
        if (!rest.starts_with(word.text)) continue;
        std::size_t at = word.text.size();
        while (at < rest.size() && isSpace(rest[at])) ++at;
        for (const Length& length : kLengths)
            if (rest.substr(at).starts_with(length.text))
                consider({word.dimension, length.exponent, false, length.cyrillic},
                         at + length.text.size());
    }
    return best;
}

Reading convert(const Reading& reading, Unit from, int to) {
    const Unit unit{from.dimension, to, false, from.cyrillic};
    const int n = static_cast<int>(from.dimension) * (from.exponent - to);
    if (n < 0 || n > kLargestPower) fail(Failure::Overflow);
    if (n == 0) return {reading.value, reading.exact, unit};
    const long long power = powerOfTen(n);
    Exact exact = reading.exact * Exact(power);
    if (const std::optional<Rational> r = exact.rational())
        if (const auto value = nearestDecimal(*r, std::signbit(reading.value)))
            return {*value, std::move(exact), unit};
    const double value = (Checked(reading.value) * Checked(static_cast<double>(power))).value();
    return {value, std::move(exact), unit};
}

}  // namespace platform
