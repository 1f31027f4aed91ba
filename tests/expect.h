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
