// SPDX-License-Identifier: GPL-3.0-or-later
// The solution's window decided once: when it shows, where it goes, its
// keys, scrolling, the line marked and the printed sheet, with a fake
// font and a fake toolkit, every figure worked out by hand.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "expect.h"
#include "fakefont.h"
#include "window/solutionview.h"

namespace {

using window::ScreenRect;
using window::SolutionKey;

// What the view asked of its toolkit, one entry a call that shows.
class FakeToolkit final : public window::SolutionServices {
public:
    std::unique_ptr<window::FormulaLayout::Metrics> metrics() const override {
        return std::make_unique<FakeMetrics>();
    }
    double dpi() const override { return dpi_; }
    window::SolutionRoom room() const override { return room_; }
    void move(ScreenRect frame) override { moved = frame; }
    void show(bool activate) override { shown_ = true, log += activate ? "raised " : "shown "; }
    void hide() override { shown_ = false, log += "hidden "; }
    bool shown() const override { return shown_; }
    void setText(std::u16string_view text, int rounding) override {
        this->text = text;
        this->rounding = rounding;
    }
    void setScroll(const window::SolutionScroll& scroll) override { this->scroll = scroll; }
    void invalidate() override {}
    void copy(std::u16string_view text) override { copied = text; }
    void print() override { log += "print "; }
    void focus(window::SolutionPart part) override {
        log += std::string(PartNames[static_cast<int>(part)]) + " ";
    }
    std::u16string taskText() const override { return u"d = 4"; }
    static constexpr const char* PartNames[] = {"task", "solve", "rounding", "text"};

    window::SolutionRoom room_{.owner = {0, 0, 500, 400},
                               .screen = {0, 0, 1280, 1024},
                               .frameWidth = 10,
                               .frameHeight = 30,
                               .bar = 15,
                               .barAlways = true,
                               .controls = 40};
    std::string log;
    ScreenRect moved{};
    std::u16string text, copied;
    int rounding = -1;
    window::SolutionScroll scroll;
    double dpi_ = 96;

private:
    bool shown_ = false;
};

// A solution of words lines alone (no cylinder, so no sketch).
calc::Solution wordsSolution(std::vector<std::u16string> lines) {
    calc::Solution s;
    for (std::u16string& words : lines) s.lines.push_back({calc::Quantity::None, {{words, {}}}});
    return s;
}

// Line 0 a sentence of `words` words of four letters (50n − 10 wide), line 1 "dd".
calc::Solution sentenceThenWord(int words) {
    std::u16string sentence;
    for (int i = 0; i < words; ++i) sentence += i ? u" aaaa" : u"aaaa";
    return wordsSolution({sentence, u"dd"});
}

}  // namespace

