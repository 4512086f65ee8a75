// The fit to a band by simulation: the calculated fit, its two band ends simulated, and the
// calculation fitted again to VFO edges moved by the simulated/calculated ratio, round after
// round, until both simulated ends lie within SimulatedFitToleranceHz of the band's edges.
// The simulation runs some 0.25 % below the calculation, which a fit by the calculation alone
// leaves at both edges.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "analysis/Reports.h"
#include "design/DesignRecord.h"
#include "simulation/Simulator.h"

namespace calbrine {

// How close each simulated end must come to its band edge, in Hz.
constexpr double SimulatedFitToleranceHz = 200;
// Rounds of simulation before the fit gives up.
constexpr int MostSimulatedFitRounds = 5;

// One round: the design the calculation fitted to `target`, its VFO ends as calculated and as
// simulated (the low end at the larger capacitance of C38, D9 at its nominal capacitance).
struct SimulatedFitRound {
    DesignRecord design;
    VfoBand target;
    double calculatedLowHz = 0;
    double calculatedHighHz = 0;
    double simulatedLowHz = 0;  // 0 where the oscillator does not start
    double simulatedHighHz = 0;
    double errorLowHz = 0;  // the simulation's error bars
    double errorHighHz = 0;
};

// A failure is the simulator's (named by its setting); a fit that ran but did not land says
// why in `reason`.
struct SimulatedFitOutcome : RunStatus {
    FitRequest request;
    VfoBand wanted;  // the band's edges as VFO edges
    std::vector<SimulatedFitRound> rounds;
    bool reached = false;  // the last round's ends lie within the tolerance
    double coilQ = 0;      // L7's quality factor in the simulations; 0: an ideal coil
    std::string reason;

    // The last round's design: the fitted one when reached.
    const DesignRecord& Fitted() const { return rounds.back().design; }
};

// What the fit simulates a request with: the Simulator's Run, or a stand-in.
using SettingsSimulation = std::function<SimulationOutcome(
    const SimulationRequest&, const SimulationProgress&, const std::atomic<bool>*)>;

// `request` with its mix taken. Progress runs over the most rounds, each named ("round 2
// (VfoMin, VfoMax)"); `cancel` may be null.
SimulatedFitOutcome FitBySimulation(const DesignRecord& design, const FitRequest& request,
                                    const SettingsSimulation& simulate,
                                    const SimulationProgress& progress,
                                    const std::atomic<bool>* cancel = nullptr);
// The same through `simulator`, L7 with the quality factor `coilQ` (CircuitConditions).
SimulatedFitOutcome FitBySimulation(const DesignRecord& design, const FitRequest& request,
                                    const Simulator& simulator, const SimulationProgress& progress,
                                    const std::atomic<bool>* cancel = nullptr, double coilQ = 0);

// Each round's fitted parts and the band's edges as calculated and as simulated (RF), then
// the fitted parts, or why the fit was not reached, and what the simulation assumes.
std::string SimulatedFitReport(const SimulatedFitOutcome& outcome);
// The parts' rows of the fitted design (FitCsv), then simulated_low_hz and simulated_high_hz:
// the RF ends of the tuning range as simulated.
std::string SimulatedFitCsv(const SimulatedFitOutcome& outcome);

}  // namespace calbrine
