// SPDX-License-Identifier: GPL-3.0-or-later
// The solution a calculation explains itself with, as plain text, through
// the form: the nine variants, the sphere's three cases, and every way a
// calculation finds no cylinder.
#include <doctest/doctest.h>

#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "calc/cylinder.h"
#include "calc/exactform.h"
#include "expect.h"
#include "memorycontrols.h"
#include "platform/exact.h"
#include "solutions_data.h"  // tests/data/solutions.txt, embedded at configure time
#include "window/form.h"
#include "window/solutionnotes.h"

namespace {

struct Window {
    explicit Window(char16_t separator = u'.') : form(controls, separator) { form.onLoad(); }
    MemoryControls controls;
    window::Form form;

    void calculate(int k, std::u16string_view first, std::u16string_view second) {
        form.onOptionClick(k);
        const auto given = calc::givenColumns(k);
        controls.type(5 * k + static_cast<int>(given[0]), first);
        controls.type(5 * k + static_cast<int>(given[1]), second);
        form.onCommandClick(0);
    }
};

// A case of tests/data/solutions.txt: typed into the variant's given boxes,
// the plain text (UTF-8, CR LF line ends) the solution then is.
struct Row {
    std::string name;
    int variant = 0;
    std::u16string first, second;
    std::string text;
};

std::vector<Row> rows() {
    std::vector<Row> out;
    std::istringstream lines(SolutionsData);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("== ")) {
            std::vector<std::string> fields;
            for (std::size_t at = 3, bar; at != std::string::npos;
                 at = bar == line.npos ? bar : bar + 3)
                fields.push_back(line.substr(at, (bar = line.find(" | ", at)) - at));
            REQUIRE(fields.size() == 4);
            out.push_back({fields[0], std::stoi(fields[1]), fromUtf8(fields[2]), fromUtf8(fields[3]), ""});
        } else if (!line.empty() && line[0] != '#' && !out.empty()) {
            out.back().text += line + "\r\n";
        }
    }
    return out;
}

}  // namespace

TEST_CASE("each calculation explains itself") {
    const std::vector<Row> cases = rows();
    CHECK(cases.size() == 20);
    for (const Row& row : cases) {
        CAPTURE(row.name);
        Window w;
        w.calculate(row.variant, row.first, row.second);
        CHECK(utf8(calc::plainText(w.controls.solution, u'.')) == row.text);
    }
}

TEST_CASE("a computed box's step, with the window's decimal separator") {
    Window w(u',');
    w.calculate(2, u"3", u"94,2477796076937");
    CHECK(window::boxSolutionText(w.controls.solution, 14, u',') ==
          u"V = πR²H = π · 2,65331193145904² · 3 = 66,3510419675559");
    CHECK(window::boxSolutionText(w.controls.solution, 11, u',').empty());  // given
    CHECK(window::boxSolutionText(w.controls.solution, 4, u',').empty());   // another row
    // A calculation that stops keeps the old numbers, which it did not find.
    w.calculate(1, u"0", u"5");
    CHECK(window::boxSolutionText(w.controls.solution, 6, u',').empty());
}

// The report area's note, for its tooltip and a screen reader: the solution,
// then the key that brings its window back, on a line of its own.
TEST_CASE("the report's note ends with the solution window's key") {
    const struct {
        const char* name;
        std::u16string_view lineEnd;
        std::u16string_view firstLine;  // "Дадено: R = 1, H = 1."
    } rows[] = {
        {"lines ended by LF, as Qt's", u"\n", u"Дадено: R = 1, H = 1.\n"},
        {"lines ended by CR LF, as Win32's", u"\r\n", u"Дадено: R = 1, H = 1.\r\n"},
    };
    const std::u16string_view hint = u"F2 показва решението в отделен прозорец; там е и полето „Задача“.";
    for (const auto& row : rows) {
        CAPTURE(row.name);
        Window w;
        w.calculate(0, u"1", u"1");
        const std::u16string report =
            window::solutionNotes(w.controls.solution, u'.', row.lineEnd).report;
        CHECK(report.starts_with(row.firstLine));
        CHECK(report.substr(report.size() - row.lineEnd.size() - hint.size()) ==
              std::u16string(row.lineEnd) + std::u16string(hint));
        CHECK(window::solutionNotes({}, u'.', row.lineEnd).report.empty());  // no solution
    }
}

