// Timings of the oscillator simulation: the four settings of the worked example through the
// program's simulator, and the same four netlists through the ngspice program in batch mode
// for comparison (skipped when that program is not installed). Reports only.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "simulation/SimulatedNetlist.h"
#include "simulation/SimulationWorker.h"
#include "simulation/Simulator.h"

namespace {

using namespace calbrine;

DesignRecord WorkedExample() {
    return {10e-12f, 40e-12f,  10e-12f,  100e-12f, 20e-12f, 100e-12f, 100e-12f,
            47e-12f, 470e-12f, 470e-12f, 4.7e-6f,  12e6f,   25e-12f};
}

void BM_SimulateFourSettings(benchmark::State& state) {
    const SimulationRequest request{WorkedExample()};
    std::size_t points = 0;
    for (auto _ : state) {
        const SimulationOutcome outcome = Simulator().Run(request, {});
        if (!outcome.Succeeded()) {
            state.SkipWithError(outcome.message.c_str());
            return;
        }
        for (const SettingReport& s : outcome.report.settings) {
            points += s.points;
        }
    }
    state.counters["points"] = benchmark::Counter(points, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SimulateFourSettings)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_NgspiceBatchFourSettings(benchmark::State& state) {
    if (std::system("command -v ngspice >/dev/null 2>&1") != 0) {
        state.SkipWithError("the ngspice program is not installed");
        return;
    }
    std::string commands;
    for (TuningSetting setting : AllTuningSettings) {
        const std::string name = std::string("/tmp/calbrine-bench-") + SettingName(setting);
        std::ofstream(name + ".cir") << SimulatedNetlist(WorkedExample(), setting);
        commands += "ngspice -b " + name + ".cir >/dev/null 2>&1; ";
    }
    for (auto _ : state) {
        if (std::system(commands.c_str()) != 0) {
            state.SkipWithError("ngspice failed");
            return;
        }
    }
    for (TuningSetting setting : AllTuningSettings) {
        const std::string name = std::string("/tmp/calbrine-bench-") + SettingName(setting);
        std::remove((name + ".cir").c_str());
    }
}
BENCHMARK(BM_NgspiceBatchFourSettings)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

// The simulator starts this program again as its workers.
int main(int argc, char** argv) {
    if (const int worker = calbrine::SimulationWorkerMain(argc, argv); worker >= 0) {
        return worker;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
