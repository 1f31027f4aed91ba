// SPDX-License-Identifier: GPL-3.0-or-later
#include "sphere.h"

#include "constants.h"
#include "cylinder.h"
#include "platform/checked.h"
#include "platform/numbertext.h"
#include "texts.h"

namespace calc {

using platform::Checked;

double inscribedSphereRadius(double R, double H) {
    const Checked twoR = Checked(2.0) * Checked(R);
    return H < twoR.value() ? H / 2 : R;
}

double sphereSurface(double r, Quantity named) {
    try {
        return ((Checked(FOUR_PI_14) * Checked(r)) * Checked(r)).value();
    } catch (platform::CalculationError& error) {
        nameQuantity(error, named);
        throw;
    }
}

double circumscribedSphereRadius(double R, double H) {
    try {
        const Checked half = Checked(H) / Checked(2.0);
        return platform::squareRoot(Checked(R) * Checked(R) + half * half).value();
    } catch (platform::CalculationError& error) {
        nameQuantity(error, Quantity::rho);
        throw;
    }
}

double reportInscribedSphere(double R, double H, TextArea& area, char16_t separator) {
    const double r = inscribedSphereRadius(R, H);
    std::u16string text(calc::text(Text::RadiusLinePrefix));
    text += platform::toText(r, separator);
    text += LineEnd;
    area.setText(std::move(text));

    text = area.text();
    text += calc::text(Text::SurfaceLinePrefix);
    const double s = sphereSurface(r);
    text += platform::toText(s, separator);
    text += LineEnd;
    area.setText(std::move(text));
    return s;
}

}  // namespace calc
