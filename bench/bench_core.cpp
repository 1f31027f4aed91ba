#include <benchmark/benchmark.h>

#include "calc/cylinder.h"
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

void toNumber(benchmark::State& state) {
    const std::u16string text = u"94.2477796076937";
    for (auto _ : state) {
        benchmark::DoNotOptimize(text.data());
        benchmark::DoNotOptimize(platform::toNumber(text));
    }
}
BENCHMARK(toNumber);

void toText(benchmark::State& state) {
    double value = 62.83185307179582;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(platform::toText(value, u','));
    }
}
BENCHMARK(toText);

}  // namespace

BENCHMARK_MAIN();
