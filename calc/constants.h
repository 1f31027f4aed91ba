// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bit>
#include <cstdint>

namespace calc {

// Every result is defined with this 15-digit pi, not the double nearest pi
// (0x400921FB54442D18): changing it changes every last bit. Typed texts read
// platform::PI_14, the same (sphere.cpp checks); not included here, so the
// solution's writers build without Boost's headers.
inline constexpr double PI_14 = 3.14159265358979;
inline constexpr double TWO_PI_14 = 6.28318530717958;
inline constexpr double FOUR_PI_14 = 12.56637061435916;

#ifdef __cpp_lib_bit_cast  // emscripten's libc++ has no std::bit_cast
static_assert(std::bit_cast<std::uint64_t>(PI_14) == 0x400921FB54442D11);
static_assert(std::bit_cast<std::uint64_t>(TWO_PI_14) == 0x401921FB54442D11);
static_assert(std::bit_cast<std::uint64_t>(FOUR_PI_14) == 0x402921FB54442D11);
#endif
static_assert(TWO_PI_14 == 2 * PI_14 && FOUR_PI_14 == 4 * PI_14);

}  // namespace calc
