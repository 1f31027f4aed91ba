// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <doctest/doctest.h>

#include <optional>
#include <string>
#include <string_view>

#include "bits.h"
#include "platform/calculationerror.h"

// Texts are UTF-16 in the program; failure messages show them as UTF-8.
inline std::string utf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        constexpr unsigned lead[] = {0, 0xC0, 0xE0, 0xF0};
        const int extra = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        out += static_cast<char>(lead[extra] | (c >> (6 * extra)));
        for (int k = extra - 1; k >= 0; --k)
            out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
    }
    return out;
}

namespace doctest {
template <>
struct StringMaker<std::u16string> {
    static String convert(const std::u16string& text) { return ('"' + utf8(text) + '"').c_str(); }
};
template <>
struct StringMaker<std::u16string_view> {
    static String convert(std::u16string_view text) { return ('"' + utf8(text) + '"').c_str(); }
};
}  // namespace doctest

// The calculation error `run` throws, or nothing when it throws none.
template <typename Run>
std::optional<platform::CalculationError> errorOf(Run run) {
    try {
        run();
    } catch (const platform::CalculationError& error) {
        return error;
    }
    return std::nullopt;
}
