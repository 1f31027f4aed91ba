// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbertext.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

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
#include "checked.h"

namespace platform {

namespace {

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
    const char16_t* position() const { return pos_; }
    void reset(const char16_t* position) { pos_ = position; }
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

// Integers of at most this many digits, and powers of ten up to
// 10^kExactPower, are doubles exactly.
constexpr std::int64_t kExactDigits = 15;
constexpr std::int64_t kExactPower = 22;
constexpr double kPowersOfTen[kExactPower + 1] = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22,
};

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

// Whether digits other than a group of three, then '/', follow the white
// space at the reader: "2 3/4" is a whole and a fraction, not 23/4, while
// "1 000" and "10 000/π" stay one number.
bool fractionAhead(Reader in) {
    while (isSpace(in.current())) in.next();
    int digits = 0;
    for (; digitOf(in.current()) < 10; in.next()) ++digits;
    return digits > 0 && digits != 3 && in.peek() == u'/';
}

// Reads the digits, separator and exponent at the reader, without a sign,
// to the double nearest them; false when there is no digit (the reader is
// then somewhere inside what it looked at). An 'e' without exponent digits
// is left unread. `overflow` tells a magnitude beyond the doubles.
bool readDecimal(Reader& in, double& result, bool& overflow) {
    // What was read goes to `ascii` as the library reads it: the significant
    // digits with '.' where the separator stood, then any exponent.
    char ascii[kKeptDigits + 32];
    char* out = ascii;
    std::int64_t count = 0;     // significant digits read
    std::int64_t pointAt = -1;  // significant digits before the separator
    std::int64_t exponent = 0;  // what the digits kept do not say
    std::int64_t mantissa = 0;  // the first kExactDigits significant digits
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
                if (count < kExactDigits) mantissa = mantissa * 10 + d;
            } else {
                nonzeroDropped |= d != 0;
                if (pointAt < 0) ++exponent;  // a dropped digit before the separator
            }
            ++count;
        } else if ((c == u'.' || c == u',') && pointAt < 0) {
            pointAt = count;
            if (count <= kKeptDigits) *out++ = '.';
        } else if (!isSpace(c) ||
                   (anyDigit && digitOf(in.position()[-1]) < 10 && fractionAhead(in))) {
            break;  // looked ahead once a run of white space, for linear time
        }
    }
    if (!anyDigit) return false;
    if (nonzeroDropped) {
        if (pointAt < 0 || pointAt > kKeptDigits) *out++ = '.';
        *out++ = '1';
    }

    // An optional exponent; "5e" adds nothing and leaves the 'e' unread.
    const char16_t e = in.peek();
    if (e == u'e' || e == u'E') {
        const char16_t* const atE = in.position();
        in.next();
        const bool negativeExponent = in.takeSign();
        if (digitOf(in.peek()) < 10) {
            std::int64_t value = 0;
            for (unsigned d; (d = digitOf(in.peek())) < 10; in.next())
                if (value < kExponentCap) value = value * 10 + d;
            exponent += negativeExponent ? -value : value;
        } else {
            in.reset(atE);
        }
    }
    result = 0.0;
    if (count == 0) return true;
    // mantissa · 10^scale with both exact doubles: one rounding gives the
    // nearest double, without the library (its strtod is slow in a browser).
    const std::int64_t scale = exponent - (pointAt >= 0 ? count - pointAt : 0);
    if (count <= kExactDigits && scale >= -kExactPower && scale <= kExactPower) {
        const auto m = static_cast<double>(mantissa);
        result = scale >= 0 ? m * kPowersOfTen[scale] : m / kPowersOfTen[-scale];
        return true;
    }
    if (exponent != 0) {
        *out++ = 'e';
        out = std::to_chars(out, ascii + sizeof ascii, exponent).ptr;
    }

    if (readAscii(ascii, out, result).ec == std::errc::result_out_of_range) {
        const std::int64_t whole = pointAt >= 0 ? pointAt : count;  // digits before the point
        overflow = exponent + std::min(whole, kKeptDigits) > 0;
        result = 0.0;
    }
    return true;
}

// A decimal holds digits · 10^scale in 64 bits only for |scale| up to this.
constexpr std::int64_t kExactScale = 40;

