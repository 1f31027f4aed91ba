// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>

#include "expect.h"
#include "window/numberbox.h"

// The fitting itself is tst_fittext's; here what the box shows and when.
TEST_CASE("NumberBox: the shown text and tooltip by text, width and focus") {
    struct Row {
        std::u16string text;
        std::size_t room;  // characters that fit
        bool focused;
        std::u16string step, shown, tooltip;
    };
    const Row rows[] = {
        {u"2.23606797749979", 8, false, u"", u"2.236068", u"2.23606797749979"},
        {u"2.23606797749979", 8, true, u"", u"2.23606797749979", u""},
        {u"2.23606797749979", 16, false, u"", u"2.23606797749979", u""},
        {u"3.14159265358979E+24", 10, false, u"V = …", u"3.1416E+24",
         u"V = …\n3.14159265358979E+24"},
        {u"3.14159265358979E+24", 10, true, u"V = …", u"3.14159265358979E+24", u"V = …"},
        {u"5 см", 2, false, u"", u"5 см", u""},
        {u"", 0, false, u"", u"", u""},
    };
    for (const Row& row : rows) {
        INFO(utf8(row.text) << " in " << row.room << (row.focused ? " focused" : ""));
        window::NumberBox box;
        box.setMeasure([&](std::u16string_view t) { return t.size() <= row.room; }, u'.');
        box.setStep(row.step);
        box.setText(row.text);
        box.setFocus(row.focused);
        CHECK(box.shownText() == row.shown);
        CHECK(box.tooltip(u"\n") == row.tooltip);
        CHECK(box.description() == row.step);
    }
}

TEST_CASE("NumberBox: measured when text, width or focus change, never when read") {
    window::NumberBox box;
    int measured = 0;
    std::size_t room = 8;
    const auto fits = [&](std::u16string_view t) { return ++measured, t.size() <= room; };
    box.setText(u"2.23606797749979");
    CHECK(box.shownText() == u"2.23606797749979");  // nothing to measure with yet
    box.setMeasure(fits, u'.');
    const int once = measured;
    CHECK(box.shownText() == u"2.236068");
    CHECK(box.tooltip(u"\r\n") == u"2.23606797749979");
    CHECK(measured == once);
    room = 5;
    box.setMeasure(fits, u'.');  // narrower
    CHECK(box.shownText() == u"2.236");
    box.setFocus(true);
    CHECK(box.shownText() == u"2.23606797749979");
    measured = 0;
    box.setFocus(true);
    box.setText(u"");
    box.setFocus(false);
    CHECK(measured == 0);  // focused, or empty: no measuring
}

TEST_CASE("NumberBox: a locked box takes text from the program only") {
    window::NumberBox box;
    box.setLocked(true);
    box.setText(u"2");
    CHECK(box.locked());
    CHECK_FALSE(box.offerText(u"5"));  // typed, pasted or set through accessibility
    CHECK(box.offerText(u"2"));        // the program's own write, echoed
    CHECK(box.text() == u"2");
    box.setLocked(false);
    CHECK(box.offerText(u"5"));
    CHECK(box.text() == u"5");
}
