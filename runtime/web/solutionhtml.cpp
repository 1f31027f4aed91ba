// SPDX-License-Identifier: GPL-3.0-or-later
#include "solutionhtml.h"

#include "platform/utf8.h"

namespace web {

std::string solutionHtml(const calc::Solution& solution, char16_t separator) {
    std::string out;
    for (const calc::Line& line : solution.lines) {
        out += line.quantity == calc::Quantity::None ? "<p>" : "<p class=\"step\">";
        for (const calc::Part& part : line.parts) {
            if (&part != &line.parts.front() && calc::spaceBefore(part)) out += " ";
            // Display style: fractions at full size, as written on paper.
            if (part.formula)
                out += "<math displaystyle=\"true\">" +
                       platform::utf8(calc::formulaMathML(*part.formula, separator)) + "</math>";
            else
                out += platform::html(part.words);
        }
        out += "</p>";
    }
    return out;
}

}  // namespace web
