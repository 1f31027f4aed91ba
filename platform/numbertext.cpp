// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbertext.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

// Where the C++ library cannot convert doubles (emscripten's libc++), the C
// library's correctly rounded strtod and printf do the same job.
#if !defined(__cpp_lib_to_chars) || defined(CYLINDER_C_NUMBER_TEXT)
#define CYLINDER_USE_C_LIBRARY 1
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#endif

#include "calculationerror.h"

namespace platform {

namespace {

// Space, tab, the line breaks, and the no-break and separator spaces.
bool isSpace(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r') || c == u'\u00A0' || c == u'\u202F' ||
           c == u'\u2028' || c == u'\u2029';
}

// Walks the text; white space between any two characters is skipped.
class Reader {
public:
    explicit Reader(std::u16string_view text) : pos_(text.data()), end_(pos_ + text.size()) {}

    // The next character that is not white space, or '\0' at the end.
    char16_t peek() {
        while (isSpace(current())) ++pos_;
        return current();
    }
    // The next character, white space or not.
    char16_t current() const { return pos_ != end_ ? *pos_ : u'\0'; }
    void next() { ++pos_; }
    // Takes a sign if there is one; returns true for minus.
    bool takeSign() {
        const char16_t c = peek();
        if (c == u'-' || c == u'\u2212') {
            next();
            return true;
        }
        if (c == u'+') next();
        return false;
    }

private:
    const char16_t* pos_;
    const char16_t* end_;
};

#ifndef CYLINDER_USE_C_LIBRARY

// Reads [first, last) as std::from_chars does, in the general format.
std::from_chars_result readAscii(char* first, char* last, double& value) {
    return std::from_chars(first, last, value);
}

// Writes `value` as "%.15g" does; `last - first` is at least 32.
char* writeAscii(char* first, char* last, double value) {
    return std::to_chars(first, last, value, std::chars_format::general, 15).ptr;
}

#else

// The locale's decimal point: glibc's strtod and printf follow it, musl's
// always use '.'.
char localePoint() {
    const char* point = std::localeconv()->decimal_point;
    return point[0] != '\0' && point[1] == '\0' ? point[0] : '.';
}

// As std::from_chars on [first, last); *last must be writable. strtod's
// extras (spaces, '+', hexadecimal, "inf") never reach it: callers hand it
// only signs, digits, '.' and an exponent.
std::from_chars_result readAscii(char* first, char* last, double& value) {
    *last = '\0';
    const char point = localePoint();
    if (point != '.') std::replace(first, last, '.', point);
    errno = 0;
    char* stop = nullptr;
    const double read = std::strtod(first, &stop);
    if (stop == first) return {first, std::errc::invalid_argument};
    // ERANGE also flags subnormals, which are read exactly as they are.
    if (errno == ERANGE && (read == 0.0 || std::isinf(read)))
        return {stop, std::errc::result_out_of_range};
    value = read;
    return {stop, std::errc{}};
}

char* writeAscii(char* first, char* last, double value) {
    const int n = std::snprintf(first, static_cast<std::size_t>(last - first), "%.15g", value);
    char* end = first + n;
    const char point = localePoint();
    if (point != '.') std::replace(first, end, point, '.');
    return end;
}

#endif

unsigned digitOf(char16_t c) {
    return static_cast<unsigned>(c) - u'0';  // 10 or more when c is no digit
}

// A decimal of more than 767 significant digits rounds as its first 767
// do, plus whether any later digit is nonzero: past this many digits only
// that is kept.
constexpr std::int64_t kKeptDigits = 800;
// Exponent digits past this are saturated: the value is decided already.
constexpr std::int64_t kExponentCap = std::int64_t{1} << 40;

// The usual text (a sign, digits, one separator) straight to the library:
// true when it took the whole text. Anything else goes the long way.
bool readPlain(std::u16string_view text, double& value) {
    char ascii[41];  // and a terminating NUL
    if (text.size() >= sizeof ascii) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (digitOf(c) < 10)
            ascii[i] = static_cast<char>(c);
        else if (c == u'.' || c == u',')
            ascii[i] = '.';
        else if (c == u'-' || c == u'\u2212')
            ascii[i] = '-';
        else
            return false;
    }
    char* end = ascii + text.size();
    const auto [stop, error] = readAscii(ascii, end, value);
    return error == std::errc{} && stop == end;
}

}  // namespace

double toNumber(std::u16string_view text) {
    if (double value; readPlain(text, value)) return value;
    Reader in(text);
    const bool negative = in.takeSign();

    // What was read goes to `ascii` as the library reads it: the significant
    // digits with '.' where the separator stood, then any exponent.
    char ascii[kKeptDigits + 32];
    char* out = ascii;
    std::int64_t count = 0;     // significant digits read
    std::int64_t pointAt = -1;  // significant digits before the separator
    std::int64_t exponent = 0;  // what the digits kept do not say
    bool anyDigit = false;
    bool nonzeroDropped = false;
    for (;; in.next()) {
        const char16_t c = in.current();  // digits first: white space is rare
        const unsigned d = digitOf(c);
        if (d < 10) {
            anyDigit = true;
            if (count == 0 && d == 0) {
                if (pointAt >= 0) --exponent;  // a leading zero after the separator
                continue;
            }
            if (count < kKeptDigits) {
                *out++ = static_cast<char>(c);
            } else {
                nonzeroDropped |= d != 0;
                if (pointAt < 0) ++exponent;  // a dropped digit before the separator
            }
            ++count;
        } else if ((c == u'.' || c == u',') && pointAt < 0) {
            pointAt = count;
            if (count <= kKeptDigits) *out++ = '.';
        } else if (!isSpace(c)) {
            break;
        }
    }
    if (!anyDigit) return 0.0;
    const double zero = negative ? -0.0 : 0.0;
    if (count == 0) return zero;
    if (nonzeroDropped) {
        if (pointAt < 0 || pointAt > kKeptDigits) *out++ = '.';
        *out++ = '1';
    }

    // An optional exponent; "5e" adds nothing.
    const char16_t e = in.peek();
    if (e == u'e' || e == u'E') {
        in.next();
        const bool negativeExponent = in.takeSign();
        std::int64_t value = 0;
        for (unsigned d; (d = digitOf(in.peek())) < 10; in.next())
            if (value < kExponentCap) value = value * 10 + d;
        exponent += negativeExponent ? -value : value;
    }
    if (exponent != 0) {
        *out++ = 'e';
        out = std::to_chars(out, ascii + sizeof ascii, exponent).ptr;
    }

    double value = 0.0;
    if (readAscii(ascii, out, value).ec == std::errc::result_out_of_range) {
        const std::int64_t whole = pointAt >= 0 ? pointAt : count;  // digits before the point
        if (exponent + std::min(whole, kKeptDigits) > 0) throw CalculationError(Failure::Overflow);
        return zero;
    }
    return negative ? -value : value;
}

std::u16string toText(double value, char16_t separator) {
    if (value == 0.0) return u"0";  // -0 as well

    // At most "-1.23456789012346e-308": 22 characters.
    char written[32];
    const char* end = writeAscii(written, written + sizeof written, value);
    std::u16string text(static_cast<const char*>(written), end);
    const std::string_view ascii(written, static_cast<std::size_t>(end - written));
    if (const auto at = ascii.find('.'); at != std::string_view::npos) text[at] = separator;
    if (const auto at = ascii.find('e'); at != std::string_view::npos) text[at] = u'E';
    return text;
}

}  // namespace platform
