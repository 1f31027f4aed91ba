// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: reading any text, and writing any double, must agree
// with C's own strtod (on the normalised text of a plain number) and
// "%.15G", and what is written must read back; products, roots and brackets
// read without a fault, and a unit after them changes no number. The browser's build of the same
// functions (C's strtod and printf behind them) must agree with them bit for bit.
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/calculationerror.h"
#include "platform/numbertext.h"

namespace platform {
double toNumberThroughC(std::u16string_view text);
std::u16string toTextThroughC(double value, char16_t separator);
}  // namespace platform

namespace {

[[noreturn]] void fault(const char* what, const std::string& detail) {
    std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
    std::abort();
}

// Lenient UTF-8: a bad byte becomes U+FFFD, as a text box would show it.
std::u16string decode(const std::uint8_t* p, std::size_t n) {
    std::u16string out;
    for (std::size_t i = 0; i < n;) {
        const unsigned c = p[i];
        unsigned len = c < 0x80         ? 1
                       : (c >> 5) == 6  ? 2
                       : (c >> 4) == 14 ? 3
                       : (c >> 3) == 30 ? 4
                                        : 0;
        if (len == 0 || i + len > n) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        unsigned cp = len == 1 ? c : c & (0x7F >> len);
        for (unsigned k = 1; k < len; ++k) cp = (cp << 6) | (p[i + k] & 0x3F);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += len;
    }
    return out;
}

std::string ascii(const std::u16string& t) {
    std::string s;
    for (char16_t c : t) s += c < 0x80 ? static_cast<char>(c) : '?';
    return s;
}

const std::u16string space = u" \t\n\v\f\r\u00A0\u202F\u2028\u2029";

// The text as C's strtod reads it the way toNumber does: the white space
// toNumber skips taken out, U+2212 as '-', ',' as '.', and strtod's own
// extras (hexadecimal, "inf", "nan") cut where toNumber stops. `from[k]` is
// where the text's character behind s[k] stands, for k up to s.size().
std::string normalised(const std::u16string& t, std::vector<std::size_t>& from) {
    std::string s;
    from.clear();
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char16_t c = t[i];
        if (space.find(c) != space.npos) continue;
        s += c == u'\u2212' ? '-' : c == u',' ? '.' : c < 0x80 ? static_cast<char>(c) : '?';
        from.push_back(i);
    }
    s.resize(std::strlen(s.c_str()));  // strtod stops at a NUL as toNumber does
    const std::size_t sign = !s.empty() && (s[0] == '+' || s[0] == '-') ? 1 : 0;
    if (sign < s.size() && std::strchr("iInN", s[sign]) != nullptr) s.resize(sign);
    if (s.compare(sign, 2, "0x") == 0 || s.compare(sign, 2, "0X") == 0) s.resize(sign + 1);
    from.resize(s.size());
    from.push_back(s.empty() ? 0 : from.back() + 1);
    return s;
}

// Whether the text at `at` goes on as a product ("·3", "π", "√2", "(",
// "/4"): a text of the plain numbers' syntax is one where it does not.
bool goesOnAsProduct(const std::u16string& t, std::size_t at) {
    static const std::u16string starts = u"*/(\u00B7\u00D7\u22C5\u03C0\u221A\u043F\u041F";
    while (at < t.size() && space.find(t[at]) != space.npos) ++at;
    if (at == t.size()) return false;
    const char16_t c = t[at];
    return starts.find(c) != starts.npos ||
           ((c | 0x20) == u'p' && at + 1 < t.size() && (t[at + 1] | 0x20) == u'i');
}

bool nearMax(double x) {
    return std::fabs(x) > 1.797693134862315e308;
}

void checkText(double x) {
    if (!std::isfinite(x)) return;
    char expected[40];
    std::snprintf(expected, sizeof expected, "%.15G", x);
    const std::u16string text = platform::toText(x);
    if (x == 0 ? text != u"0" : ascii(text) != expected) fault("toText", expected);
    if (platform::toTextThroughC(x, u',') != platform::toText(x, u','))
        fault("the C library's toText differs", expected);
    if (nearMax(x)) return;
    if (platform::toText(platform::toNumber(text)) != text) fault("round trip", expected);
    if (platform::toText(platform::toNumber(platform::toText(x, u',')), u',') !=
        platform::toText(x, u','))
        fault("round trip with ','", expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::setlocale(LC_ALL, "C");
    if (size >= 8) {
        double x;
        std::memcpy(&x, data, 8);
        checkText(x);
    }

    const std::u16string text = decode(data, size);
    double value = 0;
    std::optional<platform::Failure> failure;
    try {
        value = platform::toNumber(text);
        if (!std::isfinite(value)) fault("toNumber made a non-finite value", ascii(text));
        checkText(value);
    } catch (const platform::CalculationError& error) {
        failure = error.failure();
    }

    try {
        const double c = platform::toNumberThroughC(text);
        if (failure || std::memcmp(&c, &value, 8) != 0)
            fault("the C library's toNumber differs", ascii(text).substr(0, 200));
    } catch (const platform::CalculationError& error) {
        if (error.failure() != failure)
            fault("only the C library's toNumber fails so", ascii(text).substr(0, 200));
    }

    // A unit after the number is reported, never applied.
    try {
        const platform::Reading reading = platform::readNumber(text);
        if (failure || std::memcmp(&reading.value, &value, 8) != 0)
            fault("readNumber's double differs from toNumber's", ascii(text).substr(0, 200));
        if (reading.unit && platform::unitText(*reading.unit).empty())
            fault("a unit read that cannot be written", ascii(text).substr(0, 200));
    } catch (const platform::CalculationError& error) {
        if (error.failure() != failure)
            fault("only readNumber fails so", ascii(text).substr(0, 200));
    }

    // strtod must read the same from the same text normalised, where the
    // text after the number (or after the sign, when there is none) is no
    // product.
    std::vector<std::size_t> from;
    const std::string plain = normalised(text, from);
    char* stop = nullptr;
    const double expected = std::strtod(plain.c_str(), &stop);
    std::size_t used = static_cast<std::size_t>(stop - plain.c_str());
    if (used == 0 && !plain.empty() && (plain[0] == '+' || plain[0] == '-')) used = 1;
    if (goesOnAsProduct(text, from[used])) return 0;
    const bool overflow = failure == platform::Failure::Overflow;
    if (failure && !overflow) fault("toNumber failure", ascii(text));
    if (std::isinf(expected) != overflow)
        fault("overflow disagrees with strtod", plain.substr(0, 200));
    if (!overflow && std::memcmp(&expected, &value, 8) != 0)
        fault("toNumber disagrees with strtod", plain.substr(0, 200));
    return 0;
}
