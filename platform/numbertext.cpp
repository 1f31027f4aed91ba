#include "numbertext.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

#include "calculationerror.h"

namespace platform {

namespace {

bool isSpace(char16_t c) {
    switch (c) {
        case u' ':
        case u'\t':
        case u'\n':
        case u'\r':
        case u'\v':
        case u'\f':
        case u'\u00A0':
        case u'\u202F':
        case u'\u2028':
        case u'\u2029':
            return true;
        default:
            return false;
    }
}

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Walks the text, skipping white space between any two characters.
class Reader {
public:
    explicit Reader(std::u16string_view text) : text_(text) { skipSpace(); }

    char16_t peek() const { return pos_ < text_.size() ? text_[pos_] : u'\0'; }
    void next() {
        ++pos_;
        skipSpace();
    }
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
    std::size_t position() const { return pos_; }
    void rewind(std::size_t pos) { pos_ = pos; }

private:
    void skipSpace() {
        while (pos_ < text_.size() && isSpace(text_[pos_])) ++pos_;
    }

    std::u16string_view text_;
    std::size_t pos_ = 0;
};

// Beyond these scientific exponents (of 0.d1d2... x 10^e) the value is
// surely out of range or surely below half the smallest subnormal.
constexpr std::int64_t kOverflowExponent = 310;
constexpr std::int64_t kZeroExponent = -330;
// Exponent digits past this are saturated: the value is decided already.
constexpr std::int64_t kExponentCap = std::int64_t{1} << 40;

}  // namespace

double toNumber(std::u16string_view text) {
    Reader in(text);
    const bool negative = in.takeSign();

    // Significant digits as "0.<digits>e<exponent>", leading zeros dropped.
    std::string digits = "0.";
    digits.reserve(32);
    std::int64_t exponent = 0;  // of 0.<digits>
    bool anyDigit = false;
    bool seenSeparator = false;
    for (;;) {
        const char16_t c = in.peek();
        if (isDigit(c)) {
            anyDigit = true;
            if (digits.size() > 2 || c != u'0') {
                digits += static_cast<char>(c);
                if (!seenSeparator) ++exponent;
            } else if (seenSeparator) {
                --exponent;  // a leading zero after the separator
            }
        } else if ((c == u'.' || c == u',') && !seenSeparator) {
            seenSeparator = true;
        } else {
            break;
        }
        in.next();
    }
    if (!anyDigit) return 0.0;

    const char16_t e = in.peek();
    if (e == u'e' || e == u'E') {
        const std::size_t mark = in.position();
        in.next();
        const bool negativeExponent = in.takeSign();
        if (isDigit(in.peek())) {
            std::int64_t value = 0;
            while (isDigit(in.peek())) {
                if (value < kExponentCap) value = value * 10 + (in.peek() - u'0');
                in.next();
            }
            exponent += negativeExponent ? -value : value;
        } else {
            in.rewind(mark);  // "5e" is 5
        }
    }

    const double zero = negative ? -0.0 : 0.0;
    if (digits.size() == 2) return zero;
    if (exponent > kOverflowExponent) throw CalculationError(Failure::Overflow);
    if (exponent < kZeroExponent) return zero;

    digits += 'e';
    digits += std::to_string(exponent);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        if (exponent > 0) throw CalculationError(Failure::Overflow);
        return zero;
    }
    return negative ? -value : value;
}

std::u16string toText(double value, char16_t separator) {
    if (value == 0.0) return u"0";  // -0 as well

    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, 15);
    std::u16string text;
    text.reserve(static_cast<std::size_t>(result.ptr - buffer));
    for (const char* p = buffer; p != result.ptr; ++p) {
        switch (*p) {
            case '.':
                text += separator;
                break;
            case 'e':
                text += u'E';
                break;
            default:
                text += static_cast<char16_t>(*p);
        }
    }
    return text;
}

}  // namespace platform