TEST_CASE("choosing an option, clearing or an unreadable number empties the solution") {
    Window w;
    w.calculate(0, u"1", u"1");
    CHECK_FALSE(w.controls.solution.empty());
    w.form.onOptionClick(0);
    CHECK(w.controls.solution.empty());
    w.calculate(0, u"1", u"1");
    w.form.onCommandClick(1);
    CHECK(w.controls.solution.empty());
    w.calculate(0, u"1", u"1");
    w.calculate(0, u"1E+999", u"1");
    CHECK(w.controls.solution.empty());
    CHECK(w.controls.errors.size() == 1);
}

// The sample's MathML: every tag closed in order, and the school forms.
TEST_CASE("the solution as MathML is well-formed") {
    // The sample, and its cylinder given as 30π: exact forms with roots.
    const struct {
        std::u16string_view sp;
        int fractions, roots, squares;
    } samples[] = {{u"94.2477796076937", 9, 4, 13}, {u"30π", 16, 16, 13}};
    for (const auto& sample : samples) {
        CAPTURE(sample.fractions);
        Window w;
        w.calculate(2, u"3", sample.sp);
        std::u16string html;
        for (const calc::Line& line : w.controls.solution.lines)
            for (const calc::Part& part : line.parts)
                if (part.formula) html += calc::formulaMathML(*part.formula, u'.');
        std::vector<std::u16string> open;
        int fractions = 0, roots = 0, squares = 0;
        for (std::size_t at = html.find(u'<'); at != std::u16string::npos;
             at = html.find(u'<', at + 1)) {
            const std::size_t end = html.find(u'>', at);
            REQUIRE(end != std::u16string::npos);
            std::u16string tag = html.substr(at + 1, end - at - 1);
            tag = tag.substr(0, tag.find(u' '));  // the name, without attributes
            if (tag.starts_with(u"/")) {
                REQUIRE_FALSE(open.empty());
                CHECK(open.back() == tag.substr(1));
                open.pop_back();
                continue;
            }
            fractions += tag == u"mfrac";
            roots += tag == u"msqrt";
            squares += tag == u"msup";
            open.push_back(tag);
        }
        CHECK(open.empty());
        CHECK(fractions == sample.fractions);
        CHECK(roots == sample.roots);
        CHECK(squares == sample.squares);
    }
}

