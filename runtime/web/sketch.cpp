// SPDX-License-Identifier: GPL-3.0-or-later
#include "sketch.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace web {

namespace {

// Drawing units are CSS pixels; the longer side of the section is Size.
constexpr double Size = 120;
constexpr double Flat = 0.3;  // an ellipse's height over its width: a base seen from above
constexpr double Pad = 14;    // room for the labels
constexpr double Gap = 44;    // between the cylinder and its section
constexpr double Limit = 6;   // H / 2R drawn to scale within [1/Limit, Limit]

// printf onto the end of `out`. Plain formats: the markup stays a few calls.
[[gnu::format(printf, 2, 3)]] void add(std::string& out, const char* format, ...) {
    char piece[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(piece, sizeof piece, format, args);
    va_end(args);
    out += piece;
}

// An ellipse's lower (front) half solid and its upper (hidden) half dashed.
void halves(std::string& out, double cx, double cy, double rx, double ry) {
    for (const int back : {0, 1})
        add(out, "<path%s d=\"M%.2f %.2fa%.2f %.2f 0 0 %d %.2f 0\"/>",
            back ? " stroke-dasharray=\"4 3\"" : "", cx - rx, cy, rx, ry, back, 2 * rx);
}

void axis(std::string& out, double x, double y1, double y2) {
    add(out, "<path stroke-width=\"0.8\" stroke-dasharray=\"9 3 2 3\" d=\"M%.2f %.2fV%.2f\"/>", x,
        y1, y2);
}

const char* contactText(calc::SphereContact contact) {
    switch (contact) {
        case calc::SphereContact::Bases:
            return "Сферата се допира до двете основи.";
        case calc::SphereContact::Lateral:
            return "Сферата се допира до околната повърхнина.";
        case calc::SphereContact::All:
            return "Сферата се допира до двете основи и до околната повърхнина.";
    }
    return "";
}

}  // namespace

std::string sketch(const calc::Solution& solution) {
    if (!solution.cylinderExists) return {};
    const calc::CylinderQuantities& q = solution.calculation.q;
    const double ratio = q.H / (q.R + q.R);
    const double drawn = std::clamp(ratio, 1 / Limit, Limit);
    const bool toScale = drawn == ratio;
    const double w = drawn <= 1 ? Size : Size / drawn;  // 2R
    const double h = drawn <= 1 ? Size * drawn : Size;  // H
    const double rho = std::min(w, h) / 2;              // r = min(R; H/2)
    const double ry = Flat * w / 2;
    const double top = Pad + ry, bottom = top + h, middle = top + h / 2;
    const double width = Pad + w + Gap + w + 2 * Pad;
    const double height = bottom + std::max(ry, 20.0) + (toScale ? 2 : 22);

    std::string svg;
    add(svg,
        "<svg class=\"sketch\" role=\"img\" aria-labelledby=\"sketch-title\" width=\"%.2f\" "
        "height=\"%.2f\" viewBox=\"0 0 %.2f %.2f\"><title id=\"sketch-title\">Чертеж: цилиндърът с "
        "най-голямата сфера в него и осното му сечение — правоъгълник 2R × H с окръжност с радиус "
        "r. %s%s</title><g fill=\"none\" stroke=\"#000\" stroke-width=\"1.4\">",
        width, height, width, height, contactText(solution.contact),
        toScale ? "" : " Чертежът не е в мащаб.");
    // The cylinder: its upper base, sides and lower base; the sphere, its equator; the axis.
    const double cx = Pad + w / 2;
    add(svg, "<ellipse cx=\"%.2f\" cy=\"%.2f\" rx=\"%.2f\" ry=\"%.2f\"/>", cx, top, w / 2, ry);
    add(svg, "<path d=\"M%.2f %.2fv%.2fm%.2f 0v%.2f\"/>", Pad, top, h, w, -h);
    halves(svg, cx, bottom, w / 2, ry);
    add(svg, "<circle cx=\"%.2f\" cy=\"%.2f\" r=\"%.2f\"/>", cx, middle, rho);
    halves(svg, cx, middle, rho, Flat * rho);
    axis(svg, cx, top - ry - 6, bottom + ry + 6);
    // The axial section: the rectangle 2R × H, the circle, the radius r.
    const double left = Pad + w + Gap, sx = left + w / 2;
    add(svg, "<rect class=\"section\" x=\"%.2f\" y=\"%.2f\" width=\"%.2f\" height=\"%.2f\"/>", left,
        top, w, h);
    add(svg, "<circle cx=\"%.2f\" cy=\"%.2f\" r=\"%.2f\"/>", sx, middle, rho);
    axis(svg, sx, top - 8, bottom + 8);
    add(svg, "<path stroke-width=\"1\" d=\"M%.2f %.2fh%.2f\"/></g>", sx, middle, -rho);
    // The labels in the formulas' italic letters: R under the bottom's right
    // half, H beside the height, r over its radius, or beside a small circle.
    const bool small = rho < 16;
    add(svg,
        "<g class=\"labels\"><text x=\"%.2f\" y=\"%.2f\" text-anchor=\"middle\">𝑅</text>"
        "<text x=\"%.2f\" y=\"%.2f\">𝐻</text>"
        "<text x=\"%.2f\" y=\"%.2f\" text-anchor=\"%s\">𝑟</text></g>",
        sx + w / 4, bottom + 17, left + w + 5, middle + 5, small ? sx - rho - 4 : sx - rho / 2,
        small ? middle + 5 : middle - 4, small ? "end" : "middle");
    if (!toScale)
        add(svg, "<text class=\"note\" x=\"%.2f\" y=\"%.2f\">не в мащаб</text>", Pad, height - 6);
    return svg + "</svg>";
}

}  // namespace web
