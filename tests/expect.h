// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <doctest/doctest.h>

#include <optional>
#include <string>
#include <string_view>

#include "bits.h"
#include "platform/calculationerror.h"
#include "platform/utf8.h"

// Texts are UTF-16 in the program; failure messages show them as UTF-8.
using platform::utf8;

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

// UTF-8 of the Basic Multilingual Plane ("3√2"), as the data files hold it, in UTF-16.
inline std::u16string fromUtf8(std::string_view s) {
    std::u16string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int more = c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        auto u = static_cast<char16_t>(more == 2 ? c & 0x0F : more == 1 ? c & 0x1F : c);
        for (int k = 0; k < more && i + 1 < s.size(); ++k)
            u = static_cast<char16_t>(u << 6 | (s[++i] & 0x3F));
        out += u;
    }
    return out;
}

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
