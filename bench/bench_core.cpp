// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <charconv>
#include <string>
#include <string_view>

#include "calc/constants.h"
#include "calc/cylinder.h"
#include "calc/exactform.h"
#include "calc/solution.h"
#include "calc/sphere.h"
#include "calc/taskreader.h"
#include "calc/tasksolution.h"
#include "platform/exact.h"
#include "platform/numbertext.h"

namespace {

// Typical given values of each variant, in reading order.
constexpr double Inputs[calc::VariantCount][2] = {{2, 3},
                                                  {2, 37.6991118430775},
                                                  {3, 94.2477796076937},
                                                  {4, 10},
                                                  {10, 20},
                                                  {94.2477796076937, 2},
                                                  {3, 100},
                                                  {5, 100},
                                                  {37.6991118430775, 62.8318530717958}};

void solveCylinder(benchmark::State& state) {
    const auto k = static_cast<int>(state.range(0));
    double a = Inputs[k][0];
    double b = Inputs[k][1];
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
        benchmark::DoNotOptimize(calc::solveCylinder(k, a, b));
    }
}
BENCHMARK(solveCylinder)->DenseRange(0, calc::VariantCount - 1);

// Variant 3 where H dwarfs R: the rewritten root and its Newton step.
void solveVariant3LargeH(benchmark::State& state) {
    double h = 1000;
    double sp = 5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(h);
        benchmark::DoNotOptimize(sp);
        benchmark::DoNotOptimize(calc::solveCylinder(2, h, sp));
    }
}
BENCHMARK(solveVariant3LargeH);

// The solution of the sample calculation, built and written both ways: the
// work each calculate click adds.
// Variant 3 with H = 3 and Sp = `Sp`; `exactSp`, if exact, is carried
// beside it. The solution is written both ways each time round.
void explain(benchmark::State& state, double Sp, const platform::Exact& exactSp) {
    calc::Calculation c;
    c.variant = 2;
    calc::solveCylinder(2, 3, Sp, c.q);
    c.r = calc::inscribedSphereRadius(c.q.R, c.q.H);
    c.s = calc::sphereSurface(*c.r);
    c.rho = calc::circumscribedSphereRadius(c.q.R, c.q.H);
    c.S = calc::sphereSurface(*c.rho, calc::Quantity::S);
    for (auto _ : state) {
        if (exactSp.exact()) calc::solveExactly(c, platform::Exact(3), exactSp);
        const calc::Solution s = calc::explain(c);
        benchmark::DoNotOptimize(calc::plainText(s, u'.'));
        for (const calc::Line& line : s.lines)
            for (const calc::Part& part : line.parts)
                if (part.formula)
                    benchmark::DoNotOptimize(calc::formulaMathML(*part.formula, u'.'));
    }
}

void explainSample(benchmark::State& state) {
    explain(state, 94.2477796076937, platform::Exact::none());
}
BENCHMARK(explainSample)->Unit(benchmark::kMicrosecond);

// The sample's cylinder given as H = 3, Sp = 30π: its exact values, with a
// root and π in each.
void explainExactSample(benchmark::State& state) {
    explain(state, 30 * calc::PI_14, platform::Exact(30) * platform::Exact::pi());
}
BENCHMARK(explainExactSample)->Unit(benchmark::kMicrosecond);

// The number conversions beside the bare library calls they build on, on
// the same inputs: the floor they are measured against.
constexpr double WrittenValue = 62.83185307179582;
constexpr std::string_view ReadText = "94.2477796076937";

void toNumber(benchmark::State& state) {
    const std::u16string text(ReadText.begin(), ReadText.end());
    for (auto _ : state) {
        benchmark::DoNotOptimize(text.data());
        benchmark::DoNotOptimize(platform::toNumber(text));
    }
}
BENCHMARK(toNumber);

void floor_from_chars(benchmark::State& state) {
    const std::string text(ReadText);
    for (auto _ : state) {
        benchmark::DoNotOptimize(text.data());
        double value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(floor_from_chars);

void toText(benchmark::State& state) {
    double value = WrittenValue;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(platform::toText(value, u','));
    }
}
BENCHMARK(toText);

void floor_to_chars(benchmark::State& state) {
    double value = WrittenValue;
    char text[32];
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(
            std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15).ptr);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(floor_to_chars);

}  // namespace

// A task read, solved and written out, exactly: one cylinder, and one of
// two cylinders found from a quartic.
void solveTask(benchmark::State& state) {
    constexpr std::u16string_view Tasks[]{u"d = 10 cm; h = d + 15 cm; S₁ = ?",
                                          u"Q = 48; диагонал = 10; V = ?"};
    const std::u16string_view text = Tasks[state.range(0)];
    for (auto _ : state) {
        const calc::Task task = calc::readTask(text);
        const calc::TaskResult result = calc::solveTask(task);
        benchmark::DoNotOptimize(calc::explainTask(task, result, calc::Rounding::None));
    }
}
BENCHMARK(solveTask)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);

// A task pasted whole (618 characters: the team's own, a 6th-grade style with
// a relation, π ≈ 3,14, litres, a surface without a lid and a precision),
// read, solved and written; then only read, the text 1 and 100 times over,
// for time linear in the text.
constexpr std::u16string_view Pasted =
    u"Задача 7. Цилиндричен резервоар за дъждовна вода има диаметър на основата 2,4 m, "
    u"а височината му е с 0,6 m по-голяма от радиуса на основата. Резервоарът е "
    u"направен от ламарина и е без капак, защото стои под улука на покрива. Намерете "
    u"обема на резервоара и колко литра вода събира той, когато е пълен догоре. Колко "
    u"квадратни метра ламарина са нужни за направата му, без да се броят шевовете и "
    u"отпадъците? Закръглете отговорите до десетите. При пресмятанията използвайте π ≈ "
    u"3,14. Резервоарът стои на равна бетонна площадка в двора на училището и се пълни "
    u"при всеки дъжд. Водата се използва за поливане на цветните лехи.";

void solvePastedTask(benchmark::State& state) {
    for (auto _ : state) {
        const calc::Task task = calc::readTask(Pasted);
        const calc::TaskResult result = calc::solveTask(task);
        benchmark::DoNotOptimize(calc::explainTask(task, result, calc::Rounding::None));
    }
}
BENCHMARK(solvePastedTask)->Unit(benchmark::kMicrosecond);

void readPastedTask(benchmark::State& state) {
    std::u16string text;
    for (int i = 0; i < state.range(0); ++i) text += std::u16string(Pasted) + u" ";
    for (auto _ : state) benchmark::DoNotOptimize(calc::readTask(text));
    state.SetComplexityN(static_cast<benchmark::IterationCount>(text.size()));
}
BENCHMARK(readPastedTask)->Arg(1)->Arg(100)->Unit(benchmark::kMicrosecond)->Complexity();

BENCHMARK_MAIN();
