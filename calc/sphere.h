// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "cylinder.h"

namespace calc {

// Radius of the largest sphere inside a cylinder of radius R and height H:
// H / 2 when H < 2·R (strict, 2·R computed first), else R. Nothing is
// validated: R = −1, H = 2 gives −1.
// Example: inscribedSphereRadius(2, 3) == 1.5.
double inscribedSphereRadius(double R, double H);

// Surface (4π·r)·r of a sphere of radius r; throws
// platform::CalculationError(Overflow), naming `named`, when it leaves
// the double range.
// Example: sphereSurface(0.5) == PI_14.
double sphereSurface(double r, Quantity named = Quantity::s);

// Radius √(R·R + (H/2)·(H/2)) of the sphere around a cylinder of radius R
// and height H, the one through both bases' circles, each step checked;
// throws platform::CalculationError(Overflow), naming Quantity::rho, when a
// step leaves the double range.
// Example: circumscribedSphereRadius(1.5, 4) == 2.5.
double circumscribedSphereRadius(double R, double H);

inline constexpr std::u16string_view LineEnd = u"\r\n";

// A text the report is written into, one whole text at a time.
class TextArea {
public:
    virtual ~TextArea() = default;
    virtual std::u16string text() const = 0;
    virtual void setText(std::u16string text) = 0;
};

// Replaces the text of `area` with two lines, each ending in CR LF: the
// inscribed sphere's radius, then its surface, numbers written with the
// decimal `separator`. The first line is written before the surface is
// computed, so when the surface overflows the error leaves it in place.
// Returns the surface. Example: R = 2, H = 3 writes r = 1.5 and returns
// 28.274333882308113.
double reportInscribedSphere(double R, double H, TextArea& area, char16_t separator);

}  // namespace calc
