// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Reads the number at the start of a typed text, the same in every locale.
// White space anywhere is skipped (space, tab, line breaks, U+00A0, U+202F,
// U+2028, U+2029); then an optional sign ('+', '-' or U+2212), digits with
// at most one separator ('.' or ','), and an optional exponent ('e' or 'E',
// an optional sign, at least one digit). Reading stops at the first
// character that does not fit; what was read is the number, nothing read
// is 0. The result is the double nearest to the decimal read, correctly
// rounded for texts of any length, in time linear in the text. A magnitude
// beyond the largest double throws CalculationError(Overflow); one below
// the smallest reads as a zero of its sign.
// Example: toNumber(u"2,5 см") == 2.5; toNumber(u"abc") == 0.
double toNumber(std::u16string_view text);

// The general decimal text of a finite value: correctly rounded to at most
// 15 significant digits, without trailing zeros or a trailing separator;
// scientific form with a signed exponent of at least two digits ("1E+15",
// "1E-05") when the decimal exponent is below -4 or at least 15, as C's
// "%.15G". `separator` is the decimal separator; -0 shows as "0".
// Example: toText(62.83185307179582, u',') == u"62,8318530717958".
std::u16string toText(double value, char16_t separator = u'.');

}  // namespace platform
