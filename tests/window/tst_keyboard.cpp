// SPDX-License-Identifier: GPL-3.0-or-later
#include <sstream>
#include <string>
#include <vector>

#include "expect.h"
#include "focus_chains_data.h"  // tests/data/focus-chains.txt, embedded at configure time
#include "window/keyboard.h"

using window::ControlRef;
using window::Key;
using window::Kind;

namespace {

const char* const Arrays[] = {"Label1", "Option1", "Text2", "Command1", "Text1"};

std::string nameOf(std::optional<ControlRef> ref) {
    if (!ref) return "none";
    return Arrays[static_cast<int>(ref->kind)] + ("(" + std::to_string(ref->index) + ")");
}

// "Text2(13)" as a control, "none" as none.
std::optional<ControlRef> named(const std::string& name) {
    const std::size_t open = name.find('(');
    for (int k = 0; k < 5; ++k)
        if (name.substr(0, open) == Arrays[k])
            return ControlRef{static_cast<Kind>(k), std::stoi(name.substr(open + 1))};
    return std::nullopt;
}

struct Chain {
    int chosen;
    std::vector<std::string> names;
};

std::vector<Chain> chains() {
    std::vector<Chain> out;
    std::istringstream lines(FocusChainsData);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream in(line);
        Chain c;
        in >> c.chosen;
        for (std::string name; in >> name;) c.names.push_back(name);
        out.push_back(c);
    }
    return out;
}

}  // namespace

TEST_CASE("Tab and Shift+Tab follow the hand-written chains, round and round") {
    const auto all = chains();
    REQUIRE(all.size() == 4);
    for (const Chain& c : all) {
        INFO("Option1(" << c.chosen << ") chosen");
        std::vector<std::string> chain;
        for (const ControlRef ref : window::focusChain(c.chosen)) chain.push_back(nameOf(ref));
        CHECK(chain == c.names);
        const std::size_t n = c.names.size();
        for (std::size_t i = 0; i < n; ++i) {
            const std::string& from = c.names[i];
            const std::string& next = c.names[(i + 1) % n];
            INFO("from " << from);
            const auto tab = window::keyAction(Key::Tab, named(from), c.chosen);
            CHECK(nameOf(tab.focus) == next);
            CHECK(tab.selectAll == (next.rfind("Text2", 0) == 0));
            CHECK(nameOf(window::keyAction(Key::ShiftTab, named(next), c.chosen).focus) == from);
            CHECK(window::tabStop(*named(from)));
        }
    }
}

TEST_CASE("Tab from outside the chain goes on from the control's place in the tab order") {
    struct Row {
        std::string from;  // a box clicked, an option not chosen, or nothing focused
        int chosen;
        std::string tab, shiftTab;
    };
    const Row rows[] = {
        {"Text2(2)", 0, "Text2(5)", "Text2(1)"},   {"Text2(4)", 0, "Text2(22)", "Command1(1)"},
        {"Text2(44)", 0, "Text1(0)", "Text2(43)"}, {"Option1(5)", 0, "Text2(25)", "Text2(24)"},
        {"Option1(0)", 4, "Text2(0)", "Text1(1)"}, {"none", 0, "Text1(0)", "Text2(43)"},
    };
    for (const Row& row : rows) {
        INFO(row.from << " with Option1(" << row.chosen << ") chosen");
        const auto from = named(row.from);
        CHECK(nameOf(window::keyAction(Key::Tab, from, row.chosen).focus) == row.tab);
        CHECK(nameOf(window::keyAction(Key::ShiftTab, from, row.chosen).focus) == row.shiftTab);
    }
}

TEST_CASE("the other keys: arrows on the options, Enter, Ctrl+A") {
    struct Row {
        Key key;
        std::string at;
        std::string focus;    // "none": the focus stays
        int option, command;  // -1: none
        bool selectAll;
    };
    const Row rows[] = {
        {Key::Up, "Option1(0)", "Option1(8)", 8, -1, false},
        {Key::Left, "Option1(0)", "Option1(8)", 8, -1, false},
        {Key::Down, "Option1(8)", "Option1(0)", 0, -1, false},
        {Key::Right, "Option1(8)", "Option1(0)", 0, -1, false},
        {Key::Down, "Option1(3)", "Option1(4)", 4, -1, false},
        {Key::Down, "Text2(0)", "none", -1, -1, false},
        {Key::Enter, "Text2(0)", "none", -1, 0, false},
        {Key::Enter, "Text2(44)", "none", -1, 0, false},
        {Key::Enter, "Command1(0)", "none", -1, 0, false},
        {Key::Enter, "Command1(1)", "none", -1, 1, false},
        {Key::Enter, "Option1(0)", "none", -1, -1, false},
        {Key::Enter, "Text1(0)", "none", -1, -1, false},
        {Key::SelectAll, "Text2(7)", "none", -1, -1, true},
        {Key::SelectAll, "Text1(0)", "none", -1, -1, true},
        {Key::SelectAll, "Command1(0)", "none", -1, -1, false},
    };
    for (const Row& row : rows) {
        INFO("key " << static_cast<int>(row.key) << " at " << row.at);
        const auto action = window::keyAction(row.key, named(row.at), 0);
        CHECK(nameOf(action.focus) == row.focus);
        CHECK(action.option.value_or(-1) == row.option);
        CHECK(action.command.value_or(-1) == row.command);
        CHECK(action.selectAll == row.selectAll);
        CHECK(action.handled() == (row.focus != "none" || row.command >= 0 || row.selectAll));
    }
    CHECK_FALSE(window::takesFocus({Kind::Label1, 0}));
    CHECK(window::takesFocus({Kind::Text2, 2}));
}
