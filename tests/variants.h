// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <sstream>
#include <string>
#include <vector>

#include "variants_data.h"  // tests/data/variants.txt, embedded at configure time

// One row of tests/data/variants.txt: what a pupil types into variant k's two
// given boxes and what the window then shows, '.' the separator.
struct VariantCase {
    int variant = 0;
    std::array<int, 2> boxes{};  // in reading order
    std::array<std::u16string, 2> given;
    std::array<std::u16string, 5> row;  // R, H, So, Sp, V
    std::u16string r, s;                // the report's sphere
};

// The nine rows, variant 0 first. The texts are ASCII.
inline const std::vector<VariantCase>& variantCases() {
    static const std::vector<VariantCase> cases = [] {
        std::vector<VariantCase> out;
        std::istringstream lines(VariantsData);
        const auto wide = [](const std::string& s) { return std::u16string(s.begin(), s.end()); };
        for (std::string line; std::getline(lines, line);) {
            if (line.empty() || line[0] == '#') continue;
            std::istringstream in(line);
            VariantCase c;
            std::string a, b, bar;
            in >> c.variant >> c.boxes[0] >> c.boxes[1] >> a >> b >> bar;
            c.given = {wide(a), wide(b)};
            for (std::u16string& text : c.row) in >> a, text = wide(a);
            in >> bar >> a >> b;
            c.r = wide(a);
            c.s = wide(b);
            out.push_back(c);
        }
        return out;
    }();
    return cases;
}
