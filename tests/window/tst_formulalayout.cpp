// SPDX-License-Identifier: GPL-3.0-or-later
// Formulas and solutions laid out with a fixed fake font, every position
// worked out by hand.
#include <string>

#include "calc/rules.h"
#include "expect.h"
#include "fakefont.h"
#include "window/formulalayout.h"
#include "window/solutionlayout.h"
#include "window/solutionpage.h"

namespace {

using Layout = window::FormulaLayout;
using calc::Formula;

// Runs as text[style]x,y (i italic, s script), bars as #x,y,w,h, radicals
// as √ and their four points.
std::string drawn(const Layout& layout) {
    std::string out;
    const auto point = [](int x, int y) { return std::to_string(x) + ',' + std::to_string(y); };
    for (const Layout::Run& run : layout.runs)
        out += utf8(run.text) + '[' + (run.style.script ? "s" : "") +
               (run.style.italic ? "i" : "") + ']' + point(run.x, run.y) + '|';
    for (const Layout::Bar& bar : layout.bars)
        out += '#' + point(bar.x, bar.y) + ',' + point(bar.width, bar.height) + '|';
    for (const Layout::Radical& radical : layout.radicals) {
        out += "√";
        for (const Layout::Point& p : radical) out += point(p.x, p.y) + ' ';
        out.back() = '|';
    }
    return out;
}

struct Row {
    const char* name;
    Formula formula;
    char16_t separator;
    int width, ascent, descent;
    const char* drawn;
};

}  // namespace

TEST_CASE("layOut: fractions, roots, powers, subscripts and inline signs") {
    using namespace calc;
    // clang-format off
    const Row rows[] = {
        {"So/(2πR)", HeightFromRadiusAndLateral.derive().formula, u'.', 32, 15, 9,
         "S[i]7,-7|o[si]17,-5|2[]1,7|πR[i]11,7|#0,-3,32,1|"},
        {"√(V/(πH))", RadiusFromHeightAndVolume.derive().formula, u'.', 29, 16, 9,
         "V[i]12,-6|πH[i]7,7|#5,-16,24,1|#6,-3,22,1|√0,5 1,4 2,9 5,-16|"},
        {"πR²H", VolumeFromRadiusAndHeight.derive().formula, u'.', 37, 9, 2,
         "π[i]0,0|R[i]10,0|2[s]20,-4|H[i]27,0|"},
        {"(−H + √(H² + 2Sp/π))/2", RadiusFromHeightAndTotal.derive().formula, u'.', 135, 30, 9,
         "−[]1,-13|H[i]11,-13| + []21,-13|H[i]57,-13|2[s]67,-17| + []74,-13|2[]105,-20|"
         "S[i]115,-20|p[si]125,-18|π[i]113,-6|2[]62,7|"
         "#0,-3,135,1|#56,-30,78,1|#104,-16,29,1|√51,-8 52,-9 53,-4 56,-30|"},
        {"Sp = 2πR(R + H)", RadiusFromHeightAndTotal.derive().from[0], u'.', 147, 8, 3,
         "S[i]0,0|p[si]10,2| = []17,0|2[]47,0|πR[i]57,0|([]77,0|R[i]87,0| + []97,0|H[i]127,0|"
         ")[]137,0|"},
        {"= π · 2,65² · 3", rel({prod({pi(), square(num(2.65)), num(3)})}, u"="), u',', 147, 9, 2,
         "= []0,0|π[i]20,0| · []30,0|2,65[]60,0|2[s]100,-4| · 3[]107,0|"},
        {"= 1,5³", rel({cube(num(1.5))}, u"="), u',', 57, 9, 2, "= []0,0|1,5[]20,0|3[s]50,-4|"},
    };
    // clang-format on
    const FakeMetrics metrics;
    for (const Row& row : rows) {
        INFO(row.name);
        const Layout layout = window::layOut(row.formula, metrics, row.separator);
        CHECK(drawn(layout) == row.drawn);
        CHECK(layout.width == row.width);
        CHECK(layout.ascent == row.ascent);
        CHECK(layout.descent == row.descent);
    }
}

namespace {

// The page's draw list gathered into one layout, as a painter walks it.
Layout flat(const window::SolutionLayout& page) {
    Layout out;
    page.forEachRun([&](const Layout::Run& run) { out.runs.push_back(run); });
    page.forEachBar([&](const Layout::Bar& bar) { out.bars.push_back(bar); });
    page.forEachPolyline([&](const Layout::Radical& line) { out.radicals.push_back(line); });
    return out;
}

// Words as {text, {}}, a formula as {{}, formula}.
calc::Line givenLine() {
    using namespace calc;
    return {Quantity::None, {{u"Дадено:", {}}, {{}, rel({sym(u"R"), num(1)}, u"=")}, {u".", {}}}};
}

calc::Line chainLine() {
    using namespace calc;
    return {Quantity::V,
            {{{}, rel({sym(u"V"), VolumeFromRadiusAndHeight.derive().formula}, u"=")},
             {{}, rel({prod({pi(), square(num(1)), num(1)})}, u"=")},
             {{}, rel({num(3.14)}, u"=")}}};
}

struct PageRow {
    const char* name;
    std::vector<calc::Line> lines;
    int width, pageWidth, height;
    const char* drawn;
};

}  // namespace

