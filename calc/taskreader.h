// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "task.h"

namespace calc {

// Reads a task as a pupil writes it in the notebook: facts separated by ',',
// ';' or line breaks (a ',' right between two digits is a decimal comma), a
// line optionally led by "Дадено:", "Търси се:" or "Да се намери:" (after the
// last two a bare letter is asked). Each fact is read whole, in order, its
// `text` as written and trimmed; one not read to its end, of an unknown
// letter, a bare number or a unit of the wrong kind, is quoted in `unread`
// as written, trimmed. Nothing is guessed. Time is linear in the text.
// Example: readTask(u"d = 10 cm; h = d + 15 cm; S₁ = ?") is a Value, a
// Relation (H = 1·d + 15 cm) and an Asked fact, nothing unread.
Task readTask(std::u16string_view text);

}  // namespace calc
