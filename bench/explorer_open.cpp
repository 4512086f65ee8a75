// Opening the design explorer with its 101-point curve, up to the first paint.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "windows/explorer/ExplorerWindow.h"

namespace {

const calbrine::DesignRecord example{10e-12f,  10e-12f * 4, 10e-12f, 100e-12f, 20e-12f,
                                     100e-12f, 100e-12f,    47e-12f, 470e-12f, 470e-12f,
                                     4.7e-6f,  12e6f,       0};

void ExplorerOpens(benchmark::State& state) {
    for (auto _ : state) {
        calbrine::ExplorerWindow window(example);
        window.show();
        window.repaint();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.plot());
    }
}
BENCHMARK(ExplorerOpens)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
