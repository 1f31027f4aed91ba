// SPDX-License-Identifier: GPL-3.0-or-later
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <random>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#elif defined(__EMSCRIPTEN__)
#include <emscripten.h>
#endif

#include "expect.h"
#include "platform/calculationerror.h"
#include "platform/numbertext.h"

using platform::toNumber;
using platform::toText;

namespace {

std::u16string widen(std::string_view ascii) {
    return {ascii.begin(), ascii.end()};
}

}  // namespace

TEST_CASE("toNumber") {
    struct Row {
        std::string name;
        std::u16string text;
        double expected;
    };
    const auto row = [](std::u16string_view text, double expected) {
        return Row{utf8(text), std::u16string(text), expected};
    };
    const std::u16string zeros(30000, u'0');
    const Row rows[] = {
        row(u"", 0),
        row(u"abc", 0),
        row(u"-", 0),
        row(u"+", 0),
        row(u".", 0),
        row(u",", 0),
        row(u"e5", 0),
        row(u"0", 0),
        row(u"-0", -0.0),
        row(u"1 000", 1000),
        row(u"2,5", 2.5),
        row(u"2.5", 2.5),
        row(u".5", 0.5),
        row(u"5.", 5),
        row(u"+4", 4),
        row(u"-3", -3),
        row(u"\u22123,5", -3.5),
        row(u"- 7", -7),
        row(u"5 см", 5),
        row(u"12abc", 12),
        row(u"5e", 5),
        row(u"5e+", 5),
        row(u"5E-", 5),
        row(u"5ex", 5),
        row(u"1,2,3", 1.2),
        row(u"1.2,3", 1.2),
        row(u"1e3", 1000),
        row(u"1E-2", 0.01),
        row(u"2,5e\u22121", 0.25),
        row(u"1 e 3", 1000),
        row(u"\t 7 \r\n", 7),
        row(u"1\u00A0000,5", 1000.5),
        row(u"1\u202F000", 1000),
        row(u"0.1", 0.1),
        row(u"94.2477796076937", 94.2477796076937),
        row(u"37.6991118430775", 37.6991118430775),
        row(u"3.14159265358979", 3.14159265358979),
        row(u"00012.5000", 12.5),
        row(u"0.000123", 0.000123),
        row(u"1.7976931348623157e308", DBL_MAX),
        row(u"2.2250738585072014E-308", DBL_MIN),
        row(u"4.9406564584124654e-324", 4.9406564584124654e-324),
        // Half the smallest subnormal ties to even (zero); a hair more rounds up.
        row(u"2.4703282292062327e-324", 0),
        row(u"2.4703282292062328e-324", 4.9406564584124654e-324),
        row(u"1e-400", 0),
        row(u"-1e-400", -0.0),
        row(u"1e-99999999999999999999", 0),
        row(u"0e99999999999999999999", 0),
        row(u"9007199254740993", 9007199254740992),  // ties to even
        row(u"12.5.3", 12.5),
        // Thousands of digits are still rounded correctly.
        {"2^53+1 then 30000 zeros and 1", u"9007199254740993." + zeros + u"1", 9007199254740994.0},
        {"2^53+1 then 30000 zeros", u"9007199254740993." + zeros, 9007199254740992.0},
        {"1 and 30000 zeros e-30000", u"1" + zeros + u"e-30000", 1.0},
        {"0.30000 zeros 1 e30001", u"0." + zeros + u"1e30001", 1.0},
        // Past 800 significant digits only "any nonzero" is kept: the
        // exponent must still count the digits dropped before the separator.
        {"1 and 799 zeros e-799", u"1" + zeros.substr(0, 799) + u"e-799", 1.0},
        {"1 and 800 zeros e-800", u"1" + zeros.substr(0, 800) + u"e-800", 1.0},
        {"1 and 801 zeros e-801", u"1" + zeros.substr(0, 801) + u"e-801", 1.0},
        {"1 and 799 zeros, separator, 0e-799", u"1" + zeros.substr(0, 799) + u".0e-799", 1.0},
        {"2^53+1, 1000 zeros, 1 e-1001", u"9007199254740993" + zeros.substr(0, 1000) + u"1e-1001",
         9007199254740994.0},
        {"2^53+1, 1000 zeros e-1000", u"9007199254740993" + zeros.substr(0, 1000) + u"e-1000",
         9007199254740992.0},
        {"2^53+1, 1000 zeros, separator, 5 e-1000",
         u"9007199254740993" + zeros.substr(0, 1000) + u",5e-1000", 9007199254740994.0},
        {"1 and 1500 zeros e-1900", u"1" + zeros.substr(0, 1500) + u"e-1900", 0},
        {"-1 and 1500 zeros e-1900", u"-1" + zeros.substr(0, 1500) + u"e-1900", -0.0},
        // Runs of eight digits are copied at once; white space may split them.
        {"94.24777960 76937", u"94.24777960 76937", 94.2477796076937},
        {"94.2477796\u00A0076937", u"94.2477796\u00A0076937", 94.2477796076937},
        {"94.2477796,076937", u"94.2477796,076937", 94.2477796},
        {"1234567890123456789012", u"1234567890123456789012", 1234567890123456789012.0},
        {"0.000123456789012345678", u"0.000123456789012345678", 0.000123456789012345678},
    };
    for (const Row& r : rows) {
        INFO(r.name);
        CHECK_BITS(toNumber(r.text), r.expected);
    }
}

