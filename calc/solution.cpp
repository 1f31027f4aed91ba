// SPDX-License-Identifier: GPL-3.0-or-later
#include "solution.h"

namespace calc {

// First cut: each computed quantity and its result only.
Solution explain(const Calculation& c) {
    Solution s;
    s.calculation = c;
    for (Column col : computedColumns(c.variant)) {
        Line line{static_cast<Quantity>(col), {}};
        line.parts.push_back({{}, rel({sym(columnName(col)), num(c.q[col])}, u"=")});
        s.lines.push_back(std::move(line));
    }
    s.cylinderExists =
        !c.failure && c.q.R > 0 && c.q.H > 0 && c.q.So > 0 && c.q.Sp > 0 && c.q.V > 0;
    return s;
}

std::u16string stepText(const Solution& solution, Quantity quantity, char16_t separator) {
    for (const Line& line : solution.lines) {
        if (line.quantity != quantity) continue;
        std::u16string out;
        for (const Part& part : line.parts) {
            if (!out.empty()) out += u' ';
            out += part.formula ? formulaText(*part.formula, separator) : part.words;
        }
        return out;
    }
    return {};
}

std::u16string plainText(const Solution& solution, char16_t separator) {
    std::u16string out;
    for (const Line& line : solution.lines) {
        Solution one;
        one.lines = {line};
        out += stepText(one, line.quantity, separator) + u"\r\n";
    }
    return out;
}

std::u16string mathML(const Solution& solution, char16_t separator) {
    std::u16string out;
    for (const Line& line : solution.lines) {
        out += u"<p>";
        for (const Part& part : line.parts)
            out += part.formula ? u"<math>" + formulaMathML(*part.formula, separator) + u"</math>"
                                : part.words;
        out += u"</p>";
    }
    return out;
}

}  // namespace calc
