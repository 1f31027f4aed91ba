// SPDX-License-Identifier: GPL-3.0-or-later
#include "solutionhtml.h"

#include <array>
#include <cstdio>
#include <initializer_list>
#include <string_view>

#include "platform/utf8.h"

namespace web {

namespace {

// Writes markup piece by piece: numbers as printf's "%.2f", texts escaped.
class Markup {
public:
    Markup& operator<<(std::string_view piece) {
        out += piece;
        return *this;
    }
    Markup& operator<<(double number) {
        char digits[320];  // room for any double: the largest takes 313
        out.append(digits,
                   static_cast<std::size_t>(std::snprintf(digits, sizeof digits, "%.2f", number)));
        return *this;
    }
    Markup& operator<<(std::u16string_view text) { return *this << platform::html(text); }

    std::string out;
};

// A stroke's width or dashes as written by hand: "1.4", "9 3 2 3".
std::string lengths(std::initializer_list<double> values) {
    std::string text;
    for (const double v : values) {
        char digits[32];
        const int n = std::snprintf(digits, sizeof digits, text.empty() ? "%g" : " %g", v);
        text.append(digits, static_cast<std::size_t>(n));
    }
    return text;
}

// A stroke's width and dashes where they are not the outline's.
std::string penAttributes(window::Drawing::Pen pen) {
    const window::Drawing::PenDesign design = window::Drawing::design(pen);
    std::string out;
    if (design.width != window::Drawing::design(window::Drawing::Pen::Outline).width)
        out += " stroke-width=\"" + lengths({design.width}) + "\"";
    if (!design.dashes.empty()) {
        std::string dashes;
        for (const double d : design.dashes) dashes += (dashes.empty() ? "" : " ") + lengths({d});
        out += " stroke-dasharray=\"" + dashes + "\"";
    }
    return out;
}

void stroke(Markup& m, const window::Drawing::Stroke& s) {
    using Shape = window::Drawing::Shape;
    const std::string pen = penAttributes(s.pen);
    switch (s.shape) {
        case Shape::Ellipse:
            m << "<ellipse" << pen << " cx=\"" << s.x1 << "\" cy=\"" << s.y1 << "\" rx=\"" << s.x2
              << "\" ry=\"" << s.y2 << "\"/>";
            return;
        case Shape::Circle:
            m << "<circle" << pen << " cx=\"" << s.x1 << "\" cy=\"" << s.y1 << "\" r=\"" << s.x2
              << "\"/>";
            return;
        case Shape::FrontHalf:  // from the left end to the right, below the centre
        case Shape::BackHalf:   // and above it
            m << "<path" << pen << " d=\"M" << s.x1 - s.x2 << " " << s.y1 << "a" << s.x2 << " "
              << s.y2 << " 0 0 " << (s.shape == Shape::BackHalf ? "1 " : "0 ") << 2 * s.x2
              << " 0\"/>";
            return;
        case Shape::Line:
            m << "<path" << pen << " d=\"M" << s.x1 << " " << s.y1;
            if (s.x1 == s.x2)
                m << "V" << s.y2;
            else if (s.y1 == s.y2)
                m << "H" << s.x2;
            else
                m << "L" << s.x2 << " " << s.y2;
            m << "\"/>";
            return;
        case Shape::Rect:
            m << "<rect" << pen << " x=\"" << s.x1 << "\" y=\"" << s.y1 << "\" width=\"" << s.x2
              << "\" height=\"" << s.y2 << "\"/>";
            return;
    }
}

void label(Markup& m, const window::Drawing::Label& l, std::string_view attributes) {
    m << "<text" << attributes << " x=\"" << l.x << "\" y=\"" << l.y << "\"";
    if (l.anchor != calc::Sketch::Anchor::Start)
        m << " text-anchor=\"" << (l.anchor == calc::Sketch::Anchor::End ? "end" : "middle")
          << "\"";
    m << ">" << l.text << "</text>";
}

}  // namespace

std::string solutionHtml(const calc::Solution& solution, char16_t separator) {
    Markup m;
    for (const calc::Line& line : solution.lines) {
        m << (line.quantity == calc::Quantity::None ? "<p>" : "<p class=\"step\">");
        for (const calc::Part& part : line.parts) {
            if (&part != &line.parts.front() && calc::spaceBefore(part)) m << " ";
            // Display style: fractions at full size, as written on paper.
            if (part.formula)
                m << "<math displaystyle=\"true\">"
                  << platform::utf8(calc::formulaMathML(*part.formula, separator)) << "</math>";
            else
                m << part.words;
        }
        m << "</p>";
    }
    return m.out;
}

std::string svg(const window::Drawing& d) {
    using window::Drawing;
    Markup m;
    m << "<svg class=\"sketch\" role=\"img\" aria-labelledby=\"sketch-title\" width=\"" << d.width
      << "\" height=\"" << d.height << "\" viewBox=\"0 0 " << d.width << " " << d.height
      << "\"><title id=\"sketch-title\">" << d.title
      << "</title><g fill=\"none\" stroke=\"#000\" stroke-width=\""
      << lengths({Drawing::design(Drawing::Pen::Outline).width}) << "\">";
    for (const Drawing::Stroke& s : d.strokes) stroke(m, s);
    m << "</g><g class=\"labels\">";
    for (const Drawing::Label& l : d.labels)
        if (l.face == Drawing::Face::Label) label(m, l, "");
    m << "</g>";
    for (const Drawing::Label& l : d.labels)
        if (l.face == Drawing::Face::Note) label(m, l, " class=\"note\"");
    return m.out + "</svg>";
}

}  // namespace web
