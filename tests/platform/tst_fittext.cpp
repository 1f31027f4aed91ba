// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>

#include "expect.h"
#include "platform/fittext.h"

TEST_CASE("fitNumberText: the number rounded to the digits that fit") {
    struct Row {
        std::u16string text;
        std::size_t room;  // characters that fit
        std::u16string expected;
        char16_t separator = u'.';
    };
    const Row rows[] = {
        {u"2.23606797749979", 16, u"2.23606797749979"},
        {u"2.23606797749979", 8, u"2.236068"},
        {u"-2.23606797749979", 9, u"-2.236068"},
        {u"2,23606797749979", 8, u"2,236068", u','},
        {u"2.675", 4, u"2.68"},  // a tie in the text; the double is a hair below
        {u"9.9999996", 8, u"10"},
        {u"3.14159265358979E+24", 10, u"3.1416E+24"},
        {u"1.23456789012345E-07", 10, u"1.2346E-07"},
        {u"1.5E+300", 6, u"2E+300"},
        {u"123456789012345", 10, u"1.2346E+14"},
        {u"120003", 5, u"1E+05"},
        {u"0.000123456789", 8, u"0.000123"},
        {u"3.14159265358979E+24", 4, u"####"},
        {u"0", 0, u""},
        {u"5 см", 2, u"5 см"},
        {u"2.50", 3, u"2.50"},
        {u"2.5", 2, u"2.5", u','},
        {u"1E+400", 3, u"1E+400"},
    };
    for (const Row& row : rows) {
        INFO(utf8(row.text) << " in " << row.room << " characters");
        const auto fits = [&](std::u16string_view text) { return text.size() <= row.room; };
        CHECK(platform::fitNumberText(row.text, row.separator, fits) == row.expected);
    }
}