TEST_CASE("toNumber overflows") {
    struct Row {
        std::string name;
        std::u16string text;
    };
    const Row rows[] = {
        {"1e309", u"1e309"},
        {"-1e309", u"-1e309"},
        {"1.79769313486232E+308", u"1.79769313486232E+308"},
        {"1e99999999999999999999", u"1e99999999999999999999"},
        {"400 digits", std::u16string(400, u'9')},
        {"1 and 1500 zeros e-1100", u"1" + std::u16string(1500, u'0') + u"e-1100"},
    };
    for (const Row& r : rows) {
        INFO(r.name);
        const auto error = errorOf([&] { toNumber(r.text); });
        CHECK_MESSAGE(error.has_value(), "no calculation error");
        if (error) CHECK(error->failure() == platform::Failure::Overflow);
    }
}

TEST_CASE("toText") {
    struct Row {
        std::string_view name;
        double value;
        std::string_view point;
    };
    const Row rows[] = {
        {"0", 0, "0"},
        {"-0", -0.0, "0"},
        {"3.0000000000000018", 3.0000000000000018, "3"},
        {"62.83185307179582", 62.83185307179582, "62.8318530717958"},
        {"28.274333882308113", 28.274333882308113, "28.2743338823081"},
        {"-12.56637061435916", -12.56637061435916, "-12.5663706143592"},
        {"1.999999999999999", 1.999999999999999, "2"},
        {"1.99999999999999", 1.99999999999999, "1.99999999999999"},
        {"0.0001", 0.0001, "0.0001"},
        {"0.00001", 0.00001, "1E-05"},
        {"1.5e-7", 1.5e-7, "1.5E-07"},
        {"999999999999999", 999999999999999.0, "999999999999999"},
        {"9999999999999995", 9999999999999995.0, "1E+16"},
        {"1e15", 1e15, "1E+15"},
        {"123456789012345678", 123456789012345678.0, "1.23456789012346E+17"},
        {"1e100", 1e100, "1E+100"},
        {"0.5", 0.5, "0.5"},
        {"0.1+0.2", 0.1 + 0.2, "0.3"},
        {"DBL_MAX", DBL_MAX, "1.79769313486232E+308"},
        {"DBL_MIN", DBL_MIN, "2.2250738585072E-308"},
        {"min subnormal", 4.9406564584124654e-324, "4.94065645841247E-324"},
    };
    for (const Row& r : rows) {
        INFO(r.name);
        const std::u16string point = widen(r.point);
        std::u16string comma = point;
        for (char16_t& c : comma)
            if (c == u'.') c = u',';
        CHECK(toText(r.value) == point);
        CHECK(toText(r.value, u',') == comma);
        // What is written reads back as the same text.
        if (r.value != DBL_MAX) CHECK(toText(toNumber(comma)) == point);
    }
}

// Random bit patterns cover every exponent evenly. C's own "%.15G" (C locale)
// and strtod serve as the independent oracles.
TEST_CASE("round trip of random doubles") {
    std::setlocale(LC_ALL, "C");
    std::mt19937_64 random(20261208);
    int checked = 0;
    while (checked < 100000) {
        const auto x = bitCast<double>(random());
        if (!std::isfinite(x)) continue;
        ++checked;
        char expected[40];
        std::snprintf(expected, sizeof expected, "%.15G", x);
        INFO(std::string_view(expected));
        const std::u16string text = toText(x);
        if (x == 0) {
            CHECK(text == std::u16string_view(u"0"));
            continue;
        }
        if (text != widen(expected)) CHECK(text == widen(expected));
        if (std::fabs(x) > 1.797693134862315e308) continue;  // rounds past DBL_MAX
        const double back = toNumber(text);
        if (!sameBits(back, std::strtod(expected, nullptr)))
            CHECK_BITS(back, std::strtod(expected, nullptr));
        if (toText(back) != text) CHECK(toText(back) == text);
    }
}