TEST_CASE("shown with the first solution, hidden while empty, closed until asked again") {
    FakeToolkit toolkit;
    std::vector<calc::Rounding> chosen;
    std::vector<std::u16string> solved;
    window::SolutionView view(
        toolkit, u'.', [&](calc::Rounding r) { chosen.push_back(r); },
        [&](std::u16string_view task) { solved.emplace_back(task); });
    const calc::Solution some = sentenceThenWord(3), none;
    const struct {
        const char* name;
        void (*act)(window::SolutionView&, const calc::Solution&, const calc::Solution&);
        const char* log;
    } steps[] = {
        {"the first solution", [](auto& v, auto& s, auto&) { v.setSolution(s); }, "shown "},
        {"another, shown already", [](auto& v, auto& s, auto&) { v.setSolution(s); }, ""},
        {"the grid emptied", [](auto& v, auto&, auto& n) { v.setSolution(n); }, "hidden "},
        {"asked for while empty", [](auto& v, auto&, auto&) { v.reopen(); }, "raised task "},
        {"emptied while asked for", [](auto& v, auto&, auto& n) { v.setSolution(n); }, ""},
        {"a solution, shown already", [](auto& v, auto& s, auto&) { v.setSolution(s); }, ""},
        {"Escape", [](auto& v, auto&, auto&) { CHECK(v.onKey({SolutionKey::Escape})); }, "hidden "},
        {"a solution while closed", [](auto& v, auto& s, auto&) { v.setSolution(s); }, ""},
        {"asked for", [](auto& v, auto&, auto&) { v.reopen(); }, "raised task "},
        {"closed by its frame", [](auto& v, auto&, auto&) { v.close(); }, "hidden "},
        {"a solution after closing", [](auto& v, auto& s, auto&) { v.setSolution(s); }, ""},
    };
    for (const auto& step : steps) {
        INFO(step.name);
        toolkit.log.clear();
        step.act(view, some, none);
        CHECK(toolkit.log == step.log);
    }

    // Its keys and menu, in each part: each command once, the rest not its own.
    using Part = window::SolutionPart;
    constexpr auto Solution = u"aaaa aaaa aaaa\r\ndd\r\n";
    const struct {
        const char* name;
        SolutionKey key;
        Part part;
        bool ours;
        const char* log;
        const char16_t* copied;
    } keys[] = {
        {"Ctrl+C", {u'C', true}, Part::Text, true, "", Solution},
        {"Ctrl+Shift+C", {u'C', true, true}, Part::Rounding, true, "", Solution},
        {"Ctrl+Insert", {SolutionKey::Insert, true}, Part::Text, true, "", Solution},
        {"Ctrl+C on the button", {u'C', true}, Part::Solve, true, "", Solution},
        {"Ctrl+C in the task field, its own", {u'C', true}, Part::Task, false, "", u""},
        {"Ctrl+P in the task field", {u'P', true}, Part::Task, false, "", u""},
        {"Ctrl+P", {u'P', true}, Part::Text, true, "print ", u""},
        {"C alone", {u'C', false}, Part::Text, false, "", u""},
        {"Ctrl+Escape", {SolutionKey::Escape, true}, Part::Text, false, "", u""},
        {"Enter in the task field", {SolutionKey::Enter}, Part::Task, true, "", u""},
        {"Ctrl+Enter in the task field", {SolutionKey::Enter, true}, Part::Task, true, "", u""},
        {"Enter on the button", {SolutionKey::Enter}, Part::Solve, true, "", u""},
        {"Shift+Enter, the field's new line",
         {SolutionKey::Enter, false, true},
         Part::Task,
         false,
         "",
         u""},
        {"Enter in the solution", {SolutionKey::Enter}, Part::Text, false, "", u""},
        {"Tab from the task field", {SolutionKey::Tab}, Part::Task, true, "solve ", u""},
        {"Tab from the rounding", {SolutionKey::Tab}, Part::Rounding, true, "text ", u""},
        {"Tab from the solution, round", {SolutionKey::Tab}, Part::Text, true, "task ", u""},
        {"Shift+Tab from the task field, round",
         {SolutionKey::Tab, false, true},
         Part::Task,
         true,
         "text ",
         u""},
        {"Shift+Tab from the button",
         {SolutionKey::Tab, false, true},
         Part::Solve,
         true,
         "task ",
         u""},
    };
    for (const auto& row : keys) {
        INFO(row.name);
        toolkit.log.clear();
        toolkit.copied.clear();
        CHECK(view.onKey(row.key, row.part) == row.ours);
        CHECK(toolkit.log == row.log);
        CHECK(toolkit.copied == row.copied);
    }
    CHECK(solved == std::vector<std::u16string>(3, u"d = 4"));  // the three Enters that solve
    view.solveTask();                                           // the button
    CHECK(solved.size() == 4);
    CHECK(toolkit.text == u"aaaa aaaa aaaa\r\ndd");  // the text box's, no line end after the last

    // The place chosen goes to the form; each sample in the window's separator.
    view.chooseRounding(2);
    view.chooseRounding(4);  // none such
    CHECK(chosen == std::vector{calc::Rounding::Hundredths});
    CHECK(view.roundingChoices() ==
          std::array<std::u16string, 4>{u"всички цифри", u"до десетите (0.1)",
                                        u"до стотните (0.01)", u"до хилядните (0.001)"});
    CHECK(window::roundingChoice(calc::Rounding::Thousandths, u',') == u"до хилядните (0,001)");
}

TEST_CASE("placed beside the owner, narrowed to the room there and laid out again") {
    // Frame 10 × 30, bar 15 (always), controls 40, margins 12, gap 8, at
    // least 360 wide. A 3-word line is 140 wide, 8 words 390; the page 25 high.
    const struct {
        const char* name;
        int words;
        ScreenRect owner, screen, placed;
        int pageWidth, pageHeight;
    } rows[] = {
        {"room on the right: 140 + 24 + 10 + 15 by 40 + 25 + 24 + 30",
         3,
         {0, 0, 500, 400},
         {0, 0, 1280, 1024},
         {508, 0, 189, 119},
         140,
         25},
        // 439 wanted, 392 there: lines 392 − 10 − 24 − 15 = 343 wide, so 7
        // words on the first row, the eighth on an indented second.
        {"392 on the right of 439: narrowed",
         8,
         {0, 0, 600, 400},
         {0, 0, 1000, 800},
         {608, 0, 389, 131},
         340,
         37},
    };
    for (const auto& row : rows) {
        INFO(row.name);
        FakeToolkit toolkit;
        toolkit.room_.owner = row.owner;
        toolkit.room_.screen = row.screen;
        window::SolutionView view(toolkit, u'.', [](calc::Rounding) {});
        view.setSolution(sentenceThenWord(row.words));
        CHECK(toolkit.moved == row.placed);
        CHECK(view.page().width() == row.pageWidth);
        CHECK(view.page().height() == row.pageHeight);
    }
}

