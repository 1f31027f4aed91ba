// SPDX-License-Identifier: GPL-3.0-or-later
#include "utf8.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace platform {

namespace {

// What stands in markup for each character it reserves; a CR for nothing.
constexpr std::pair<char, std::string_view> Entities[] = {
    {'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}, {'\r', ""}};

}  // namespace

std::string utf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size())
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        constexpr unsigned char lead[] = {0, 0xC0, 0xE0, 0xF0};
        const int tail = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        out += static_cast<char>(lead[tail] | (c >> (6 * tail)));
        for (int k = tail - 1; k >= 0; --k)
            out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
    }
    return out;
}

std::string html(std::u16string_view text) {
    std::string out;
    for (const char c : utf8(text)) {
        const auto e = std::find_if(std::begin(Entities), std::end(Entities),
                                    [c](const auto& entity) { return entity.first == c; });
        out += e == std::end(Entities) ? std::string_view(&c, 1) : e->second;
    }
    return out;
}

}  // namespace platform
