// SPDX-License-Identifier: GPL-3.0-or-later
// The window's behaviour, once for every runtime: the form driven through
// in-memory controls.
#include <doctest/doctest.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "calc/cylinder.h"
#include "calc/solution.h"
#include "expect.h"
#include "memorycontrols.h"
#include "variants.h"
#include "window/controlarrays.h"
#include "window/design.h"
#include "window/form.h"

using platform::Failure;

namespace {

// A loaded window: the form and the controls it writes.
struct Window {
    explicit Window(char16_t separator = u'.') : form(controls, separator) { form.onLoad(); }
    MemoryControls controls;
    window::Form form;

    std::vector<std::u16string> row(int k) const {
        return {controls.boxes.begin() + 5 * k, controls.boxes.begin() + 5 * k + 5};
    }
    std::vector<int> unlocked() const {
        std::vector<int> boxes;
        for (int i = 0; i < window::BoxCount; ++i)
            if (!controls.locked[i]) boxes.push_back(i);
        return boxes;
    }
    bool gridEmpty() const {
        return std::all_of(controls.boxes.begin(), controls.boxes.end(),
                           [](const std::u16string& t) { return t.empty(); });
    }
    // Types the two given quantities of variant k into their boxes.
    void typeGiven(int k, std::u16string_view first, std::u16string_view second) {
        const auto given = calc::givenColumns(k);
        controls.type(5 * k + static_cast<int>(given[0]), first);
        controls.type(5 * k + static_cast<int>(given[1]), second);
    }
};

std::vector<int> row(int k) {
    return {5 * k, 5 * k + 1, 5 * k + 2, 5 * k + 3, 5 * k + 4};
}

std::u16string reportOf(std::u16string_view r, std::u16string_view s) {
    std::u16string text = u"Радиус на максималната вписана сфера: ";
    text += r;
    text += u"\r\nПовърхнина на сферата: ";
    text += s;
    text += u"\r\n";
    return text;
}

}  // namespace

TEST_CASE("load selects the first option and unlocks row 0 only") {
    Window w;
    CHECK_FALSE(w.form.selectedVariant().has_value());
    CHECK(w.form.lastBoxIndex() == 44);
    CHECK(w.controls.selected == 0);
    CHECK(w.unlocked() == row(0));
    CHECK(w.gridEmpty());
    CHECK(w.form.reportText() == std::u16string(window::AssignmentText));
    CHECK(w.controls.report == std::u16string(window::AssignmentText));  // not rewritten
}

TEST_CASE("calculate before any option click uses the first variant") {
    Window w;
    w.controls.type(0, u"2");
    w.controls.type(1, u"3");
    w.form.onCommandClick(0);
    CHECK(w.row(0) == std::vector<std::u16string>{u"2", u"3", u"37.6991118430775",
                                                  u"62.8318530717958", u"37.6991118430775"});
    CHECK(w.controls.report == reportOf(u"1.5", u"28.2743338823081"));
    CHECK(w.form.reportText() == w.controls.report);
    CHECK(w.controls.errors.empty());
}

TEST_CASE("an option click empties the grid, unlocks its row and keeps the report") {
    Window w;
    w.controls.type(0, u"1");
    w.controls.type(1, u"1");
    w.form.onCommandClick(0);
    const std::u16string report = w.controls.report;
    w.form.onOptionClick(4);
    CHECK(w.form.selectedVariant() == std::optional<std::int16_t>(4));
    CHECK(w.gridEmpty());
    CHECK(w.unlocked() == row(4));
    CHECK(w.controls.report == report);
    w.controls.type(0, u"7");  // locked now
    CHECK(w.controls.boxes[0].empty());
    // The option already chosen, clicked again, empties the grid again.
    w.typeGiven(4, u"10", u"20");
    w.form.onOptionClick(4);
    CHECK(w.gridEmpty());
}