TEST_CASE("layOutSolution: parts wrapped onto indented rows, rows as high as their boxes") {
    using namespace calc;
    // Words as {text, {}}, a formula as {{}, formula}.
    const Line given = givenLine(), chain = chainLine();
    const Line root{Quantity::R,
                    {{{}, rel({sym(u"R"), RadiusFromHeightAndVolume.derive().formula}, u"=")}}};
    const Line v3{Quantity::None, {{{}, rel({sym(u"V"), num(3)}, u"=")}}};
    // clang-format off
    const PageRow rows[] = {
        {"empty", {}, 300, 0, 0, ""},
        {"Дадено: R = 1. / V = πR²H = π · 1² · 1 = 3.14 at 300", {given, chain}, 300, 274, 26,
         "Дадено:[]0,8|R[i]80,8| = 1[]90,8|.[]130,8|"
         "V[i]0,24| = []10,24|π[i]40,24|R[i]50,24|2[s]60,20|H[i]67,24|"
         "= []87,24|π[i]107,24| · []117,24|1[]147,24|2[s]157,20| · 1[]164,24|= 3.14[]214,24|"},
        {"Дадено: R = 1. / V = πR²H = π · 1² · 1 = 3.14 at 135", {given, chain}, 135, 132, 63,
         "Дадено:[]0,8|R[i]15,20| = 1[]25,20|.[]65,20|"
         "V[i]0,36| = []10,36|π[i]40,36|R[i]50,36|2[s]60,32|H[i]67,36|"
         "= []15,49|π[i]35,49| · []45,49|1[]75,49|2[s]85,45| · 1[]92,49|= 3.14[]15,61|"},
        {"Дадено: R = 1. / R = √(V/(πH)) / V = 3 at 300", {given, root, v3}, 300, 140, 55,
         "Дадено:[]0,8|R[i]80,8| = 1[]90,8|.[]130,8|R[i]0,31| = []10,31|V[i]52,25|πH[i]47,38|"
         "V[i]0,53| = 3[]10,53|#45,15,24,1|#46,28,22,1|√40,36 41,35 42,40 45,15|"},
    };
    // clang-format on
    const FakeMetrics metrics;
    for (const PageRow& row : rows) {
        INFO(row.name);
        const auto page = window::layOutSolution({row.lines, {}}, metrics, row.width, u'.');
        CHECK(drawn(flat(page)) == row.drawn);
        CHECK(page.width == row.pageWidth);
        CHECK(page.height == row.height);
    }
}

TEST_CASE("layOutPage and fitToSheet: the sketch above the lines, a page too tall made smaller") {
    // The two lines above: 274 × 26 at width 300, 132 × 63 at 135; the
    // sketch of R = 1, H = 3 is 246 × 168 CSS pixels.
    calc::Solution solution{{givenLine(), chainLine()}, {}};
    solution.calculation.q.R = 1;
    solution.calculation.q.H = 3;
    const FakeMetrics metrics;
    const struct {
        const char* name;
        bool cylinder;
        double dpi;
        int linesTop, width, height;
    } pages[] = {
        {"no cylinder at 96 dpi", false, 96, 0, 274, 26},
        {"R = 1, H = 3 at 96 dpi: lines 168 + 8 down", true, 96, 176, 274, 202},
        {"R = 1, H = 3 at 144 dpi: the sketch 369 wide", true, 144, 264, 369, 290},
    };
    for (const auto& row : pages) {
        INFO(row.name);
        solution.cylinderExists = row.cylinder;
        const window::SolutionPage page = window::layOutPage(solution, metrics, row.dpi, 300, u'.');
        CHECK(page.linesTop == row.linesTop);
        CHECK(page.width() == row.width);
        CHECK(page.height() == row.height);
    }

    solution.cylinderExists = true;
    const struct {
        const char* name;
        double areaWidth, areaHeight, pictureBottom;
        double scale;
        int linesWidth, height;
    } sheets[] = {
        {"135 × 1000 under a picture to 61: as it is", 135, 1000, 61, 1, 132, 239},
        // 61 + 176 + 63 = 300 in 135: at 0.45, the lines 300 wide.
        {"135 × 135 under a picture to 61: at 0.45", 135, 135, 61, 0.45, 274, 202},
    };
    for (const auto& row : sheets) {
        INFO(row.name);
        const auto [page, scale] = window::fitToSheet(solution, metrics, 96, row.areaWidth,
                                                      row.areaHeight, row.pictureBottom, u'.');
        CHECK(scale == row.scale);
        CHECK(page.lines.width == row.linesWidth);
        CHECK(page.height() == row.height);
    }
}

TEST_CASE("the four fonts: each style by its index, and its size in points") {
    const struct {
        const char* name;
        std::size_t index;
        Layout::Style style;
        double points;
    } rows[] = {
        {"0: upright", 0, {.script = false, .italic = false}, 12},
        {"1: italic", 1, {.script = false, .italic = true}, 12},
        {"2: upright script", 2, {.script = true, .italic = false}, 12 * 0.7},
        {"3: italic script", 3, {.script = true, .italic = true}, 12 * 0.7},
    };
    for (const auto& row : rows) {
        CAPTURE(row.name);
        CHECK(Layout::styleOf(row.index) == row.style);
        CHECK(Layout::fontIndex(row.style) == row.index);
        CHECK(window::SolutionPage::points(row.style) == row.points);
    }
}
