// SPDX-License-Identifier: GPL-3.0-or-later
#include "rounding.h"

#include <charconv>
#include <cstdlib>
#include <string_view>

#if !defined(__cpp_lib_to_chars) || defined(CYLINDER_C_NUMBER_TEXT)
#define CYLINDER_USE_C_LIBRARY 1
#include <clocale>
#include <cstdio>
#endif

namespace platform {

namespace {

// A double's fraction never has more digits than this, so a fixed text
// this long is its exact value.
constexpr int AllDigits = 1080;
// Checked first: beyond a tie, this many digits decide which way to round.
constexpr int FewDigits = 25;

// `value` in fixed notation with `precision` digits after '.', correctly
// rounded; the buffer holds any double so.
std::string_view fixed(double value, int precision, char (&buffer)[1500]) {
#ifndef CYLINDER_USE_C_LIBRARY
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision)
            .ptr;
    return {buffer, static_cast<std::size_t>(end - buffer)};
#else
    const int n = std::snprintf(buffer, sizeof buffer, "%.*f", precision, value);
    const char* point = std::localeconv()->decimal_point;
    for (int i = 0; i < n; ++i)
        if (buffer[i] == point[0]) buffer[i] = '.';
    return {buffer, static_cast<std::size_t>(n)};
#endif
}

// `digits` (a sign, digits, '.', digits) cut after `places` fraction
// digits and one added in the last place when `up`.
std::u16string written(std::string_view digits, int places, bool up, char16_t separator) {
    const bool negative = digits.front() == '-';
    std::string kept(digits.substr(negative ? 1 : 0));
    kept.resize(kept.find('.') + static_cast<std::size_t>(places) + 1);
    if (kept.back() == '.') kept.pop_back();
    for (std::size_t i = kept.size(); up && i-- > 0;) {
        if (kept[i] == '.') continue;
        up = kept[i] == '9';
        kept[i] = up ? '0' : static_cast<char>(kept[i] + 1);
    }
    if (up) kept.insert(kept.begin(), '1');
    std::u16string out;
    if (negative && kept.find_first_not_of("0.") != std::string::npos) out += u'-';
    for (const char c : kept) out += c == '.' ? separator : static_cast<char16_t>(c);
    return out;
}

// Whether the digits after `places` in `digits` are at least a half.
bool halfOrMore(std::string_view digits, int places) {
    const std::size_t at = digits.find('.') + static_cast<std::size_t>(places) + 1;
    return at < digits.size() && digits[at] >= '5';
}

}  // namespace

std::u16string toFixed(double value, int places, char16_t separator) {
    char buffer[1500];
    std::string_view digits = fixed(value, places + FewDigits, buffer);
    const std::string_view tail = digits.substr(digits.size() - FewDigits);
    // Only a tail of 5 and zeros may have come from either side of a half.
    if (tail.find_first_not_of('0', 1) == std::string_view::npos && tail[0] == '5') {
        digits = fixed(value, AllDigits, buffer);
    }
    return written(digits, places, halfOrMore(digits, places), separator);
}

std::optional<std::u16string> toFixed(const Rational& value, int places, char16_t separator) {
    long long scaled = value.numerator() < 0 ? -value.numerator() : value.numerator();
    for (int i = 0; i < places; ++i)
        if (__builtin_mul_overflow(scaled, 10LL, &scaled)) return std::nullopt;
    const long long d = value.denominator();
    long long whole = scaled / d;
    if (scaled % d >= d - scaled % d) ++whole;  // a half or more goes up
    std::string digits = std::to_string(whole);
    if (places > 0) {
        if (digits.size() <= static_cast<std::size_t>(places))
            digits.insert(0, static_cast<std::size_t>(places) + 1 - digits.size(), '0');
        digits.insert(digits.size() - static_cast<std::size_t>(places), 1, '.');
    }
    if (value.numerator() < 0 && whole != 0) digits.insert(0, 1, '-');
    return written(digits + (places > 0 ? "" : "."), places, false, separator);
}

}  // namespace platform