TEST_CASE("clear empties the grid and keeps locks, selection and report") {
    Window w;
    w.form.onOptionClick(2);
    w.typeGiven(2, u"3", u"94.2477796076937");
    w.form.onCommandClick(0);
    const std::u16string report = w.controls.report;
    w.form.onCommandClick(1);
    CHECK(w.gridEmpty());
    CHECK(w.unlocked() == row(2));
    CHECK(w.form.selectedVariant() == std::optional<std::int16_t>(2));
    CHECK(w.controls.report == report);
    // Commands other than the two do nothing.
    w.typeGiven(2, u"3", u"1");
    w.form.onCommandClick(2);
    w.form.onCommandClick(-1);
    CHECK(w.controls.boxes[11] == u"3");
    CHECK(w.controls.report == report);
}

TEST_CASE("every variant from typed texts to its row and report") {
    for (const VariantCase& r : variantCases()) {
        CAPTURE(r.variant);
        Window w;
        w.form.onOptionClick(r.variant);
        w.controls.type(r.boxes[0], r.given[0]);
        w.controls.type(r.boxes[1], r.given[1]);
        w.form.onCommandClick(0);
        const std::vector<std::u16string> expected(r.row.begin(), r.row.end());
        CHECK(w.controls.errors.empty());
        CHECK(w.row(r.variant) == expected);
        CHECK(w.controls.report == reportOf(r.r, r.s));
        // Every other row stays empty.
        for (int k = 0; k < calc::VariantCount; ++k)
            if (k != r.variant) CHECK(w.row(k) == std::vector<std::u16string>(5));
        // A second calculation on the written row shows the same texts.
        w.form.onCommandClick(0);
        CHECK(w.row(r.variant) == expected);
    }
}

TEST_CASE("a text that is not a clean number is rewritten as what was read") {
    Window w;
    w.controls.type(0, u"2,5 см");
    w.controls.type(1, u"abc");
    w.form.onCommandClick(0);
    CHECK(w.row(0) == std::vector<std::u16string>{u"2.5", u"0", u"0", u"39.2699081698724", u"0"});
    // A sign after the number: what was read, and the box shows it.
    w.controls.type(1, u"3+1");
    w.form.onCommandClick(0);
    CHECK(w.controls.errors.empty());
    CHECK(w.row(0)[1] == u"3");
}

TEST_CASE("a given the program rewrote in the grid's unit is read in it beside one typed anew") {
    Window w;
    w.form.onOptionClick(0);
    w.typeGiven(0, u"2 dm", u"1,5 cm");
    w.form.onCommandClick(0);
    CHECK(w.row(0)[0] == u"20");
    w.controls.type(1, u"3");  // R still shows 20, in cm
    w.form.onCommandClick(0);
    CHECK(w.row(0)[0] == u"20");
    CHECK(w.row(0)[1] == u"3");
    CHECK(calc::plainText(w.controls.solution, u'.').starts_with(u"Дадено: R = 20 cm, H = 3 cm."));
}

TEST_CASE("a given typed as 70π is read so again while its box shows the program's text") {
    Window w;
    w.form.onOptionClick(3);
    w.typeGiven(3, u"7", u"70π");
    w.form.onCommandClick(0);
    w.controls.type(16, u"14");  // H changed, So still as the program wrote it
    w.form.onCommandClick(0);
    CHECK(w.row(3) == std::vector<std::u16string>{u"2.5", u"14", u"219.911485751285",
                                                  u"259.181393921158", u"274.889357189107"});
    CHECK(calc::plainText(w.controls.solution, u'.').starts_with(u"Дадено: H = 14, So = 70π."));
    w.controls.type(17, u"220");
    w.form.onCommandClick(0);
    CHECK(w.row(3)[0] == u"2.50100624858693");
    // Emptied, the program's text is gone: the same digits typed are a decimal.
    w.typeGiven(3, u"7", u"70π");
    w.form.onCommandClick(0);
    w.form.onCommandClick(1);
    w.typeGiven(3, u"7", u"219.911485751285");
    w.form.onCommandClick(0);
    CHECK(calc::plainText(w.controls.solution, u'.')
              .starts_with(u"Дадено: H = 7, So = 219.911485751285."));
}

