#include "numbertext.h"

#include <algorithm>
#include <bit>
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

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

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

// The powers of ten that a double holds exactly.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

}  // namespace

namespace {

struct Mantissa {
    std::int64_t exponent = 0;  // of 0.<significant digits>
    std::int64_t count = 0;     // significant digits, leading zeros dropped
    bool anyDigit = false;
};

// Reads digits with at most one separator, handing each significant digit
// to `onDigit`.
template <typename OnDigit>
Mantissa readMantissa(Reader& in, OnDigit onDigit) {
    Mantissa m;
    bool seenSeparator = false;
    for (;;) {
        const char16_t c = in.peek();
        if (isDigit(c)) {
            m.anyDigit = true;
            if (m.count > 0 || c != u'0') {
                onDigit(static_cast<char>(c));
                ++m.count;
                if (!seenSeparator) ++m.exponent;
            } else if (seenSeparator) {
                --m.exponent;  // a leading zero after the separator
            }
        } else if ((c == u'.' || c == u',') && !seenSeparator) {
            seenSeparator = true;
        } else {
            break;
        }
        in.next();
    }
    return m;
}

// An optional exponent; "5e" leaves the 'e' unread and adds nothing.
std::int64_t readExponent(Reader& in) {
    const char16_t e = in.peek();
    if (e != u'e' && e != u'E') return 0;
    const std::size_t mark = in.position();
    in.next();
    const bool negative = in.takeSign();
    if (!isDigit(in.peek())) {
        in.rewind(mark);
        return 0;
    }
    std::int64_t value = 0;
    while (isDigit(in.peek())) {
        if (value < kExponentCap) value = value * 10 + (in.peek() - u'0');
        in.next();
    }
    return negative ? -value : value;
}

}  // namespace

double toNumber(std::u16string_view text) {
    Reader in(text);
    const bool negative = in.takeSign();
    const std::size_t start = in.position();

    std::uint64_t mantissa = 0;  // exact while at most 19 digits
    Mantissa m = readMantissa(in, [&](char c) { mantissa = mantissa * 10 + (c - '0'); });
    if (!m.anyDigit) return 0.0;
    const std::int64_t exponent = m.exponent + readExponent(in);

    const double zero = negative ? -0.0 : 0.0;
    if (m.count == 0) return zero;
    if (exponent > kOverflowExponent) throw CalculationError(Failure::Overflow);
    if (exponent < kZeroExponent) return zero;

    // Exact fast path: an integer below 2^53 times or divided by an exact
    // power of ten is one correctly rounded operation.
    const std::int64_t scale = exponent - m.count;  // value = mantissa x 10^scale
    if (m.count <= 15 && scale >= -22 && scale <= 22) {
        const auto value = static_cast<double>(mantissa);
        const double scaled =
            scale < 0 ? value / kPowersOfTen[-scale] : value * kPowersOfTen[scale];
        return negative ? -scaled : scaled;
    }

    // Otherwise the library's correctly rounded reading of all the digits.
    std::string number = "0.";
    number.reserve(static_cast<std::size_t>(m.count) + 24);
    in.rewind(start);
    readMantissa(in, [&](char c) { number += c; });
    number += 'e';
    number += std::to_string(exponent);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        if (exponent > 0) throw CalculationError(Failure::Overflow);
        return zero;
    }
    return negative ? -value : value;
}

