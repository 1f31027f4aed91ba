// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>

#include "calc/task.h"

namespace window {

// The row a task's cylinder goes into, as a pupil would have typed it.
struct TaskEntry {
    int variant = 0;                         // 0..8
    std::array<std::u16string, 2> texts;     // its given boxes' texts, in reading order
};

// The row whose two quantities the task gives, else the row of the two
// quantities nearest its facts (r from d, C or B; h from a relation), else
// R and H; each box holding the value as the number boxes read it: the
// task's own number where it gives one, else the value with the program's
// π, exactly where it can be ("5", "66/π"), with the task's unit. Nothing
// where no cylinder fits the facts.
// Example: "C = 132 cm, h = 25 cm" is variant 0 with "66/π cm" and "25 cm".
std::optional<TaskEntry> taskEntry(const calc::Task& task, char16_t separator);

}  // namespace window
