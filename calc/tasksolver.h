// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "formula.h"
#include "task.h"

namespace calc {

// A number twice: the double, and its exact value (none where it has no
// exact form). Arithmetic on both at once, the double in the order written.
struct Both {
    double value = 0;
    platform::Exact exact;
};
Both operator+(const Both& a, const Both& b);
Both operator-(const Both& a, const Both& b);
Both operator*(const Both& a, const Both& b);
Both operator/(const Both& a, const Both& b);

// The double nearest an exact value (π as the task takes it).
// Example: approximate(Exact(Rational(1, 4))) == 0.25.
double approximate(const platform::Exact& x, double pi);

// One cylinder a task describes, in the task's smallest length unit.
struct TaskCylinder {
    Both R, H;
};

// What a task's facts give: one cylinder, two where both fit, or none and
// the sentence saying why.
struct TaskResult {
    std::vector<TaskCylinder> cylinders;
    std::u16string message;                // empty when a cylinder was found
    TaskPi pi = TaskPi::Program;           // the task's π
    std::optional<platform::Unit> length;  // the smallest length unit given, if any
    std::optional<Both> density;           // in g/cm³, if given
    std::u16string massUnit;     // "kg", "t" (in either alphabet) for a density in kg or t
    int massExponent = 0;        // its power of ten in grams: 3, 6
    bool heightUnknown = false;  // only the base asked and found: H is NaN
    // The steps from the facts to R and H, each a formula chain
    // ("r = d/2 = 10/2 = 5") or an equation and its roots.
    std::vector<Formula> steps;
    // Of the two cylinders the steps found, the one a further fact keeps,
    // as a sentence; empty where none was dropped.
    std::u16string chosen;
    // The facts the steps came from, by index in the task: the row the
    // window fills is chosen by them.
    std::vector<std::size_t> used;
};

// π as the task takes it, as a double and exactly.
// Example: taskPi(TaskPi::Approx).exact is 157/50.
Both taskPi(TaskPi pi);

// The value of measure `m` of the cylinder R, H with the task's π; a
// Mass needs the density.
// Example: measureOf(Measure::Sp, {5, 25}, Program).exact is 300π.
Both measureOf(Measure m, const TaskCylinder& c, TaskPi pi, const std::optional<Both>& density);

// The unit an asked measure is answered in (its own, else the task's
// length unit to its power), and the power of ten from the task's length
// unit to it. Example: "V = ? l" with lengths in cm: {"l", -3}.
struct AnswerUnit {
    std::u16string text;
    int shift = 0;
    // Its power of ten in m, m² or m³ (cm³: −6); none for a mass or no unit.
    std::optional<int> power;
};
AnswerUnit answerUnit(const Fact& asked, const TaskResult& result);

// 10ⁿ, n of either sign. Example: powerOfTen(-2).exact is 1/100.
Both powerOfTen(int n);

// Measure `asked` of cylinder `c` in its answer's unit.
// Example: "V = ? l" of R = 10, H = 10 in cm is π (1000π cm³).
Both answerOf(const Fact& asked, const TaskCylinder& c, const TaskResult& result);

// What measure m measures: a length, an area or a volume (a mass and a
// density measure none: Length).
// Example: dimensionOf(Measure::AxialArea) == platform::Dimension::Area.
platform::Dimension dimensionOf(Measure m);

// A value as a solution writes it: its book form, else its decimal, set
// off as a number put in. Example: valueForm({376.99…, 120π}) is "120π".
Formula valueForm(const Both& x);

// The school formula of measure `m` in the book's letters r, h, π (and ρ
// for a density): "2πr(r + h)", "√((2r)² + h²)".
Formula measureFormula(Measure m);

// The cylinder(s) of `task`'s facts: from any two independent ones (the π,
// the density and what is asked apart), exactly wherever the exact values
// reach, in doubles always. Two facts that say the same, facts that
// contradict each other, too few facts, or facts no cylinder fits give no
// cylinder and a Bulgarian sentence saying which.
// Example: "d = 10 cm; h = d + 15 cm" gives R = 5, H = 25 exactly.
TaskResult solveTask(const Task& task);

}  // namespace calc
