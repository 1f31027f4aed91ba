// SPDX-License-Identifier: GPL-3.0-or-later
#include "solutionpage.h"

#include <algorithm>
#include <cmath>

namespace window {

int SolutionPage::width() const {
    const int drawn = sketch ? static_cast<int>(std::ceil(sketch->width * unit)) : 0;
    return std::max(drawn, lines.width);
}

int SolutionPage::height() const {
    return linesTop + lines.height;
}

SolutionPage layOutPage(const calc::Solution& solution, const FormulaLayout::Metrics& metrics,
                        double dpi, int width, char16_t separator) {
    SolutionPage page{calc::sketchOf(solution), layOutSolution(solution, metrics, width, separator),
                      dpi / SolutionPage::CssPixels, metrics.rule()};
    if (page.sketch)
        page.linesTop =
            static_cast<int>(std::ceil((page.sketch->height + SolutionPage::Gap) * page.unit));
    return page;
}

PrintedPage fitToSheet(const calc::Solution& solution, const FormulaLayout::Metrics& metrics,
                       double dpi, double areaWidth, double areaHeight, double pictureBottom,
                       char16_t separator) {
    PrintedPage printed{
        layOutPage(solution, metrics, dpi, static_cast<int>(std::floor(areaWidth)), separator)};
    // Too tall: smaller, laid out again to the sheet's width at that size.
    printed.scale = std::min(1.0, areaHeight / (pictureBottom + printed.page.height()));
    if (printed.scale < 1)
        printed.page =
            layOutPage(solution, metrics, dpi,
                       static_cast<int>(std::floor(areaWidth / printed.scale)), separator);
    return printed;
}

}  // namespace window
