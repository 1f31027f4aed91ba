// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any text, notebook lines or sentences, reads as a task
// without a fault; each part it quotes stands in the text as written,
// trimmed, no more of them than the clauses; each fact's text (as written,
// or in the notebook's form for a sentence) reads back as that fact; the
// task is solved and its solution written without a fault, every cylinder
// found with a positive, finite radius and height.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "calc/taskreader.h"
#include "calc/tasksolution.h"

namespace {

[[noreturn]] void fault(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// Lenient UTF-8: a bad byte becomes U+FFFD, as a text box would show it.
std::u16string decode(const std::uint8_t* p, std::size_t n) {
    std::u16string out;
    for (std::size_t i = 0; i < n;) {
        const unsigned c = p[i];
        const unsigned len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : 0;
        if (len == 0 || i + len > n) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        unsigned cp = len == 1 ? c : c & (0x7F >> len);
        for (unsigned k = 1; k < len; ++k) cp = (cp << 6) | (p[i + k] & 0x3F);
        out += static_cast<char16_t>(cp);
        i += len;
    }
    return out;
}

void checkPart(std::u16string_view text, const std::u16string& part) {
    if (part.empty() || platform::isSpace(part.front()) || platform::isSpace(part.back()))
        fault("a part empty or not trimmed");
    if (text.find(part) == std::u16string_view::npos) fault("a part not as written");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = decode(data, size);
    const calc::Task task = calc::readTask(text);
    std::size_t clauses = 1;
    for (char16_t c : text)
        clauses +=
            std::u16string_view(u",;.!?\n\r\u2028\u2029").find(c) != std::u16string_view::npos;
    if (task.unread.size() > clauses) fault("more parts quoted than clauses");
    for (const std::u16string& part : task.unread) checkPart(text, part);
    for (const calc::Fact& fact : task.facts) {
        // A bare letter is asked after "Търси се:".
        const bool asked = fact.kind == calc::Fact::Kind::Asked;
        const calc::Task back = calc::readTask((asked ? u"Търси се: " : u"") + fact.text);
        if (back.facts.size() != 1 || !back.unread.empty()) fault("a fact's text not read back");
        const calc::Fact& b = back.facts.front();
        if (b.kind != fact.kind || b.measure != fact.measure || b.other != fact.other ||
            b.number.value != fact.number.value || b.factor.value != fact.factor.value)
            fault("a fact's text read back as another fact");
    }
    if (!task.unread.empty()) return 0;
    const calc::TaskResult result = calc::solveTask(task);
    for (const calc::TaskCylinder& c : result.cylinders)
        if (!(c.R.value > 0 && c.H.value > 0 && std::isfinite(c.R.value) && std::isfinite(c.H.value)))
            fault("a cylinder with a radius or height no cylinder has");
    if (result.cylinders.empty() == result.message.empty()) fault("neither a cylinder nor why");
    if (calc::explainTask(task, result, calc::Rounding::None).empty()) fault("no solution written");
    return 0;
}