namespace {

// Rounds the exact value of x to 15 significant digits. Returns the digits
// (no trailing zeros) and the decimal exponent of the first.
struct Digits15 {
    char digits[17];
    int count;
    int exponent;
};

// The exact product a·b as hi + lo (Dekker), with plain operations: the
// build never fuses a multiply and an add, which this relies on.
struct Exact {
    double hi, lo;
};

constexpr double splitHigh(double a) {
    const double c = 134217729.0 * a;  // 2^27 + 1
    return c - (c - a);
}

Exact exactProduct(double a, double b) {
    const double p = a * b;
    const double ah = splitHigh(a);
    const double al = a - ah;
    const double bh = splitHigh(b);
    const double bl = b - bh;
    return {p, (((ah * bh - p) + ah * bl) + al * bh) + al * bl};
}

// For 1e-8 <= x < 1e15: x·10^k lands in [1e14, 1e15) for some k in 0..22,
// where 10^k is exact, so the 15-digit integer is rounded from the exact
// product without any decimal conversion.
bool roundTo15Fast(double x, Digits15& out) {
    if (!(x >= 1e-8 && x < 1e15)) return false;
    // floor(log10 x) from the binary exponent, at most one too small.
    const int binaryExponent =
        static_cast<int>((std::bit_cast<std::uint64_t>(x) >> 52) & 0x7FF) - 1023;
    int k = std::clamp(14 - ((binaryExponent * 78913) >> 18), 0, 22);
    const auto& powers = kPowersOfTen;
    Exact y = exactProduct(x, powers[k]);
    // log10 may be one off next to a power of ten.
    if (y.hi < 1e14 && k < 22) y = exactProduct(x, powers[++k]);
    if (y.hi >= 1e15 && k > 0) y = exactProduct(x, powers[--k]);
    if (y.hi < 1e14 || y.hi >= 1e15) return false;

    // hi is a multiple of its ulp (at most 1/8) and |lo| is at most half of
    // it, so lo only matters when hi lies exactly halfway between integers.
    double n = std::nearbyint(y.hi);  // ties to even, as an exact tie wants
    const double f = y.hi - n;        // exact: both are close
    if (f == 0.5 && y.lo > 0) n += 1;
    if (f == -0.5 && y.lo < 0) n -= 1;
    auto digits = static_cast<std::uint64_t>(n);
    int exponent = 14 - k;
    if (digits == 1000000000000000ULL) {
        digits = 100000000000000ULL;
        ++exponent;
    }
    char text[16];
    for (int i = 14; i >= 0; --i) {
        text[i] = static_cast<char>('0' + digits % 10);
        digits /= 10;
    }
    int count = 15;
    while (count > 1 && text[count - 1] == '0') --count;
    std::copy(text, text + count, out.digits);
    out.count = count;
    out.exponent = exponent;
    return true;
}

// The decimal digits of x in scientific form (shortest round trip when
// `precision` is negative, else precision + 1 correctly rounded digits);
// returns their count and sets the decimal exponent of the first.
int scientificDigits(double x, int precision, char* digits, int& exponent) {
    char buffer[40];
    const auto result = precision < 0 ? std::to_chars(buffer, buffer + sizeof buffer, x,
                                                      std::chars_format::scientific)
                                      : std::to_chars(buffer, buffer + sizeof buffer, x,
                                                      std::chars_format::scientific, precision);
    const char* mark = std::find(buffer, result.ptr, 'e');
    std::from_chars(mark + (mark[1] == '+' ? 2 : 1), result.ptr, exponent);
    int n = 0;
    for (const char* p = buffer; p != mark; ++p)
        if (*p != '.') digits[n++] = *p;
    return n;
}

Digits15 roundTo15(double x) {
    Digits15 out{};
    if (roundTo15Fast(x, out)) return out;
    char digits[20];
    int exponent = 0;
    int n = scientificDigits(x, -1, digits, exponent);

    // Subnormals have too few bits for the shortcut below.
    const bool subnormal = x < std::numeric_limits<double>::min();
    if (n > 15 || subnormal) {
        // The shortest text lies within half an ulp of x (at most 11 units of
        // its 17th digit), so it rounds as x does unless a 15-digit midpoint
        // is that close; then round the exact value itself.
        const int tail = n > 15 ? (digits[15] - '0') * 10 + (n > 16 ? digits[16] - '0' : 0) : 0;
        if (subnormal || (tail >= 38 && tail <= 62)) {
            n = scientificDigits(x, 14, digits, exponent);
        } else {
            n = 15;
            if (tail > 50) {
                int i = n - 1;
                while (i >= 0 && digits[i] == '9') digits[i--] = '0';
                if (i >= 0) {
                    ++digits[i];
                } else {  // 999...9 became 1000...0
                    digits[0] = '1';
                    ++exponent;
                }
            }
        }
    }
    while (n > 1 && digits[n - 1] == '0') --n;
    std::copy(digits, digits + n, out.digits);
    out.count = n;
    out.exponent = exponent;
    return out;
}

}  // namespace

std::u16string toText(double value, char16_t separator) {
    if (value == 0.0) return u"0";  // -0 as well

    const Digits15 d = roundTo15(std::fabs(value));
    char16_t text[32];
    int n = 0;
    if (value < 0) text[n++] = u'-';
    if (d.exponent < -4 || d.exponent >= 15) {
        text[n++] = static_cast<char16_t>(d.digits[0]);
        if (d.count > 1) {
            text[n++] = separator;
            for (int i = 1; i < d.count; ++i) text[n++] = static_cast<char16_t>(d.digits[i]);
        }
        text[n++] = u'E';
        text[n++] = d.exponent < 0 ? u'-' : u'+';
        const int magnitude = d.exponent < 0 ? -d.exponent : d.exponent;
        if (magnitude >= 100) text[n++] = static_cast<char16_t>(u'0' + magnitude / 100);
        text[n++] = static_cast<char16_t>(u'0' + magnitude / 10 % 10);
        text[n++] = static_cast<char16_t>(u'0' + magnitude % 10);
    } else if (d.exponent < 0) {
        text[n++] = u'0';
        text[n++] = separator;
        for (int i = -1; i > d.exponent; --i) text[n++] = u'0';
        for (int i = 0; i < d.count; ++i) text[n++] = static_cast<char16_t>(d.digits[i]);
    } else {
        for (int i = 0; i <= d.exponent || i < d.count; ++i) {
            if (i == d.exponent + 1) text[n++] = separator;
            text[n++] = i < d.count ? static_cast<char16_t>(d.digits[i]) : u'0';
        }
    }
    return {text, static_cast<std::size_t>(n)};
}

}  // namespace platform
