// The start-up margin of a setting: the lowest Q of L7 at which the oscillator still starts
// from the supply's step (JudgeStart), found by narrowing a bracket of Qs, on a logarithmic
// scale, between one at which it starts and one at which it dies out.
#pragma once

#include <optional>

#include "circuit/TuningSettings.h"
#include "design/DesignRecord.h"
#include "simulation/WorkerProtocol.h"

namespace calbrine {

// The bracket is narrowed until its ends are within this of each other (relative).
constexpr double StartupQTolerance = 0.03;
// The search goes no lower: an oscillator that starts with this Q is given it as its lowest.
constexpr double LowestSearchedQ = 1;
// A start-up run's longest length, in periods of the calculated frequency, at twice the
// planned step.
constexpr int StartupPeriods = 600;
constexpr int StartupStepFactor = 2;

class StartupSearch {
  public:
    // `setQ`: the Q the oscillator was seen to start with; 0 for the ideal coil.
    explicit StartupSearch(double setQ);

    bool Done() const;
    // The Q to try next, while not Done.
    double NextQ() const;
    void Record(double q, bool starts);
    // The lowest Q seen starting, once Done.
    std::optional<double> LowestQ() const;

  private:
    double starts_;    // the lowest Q seen starting; infinity for the ideal coil
    double dies_ = 0;  // the highest Q seen dying out; 0 before any
};

// The start-up run of `setting` with L7's Q at `q`.
SimulationJob StartupJob(const DesignRecord& design, TuningSetting setting, double q);

}  // namespace calbrine
