// SPDX-License-Identifier: GPL-3.0-or-later
// The window's own costs, offscreen and unpainted: building it from the
// design table, one calculate click from reading to the report, and the
// first one, which opens the solution's window.
#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>

#include "mainwindow.h"

namespace {

void windowConstruction(benchmark::State& state) {
    for (auto _ : state) {
        MainWindow w;
        benchmark::DoNotOptimize(&w);
    }
}
BENCHMARK(windowConstruction)->Unit(benchmark::kMillisecond);

void calculateClick(benchmark::State& state) {
    MainWindow w;
    const Controls& c = w.controls();
    c.Option1[2]->click();
    c.Text2[11]->setText(QStringLiteral("3"));
    c.Text2[13]->setText(QStringLiteral("94.2477796076937"));
    for (auto _ : state) c.Command1[0]->click();
}
BENCHMARK(calculateClick)->Unit(benchmark::kMicrosecond);

// The first calculation of a fresh window, which makes the solution's
// window, shows it and paints it once.
void openSolutionWindow(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto w = std::make_unique<MainWindow>();
        const Controls& c = w->controls();
        c.Option1[2]->click();
        c.Text2[11]->setText(QStringLiteral("3"));
        c.Text2[13]->setText(QStringLiteral("94.2477796076937"));
        state.ResumeTiming();
        c.Command1[0]->click();
        benchmark::DoNotOptimize(w->solutionWindow()->grab());
        state.PauseTiming();
        w.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(openSolutionWindow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
