// SPDX-License-Identifier: GPL-3.0-or-later
#include "solutionlayout.h"

#include <algorithm>
#include <utility>

namespace window {

namespace {

constexpr FormulaLayout::Style Words{};

// Words as a box of one upright run, as a formula's plain run is.
FormulaLayout wordsBox(const std::u16string& words, const FormulaLayout::Metrics& m) {
    FormulaLayout box;
    box.width = m.advance(words, Words);
    box.ascent = m.ascent(Words);
    box.descent = m.descent(Words);
    box.runs.push_back({words, 0, 0, Words});
    return box;
}

// Fills the page row by row; a row's baseline is known only once its
// tallest box is, so its items wait in `row_` until it ends.
class Pager {
public:
    Pager(const FormulaLayout::Metrics& m, int width)
        : width_(width), space_(m.advance(u" ", Words)), em_(m.ascent(Words) + m.descent(Words)) {}

    // Parts that stand together on a row: one and those glued after it;
    // `spaced`: a space before the first, unless it starts a row.
    void add(std::vector<FormulaLayout> group, bool spaced, int line) {
        int wide = 0;
        for (const FormulaLayout& box : group) wide += box.width;
        const int gap = row_.empty() || !spaced ? 0 : space_;
        if (!row_.empty() && x_ + gap + wide > width_) {
            endRow(em_ / 4);
            x_ = 3 * em_ / 2;
        } else {
            x_ += gap;
        }
        for (FormulaLayout& box : group) {
            ascent_ = std::max(ascent_, box.ascent);
            descent_ = std::max(descent_, box.descent);
            const int w = box.width;
            row_.push_back({std::move(box), x_, 0, line});
            x_ += w;
        }
    }

    // The line's last row ends; the next line starts at the left.
    void endLine() {
        if (!row_.empty()) endRow(em_ / 2);
        x_ = 0;
    }

    SolutionLayout page() && {
        page_.height = std::max(0, top_ - lastGap_);
        return std::move(page_);
    }

private:
    void endRow(int gap) {
        const int baseline = top_ + ascent_;
        for (SolutionLayout::Item& item : row_) {
            item.y = baseline;
            page_.items.push_back(std::move(item));
        }
        page_.width = std::max(page_.width, x_);
        top_ = baseline + descent_ + gap;
        lastGap_ = gap;
        row_.clear();
        ascent_ = descent_ = 0;
    }

    const int width_, space_, em_;
    SolutionLayout page_;
    std::vector<SolutionLayout::Item> row_;
    int x_ = 0, ascent_ = 0, descent_ = 0, top_ = 0, lastGap_ = 0;
};

}  // namespace

SolutionLayout layOutSolution(const calc::Solution& solution, const FormulaLayout::Metrics& metrics,
                              int width, char16_t separator) {
    Pager pager(metrics, width);
    int index = 0;
    for (const calc::Line& line : solution.lines) {
        // A part a space follows starts a group; the glued ones join it.
        std::vector<FormulaLayout> group;
        for (const calc::Part& part : line.parts) {
            if (!group.empty() && calc::spaceBefore(part)) {
                pager.add(std::move(group), true, index);
                group.clear();
            }
            if (part.formula) {
                group.push_back(layOut(*part.formula, metrics, separator));
                continue;
            }
            // Words wrap between themselves, as a long sentence must.
            std::size_t at = 0;
            for (std::size_t space; (space = part.words.find(u' ', at)) != std::u16string::npos;
                 at = space + 1) {
                group.push_back(wordsBox(part.words.substr(at, space - at), metrics));
                pager.add(std::move(group), true, index);
                group.clear();
            }
            group.push_back(wordsBox(part.words.substr(at), metrics));
        }
        if (!group.empty()) pager.add(std::move(group), true, index);
        pager.endLine();
        ++index;
    }
    return std::move(pager).page();
}

}  // namespace window
