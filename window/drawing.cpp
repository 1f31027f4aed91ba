// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing.h"

#include <array>
#include <cstdio>
#include <string_view>

#include "platform/utf8.h"
#include "solutionpage.h"

namespace window {

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
std::string lengths(std::span<const double> values) {
    std::string text;
    for (const double v : values) {
        char digits[32];
        const int n = std::snprintf(digits, sizeof digits, text.empty() ? "%g" : " %g", v);
        text.append(digits, static_cast<std::size_t>(n));
    }
    return text;
}

// A stroke's width and dashes where they are not the outline's.
std::string penAttributes(Drawing::Pen pen) {
    const Drawing::PenDesign design = Drawing::design(pen);
    std::string out;
    if (design.width != Drawing::design(Drawing::Pen::Outline).width)
        out += " stroke-width=\"" + lengths({&design.width, 1}) + "\"";
    if (!design.dashes.empty()) out += " stroke-dasharray=\"" + lengths(design.dashes) + "\"";
    return out;
}

void stroke(Markup& m, const Drawing::Stroke& s) {
    using Shape = Drawing::Shape;
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
        case Shape::Sides:
            m << "<path" << pen << " d=\"M" << s.x1 << " " << s.y1 << "v" << s.y2 << "m" << s.x2
              << " 0v" << -s.y2 << "\"/>";
            return;
        case Shape::Rect:
            // The sketch's one rectangle, the axial section, named for the page's tests.
            m << "<rect class=\"section\"" << pen << " x=\"" << s.x1 << "\" y=\"" << s.y1
              << "\" width=\"" << s.x2 << "\" height=\"" << s.y2 << "\"/>";
            return;
    }
}

void label(Markup& m, const Drawing::Label& l, std::string_view attributes) {
    m << "<text" << attributes << " x=\"" << l.x << "\" y=\"" << l.y << "\"";
    if (l.anchor != calc::Sketch::Anchor::Start)
        m << " text-anchor=\"" << (l.anchor == calc::Sketch::Anchor::End ? "end" : "middle")
          << "\"";
    m << ">" << l.text << "</text>";
}

}  // namespace

Drawing::PenDesign Drawing::design(Pen pen) {
    using S = calc::Sketch;
    switch (pen) {
        case Pen::Hidden:
            return {S::SolidWidth, S::HiddenDashes};
        case Pen::Axis:
            return {S::AxisWidth, S::AxisDashes};
        case Pen::Radius:
            return {S::RadiusWidth, {}};
        case Pen::Outline:
            break;
    }
    return {S::SolidWidth, {}};
}

double Drawing::pixels(Face face) {
    return face == Face::Note ? calc::Sketch::NotePixels : calc::Sketch::LabelPixels;
}

Drawing drawingOf(const calc::Sketch& s) {
    using P = Drawing::Pen;
    using S = Drawing::Shape;
    Drawing d;
    d.width = s.width;
    d.height = s.height;
    d.title = s.title;
    const auto ellipse = [&](S shape, P pen, const calc::Sketch::Ellipse& e) {
        d.strokes.push_back({shape, pen, e.cx, e.cy, e.rx, e.ry});
    };
    // The front half solid, the hidden one dashed.
    const auto halves = [&](const calc::Sketch::Ellipse& e) {
        ellipse(S::FrontHalf, P::Outline, e);
        ellipse(S::BackHalf, P::Hidden, e);
    };
    const auto circle = [&](const calc::Sketch::Circle& c) {
        ellipse(S::Circle, P::Outline, {c.cx, c.cy, c.r, c.r});
    };
    const auto line = [&](P pen, double x1, double y1, double x2, double y2) {
        d.strokes.push_back({S::Line, pen, x1, y1, x2, y2});
    };
    // The cylinder: its upper base, sides and lower base; the sphere, its
    // equator; the axis.
    ellipse(S::Ellipse, P::Outline, s.upperBase);
    d.strokes.push_back({S::Sides, P::Outline, s.body.x, s.body.y, s.body.width, s.body.height});
    halves(s.lowerBase);
    circle(s.sphere);
    halves(s.equator);
    line(P::Axis, s.axis.x, s.axis.y1, s.axis.x, s.axis.y2);
    // The axial section: the rectangle 2R × H, the circle, the radius r.
    d.strokes.push_back(
        {S::Rect, P::Outline, s.section.x, s.section.y, s.section.width, s.section.height});
    circle(s.sectionCircle);
    line(P::Axis, s.sectionAxis.x, s.sectionAxis.y1, s.sectionAxis.x, s.sectionAxis.y2);
    const calc::Sketch::Circle& c = s.sectionCircle;
    line(P::Radius, c.cx, c.cy, c.cx - c.r, c.cy);
    for (const calc::Sketch::Label& l : s.labels)
        d.labels.push_back({l.x, l.y, l.anchor, Drawing::Face::Label, l.text});
    if (s.note)
        d.labels.push_back(
            {s.note->x, s.note->y, s.note->anchor, Drawing::Face::Note, s.note->text});
    return d;
}

Drawing drawingOf(const SolutionPage& page) {
    Drawing d = page.sketch ? drawingOf(*page.sketch) : Drawing{};
    d.unit = page.unit;
    d.linesTop = page.linesTop;
    d.rule = page.rule;
    page.lines.forEachRun([&](const FormulaLayout::Run& run) { d.runs.push_back(run); });
    page.lines.forEachBar([&](const FormulaLayout::Bar& bar) { d.bars.push_back(bar); });
    page.lines.forEachPolyline(
        [&](const FormulaLayout::Radical& radical) { d.radicals.push_back(radical); });
    return d;
}

std::u16string plainLetters(std::u16string_view text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = i + 1 < text.size() && text[i] >= 0xD800 && text[i] < 0xDC00
                               ? 0x10000 + ((text[i] - 0xD800) << 10) + (text[i + 1] - 0xDC00)
                               : text[i];
        if (c >= 0x1D434 && c < 0x1D468) {
            out += static_cast<char16_t>(c < 0x1D44E ? u'A' + (c - 0x1D434) : u'a' + (c - 0x1D44E));
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string svg(const Drawing& d) {
    Markup m;
    m << "<svg class=\"sketch\" role=\"img\" aria-labelledby=\"sketch-title\" width=\"" << d.width
      << "\" height=\"" << d.height << "\" viewBox=\"0 0 " << d.width << " " << d.height
      << "\"><title id=\"sketch-title\">" << d.title
      << "</title><g fill=\"none\" stroke=\"#000\" stroke-width=\""
      << lengths(std::array{Drawing::design(Drawing::Pen::Outline).width}) << "\">";
    for (const Drawing::Stroke& s : d.strokes) stroke(m, s);
    m << "</g><g class=\"labels\">";
    for (const Drawing::Label& l : d.labels)
        if (l.face == Drawing::Face::Label) label(m, l, "");
    m << "</g>";
    for (const Drawing::Label& l : d.labels)
        if (l.face == Drawing::Face::Note) label(m, l, " class=\"note\"");
    return m.out + "</svg>";
}

}  // namespace window
