// Simulating the oscillator with ngspice at the settings of the tuning capacitors: does it
// start, at what frequency does it run, how large is the swing. Synchronous for the caller;
// the desktop program calls it from a worker thread.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "circuit/TuningSettings.h"
#include "design/DesignRecord.h"
#include "simulation/NgspiceSession.h"
#include "simulation/OscillationMeasurement.h"

namespace calbrine {

struct SimulationRequest {
    DesignRecord design;
    std::vector<TuningSetting> settings{AllTuningSettings.begin(), AllTuningSettings.end()};
};

struct SettingReport {
    TuningSetting setting = TuningSetting::VfoMin;
    double calculatedHz = 0;
    OscillationMeasure measure;
    std::size_t points = 0;  // time points ngspice computed
    double seconds = 0;      // wall-clock time of the run
    // The output over the last KeptPeriods periods of the run, at ngspice's time points.
    std::vector<double> outputTime;
    std::vector<double> outputVolts;
};

// Periods of the output kept in a report, of the measured frequency where it oscillates.
constexpr int KeptPeriods = 10;

struct SimulationReport {
    std::vector<SettingReport> settings;
};

enum class SimulationFailure { None, LibraryMissing, Busy, Refused, Cancelled, SimulatorError };

struct SimulationOutcome {
    SimulationFailure failure = SimulationFailure::None;
    std::string message;  // for the user, when it failed
    SimulationReport report;

    bool Succeeded() const { return failure == SimulationFailure::None; }
};

// Fraction 0..1 of the whole request and the setting being simulated ("VfoMax").
using SimulationProgress = std::function<void(double fraction, const std::string& phase)>;

// Calculated frequencies outside this range are refused.
constexpr double LowestSimulatedHz = 1e3;
constexpr double HighestSimulatedHz = 1e9;

class Simulator {
  public:
    explicit Simulator(std::string libraryFile = NgspiceLibraryFile, RunLimits limits = {})
        : libraryFile_(std::move(libraryFile)), limits_(limits) {}

    // Never changes the program's design or tuning results. `cancel` may be null.
    SimulationOutcome Run(const SimulationRequest& request, const SimulationProgress& progress,
                          const std::atomic<bool>* cancel = nullptr) const;

    // Why the request cannot be simulated (a part that is not a positive value, a calculated
    // frequency out of range), or empty text.
    static std::string Refusal(const SimulationRequest& request);

  private:
    std::string libraryFile_;
    RunLimits limits_;
};

}  // namespace calbrine
