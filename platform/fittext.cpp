// SPDX-License-Identifier: GPL-3.0-or-later
#include "fittext.h"

#include <string>

#include "calculationerror.h"
#include "numbertext.h"

namespace platform {

namespace {

// A number as d1.d2d3... × 10^exponent, without leading or trailing zeros;
// zero has no digits.
struct Decimal {
    bool negative = false;
    std::u16string digits;
    int exponent = 0;
};

// True when toText wrote `text`: only such texts are read back below.
bool isOwnForm(std::u16string_view text, char16_t separator) {
    try {
        return toText(toNumber(text), separator) == text;
    } catch (const CalculationError&) {
        return false;  // beyond the largest double: typed, not written
    }
}

// The decimal toText wrote as `text`. Rounding these digits, not the double
// they stand for, rounds the number the box holds: "2.675" gives "2.68".
Decimal read(std::u16string_view text) {
    Decimal d;
    std::size_t i = 0;
    if (text[i] == u'-') {
        d.negative = true;
        ++i;
    }
    int whole = 0;    // digits before the separator
    int leading = 0;  // zeros before the first other digit
    bool afterPoint = false;
    for (; i < text.size() && text[i] != u'E'; ++i) {
        const char16_t c = text[i];
        if (c < u'0' || c > u'9') {
            afterPoint = true;
            continue;
        }
        if (!afterPoint) ++whole;
        if (d.digits.empty() && c == u'0')
            ++leading;
        else
            d.digits += c;
    }
    int written = 0;
    if (i < text.size()) {  // "E", a sign, digits
        const bool negative = text[i + 1] == u'-';
        for (i += 2; i < text.size(); ++i) written = written * 10 + (text[i] - u'0');
        if (negative) written = -written;
    }
    while (!d.digits.empty() && d.digits.back() == u'0') d.digits.pop_back();
    d.exponent = whole - 1 - leading + written;
    return d;
}

// `d` rounded half away from zero to at most `count` digits.
Decimal rounded(Decimal d, std::size_t count) {
    if (d.digits.size() <= count) return d;
    const bool up = d.digits[count] >= u'5';
    d.digits.resize(count);
    if (up) {
        std::size_t end = count;
        while (end > 0 && d.digits[end - 1] == u'9') --end;
        if (end == 0) {  // 9.99 -> 10
            d.digits = u"1";
            ++d.exponent;
        } else {
            ++d.digits[end - 1];
            d.digits.resize(end);
        }
    }
    while (d.digits.back() == u'0') d.digits.pop_back();
    return d;
}

// `d` (not zero) in toText's form for `count` significant digits, as C's
// "%.{count}G" with `separator`.
std::u16string written(const Decimal& d, int count, char16_t separator) {
    std::u16string text = d.negative ? u"-" : u"";
    const std::u16string_view digits = d.digits;
    const int e = d.exponent;
    if (e < -4 || e >= count) {
        text += digits[0];
        if (digits.size() > 1) {
            text += separator;
            text += digits.substr(1);
        }
        text += e < 0 ? u"E-" : u"E+";
        const std::string magnitude = std::to_string(e < 0 ? -e : e);
        if (magnitude.size() < 2) text += u'0';
        text.append(magnitude.begin(), magnitude.end());
    } else if (e < 0) {
        text += u'0';
        text += separator;
        text.append(static_cast<std::size_t>(-e - 1), u'0');
        text += digits;
    } else {
        const auto wholeDigits = static_cast<std::size_t>(e) + 1;
        text += digits.substr(0, wholeDigits);
        if (digits.size() < wholeDigits) text.append(wholeDigits - digits.size(), u'0');
        if (digits.size() > wholeDigits) {
            text += separator;
            text += digits.substr(wholeDigits);
        }
    }
    return text;
}

}  // namespace

std::u16string fitNumberText(std::u16string_view text, char16_t separator,
                             const std::function<bool(std::u16string_view)>& fits) {
    if (fits(text) || !isOwnForm(text, separator)) return std::u16string(text);
    const Decimal number = read(text);
    if (!number.digits.empty()) {
        for (int count = 15; count >= 1; --count) {
            std::u16string shorter =
                written(rounded(number, static_cast<std::size_t>(count)), count, separator);
            if (fits(shorter)) return shorter;
        }
    }
    // No longer than the text: the run ends even where `fits` takes anything.
    std::u16string marks;
    while (marks.size() < text.size() && fits(marks + u'#')) marks += u'#';
    return marks;
}

}  // namespace platform