// The magnitudes pupils meet, and values next to a 15-digit midpoint
// (d.dddddddddddddd5 x 10^e), where a wrong rounding would show.
TEST_CASE("typical magnitudes and midpoints") {
    std::setlocale(LC_ALL, "C");
    std::mt19937_64 random(15);
    std::uniform_real_distribution<double> magnitude(-9.0, 16.0);
    std::uniform_int_distribution<std::int64_t> digits(100000000000000, 999999999999999);
    for (int i = 0; i < 100000; ++i) {
        double x = std::pow(10.0, magnitude(random));
        if (i % 2 == 1) {
            char midpoint[40];
            std::snprintf(midpoint, sizeof midpoint, "%lld5e%d",
                          static_cast<long long>(digits(random)),
                          static_cast<int>(magnitude(random)) - 15);
            x = std::strtod(midpoint, nullptr);
            const int step = static_cast<int>(random() % 5) - 2;  // a few ulps either side
            for (int s = 0; s < std::abs(step); ++s) x = std::nextafter(x, step < 0 ? 0.0 : 1e300);
        }
        char expected[40];
        std::snprintf(expected, sizeof expected, "%.15G", x);
        const std::u16string got = toText(x);
        if (got != widen(expected)) {
            char shortest[40];
            std::snprintf(shortest, sizeof shortest, "x = %.17g", x);
            INFO(std::string_view(shortest));
            CHECK(got == widen(expected));
        }
    }
}

// The exact midpoints between neighbouring doubles (a long double holds
// them), written out in full, and again with a nonzero digit far past the
// 800th: ties go to even, the hair above rounds up. strtod is the oracle.
TEST_CASE("long texts at midpoints agree with strtod") {
    std::setlocale(LC_ALL, "C");
    std::mt19937_64 random(767);
    for (int i = 0; i < 2000; ++i) {
        auto x = bitCast<double>(random() >> 1);  // positive
        if (!std::isfinite(x) || x == DBL_MAX) continue;
        const long double midpoint =
            x + (static_cast<long double>(std::nextafter(x, INFINITY)) - x) / 2;
        char exact[1200];
        std::snprintf(exact, sizeof exact, "%.900Le", midpoint);
        std::string tie(exact);
        std::string above = tie;
        above.insert(above.find('e'), "0001");
        for (const std::string& text : {tie, above}) {
            INFO(text);
            CHECK_BITS(toNumber(widen(text)), std::strtod(text.c_str(), nullptr));
        }
    }
}

