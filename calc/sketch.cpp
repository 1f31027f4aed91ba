// SPDX-License-Identifier: GPL-3.0-or-later
#include "sketch.h"

#include <algorithm>

#include "texts.h"

namespace calc {

namespace {

constexpr double Size = 120;  // the section's longer side
constexpr double Flat = 0.3;  // an ellipse's height over its width: a base seen from above
constexpr double Pad = 14;    // room for the labels
constexpr double Gap = 44;    // between the cylinder and its section
constexpr double Limit = 6;   // H / 2R drawn to scale within [1/Limit, Limit]

constexpr Text contactText(SphereContact contact) {
    switch (contact) {
        case SphereContact::Bases:
            return Text::TouchesBases;
        case SphereContact::Lateral:
            return Text::TouchesLateral;
        case SphereContact::All:
            break;
    }
    return Text::TouchesAll;
}

// The title: what is drawn, then how the sphere sits, as a sentence.
std::u16string title(SphereContact contact, bool toScale) {
    std::u16string out(text(Text::SketchTitle));
    const std::u16string_view touches = text(contactText(contact));
    out += static_cast<char16_t>(touches.front() - (u'с' - u'С'));  // capital С
    out += touches.substr(1);
    out += u'.';
    if (!toScale) out += text(Text::SketchNotToScale);
    return out;
}

}  // namespace

std::optional<Sketch> sketchOf(const Solution& solution) {
    if (!solution.cylinderExists) return std::nullopt;
    const CylinderQuantities& q = solution.calculation.q;
    const double ratio = q.H / (q.R + q.R);
    const double drawn = std::clamp(ratio, 1 / Limit, Limit);
    const bool toScale = drawn == ratio;
    const double w = drawn <= 1 ? Size : Size / drawn;  // 2R
    const double h = drawn <= 1 ? Size * drawn : Size;  // H
    const double rho = std::min(w, h) / 2;              // r = min(R; H/2)
    const double ry = Flat * w / 2;
    const double top = Pad + ry, bottom = top + h, middle = top + h / 2;
    const double height = bottom + std::max(ry, 20.0) + (toScale ? 2 : 22);
    const double cx = Pad + w / 2;
    const double left = Pad + w + Gap, sx = left + w / 2;
    // R under the bottom's right half, H beside the height, r over its
    // radius, or beside a small circle.
    const bool small = rho < 16;
    using enum Sketch::Anchor;
    Sketch s{
        Pad + w + Gap + w + 2 * Pad,
        height,
        toScale,
        title(solution.contact, toScale),
        {cx, top, w / 2, ry},
        {Pad, top, w, h},
        {cx, bottom, w / 2, ry},
        {cx, middle, rho},
        {cx, middle, rho, Flat * rho},
        {cx, top - ry - 6, bottom + ry + 6},
        {left, top, w, h},
        {sx, middle, rho},
        {sx, top - 8, bottom + 8},
        {{{sx + w / 4, bottom + 17, Middle, u"𝑅"},
          {left + w + 5, middle + 5, Start, u"𝐻"},
          {small ? sx - rho - 4 : sx - rho / 2, small ? middle + 5 : middle - 4,
           small ? End : Middle, u"𝑟"}}},
        std::nullopt,
    };
    if (!toScale) s.note = Sketch::Label{Pad, height - 6, Start, text(Text::NotToScale)};
    return s;
}

}  // namespace calc