// The decimal that readDecimal read from `number`, exactly: none when its
// digits do not fit in 64 bits or its scale is past kExactScale.
Exact exactDecimal(std::u16string_view number) {
    long long digits = 0;
    std::int64_t scale = 0;  // the power of ten that `digits` is multiplied by
    std::int64_t zeros = 0;  // zeros since the last nonzero digit, not yet in `digits`
    bool point = false;
    std::size_t i = 0;
    for (; i < number.size(); ++i) {
        const char16_t c = number[i];
        if (const unsigned d = digitOf(c); d < 10) {
            if (point) --scale;
            if (d == 0) {
                ++zeros;
            } else if (digits == 0) {
                digits = d;
                zeros = 0;
            } else {
                for (; zeros >= 0; --zeros) {
                    if (digits > LLONG_MAX / 10) return Exact::none();
                    digits *= 10;
                }
                if (digits > LLONG_MAX - d) return Exact::none();
                digits += d;
                zeros = 0;
            }
        } else if (c == u'.' || c == u',') {
            if (point) break;
            point = true;
        } else if (c == u'e' || c == u'E') {
            break;
        }
    }
    if (digits == 0) return Exact(0);
    scale += zeros;
    if (i < number.size()) {
        Reader in(number.substr(i + 1));
        const bool negative = in.takeSign();
        std::int64_t value = 0;
        for (unsigned d; (d = digitOf(in.peek())) < 10; in.next())
            if (value < kExponentCap) value = value * 10 + d;
        scale += negative ? -value : value;
    }
    if (scale < -kExactScale || scale > kExactScale) return Exact::none();
    return Exact::decimal(digits, static_cast<int>(scale));
}

// What the text asks for, in the order it asks: the parser writes it, the
// double and the exact value are then worked out from it separately. A
// megabyte of "1·1·…" so stays quick in the browser too, where a call that
// may throw out of a frame with destructors is slow.
enum class Op : unsigned char { Number, Overflow, Pi, Negate, Root, Times, Over, Plus, Minus };

struct Instruction {
    Op op;
    double number = 0;               // a Number's value
    std::u16string_view text = u"";  // and the text it was read from
};

struct Operator {
    char16_t symbol;
    Op op;
};

constexpr Operator kProducts[] = {
    {u'*', Op::Times},      {u'\u00B7', Op::Times}, {u'\u00D7', Op::Times},
    {u'\u22C5', Op::Times}, {u'/', Op::Over},
};
constexpr Operator kSums[] = {{u'+', Op::Plus}, {u'-', Op::Minus}, {u'\u2212', Op::Minus}};

template <std::size_t N>
const Operator* operatorOf(const Operator (&table)[N], char16_t c) {
    for (const Operator& o : table)
        if (o.symbol == c) return &o;
    return nullptr;
}

// Brackets and roots deeper than this are not read: the stack stays small.
constexpr int kMaxDepth = 100;
// Each level of brackets or roots holds at most two operands waiting.
constexpr int kStackSize = 2 * kMaxDepth + 4;
// A text of more steps than this is no textbook's number: no exact form.
constexpr std::size_t kExactSteps = 100;

// The grammar of readNumber, one function a rule; each returns false and
// leaves the reader and the program as they were when there is nothing of
// its kind.
class Parser {
public:
    explicit Parser(std::u16string_view text) : in_(text) {}

    // An optional sign and a product; nothing read is an empty program.
    std::vector<Instruction> read() {
        const bool negative = in_.takeSign();
        if (product(0) && negative) emit(Op::Negate);
        return std::move(program_);
    }
    // Where read() stopped.
    const char16_t* position() const { return in_.position(); }

private:
    bool product(int depth) {
        if (!factor(depth)) return false;
        for (;;) {
            const char16_t c = in_.peek();
            const char16_t* const before = in_.position();
            if (const Operator* op = operatorOf(kProducts, c)) {
                in_.next();
                if (!factor(depth)) {
                    in_.reset(before);
                    return true;
                }
                emit(op->op);
            } else if (digitOf(c) >= 10 && c != u'.' && c != u',' && factor(depth)) {
                emit(Op::Times);  // no number after nothing: "1,2,3" is 1.2
            } else {
                return true;
            }
        }
    }

    bool sum(int depth) {
        const char16_t* const start = in_.position();
        const bool negative = in_.takeSign();
        if (!product(depth)) {
            in_.reset(start);
            return false;
        }
        if (negative) emit(Op::Negate);
        for (;;) {
            const Operator* op = operatorOf(kSums, in_.peek());
            if (op == nullptr) return true;
            const char16_t* const before = in_.position();
            in_.next();
            if (!product(depth)) {
                in_.reset(before);
                return true;
            }
            emit(op->op);
        }
    }