namespace {

using platform::Exact;
using namespace std::literals;

struct Task {
    const char* name;
    int variant;
    std::u16string_view first, second;  // as typed
    std::u16string_view answer;         // empty: the matura's
    // Calculating again: empty where the boxes are read as before; a plain
    // decimal is read again from its box.
    std::u16string_view again = {};
};

// Textbook tasks: the exact forms worked out by hand, the decimals the
// grid's (an independent evaluation of the formulas, "%.15G").
// clang-format off
const Task tasks[] = {
    {"Вариант 1: R = 3/4, H = 2", 0, u"3/4", u"2",
     u"Отговор: R = 0.75, H = 2, So = 3π ≈ 9.42477796076937, Sp = 33π/8 ≈ 12.9590696960579, V = 9π/8 ≈ 3.53429173528851, r = 0.75, s = 9π/4 ≈ 7.06858347057703, ρ = 1.25, S = 25π/4 ≈ 19.6349540849362."},
    {"Вариант 2: R = 5, So = 70π", 1, u"5", u"70π", u""},
    {"Вариант 3: H = 3, Sp = 30π", 2, u"3", u"30π",
     u"Отговор: R = (√69 − 3)/2 ≈ 2.65331193145904, H = 3, So = (3√69 − 9)π ≈ 50.0137516293231, Sp = 30π ≈ 94.2477796076937, V = (117 − 9√69)π/2 ≈ 66.3510419675559, r = 1.5, s = 9π ≈ 28.2743338823081, ρ = 3.04796066339821, S = (87 − 6√69)π ≈ 116.742389839049."},
    {"Вариант 4: H = 7, So = 70 pi", 3, u"7", u"70 pi", u""},
    {"Вариант 5: So = 70π, V = 175π", 4, u"70π", u"175π", u""},
    {"Вариант 6: Sp = 120п, R = 5", 5, u"120п", u"5", u""},
    {"Вариант 7: R = 5, V = 175·π", 6, u"5", u"175·π", u""},
    {"Вариант 8: H = 7, V = 175*Pi", 7, u"7", u"175*Pi", u""},
    {"Вариант 9: So = 70π, Sp = 120π", 8, u"70π", u"120π", u""},
    {"Вариант 1: R = 0.5000000000000000000001, H = 2.0000000000000000000001", 0, u"0.5000000000000000000001", u"2.0000000000000000000001",
     u"Отговор: R = 0.5, H = 2, So = 6.28318530717958, Sp = 7.85398163397447, V = 1.5707963267949, r = 0.5, s = 3.14159265358979, ρ = 1.11803398874989, S = 15.707963267949.",
     u"Отговор: R = 0.5, H = 2, So = 2π ≈ 6.28318530717958, Sp = 5π/2 ≈ 7.85398163397447, V = π/2 ≈ 1.5707963267949, r = 0.5, s = π ≈ 3.14159265358979, ρ = √5/2 ≈ 1.11803398874989, S = 5π ≈ 15.707963267949."},
};
// clang-format on

// The matura's cylinder, R = 5 and H = 7, whichever two it is given by.
constexpr std::u16string_view Matura =
    u"Отговор: R = 5, H = 7, So = 70π ≈ 219.911485751285, Sp = 120π ≈ 376.991118430775, V = 175π ≈ "
    u"549.778714378213, r = 3.5, s = 49π ≈ 153.9380400259, ρ = √149/2 ≈ 6.10327780786685, S = 149π "
    u"≈ "
    u"468.097305384879.";

// The "Отговор" line of `text`.
std::u16string answerOf(const std::u16string& text) {
    const std::size_t at = text.find(u"Отговор:");
    return at == std::u16string::npos ? std::u16string()
                                      : text.substr(at, text.find(u"\r\n", at) - at);
}

struct Form {
    const char* name;
    Exact x;
    std::optional<std::u16string_view> text;  // none: no book form
};

// clang-format off
const Form forms[] = {
    {"5/2", Exact(5) / Exact(2), u"2.5"},
    {"25/16", Exact(25) / Exact(16), u"1.5625"},
    {"1/3", Exact(1) / Exact(3), u"1/3"},
    {"−7/3", Exact(-7) / Exact(3), u"−7/3"},
    {"1234567/3", Exact(1234567) / Exact(3), std::nullopt},
    {"10^18", Exact(1'000'000'000'000'000'000), u"1E+18"},
    {"3√2", Exact(3) * platform::sqrt(Exact(2)), u"3√2"},
    {"25π/16", Exact(25) * Exact::pi() / Exact(16), u"25π/16"},
    {"−2π", Exact(-2) * Exact::pi(), u"−2π"},
    {"(√69 − 3)/2", (platform::sqrt(Exact(69)) - Exact(3)) / Exact(2), u"(√69 − 3)/2"},
    {"(6 + 4√3)π", (Exact(6) + Exact(4) * platform::sqrt(Exact(3))) * Exact::pi(), u"(6 + 4√3)π"},
    {"5/(4π)", Exact(5) / (Exact(4) * Exact::pi()), u"5/(4π)"},
    {"18π + 200/3", Exact(18) * Exact::pi() + Exact(200) / Exact(3), u"18π + 200/3"},
    {"π³", Exact::pi() * Exact::pi() * Exact::pi(), std::nullopt},
    {"none", Exact::none(), std::nullopt},
};
// clang-format on

}  // namespace

TEST_CASE("textbook tasks answer in the book's exact forms") {
    for (const Task& task : tasks) {
        CAPTURE(task.name);
        Window w;
        w.calculate(task.variant, task.first, task.second);
        const std::u16string text = calc::plainText(w.controls.solution, u'.');
        CHECK(answerOf(text) == (task.answer.empty() ? Matura : task.answer));
        // The boxes now show decimals; calculating again keeps what was read.
        w.form.onCommandClick(0);
        if (task.again.empty())
            CHECK(calc::plainText(w.controls.solution, u'.') == text);
        else
            CHECK(answerOf(calc::plainText(w.controls.solution, u'.')) == task.again);
    }
}

TEST_CASE("an exact value as the book writes it") {
    for (const Form& form : forms) {
        CAPTURE(form.name);
        const std::optional<calc::Formula> f = calc::bookForm(form.x);
        REQUIRE(f.has_value() == form.text.has_value());
        if (f) CHECK(calc::formulaText(*f, u'.') == *form.text);
    }
    // Put in for a letter it keeps apart from its neighbours, as a number does.
    calc::Formula product = calc::prod({calc::lit(u"2"), calc::pi(), *calc::bookForm(forms[6].x)});
    CHECK(calc::formulaText(product, u'.') == u"2π · 3√2");
    CHECK(
        calc::formulaMathML(*calc::bookForm(forms[9].x), u'.') ==
        u"<mfrac><mrow><msqrt><mn>69</mn></msqrt><mo>−</mo><mn>3</mn></mrow><mrow><mn>2</mn></mrow></mfrac>"sv);
}

