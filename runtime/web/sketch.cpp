// SPDX-License-Identifier: GPL-3.0-or-later
#include "sketch.h"

#include <cstdio>
#include <string_view>

namespace web {

namespace {

// Writes markup piece by piece; numbers as printf's "%.2f", any length.
class Markup {
public:
    Markup& operator<<(std::string_view piece) {
        out += piece;
        return *this;
    }
    Markup& operator<<(double number) {
        const int length = std::snprintf(nullptr, 0, "%.2f", number);
        const std::size_t at = out.size();
        out.resize(at + static_cast<std::size_t>(length) + 1);
        std::snprintf(out.data() + at, static_cast<std::size_t>(length) + 1, "%.2f", number);
        out.pop_back();  // the terminating zero
        return *this;
    }
    // UTF-16 as UTF-8.
    Markup& operator<<(std::u16string_view text) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            char32_t c = text[i];
            if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size())
                c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
            if (c < 0x80) {
                out += static_cast<char>(c);
                continue;
            }
            constexpr unsigned char lead[] = {0, 0xC0, 0xE0, 0xF0};
            const int tail = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
            out += static_cast<char>(lead[tail] | (c >> (6 * tail)));
            for (int k = tail - 1; k >= 0; --k)
                out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
        }
        return *this;
    }

    std::string out;
};

// An ellipse's lower (front) half solid and its upper (hidden) half dashed.
void halves(Markup& m, const calc::Sketch::Ellipse& e) {
    for (const bool back : {false, true})
        m << "<path" << (back ? " stroke-dasharray=\"4 3\"" : "") << " d=\"M" << e.cx - e.rx << " "
          << e.cy << "a" << e.rx << " " << e.ry << " 0 0 " << (back ? "1 " : "0 ") << 2 * e.rx
          << " 0\"/>";
}

void axis(Markup& m, const calc::Sketch::Axis& a) {
    m << "<path stroke-width=\"0.8\" stroke-dasharray=\"9 3 2 3\" d=\"M" << a.x << " " << a.y1
      << "V" << a.y2 << "\"/>";
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

std::string svg(const calc::Sketch& s) {
    Markup m;
    m << "<svg class=\"sketch\" role=\"img\" aria-labelledby=\"sketch-title\" width=\"" << s.width
      << "\" height=\"" << s.height << "\" viewBox=\"0 0 " << s.width << " " << s.height
      << "\"><title id=\"sketch-title\">" << std::u16string_view(s.title)
      << "</title><g fill=\"none\" stroke=\"#000\" stroke-width=\"1.4\">";
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
    m << "<path stroke-width=\"1\" d=\"M" << s.sectionCircle.cx << " " << s.sectionCircle.cy << "h"
      << -s.sectionCircle.r << "\"/></g><g class=\"labels\">";
    for (const auto& l : s.labels) label(m, l, "");
    m << "</g>";
    if (s.note) label(m, *s.note, " class=\"note\"");
    return m.out + "</svg>";
}

}  // namespace web