TEST_CASE("the controls around the page, placed for a toolkit that places its own") {
    // Line 16, edge 2, bar 17, list 21 high, labels 50 × 16 and 45 × 16, in a
    // client area 400 × 500. The box: 3·16 + 17 + 2·2 + 4 = 73; the rows
    // above: 3·16 + 2·2 + 4 + 2·8 = 72, below: 73 + 21 + 8 = 102. At 144 dpi
    // every CSS length (gap 8, margin 12, 4, 80, 180, 120) is 1.5 times.
    const window::ControlMeasures m{.line = 16,
                                    .edge = 2,
                                    .bar = 17,
                                    .row = 21,
                                    .roundingLabel = {50, 16},
                                    .taskLabel = {45, 16}};
    using R = window::ScreenRect;
    const struct {
        const char* name;
        double dpi;
        int width, height;
        // The task's label, field and button, the rounding's label and list, the box, the page.
        std::array<R, 7> at;
        int around;
    } rows[] = {
        // clang-format off
        {"96 dpi, 400 × 500", 96, 400, 500,
         {R{12, 12, 45, 16}, {65, 8, 235, 56}, {308, 8, 80, 21}, {12, 404, 50, 16},
          {70, 402, 180, 141}, {0, 427, 400, 73}, {0, 72, 400, 326}}, 174},
        // box 48 + 17 + 4 + 6 = 75; above 48 + 4 + 6 + 24 = 82; below 75 + 21 + 12 = 108.
        {"144 dpi, 600 × 700", 144, 600, 700,
         {R{18, 18, 45, 16}, {75, 12, 375, 58}, {462, 12, 120, 21}, {18, 600, 50, 16},
          {80, 598, 270, 201}, {0, 625, 600, 75}, {0, 82, 600, 510}}, 190},
        {"a field and a page of nothing in a narrow, low window", 96, 150, 100,
         {R{12, 12, 45, 16}, {65, 8, 0, 56}, {58, 8, 80, 21}, {12, 4, 50, 16},
          {70, 2, 180, 141}, {0, 27, 150, 73}, {0, 72, 150, 0}}, 174},
        // clang-format on
    };
    for (const auto& row : rows) {
        CAPTURE(row.name);
        FakeToolkit toolkit;
        toolkit.dpi_ = row.dpi;
        const window::ControlPlaces at =
            window::SolutionView(toolkit, u'.', {}).placeControls(row.width, row.height, m);
        CHECK(std::array{at.taskLabel, at.task, at.solve, at.roundingLabel, at.rounding, at.box,
                         at.page} == row.at);
        CHECK(at.around == row.around);
    }
}

TEST_CASE("the line the keyboard is on: its band over every row of it, scrolled into view") {
    FakeToolkit toolkit;
    toolkit.room_.owner = {0, 0, 600, 400};
    toolkit.room_.screen = {0, 0, 1000, 800};
    window::SolutionView view(toolkit, u'.', [](calc::Rounding) {});
    // Narrowed as above: line 0 on rows with baselines 8 and 20, line 1 at 35.
    view.setSolution(sentenceThenWord(8));
    view.resize(200, 30);  // 364 × 61 with its margins
    CHECK(toolkit.scroll.yRange == 31);
    using Bar = window::FormulaLayout::Bar;
    const struct {
        const char* name;
        int line;
        std::optional<Bar> band;
        int scrolled;
    } rows[] = {
        // Its boxes' tops and bottoms, 2 more each way, as wide as the page and its margins.
        {"line 1, under the sentence's two rows: down to 39 + 12 − 30", 1, Bar{-12, 25, 364, 14},
         21},
        // From the top (the sketch above it), then its bottom, 36, in view.
        {"line 0, both its rows: 36 − 30", 0, Bar{-12, -2, 364, 26}, 6},
        {"none: left where it is", -1, std::nullopt, 6},
        {"no such line", 2, std::nullopt, 6},
    };
    for (const auto& row : rows) {
        INFO(row.name);
        view.setCurrentLine(row.line);
        const auto band = view.drawing().band;
        REQUIRE(band.has_value() == row.band.has_value());
        if (band)
            CHECK(std::tuple{band->x, band->y, band->width, band->height} ==
                  std::tuple{row.band->x, row.band->y, row.band->width, row.band->height});
        CHECK(view.scroll().y == row.scrolled);
        CHECK(toolkit.scroll.y == row.scrolled);
    }
    // Scrolled no further than the page goes.
    view.scrollTo(0, 100);
    CHECK(view.origin().y == 12 - 31);
}

