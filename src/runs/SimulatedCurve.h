// The tuning curve simulated: the dial table's settings of C38, D9 at its nominal capacitance,
// each simulated with its error bar, and the VFO curve they give for the dial.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "analysis/ReportTable.h"
#include "analysis/TuningCurve.h"
#include "design/DesignRecord.h"
#include "simulation/Simulator.h"

namespace calbrine {

struct SimulatedCurvePoint {
    float ccoarse = 0;
    double calculatedHz = 0;
    bool oscillates = false;
    double simulatedHz = 0;  // when it oscillates
    double errorHz = 0;
    std::string observation;  // what was seen instead, when it does not
};

struct SimulatedCurveOutcome : RunStatus {
    std::vector<SimulatedCurvePoint> points;  // in the order of the dial table's steps

    // Every point oscillates, so the curve can carry a dial.
    bool Complete() const;
};

// `coilQ`: L7's quality factor (CircuitConditions::coilQ).
SimulatedCurveOutcome SimulateCurve(const DesignRecord& design, int steps, double coilQ,
                                    const Simulator& simulator, const SimulationProgress& progress,
                                    const std::atomic<bool>* cancel = nullptr);

// The simulated VFO between the points: the calculated resonance times the simulated-to-
// calculated ratio, which runs linearly in C38 between neighbouring points. For a complete
// curve only.
VfoCurve SimulatedVfo(const DesignRecord& design, const SimulatedCurveOutcome& curve);

// The dial table with a last column "Simulated" (text "5 448 808 ± 1 520 Hz", CSV
// simulated_hz, empty where it does not oscillate).
ReportTable SimulatedDialTable(const DesignRecord& design, int steps,
                               const SimulatedCurveOutcome& curve);
// The dial table's heading, the table, and a line for each point that does not oscillate.
std::string SimulatedDialReport(const DesignRecord& design, int steps,
                                const SimulatedCurveOutcome& curve);

}  // namespace calbrine