TEST_CASE("the decimal comma is written where the user's separator is one") {
    Window w(u',');
    w.form.onOptionClick(1);
    w.typeGiven(1, u"2", u"37.6991118430775");
    w.form.onCommandClick(0);
    CHECK(w.row(1) == std::vector<std::u16string>{u"2", u"3", u"37,6991118430775",
                                                  u"62,8318530717958", u"37,6991118430775"});
    CHECK(w.controls.report == reportOf(u"1,5", u"28,2743338823081"));
}

TEST_CASE("a calculation error leaves grid and report as they were") {
    struct Row {
        const char* name;
        int k;
        std::u16string_view first, second;
        Failure failure;
        calc::Quantity quantity;
        bool reading;
    };
    const Row rows[] = {
        {"k=1 R=0", 1, u"0", u"5", Failure::DivisionByZero, calc::Quantity::H, false},
        {"k=8 So=5 Sp=4", 8, u"5", u"4", Failure::InvalidArgument, calc::Quantity::R, false},
        {"k=4 V+V overflows", 4, u"1", u"1e308", Failure::Overflow, calc::Quantity::R, false},
        {"k=0 R=1e400", 0, u"1e400", u"1", Failure::Overflow, calc::Quantity::R, true},
        {"k=5 R=1e999", 5, u"1", u"1e999", Failure::Overflow, calc::Quantity::R, true},
        {"k=0 R=5 cm²", 0, u"5 cm²", u"3 cm", Failure::WrongUnit, calc::Quantity::R, true},
        {"k=6 V=2 m", 6, u"2 cm", u"2 m", Failure::WrongUnit, calc::Quantity::V, true},
        {"k=3 So=1 km³", 3, u"1", u"1 km³", Failure::WrongUnit, calc::Quantity::So, true},
        {"k=0 R=1e305 km in mm", 0, u"1e305 km", u"1 mm", Failure::Overflow, calc::Quantity::R,
         true},
        // Read from the start alone, each would be another number: 5 cm³, 5 m, 2, 4π, 10.
        {"k=6 V=5 литра", 6, u"10 cm", u"5 литра", Failure::UnreadText, calc::Quantity::V, true},
        {"k=0 R=5 сm, Cyrillic с", 0, u"5 сm", u"2 m", Failure::UnreadText, calc::Quantity::R,
         true},
        {"k=0 R=2 3/4", 0, u"2 3/4", u"1", Failure::UnreadText, calc::Quantity::R, true},
        {"k=3 So=4π²", 3, u"1", u"4π²", Failure::UnreadText, calc::Quantity::So, true},
        {"k=6 V=10^3", 6, u"1", u"10^3", Failure::UnreadText, calc::Quantity::V, true},
    };
    for (const Row& r : rows) {
        CAPTURE(r.name);
        Window w;
        w.form.onOptionClick(r.k);
        const auto given = calc::givenColumns(r.k);
        int computed = 0;  // something in a computed box, to see that it survives
        while (computed == static_cast<int>(given[0]) || computed == static_cast<int>(given[1]))
            ++computed;
        w.controls.type(5 * r.k + computed, u"x");
        w.typeGiven(r.k, r.first, r.second);
        const auto before = w.controls.boxes;
        w.form.onCommandClick(0);
        REQUIRE(w.controls.errors.size() == 1);
        CHECK(w.controls.errors[0].failure() == r.failure);
        CHECK(calc::failedQuantity(w.controls.errors[0]) == r.quantity);
        CHECK(w.controls.errors[0].whileReading() == r.reading);
        CHECK(w.controls.boxes == before);
        CHECK(w.controls.report == std::u16string(window::AssignmentText));
        CHECK(w.unlocked() == row(r.k));

        // The program goes on: mend the input and calculate again.
        if (r.k == 8)
            w.typeGiven(r.k, u"37.6991118430775", u"62.8318530717958");
        else
            w.typeGiven(r.k, u"2", u"37.6991118430775");
        w.form.onCommandClick(0);
        CHECK(w.controls.errors.size() == 1);
        CHECK(w.controls.report != std::u16string(window::AssignmentText));
    }
}