    bool factor(int depth) {
        const char16_t c = in_.peek();
        const char16_t* const start = in_.position();
        if (digitOf(c) < 10 || c == u'.' || c == u',') {
            double value = 0;
            bool overflow = false;
            if (!readDecimal(in_, value, overflow)) {
                in_.reset(start);
                return false;
            }
            const std::u16string_view text(start, static_cast<std::size_t>(in_.position() - start));
            program_.push_back({overflow ? Op::Overflow : Op::Number, value, text});
            return true;
        }
        if (takePi(c)) {
            emit(Op::Pi);
            return true;
        }
        if ((c != u'\u221A' && c != u'(') || depth == kMaxDepth) return false;
        const std::size_t mark = program_.size();
        in_.next();
        if (c == u'(') {
            if (sum(depth + 1) && in_.peek() == u')') {
                in_.next();
                return true;
            }
        } else {
            const bool negative = in_.takeSign();
            if (factor(depth + 1)) {
                if (negative) emit(Op::Negate);
                emit(Op::Root);
                return true;
            }
        }
        program_.resize(mark);
        in_.reset(start);
        return false;
    }

    // "π", or "pi", "п" and "пи" with no letter right after.
    bool takePi(char16_t c) {
        if (c == u'\u03C0') {
            in_.next();
            return true;
        }
        const char16_t* const start = in_.position();
        const bool cyrillic = c == u'\u043F' || c == u'\u041F';
        if (c == u'p' || c == u'P') {
            in_.next();
            if ((in_.current() | 0x20) != u'i') {
                in_.reset(start);
                return false;
            }
        } else if (!cyrillic) {
            return false;
        }
        in_.next();
        if (cyrillic && (in_.current() == u'\u0438' || in_.current() == u'\u0418')) in_.next();
        if (!isLetter(in_.current())) return true;
        in_.reset(start);
        return false;
    }

    void emit(Op op) { program_.push_back({op}); }

    Reader in_;
    std::vector<Instruction> program_;
};

// The program's double, left to right, each step checked: the first step
// that fails throws.
double evaluate(const std::vector<Instruction>& program) {
    double stack[kStackSize];
    int top = 0;
    for (const Instruction& i : program) {
        switch (i.op) {
            case Op::Number:
                stack[top++] = i.number;
                break;
            case Op::Overflow:
                fail(Failure::Overflow);
            case Op::Pi:
                stack[top++] = PI_14;
                break;
            case Op::Negate:
                stack[top - 1] = -stack[top - 1];
                break;
            case Op::Root:
                stack[top - 1] = squareRoot(Checked(stack[top - 1])).value();
                break;
            default: {
                const Checked x(stack[top - 2]), y(stack[top - 1]);
                --top;
                stack[top - 1] = (i.op == Op::Times  ? x * y
                                  : i.op == Op::Over ? x / y
                                  : i.op == Op::Plus ? x + y
                                                     : x - y)
                                     .value();
            }
        }
    }
    return top > 0 ? stack[0] : 0.0;
}

// The program's exact value; none for a program of more than kExactSteps.
Exact exactly(const std::vector<Instruction>& program) {
    if (program.size() > kExactSteps) return Exact::none();
    std::vector<Exact> stack;
    for (const Instruction& i : program) {
        switch (i.op) {
            case Op::Number:
                stack.push_back(exactDecimal(i.text));
                break;
            case Op::Overflow:
                return Exact::none();
            case Op::Pi:
                stack.push_back(Exact::pi());
                break;
            case Op::Negate:
                stack.back() = -stack.back();
                break;
            case Op::Root:
                stack.back() = sqrt(stack.back());
                break;
            default: {
                const Exact y = std::move(stack.back());
                stack.pop_back();
                Exact& x = stack.back();
                x = i.op == Op::Times  ? x * y
                    : i.op == Op::Over ? x / y
                    : i.op == Op::Plus ? x + y
                                       : x - y;
            }
        }
    }
    return stack.empty() ? Exact(0) : std::move(stack.front());
}

}  // namespace

Reading readNumber(std::u16string_view text) {
    if (double value; readPlain(text, value)) {
        const bool negative = !text.empty() && (text[0] == u'-' || text[0] == u'\u2212');
        const Exact exact = exactDecimal(text.substr(negative ? 1 : 0));
        return {value, negative ? -exact : exact, std::nullopt, text.size(), true};
    }
    Parser parser(text);
    const std::vector<Instruction> program = parser.read();
    const double value = evaluate(program);
    Reading reading{value, exactly(program)};
    if (!program.empty()) {
        reading.number = true;
        reading.length = static_cast<std::size_t>(parser.position() - text.data());
        if (const auto unit = readUnit(text.substr(reading.length))) {
            reading.unit = unit->first;
            reading.length += unit->second;
        }
    }
    while (reading.length < text.size() && isSpace(text[reading.length])) ++reading.length;
    return reading;
}

// The double alone: no exact value to build on the way.
double toNumber(std::u16string_view text) {
    if (double value; readPlain(text, value)) return value;
    return evaluate(Parser(text).read());
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
