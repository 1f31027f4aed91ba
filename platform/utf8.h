// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The program's UTF-16 `text` in UTF-8, a surrogate pair as one character:
// what files, terminals and the page's markup take.
// Example: utf8(u"R = 1 м") is "R = 1 \xD0\xBC".
std::string utf8(std::u16string_view text);

// `text` in UTF-8 as HTML content or a quoted attribute value: & < > "
// as entities, CR dropped (a CR LF line end stays one line break).
// Example: html(u"a < \"b\"\r\n") is "a &lt; &quot;b&quot;\n".
std::string html(std::u16string_view text);

}  // namespace platform