// The textbook's forms, worked out by hand from the 15-digit π and the
// correctly rounded √2 0x1.6a09e667f3bcdp+0, √3 0x1.bb67ae8584caap+0 and
// √69 0x1.09cfdcd8ed009p+3; with the exact form where it is checked.
TEST_CASE("readNumber") {
    using platform::Failure;
    using Terms = std::vector<platform::ExactTerm>;
    constexpr double pi = 3.14159265358979, root2 = 0x1.6a09e667f3bcdp+0;
    constexpr double root3 = 0x1.bb67ae8584caap+0;
    struct Row {
        std::u16string text;
        double expected = 0;
        std::optional<Terms> terms = std::nullopt;  // none: no exact form
        bool checkExact = true;
        std::optional<Failure> failure = std::nullopt;
    };
    const auto term = [](long long p, long long q, long long radicand, int piPower) {
        return platform::ExactTerm{platform::Rational(p, q), radicand, piPower};
    };
    const auto value = [](std::u16string text, double expected) {
        return Row{std::move(text), expected, std::nullopt, false};
    };
    const auto fails = [](std::u16string text, Failure failure) {
        return Row{std::move(text), 0, std::nullopt, false, failure};
    };
    const std::u16string deep(100, u'('), shut(100, u')');
    std::u16string longProduct = u"1";
    while (longProduct.size() < 120) longProduct += u"·1";
    std::vector<Row> rows = {
        {u"70π", 70 * pi, Terms{term(70, 1, 1, 1)}},
        {u"-70 π", -(70 * pi), Terms{term(-70, 1, 1, 1)}},
        {u"pi", pi, Terms{term(1, 1, 1, 1)}},
        {u"2,5π", 2.5 * pi, Terms{term(5, 2, 1, 1)}},
        {u"3√2", 3 * root2, Terms{term(3, 1, 2, 0)}},
        {u"√12", 0x1.bb67ae8584caap+1, Terms{term(2, 1, 3, 0)}},
        {u"√(3/4)", 0x1.bb67ae8584caap-1, Terms{term(1, 2, 3, 0)}},
        {u"√2π", root2 * pi, Terms{term(1, 1, 2, 1)}},
        {u"3/4", 0.75, Terms{term(3, 4, 1, 0)}},
        {u"25π/16", 25 * pi / 16, Terms{term(25, 16, 1, 1)}},
        {u"(√69 − 3)/2", (0x1.09cfdcd8ed009p+3 - 3) / 2,
         Terms{term(-3, 2, 1, 0), term(1, 2, 69, 0)}},
        {u"(6 + 4√3)π", (6 + 4 * root3) * pi, Terms{term(6, 1, 1, 1), term(4, 1, 3, 1)}},
        {u"1" + std::u16string(30000, u'0') + u"e-30000", 1, Terms{term(1, 1, 1, 0)}},
        {u"12345678901234567890", 12345678901234567890.0},
        {u"1e-400", 0},
        {longProduct, 1},  // too long for a textbook: no exact form
        value(u"0.1·3/3", 0.1 * 3 / 3),
        value(u"(-2·3 + 1)", -(2 * 3) + 1),
        value(u"2 (3 + 4)(2)", 28),
        value(deep + u"2" + shut, 2),
        // Where the text goes no further.
        value(u"(" + deep + u"2" + shut + u")", 0),
        value(u"7 cm", 7),
        value(u"7 pieces", 7),
        value(u"5 пъти", 5),
        value(u"2е", 2),  // Cyrillic е
        value(u"5eπ", 5),
        value(u"7-3", 7),
        value(u"3/", 3),
        value(u"√", 0),
        value(u"(2", 0),
        value(u"2(3", 2),
        value(u"2(1/0", 2),
        fails(u"√−4", Failure::InvalidArgument),
        fails(u"1/0", Failure::DivisionByZero),
        fails(u"(1/0)√−4", Failure::DivisionByZero),
        fails(u"1e308·10", Failure::Overflow),
        fails(u"1e999π", Failure::Overflow),
    };
    for (const char16_t* text : {u"70pi", u"70 Pi", u"70PI", u"70pI", u"70п", u"70П", u"70пи",
                                 u"70 Пи", u"70·π", u"70 * π", u"70×π", u"70⋅π", u"70π cm²"})
        rows.push_back(value(text, 70 * pi));
    for (const Row& r : rows) {
        INFO(utf8(r.text.substr(0, 40)));
        const auto error = errorOf([&] {
            const platform::Reading reading = platform::readNumber(r.text);
            CHECK_BITS(reading.value, r.expected);
            if (!r.checkExact) return;
            CHECK(reading.exact.exact() == r.terms.has_value());
            if (r.terms && reading.exact.exact()) CHECK(reading.exact.terms() == *r.terms);
        });
        CHECK(error.has_value() == r.failure.has_value());
        if (error && r.failure) CHECK(error->failure() == *r.failure);
    }
}

TEST_CASE("readNumber: where the reading stops") {
    const struct {
        std::u16string_view text;
        double value;
        std::size_t length;  // the number, its unit, the white space after
    } rows[] = {
        // clang-format off
        {u"7 cm", 7, 4},
        {u" 7 cm  ", 7, 7},
        {u"5 литра", 5, 2},
        {u"3/", 3, 1},
        {u"1 000", 1000, 5},
        {u"2 3/4", 2, 2},  // a whole and a fraction, not 23/4
        {u"12 34/5", 12, 3},
        {u"1 000/4", 250, 7},  // a group of three: one number
        {u"10 000/π", 10000 / 3.14159265358979, 8},
        {u"", 0, 0},
        // clang-format on
    };
    for (const auto& r : rows) {
        INFO(utf8(std::u16string(r.text)));
        const platform::Reading reading = platform::readNumber(r.text);
        CHECK(reading.value == r.value);
        CHECK(reading.length == r.length);
    }
}

// The processor time this program has used, in seconds: unlike the wall
// clock, not stretched by the suite's other programs running beside it.
double processorSeconds() {
#if defined(_WIN32)
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto seconds = [](FILETIME t) {
        return ((std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime) / 1e7;  // 100 ns units
    };
    return seconds(kernel) + seconds(user);
#elif defined(__EMSCRIPTEN__)
    return EM_ASM_DOUBLE({
        const used = process.cpuUsage();
        return (used.user + used.system) / 1e6;
    });
#else
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
#endif
}

// A megabyte of each form reads in time linear in the text.
TEST_CASE("readNumber of long texts") {
    for (const std::u16string_view piece : {u"1·", u"√", u"(", u"2π", u"(1+", u"1/"}) {
        std::u16string text;
        while (text.size() < 1'000'000) text += piece;
        INFO(utf8(piece));
        const double start = processorSeconds();
        CHECK_NOTHROW(platform::readNumber(text));
        CHECK(processorSeconds() - start < 0.5);
    }
}
