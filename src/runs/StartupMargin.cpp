#include "runs/StartupMargin.h"

#include <cmath>

#include "simulation/SimulatedNetlist.h"

namespace calbrine {

namespace {

// The first step down from where it starts, and the first try for the ideal coil (a toroid's
// Q at HF is some 100 to 250).
constexpr double FirstStep = 4;
constexpr double FirstIdealTry = 100;
// The search gives up above this: no coil is that good.
constexpr double HighestSearchedQ = 1e6;

}  // namespace

StartupSearch::StartupSearch(double setQ) : starts_(setQ > 0 ? setQ : INFINITY) {}

bool StartupSearch::Done() const {
    return starts_ <= LowestSearchedQ || dies_ >= HighestSearchedQ ||
           (dies_ > 0 && starts_ <= dies_ * (1 + StartupQTolerance));
}

double StartupSearch::NextQ() const {
    if (dies_ == 0) {
        return std::isinf(starts_) ? FirstIdealTry : std::max(starts_ / FirstStep, LowestSearchedQ);
    }
    if (std::isinf(starts_)) {
        return dies_ * FirstStep;
    }
    return std::sqrt(dies_ * starts_);
}

void StartupSearch::Record(double q, bool starts) {
    if (starts) {
        starts_ = std::min(starts_, q);
    } else {
        dies_ = std::max(dies_, q);
    }
}

std::optional<double> StartupSearch::LowestQ() const {
    if (!Done() || std::isinf(starts_)) {
        return std::nullopt;
    }
    return starts_;
}

SimulationJob StartupJob(const DesignRecord& design, TuningSetting setting, double q) {
    CircuitConditions conditions;
    conditions.coilQ = q;
    SimulationJob job;
    job.kind = JobKind::Startup;
    job.netlist = SimulatedNetlist(design, SettingCapacitors(design, setting), conditions,
                                   StartupStepFactor, StartupPeriods);
    job.calculatedHz = CalculatedFrequency(design, setting);
    job.stopTime = StartupPeriods / job.calculatedHz;
    return job;
}

}  // namespace calbrine
