// SPDX-License-Identifier: GPL-3.0-or-later
#include "solutionhtml.h"

namespace web {

namespace {

std::u16string escaped(std::u16string_view text) {
    std::u16string out;
    for (char16_t ch : text) {
        if (ch == u'&')
            out += u"&amp;";
        else if (ch == u'<')
            out += u"&lt;";
        else if (ch == u'>')
            out += u"&gt;";
        else
            out += ch;
    }
    return out;
}

}  // namespace

std::u16string solutionHtml(const calc::Solution& solution, char16_t separator) {
    std::u16string out;
    for (const calc::Line& line : solution.lines) {
        out += line.quantity == calc::Quantity::None ? u"<p>" : u"<p class=\"step\">";
        bool first = true;
        for (const calc::Part& part : line.parts) {
            if (!first && calc::spaceBefore(part)) out += u' ';
            first = false;
            // Display style: fractions at full size, as written on paper.
            out += part.formula ? u"<math displaystyle=\"true\">" +
                                      calc::formulaMathML(*part.formula, separator) + u"</math>"
                                : escaped(part.words);
        }
        out += u"</p>";
    }
    return out;
}

}  // namespace web
