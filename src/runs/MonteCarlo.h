// Monte Carlo: copies of a design with every part the explorer knows drawn within its
// tolerance, each simulated at both ends of the coarse range. Will every copy start, where
// will it land, how large is its swing.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/Parts.h"
#include "analysis/ReportTable.h"
#include "design/DesignRecord.h"
#include "simulation/Simulator.h"

namespace calbrine {

constexpr int DefaultMonteCarloRuns = 100;
constexpr int MostMonteCarloRuns = 100000;
// The two settings of every run, in this order.
constexpr std::array<TuningSetting, 2> MonteCarloSettings{TuningSetting::VfoMin,
                                                          TuningSetting::VfoMax};

// A part's value in a run against its value in the design, by Part: 1 is nominal.
using PartFactors = std::array<double, PartCount>;

// The factors of `runs` runs, each part uniform within plus or minus its tolerance, drawn in
// the order of the runs and of AllParts from a Mersenne twister seeded with `seed`: the same
// seed gives the same factors on any machine and in any number of workers.
std::vector<PartFactors> DrawFactors(const PartSettings& settings, int runs, std::uint32_t seed);
// `design` with every part multiplied by its factor (D9 and C38 at both ends).
DesignRecord DrawnDesign(const DesignRecord& design, const PartFactors& factors);

struct MonteCarloRun {
    PartFactors factors{};
    std::array<SettingReport, 2> settings;  // VfoMin, VfoMax
};

struct MonteCarloOutcome : RunStatus {
    std::vector<MonteCarloRun> runs;  // every run, when it succeeded
};

// Simulates the runs through the simulator's workers, a few hundred at a time so that memory
// stays small whatever the number of runs. Progress goes over the whole series; a lost run
// or Cancel ends it.
MonteCarloOutcome RunMonteCarlo(const DesignRecord& design, const PartSettings& settings, int runs,
                                std::uint32_t seed, const Simulator& simulator,
                                const SimulationProgress& progress,
                                const std::atomic<bool>* cancel = nullptr);

// What the runs say of one setting: how many oscillate, the spread of the frequency (of the
// runs that oscillate) beside the calculated worst case, and the spread of the output swing.
struct SettingSpread {
    TuningSetting setting = TuningSetting::VfoMin;
    int runs = 0;
    int oscillating = 0;
    double minHz = 0, meanHz = 0, maxHz = 0, deviationHz = 0;  // sample standard deviation
    double worstLowHz = 0, worstHighHz = 0;  // every part high, every part low, calculated
    double minVpp = 0, meanVpp = 0, maxVpp = 0;
};
std::array<SettingSpread, 2> MonteCarloSpreads(const DesignRecord& design,
                                               const PartSettings& settings,
                                               const std::vector<MonteCarloRun>& runs);

// Setting, Oscillates, Min, Mean, Max, Std dev, Worst case, Output Vpp (min / mean / max).
ReportTable MonteCarloTable(const std::array<SettingSpread, 2>& spreads);
// A line naming the runs, the seed and the tolerances, a blank line, the table.
std::string MonteCarloReport(const PartSettings& settings, int runs, std::uint32_t seed,
                             const std::array<SettingSpread, 2>& spreads);
// The header run,setting,oscillates,simulated_hz,output_vpp,D9,...,L7 and a line per run
// and setting; simulated_hz empty where it does not oscillate.
std::string MonteCarloCsv(const std::vector<MonteCarloRun>& runs);

}  // namespace calbrine
