// Timings of the engineering text and the tuning calculation. Reports only.
#include <benchmark/benchmark.h>

#include <string>

#include "design/DesignValues.h"
#include "design/Tuning.h"
#include "engineering/EngineeringText.h"

namespace {

using namespace calbrine;

void BM_ParseEngValue(benchmark::State& state) {
    const std::string texts[] = {"4.7p", "22n", "7.7u", "12M", "  1.5e-3k ", "123456789012345"};
    float value = 0;
    for (auto _ : state) {
        for (const std::string& text : texts) {
            ParseEngValue(text, value);
            benchmark::DoNotOptimize(value);
        }
    }
    state.SetItemsProcessed(state.iterations() * 6);
}
BENCHMARK(BM_ParseEngValue);

template <void (*Formatter)(double, std::string&)>
void BM_Format(benchmark::State& state) {
    const double values[] = {4.7e-12, 2.2e-8, 7.7e-6, 12e6, 5469798, -8587, 0.5};
    std::string out = "x";
    for (auto _ : state) {
        for (double value : values) {
            out = "x";
            Formatter(value, out);
            benchmark::DoNotOptimize(out.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * 7);
}
void FormatCapacitanceDouble(double v, std::string& out) {
    FormatCapacitance(v, out);
}
void FormatInductanceDouble(double v, std::string& out) {
    FormatInductance(v, out);
}
BENCHMARK(BM_Format<FormatEng>)->Name("BM_FormatEng");
BENCHMARK(BM_Format<FormatCapacitanceDouble>)->Name("BM_FormatCapacitance");
BENCHMARK(BM_Format<FormatInductanceDouble>)->Name("BM_FormatInductance");
BENCHMARK(BM_Format<FormatEngSmall>)->Name("BM_FormatEngSmall");
BENCHMARK(BM_Format<FormatEngSpaced>)->Name("BM_FormatEngSpaced");

void BM_EvaluateTuning(benchmark::State& state) {
    DesignValues = {10e-12f, 40e-12f,  10e-12f,  100e-12f, 20e-12f, 100e-12f, 100e-12f,
                    47e-12f, 470e-12f, 470e-12f, 4.7e-6f,  12e6f,   25e-12f};
    for (auto _ : state) {
        TuningCaptions captions = EvaluateTuning();
        benchmark::DoNotOptimize(captions.lblFineSpan.data());
    }
}
BENCHMARK(BM_EvaluateTuning);

}  // namespace
