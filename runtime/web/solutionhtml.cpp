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

template <std::size_t N>
std::string lengths(const std::array<double, N>& values) {
    std::string text;
    for (const double v : values) text += (text.empty() ? "" : " ") + lengths({v});
    return text;
}

// An ellipse's lower (front) half solid and its upper (hidden) half dashed.
void halves(Markup& m, const calc::Sketch::Ellipse& e) {
    const std::string dashed = " stroke-dasharray=\"" + lengths(calc::Sketch::HiddenDashes) + "\"";
    for (const bool back : {false, true})
        m << "<path" << (back ? std::string_view(dashed) : "") << " d=\"M" << e.cx - e.rx << " "
          << e.cy << "a" << e.rx << " " << e.ry << " 0 0 " << (back ? "1 " : "0 ") << 2 * e.rx
          << " 0\"/>";
}

void axis(Markup& m, const calc::Sketch::Axis& a) {
    m << "<path stroke-width=\"" << lengths({calc::Sketch::AxisWidth}) << "\" stroke-dasharray=\""
      << lengths(calc::Sketch::AxisDashes) << "\" d=\"M" << a.x << " " << a.y1 << "V" << a.y2
      << "\"/>";
}

void circle(Markup& m, const calc::Sketch::Circle& c) {
    m << "<circle cx=\"" << c.cx << "\" cy=\"" << c.cy << "\" r=\"" << c.r << "\"/>";
}

void label(Markup& m, const calc::Sketch::Label& l, std::string_view attributes) {
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

std::string svg(const calc::Sketch& s) {
    Markup m;
    m << "<svg class=\"sketch\" role=\"img\" aria-labelledby=\"sketch-title\" width=\"" << s.width
      << "\" height=\"" << s.height << "\" viewBox=\"0 0 " << s.width << " " << s.height
      << "\"><title id=\"sketch-title\">" << std::u16string_view(s.title)
      << "</title><g fill=\"none\" stroke=\"#000\" stroke-width=\""
      << lengths({calc::Sketch::SolidWidth}) << "\">";
    // The cylinder: its upper base, sides and lower base; the sphere, its equator; the axis.
    const auto& u = s.upperBase;
    m << "<ellipse cx=\"" << u.cx << "\" cy=\"" << u.cy << "\" rx=\"" << u.rx << "\" ry=\"" << u.ry
      << "\"/>";
    m << "<path d=\"M" << s.body.x << " " << s.body.y << "v" << s.body.height << "m" << s.body.width
      << " 0v" << -s.body.height << "\"/>";
    halves(m, s.lowerBase);
    circle(m, s.sphere);
    halves(m, s.equator);
    axis(m, s.axis);
    // The axial section: the rectangle 2R × H, the circle, the radius r.
    m << "<rect class=\"section\" x=\"" << s.section.x << "\" y=\"" << s.section.y << "\" width=\""
      << s.section.width << "\" height=\"" << s.section.height << "\"/>";
    circle(m, s.sectionCircle);
    axis(m, s.sectionAxis);
    m << "<path stroke-width=\"" << lengths({calc::Sketch::RadiusWidth}) << "\" d=\"M"
      << s.sectionCircle.cx << " " << s.sectionCircle.cy << "h" << -s.sectionCircle.r
      << "\"/></g><g class=\"labels\">";
    for (const auto& l : s.labels) label(m, l, "");
    m << "</g>";
    if (s.note) label(m, *s.note, " class=\"note\"");
    return m.out + "</svg>";
}

}  // namespace web
