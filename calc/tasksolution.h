// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "solution.h"
#include "task.h"
#include "tasksolver.h"

namespace calc {

// The solution of a task as a pupil writes it: "Дадено:" with the facts
// as the task wrote them, "Търси се:" with what it asks, the task's π, the
// steps from the facts to r and h, each asked quantity's formula with its
// numbers put in, and "Отговор:" in the task's units, rounded where it
// asks (else to hundredths, `rounding` where the window chose a place).
// A task with a part not understood, or with no cylinder, gets "Дадено:"
// and the sentence saying why, and nothing computed.
// Example: "d = 10 cm; h = d + 15 cm; S₁ = ?" answers "S₁ = 300π ≈ 942,48 cm²".
std::vector<Line> explainTask(const Task& task, const TaskResult& result, Rounding rounding);

}  // namespace calc
