// SPDX-License-Identifier: GPL-3.0-or-later
#include "solutionnotes.h"

namespace window {

namespace {

// `text` with its CR LF line ends as `lineEnd`, none after the last line.
std::u16string withLineEnds(std::u16string_view text, std::u16string_view lineEnd) {
    while (text.ends_with(u"\r\n")) text.remove_suffix(2);
    std::u16string out;
    for (std::size_t at = 0;;) {
        const std::size_t end = text.find(u"\r\n", at);
        out += text.substr(at, end - at);
        if (end == std::u16string_view::npos) return out;
        out += lineEnd;
        at = end + 2;
    }
}

}  // namespace

std::u16string_view SolutionNotes::of(ControlRef ref) const {
    if (ref.kind == Kind::Text2) return box.at(static_cast<std::size_t>(ref.index));
    return ref == ControlRef{Kind::Text1, 0} ? report : std::u16string_view();
}

std::u16string boxSolutionText(const calc::Solution& solution, int box, char16_t separator) {
    // A box that kept its number from before has no step of this solution.
    if (!solution.solved || box / 5 != solution.calculation.variant) return {};
    const auto column = static_cast<calc::Column>(box % 5);
    for (calc::Column computed : calc::computedColumns(solution.calculation.variant))
        if (computed == column)
            return calc::stepText(solution, calc::quantityOf(column), separator);
    return {};
}

SolutionNotes solutionNotes(const calc::Solution& solution, char16_t separator,
                            std::u16string_view lineEnd) {
    SolutionNotes notes;
    if (solution.empty()) return notes;
    for (int i = 0; i < BoxCount; ++i)
        notes.box[static_cast<std::size_t>(i)] = boxSolutionText(solution, i, separator);
    notes.report = withLineEnds(calc::plainText(solution, separator), lineEnd);
    notes.report += lineEnd;
    notes.report += calc::text(calc::Text::SolutionKeyHint);
    return notes;
}

std::u16string boxTooltip(std::u16string_view step, std::u16string_view fullText, bool rounded,
                          std::u16string_view lineEnd) {
    std::u16string tip(step);
    if (!rounded) return tip;
    if (!tip.empty()) tip += lineEnd;
    return tip += fullText;
}

}  // namespace window
