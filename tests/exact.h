#pragma once

#include <QTest>

#include <bit>
#include <cstdint>
#include <cstdio>

// Doubles are compared bit for bit: QCOMPARE would allow a fuzzy match,
// and every last bit is part of the promise.
inline bool sameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

inline QByteArray describeBits(double actual, double expected) {
    char text[160];
    std::snprintf(text, sizeof text, "actual %.17g (0x%016llx), expected %.17g (0x%016llx)", actual,
                  static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(actual)), expected,
                  static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(expected)));
    return text;
}

#define COMPARE_EXACT(actual, expected)                                                      \
    do {                                                                                     \
        const double actual_ = (actual);                                                     \
        const double expected_ = (expected);                                                 \
        QVERIFY2(sameBits(actual_, expected_),                                               \
                 (QByteArray(#actual ": ") + describeBits(actual_, expected_)).constData()); \
    } while (false)