// A negative height makes the sphere's radius H/2, whose surface overflows
// after the row is written.
TEST_CASE("an overflowing sphere surface keeps the row and the first report line") {
    Window w;
    w.form.onOptionClick(7);  // H and V given
    w.typeGiven(7, u"-1e300", u"-1e300");
    w.form.onCommandClick(0);
    REQUIRE(w.controls.errors.size() == 1);
    CHECK(w.controls.errors[0].failure() == Failure::Overflow);
    CHECK(w.row(7) == std::vector<std::u16string>{u"0.564189583547757", u"-1E+300",
                                                  u"-3.54490770181103E+300",
                                                  u"-3.54490770181103E+300", u"-1E+300"});
    CHECK(w.controls.report == u"Радиус на максималната вписана сфера: -5E+299\r\n");
}

TEST_CASE("the boxes drawn as computed are exactly those the solver computes") {
    for (int k = 0; k < calc::VariantCount; ++k) {
        const auto given = calc::givenColumns(k);
        for (int c = 0; c < calc::ColumnCount; ++c) {
            const int i = 5 * k + c;
            CAPTURE(i);
            const bool isGiven = c == static_cast<int>(given[0]) || c == static_cast<int>(given[1]);
            const auto& d = window::controlDesigns();
            const auto box = std::find_if(d.begin(), d.end(), [&](const auto& x) {
                return x.kind == window::Kind::Text2 && x.index == i;
            });
            REQUIRE(box != d.end());
            CHECK(box->tabStop == isGiven);
            CHECK(box->left == 1560 + 960 * c);
            CHECK(box->top == 840 + 360 * k);
        }
    }
}

TEST_CASE("caption and the names a screen reader gets") {
    // No publisher (the default): the title alone; one: at the head, two spaces before it.
    CHECK(window::windowCaption(u"") == u"Геометрия - прав кръгов цилиндър");
    CHECK(window::windowCaption(u"www.cylinder.example") ==
          u"www.cylinder.example  Геометрия - прав кръгов цилиндър");
    CHECK(window::accessibleName({window::Kind::Text2, 11}) == u"Вариант 3, H");
    CHECK(window::accessibleName({window::Kind::Text2, 44}) == u"Вариант 9, V");
    CHECK_FALSE(window::accessibleName({window::Kind::Text1, 0}).empty());
    CHECK(window::accessibleName({window::Kind::Option1, 0}).empty());  // its caption names it
}

TEST_CASE("control arrays: find names each kind's own array, and checks the index") {
    window::ControlArrays<int, int, int, int, int, int> arrays;
    arrays.Label1[5] = 1;
    arrays.Option1[8] = 2;
    arrays.Text2[44] = 3;
    arrays.Command1[1] = 4;
    arrays.Text1[1] = 5;
    CHECK(arrays.find({window::Kind::Label1, 5}) == 1);
    CHECK(arrays.find({window::Kind::Option1, 8}) == 2);
    CHECK(arrays.find({window::Kind::Text2, 44}) == 3);
    CHECK(arrays.find({window::Kind::Command1, 1}) == 4);
    CHECK(arrays.find({window::Kind::Text1, 1}) == 5);
    CHECK_THROWS_AS(arrays.find({window::Kind::Text2, 45}), std::out_of_range);
    CHECK_THROWS_AS(arrays.find({window::Kind::Option1, -1}), std::out_of_range);
}

