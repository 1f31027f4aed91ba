// SPDX-License-Identifier: GPL-3.0-or-later
// The window's own costs, offscreen and unpainted: building it from the
// design table, and one calculate click from reading to the report.
#include <QApplication>

#include <benchmark/benchmark.h>

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

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
