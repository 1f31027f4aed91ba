// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <doctest/doctest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

// std::bit_cast, which emscripten's libc++ lacks.
template <class To, class From>
To bitCast(const From& from) {
    static_assert(sizeof(To) == sizeof(From));
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
}

// Doubles are compared bit for bit: every last bit is part of the promise,
// and -0 is not 0.
inline bool sameBits(double a, double b) {
    return bitCast<std::uint64_t>(a) == bitCast<std::uint64_t>(b);
}

inline std::string describeBits(double actual, double expected) {
    char text[160];
    std::snprintf(text, sizeof text, "actual %.17g (0x%016llx), expected %.17g (0x%016llx)", actual,
                  static_cast<unsigned long long>(bitCast<std::uint64_t>(actual)), expected,
                  static_cast<unsigned long long>(bitCast<std::uint64_t>(expected)));
    return text;
}

#define CHECK_BITS(actual, expected)                              \
    do {                                                          \
        const double actual_ = (actual);                          \
        const double expected_ = (expected);                      \
        CHECK_MESSAGE(sameBits(actual_, expected_), #actual ": ", \
                      describeBits(actual_, expected_));          \
    } while (false)
