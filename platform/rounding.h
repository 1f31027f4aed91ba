// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "exact.h"

namespace platform {

// A decimal text of `value` rounded to `places` digits after the
// separator (0 to 15), correctly: from the double's exact binary value,
// halves away from zero as a pupil rounds, trailing zeros kept to say how
// far it was rounded; -0 shows as "0". For finite values.
// Example: toFixed(376.991118430775, 2, u',') == u"376,99";
// toFixed(0.125, 2, u'.') == u"0.13"; toFixed(3.1, 2, u'.') == u"3.10".
std::u16string toFixed(double value, int places, char16_t separator);

// The same for an exact fraction, so a decimal typed rounds as written
// (2.675 to 2.68, which the double 2.67499999… would not); none where the
// digits do not fit in 64 bits.
// Example: toFixed(Rational(200, 3), 1, u'.') == u"66.7".
std::optional<std::u16string> toFixed(const Rational& value, int places, char16_t separator);

}  // namespace platform