namespace {

struct UnitTask {
    const char* name;
    int variant;
    std::u16string_view first, second;  // as typed
    calc::Rounding rounding;
    std::u16string_view given, answer;
};

// Tasks with units, worked out by hand; the place chosen after calculating.
// clang-format off
const UnitTask unitTasks[] = {
    {"Вариант 1: R = 3 dm, H = 0,2 m, to 0.01", 0, u"3 dm", u"0,2 m", calc::Rounding::Hundredths,
     u"Дадено: R = 3 dm, H = 0.2 m = 2 dm.",
     u"Отговор: R = 3 dm, H = 2 dm, So = 12π ≈ 37.70 dm², Sp = 30π ≈ 94.25 dm², V = 18π ≈ 56.55 dm³, r = 1 dm, s = 4π ≈ 12.57 dm², ρ = √10 ≈ 3.16 dm, S = 40π ≈ 125.66 dm²."},
    {"Вариант 1: R = 4 см, H = 0,6 дм, to 0.001", 0, u"4 см", u"0,6 дм", calc::Rounding::Thousandths,
     u"Дадено: R = 4 см, H = 0.6 дм = 6 см.",
     u"Отговор: R = 4 см, H = 6 см, So = 48π ≈ 150.796 см², Sp = 80π ≈ 251.327 см², V = 96π ≈ 301.593 см³, r = 3 см, s = 36π ≈ 113.097 см², ρ = 5 см, S = 100π ≈ 314.159 см²."},
    {"Вариант 4: H = 7 without a unit, So = 70π cm²", 3, u"7", u"70π cm²", calc::Rounding::None,
     u"Дадено: H = 7 cm, So = 70π cm².",
     u"Отговор: R = 5 cm, H = 7 cm, So = 70π ≈ 219.911485751285 cm², Sp = 120π ≈ 376.991118430775 cm², V = 175π ≈ 549.778714378213 cm³, r = 3.5 cm, s = 49π ≈ 153.9380400259 cm², ρ = √149/2 ≈ 6.10327780786685 cm, S = 149π ≈ 468.097305384879 cm²."},
    {"Вариант 8: H = 2 dm, V = 1,5 л, to 0.1", 7, u"2 dm", u"1,5 л", calc::Rounding::Tenths,
     u"Дадено: H = 2 dm, V = 1.5 л = 1.5 dm³.",
     u"Отговор: R = 0.48860251190292 ≈ 0.5 dm, H = 2 dm, So = 6.13996024767893 ≈ 6.1 dm², Sp = 7.63996024767893 ≈ 7.6 dm², V = 1.5 dm³ = 1.5 л, r = 0.48860251190292 ≈ 0.5 dm, s = 3 dm², ρ = 1.11298356440598 ≈ 1.1 dm, S = 15.5663706143592 ≈ 15.6 dm²."},
    {"Вариант 7: R = 10 cm, V = 2 l, to 0.1", 6, u"10 cm", u"2 l", calc::Rounding::Tenths,
     u"Дадено: R = 10 cm, V = 2 l = 2000 cm³.",
     u"Отговор: R = 10 cm, H = 20/π ≈ 6.4 cm, So = 400 cm², Sp = 200π + 400 ≈ 1028.3 cm², V = 2000 cm³ = 2 l, r = 10/π ≈ 3.2 cm, s = 400/π ≈ 127.3 cm², ρ = 10.4943850874758 ≈ 10.5 cm, S = 400π + 400/π ≈ 1384.0 cm²."},
};
// clang-format on

// The "Дадено" line of `text`.
std::u16string givenOf(const std::u16string& text) {
    return text.substr(0, text.find(u"\r\n"));
}

}  // namespace

TEST_CASE("tasks with units answer in their units, rounded as asked") {
    for (const UnitTask& task : unitTasks) {
        CAPTURE(task.name);
        Window w;
        w.calculate(task.variant, task.first, task.second);
        w.form.onRoundingChoice(task.rounding);
        const std::u16string text = calc::plainText(w.controls.solution, u'.');
        CHECK(givenOf(text) == task.given);
        CHECK(answerOf(text) == task.answer);
        // The boxes show the numbers in the grid's unit; calculating again keeps them.
        w.form.onCommandClick(0);
        CHECK(calc::plainText(w.controls.solution, u'.') == text);
    }
}
