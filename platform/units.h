// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace platform {

struct Reading;  // numbertext.h

// What a unit measures, as the power of a length it is.
enum class Dimension { Length = 1, Area = 2, Volume = 3 };

// A unit as typed after a quantity.
// Example: "см²" is {Dimension::Area, -2, false, true}.
struct Unit {
    Dimension dimension = Dimension::Length;
    int exponent = 0;       // its length's power of ten in metres: mm -3, cm -2, dm -1, m 0, km 3
    bool litres = false;    // written as litres: l and л are dm³, ml and мл are cm³
    bool cyrillic = false;  // typed in Cyrillic, so written back so
    bool operator==(const Unit&) const = default;
};

// The unit as the program writes it: "cm", "см²", "dm³", "l", "мл", "km²";
// a litre unit other than dm³ or cm³ as its cube; empty for an exponent no
// length here has.
// Example: unitText({Dimension::Volume, -1, true, true}) == u"л".
std::u16string unitText(Unit unit);

// The unit at the start of `text` after any white space, and how many
// characters it takes with that space: mm cm dm m km and мм см дм м км; an
// area as a length with "²", "2" or "^2" right after it, or "кв." and a
// length with or without space between ("кв. см"); a volume likewise with
// "³", "3", "^3" or "куб."; l and л (dm³), ml and мл (cm³). Lower case
// only, as textbooks write them ("Cm", "CM" are none). The longest such
// form counts, and only where no letter, digit, '²', '³' or '^' follows at
// once: "meters", "mi", "m23", "пъти" are no unit.
// Example: readUnit(u" кв.см.") is {{Dimension::Area, -2, false, true}, 6}.
std::optional<std::pair<Unit, std::size_t>> readUnit(std::u16string_view text);

// `reading`, typed in `from`, in the length unit 10^`to` m, the smaller
// one (to <= from.exponent): its exact value times 10^n, n = d·(from.exponent
// − to) with d the dimension's power. The double: where the exact value is
// a decimal (a rational whose denominator is 2^a·5^b), the double nearest
// the converted decimal, as if it had been typed in the new unit ("0,07 m"
// in cm is 7, not 0.07·100); otherwise value × 10^n, one checked
// multiplication (an overflow throws CalculationError(Overflow)). With n = 0
// value and exact are kept as read. The result's unit is
// {from.dimension, to, false, from.cyrillic}. An n outside 0…18, which no
// two units here are apart, throws CalculationError(Overflow) too.
// Example: convert(readNumber(u"0,2 m"), *that.unit, -1).value == 2.
Reading convert(const Reading& reading, Unit from, int to);

}  // namespace platform