TEST_CASE("the printed sheet: under the owner's picture, smaller where it would not fit") {
    FakeToolkit toolkit;
    window::SolutionView view(toolkit, u'.', [](calc::Rounding) {});
    view.setSolution(sentenceThenWord(8));  // 390 × 25 at 400 wide
    const FakeMetrics metrics;
    // The page starts 16 under the picture's 61; 77 + 25 = 102.
    const struct {
        const char* name;
        double areaHeight, scale;
    } rows[] = {{"room for both", 1000, 1}, {"51 high: half the size", 51, 0.5}};
    for (const auto& row : rows) {
        INFO(row.name);
        const auto sheet = view.printed(metrics, 96, 400, row.areaHeight, 61);
        CHECK(sheet.pictureBottom == 77);
        CHECK(sheet.scale == row.scale);
    }
}

TEST_CASE("the sketch as the page's SVG: each stroke once, its pen's width and dashes") {
    using D = window::Drawing;
    D d;
    d.width = 10;
    d.height = 20;
    d.title = u"T <1>";
    d.strokes = {{D::Shape::Ellipse, D::Pen::Outline, 5, 5, 4, 2},
                 {D::Shape::FrontHalf, D::Pen::Outline, 5, 15, 4, 2},
                 {D::Shape::BackHalf, D::Pen::Hidden, 5, 15, 4, 2},
                 {D::Shape::Line, D::Pen::Axis, 5, 1, 5, 19},
                 {D::Shape::Rect, D::Pen::Outline, 1, 1, 8, 18},
                 {D::Shape::Circle, D::Pen::Outline, 5, 10, 3, 3},
                 {D::Shape::Line, D::Pen::Radius, 5, 10, 2, 10},
                 {D::Shape::Sides, D::Pen::Outline, 1, 5, 8, 10}};
    d.labels = {{9, 19, calc::Sketch::Anchor::End, D::Face::Label, u"R"},
                {1, 19, calc::Sketch::Anchor::Start, D::Face::Note, u"не"}};
    CHECK(window::svg(d) ==
          R"(<svg class="sketch" role="img" aria-labelledby="sketch-title" width="10.00" )"
          R"(height="20.00" viewBox="0 0 10.00 20.00"><title id="sketch-title">T &lt;1&gt;</title>)"
          R"(<g fill="none" stroke="#000" stroke-width="1.4">)"
          R"(<ellipse cx="5.00" cy="5.00" rx="4.00" ry="2.00"/>)"
          R"(<path d="M1.00 15.00a4.00 2.00 0 0 0 8.00 0"/>)"
          R"(<path stroke-dasharray="4 3" d="M1.00 15.00a4.00 2.00 0 0 1 8.00 0"/>)"
          R"(<path stroke-width="0.8" stroke-dasharray="9 3 2 3" d="M5.00 1.00V19.00"/>)"
          R"(<rect class="section" x="1.00" y="1.00" width="8.00" height="18.00"/>)"
          R"(<circle cx="5.00" cy="10.00" r="3.00"/>)"
          R"(<path stroke-width="1" d="M5.00 10.00H2.00"/>)"
          R"(<path d="M1.00 5.00v10.00m8.00 0v-10.00"/></g>)"
          R"(<g class="labels"><text x="9.00" y="19.00" text-anchor="end">R</text></g>)"
          "<text class=\"note\" x=\"1.00\" y=\"19.00\">\xD0\xBD\xD0\xB5</text></svg>");
}

TEST_CASE("plainLetters: the mathematical italic letters as plain ones, all else kept") {
    const struct {
        const char* name;
        std::u16string_view text, plain;
    } rows[] = {
        {"italic R", u"\U0001D445", u"R"},
        {"italic A, the first", u"\U0001D434", u"A"},
        {"italic Z", u"\U0001D44D", u"Z"},
        {"italic a", u"\U0001D44E", u"a"},
        {"italic z, the last", u"\U0001D467", u"z"},
        {"italic r = 2, in words", u"\U0001D45F = 2", u"r = 2"},
        {"bold italic A, past the range", u"\U0001D468", u"\U0001D468"},
        {"π and Cyrillic", u"π не в мащаб", u"π не в мащаб"},
        {"a lone high surrogate at the end", u"R\xD835", u"R\xD835"},
    };
    for (const auto& row : rows) {
        CAPTURE(row.name);
        CHECK(window::plainLetters(row.text) == row.plain);
    }
}