TEST_CASE("a task goes into its row as typing the same row by hand does") {
    struct Row {
        std::u16string_view task;
        int variant;
        std::u16string_view first, second;  // typed by hand, in reading order
    };
    const Row rows[]{
        {u"d = 10 cm; h = d + 15 cm; S₁ = ?", 0, u"5 cm", u"25 cm"},
        {u"r = 6 cm, l = 8 cm, π ≈ 3,14, S = ?", 0, u"6 cm", u"8 cm"},
        {u"C = 132 cm, h = 25 cm, π = 22/7, V = ? l", 0, u"66/π cm", u"25 cm"},
        {u"V = 54π cm³, h = d, r = ?", 7, u"6 cm", u"54π cm³"},
        {u"S = 60π; V = 150π; h = ?", 4, u"60π", u"150π"},
        // A sum in brackets: a box stops at a bare sign.
        {u"r = √3 − 1; h = 2; V = ?", 0, u"(√3 − 1)", u"2"},
        {u"r = 2 + √3 cm, h = 1 cm, V = ?", 0, u"(2 + √3) cm", u"1 cm"},
    };
    for (const Row& r : rows) {
        CAPTURE(utf8(r.task));
        Window task, hand;
        task.form.onTask(r.task);
        hand.controls.selectOption(r.variant);
        hand.form.onOptionClick(r.variant);
        hand.typeGiven(r.variant, r.first, r.second);
        hand.form.onCommandClick(0);
        CHECK(task.controls.selected == r.variant);
        CHECK(task.row(r.variant) == hand.row(r.variant));
        CHECK(task.controls.report == hand.controls.report);
        // The task's own lines first, then the row's solution as by hand.
        const auto& lines = task.controls.solution.lines;
        REQUIRE(lines.size() > hand.controls.solution.lines.size());
        // Where the task's S is the lateral surface, the sphere around's is Sсф.
        std::u16string byHand = calc::plainText(hand.controls.solution, u'.');
        if (r.task.find(u"S =") != std::u16string_view::npos)
            for (const std::u16string_view before : {u"\nS = ", u", S = "})
                for (std::size_t at = byHand.find(before); at != std::u16string::npos;
                     at = byHand.find(before, at + 1))
                    byHand.insert(at + before.size() - 3, u"сф");
        CHECK(calc::plainText(task.controls.solution, u'.').ends_with(byHand));
        CHECK(lines.front().parts.front().words == u"Дадено:");
        // "Изчисли" again: the same grid and solution.
        const calc::Solution before = task.controls.solution;
        task.form.onCommandClick(0);
        CHECK(task.row(r.variant) == hand.row(r.variant));
        CHECK(calc::plainText(task.controls.solution, u'.') == calc::plainText(before, u'.'));
        // Typed again by hand, the row is the pupil's own: the task's lines go.
        task.typeGiven(r.variant, r.first, r.second);
        task.form.onCommandClick(0);
        CHECK(calc::plainText(task.controls.solution, u'.') ==
              calc::plainText(hand.controls.solution, u'.'));
    }
}

TEST_CASE("a task not understood, refused or without a cylinder leaves the grid as it was") {
    // "r = 7; B = ?" is answered, but has no height for a row.
    for (const std::u16string_view text :
         {u"x = 5; h = 3", u"r = 5; d = 11", u"r = 5", u"r = 7; B = ?",
          u"Водата от цилиндричен съд с радиус 5 cm се прелива "
          u"във втори съд. Намерете височината."}) {
        CAPTURE(utf8(text));
        Window w;
        w.typeGiven(0, u"2", u"3");
        w.form.onCommandClick(0);
        const std::vector<std::u16string> row = w.row(0);
        const std::u16string report = w.controls.report;
        w.form.onTask(text);
        CHECK(w.row(0) == row);
        CHECK(w.controls.report == report);
        CHECK(w.controls.errors.empty());
        CHECK((w.controls.solution.lines.front().parts.front().words == u"Дадено:") ==
              !text.starts_with(u"Водата"));
        CHECK_FALSE(w.controls.solution.solved);
    }
}

TEST_CASE("the task's S is the lateral surface: the sphere around's is named otherwise") {
    for (const auto& row : {std::pair{u"r = 6 cm, l = 8 cm, S = ?", true},
                            std::pair{u"r = 6 cm, l = 8 cm, V = ?", false}}) {
        const auto& [text, renamed] = row;
        CAPTURE(utf8(row.first));
        Window w;
        w.form.onTask(text);
        const std::u16string plain = calc::plainText(w.controls.solution, u'.');
        CHECK((plain.find(u"\r\nSсф = 4πρ²") != std::u16string::npos) == renamed);
        CHECK((plain.find(u"\r\nS = 4πρ²") != std::u16string::npos) == !renamed);
    }
}
