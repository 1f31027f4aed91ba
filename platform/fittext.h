// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace platform {

// What a box too narrow for its number shows instead. `fits` says whether
// a text fits the box. Returns `text` itself when it fits, or when it is not
// a number as toText(value, separator) writes it (anything typed shows as
// typed). Otherwise the same number rounded, half away from zero, to the
// most significant digits that give a fitting text, from 15 down to 1, in
// toText's form (scientific when the decimal exponent is below -4 or at
// least the digit count, no trailing zeros); where not even one digit fits,
// as many '#' as fit, which may be none.
// Example: with fits = "at most 10 characters",
//   fitNumberText(u"3.14159265358979E+24", u'.', fits) == u"3.1416E+24".
std::u16string fitNumberText(std::u16string_view text, char16_t separator,
                             const std::function<bool(std::u16string_view)>& fits);

}  // namespace platform
