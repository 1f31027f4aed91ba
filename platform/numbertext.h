// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "exact.h"
#include "units.h"

namespace platform {

// π as every result uses it: the textbook's 15 digits, not the double
// nearest π (0x400921FB54442D18): changing it changes every last bit.
inline constexpr double PI_14 = 3.14159265358979;

// Space, tab, the line breaks, and the no-break and separator spaces: what
// a number text may hold anywhere.
constexpr bool isSpace(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r') || c == u'\u00A0' || c == u'\u202F' ||
           c == u'\u2028' || c == u'\u2029';
}

// Latin, Greek and Cyrillic letters: one right after "pi", "п" or a unit
// makes it part of a word.
constexpr bool isLetter(char16_t c) {
    const char16_t lower = c | 0x20;
    return (lower >= u'a' && lower <= u'z') ||
           (c >= u'\u00C0' && c <= u'\u052F' && c != u'\u00D7' && c != u'\u00F7');
}

// Whether `c` goes on a word, a number or a power: a letter, a digit, '^' or
// a superscript digit. A unit ends before none of them ("m" in "mi" is no
// unit); a number it follows leaves it unread ("5 литра", "4π²").
constexpr bool goesOn(char16_t c) {
    return isLetter(c) || (c >= u'0' && c <= u'9') || c == u'^' || c == u'\u00B2' ||
           c == u'\u00B3' || c == u'\u00B9' || (c >= u'\u2070' && c <= u'\u2079');
}

// What a typed text says: the double as the calculation uses it, and the
// same number exactly as typed: none where Exact cannot hold it (a
// decimal whose digits do not fit in 64 bits), and for a text of more than
// 100 numbers, operators and roots, which no textbook writes. `unit` is the
// unit typed after the number, if any; value and exact are in it as typed.
struct Reading {
    double value = 0;
    Exact exact;
    std::optional<Unit> unit = std::nullopt;
    // The characters read: the number, its unit and the white space after;
    // what follows them is no part of it.
    std::size_t length = 0;
    bool number = false;  // false where nothing was read: "abc", "" give 0
};

// Reads a number as a textbook writes it at the start of a typed text.
// White space anywhere is skipped. An optional sign, then a product:
// factors joined by '*', U+00B7, U+00D7, U+22C5, '/' or nothing (before π,
// a root or a bracket). A factor is a number as toNumber reads it; π as
// "π", "pi" in any case or the Cyrillic "п" or "пи" (the last three only
// when no letter follows at once); U+221A and the signed factor after it; or a
// bracketed sum of such products with signs between them. The value is
// worked out left to right as written, each step one rounding checked as
// Checked does (a zero divisor, a negative radicand or an overflow throws
// CalculationError), π as PI_14, the sign applied last. Reading stops
// where the text can go no further: an operator or a bracket that nothing
// completes is not read, nor what lies more than 100 brackets and roots
// deep. After a number, with white space or none between, a unit as
// readUnit reads it is reported, not applied; the text after it is not read
// (`length` tells where it starts). White space before digits and '/' ends
// a number, but for a group of three: "2 3/4" reads 2, "10 000/4" 2500.
// Time is linear in the text.
// Example: readNumber(u"3√2 см") is {3 * 1.4142135623730951, 3√2, см};
// readNumber(u"70π").value == 70 * PI_14; readNumber(u"3/").value == 3.
Reading readNumber(std::u16string_view text);

// readNumber(text).value. A number, the same in every locale, reads so:
// white space anywhere is skipped (space, tab, line breaks, U+00A0, U+202F,
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
