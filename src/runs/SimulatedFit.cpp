#include "runs/SimulatedFit.h"

#include <cmath>

#include "analysis/ReportText.h"
#include "circuit/TuningSettings.h"

namespace calbrine {

namespace {

// The settings at the VFO's low end (the larger capacitance of C38) and at its high end.
std::vector<TuningSetting> EndSettings(const DesignRecord& design) {
    if (design.CcoarseMax >= design.CcoarseMin) {
        return {TuningSetting::VfoMin, TuningSetting::VfoMax};
    }
    return {TuningSetting::VfoMax, TuningSetting::VfoMin};
}

SimulationProgress RoundProgress(const SimulationProgress& progress, int round) {
    if (!progress) {
        return {};
    }
    return [progress, round](double fraction, const std::string& phase) {
        progress((round + fraction) / MostSimulatedFitRounds,
                 "round " + std::to_string(round + 1) + " (" + phase + ")");
    };
}

std::string Offsets(const SimulatedFitRound& r, const VfoBand& wanted) {
    return SignedFrequencyText(r.simulatedLowHz - wanted.lowHz) + " at the low end and " +
           SignedFrequencyText(r.simulatedHighHz - wanted.highHz) + " at the high end";
}

// Simulates the round's design at its two ends; empty text, or why the round cannot go on.
std::string SimulateEnds(SimulatedFitRound& r, SimulatedFitOutcome& outcome,
                         const SettingsSimulation& simulate, const SimulationProgress& progress,
                         const std::atomic<bool>* cancel) {
    SimulationRequest request(r.design, EndSettings(r.design));
    request.details = false;
    const SimulationOutcome simulated = simulate(request, progress, cancel);
    outcome.failure = simulated.failure;
    outcome.message = simulated.message;
    if (!simulated.Succeeded() || simulated.report.settings.size() != 2) {
        if (outcome.Succeeded()) {
            outcome.failure = SimulationFailure::SimulatorError;
            outcome.message = "the simulation gave no result at the VFO's ends";
        }
        return outcome.message;
    }
    const SettingReport& low = simulated.report.settings[0];
    const SettingReport& high = simulated.report.settings[1];
    for (const SettingReport* end : {&low, &high}) {
        if (!end->measure.oscillates) {
            return std::string("the oscillator does not start at ") + SettingName(end->setting) +
                   " in the simulation";
        }
    }
    r.simulatedLowHz = low.measure.frequencyHz;
    r.simulatedHighHz = high.measure.frequencyHz;
    r.errorLowHz = low.frequencyErrorHz;
    r.errorHighHz = high.frequencyErrorHz;
    return "";
}

bool WithinTolerance(const SimulatedFitRound& r, const VfoBand& wanted) {
    return std::fabs(r.simulatedLowHz - wanted.lowHz) <= SimulatedFitToleranceHz &&
           std::fabs(r.simulatedHighHz - wanted.highHz) <= SimulatedFitToleranceHz;
}

// The VFO edges the calculation is fitted to next: the band's, moved by how far the
// simulation ran from the calculation at each end.
VfoBand Corrected(const SimulatedFitRound& r, const VfoBand& wanted) {
    const float lowRatio = static_cast<float>(r.calculatedLowHz / r.simulatedLowHz);
    const float highRatio = static_cast<float>(r.calculatedHighHz / r.simulatedHighHz);
    return {wanted.lowHz * lowRatio, wanted.highHz * highRatio, ""};
}

}  // namespace

SimulatedFitOutcome FitBySimulation(const DesignRecord& design, const FitRequest& request,
                                    const SettingsSimulation& simulate,
                                    const SimulationProgress& progress,
                                    const std::atomic<bool>* cancel) {
    SimulatedFitOutcome outcome;
    outcome.request = request;
    outcome.wanted = VfoBandFor(request.band, request.mix, design.IF);
    VfoBand target = outcome.wanted;
    for (int round = 0; round < MostSimulatedFitRounds; ++round) {
        const std::string name = "round " + std::to_string(round + 1) + ": ";
        const FitResult fit = FitToVfoBand(design, target, request.solve);
        if (!fit.reached) {
            outcome.reason = name + "the calculation cannot reach VFO " +
                             FrequencyText(target.lowHz) + " to " + FrequencyText(target.highHz) +
                             ": " + fit.reason;
            return outcome;
        }
        SimulatedFitRound& r = outcome.rounds.emplace_back();
        r.design = fit.design;
        r.target = target;
        r.calculatedLowHz = fit.vfoLowHz;
        r.calculatedHighHz = fit.vfoHighHz;
        const std::string stopped =
            SimulateEnds(r, outcome, simulate, RoundProgress(progress, round), cancel);
        if (!outcome.Succeeded()) {
            return outcome;
        }
        if (!stopped.empty()) {
            outcome.reason = name + stopped;
            return outcome;
        }
        if (WithinTolerance(r, outcome.wanted)) {
            outcome.reached = true;
            return outcome;
        }
        target = Corrected(r, outcome.wanted);
    }
    outcome.reason = "after " + std::to_string(MostSimulatedFitRounds) +
                     " rounds the simulated VFO is still " +
                     Offsets(outcome.rounds.back(), outcome.wanted) + " off, more than " +
                     PlainNumber(SimulatedFitToleranceHz, 6) + " Hz";
    return outcome;
}

SimulatedFitOutcome FitBySimulation(const DesignRecord& design, const FitRequest& request,
                                    const Simulator& simulator, const SimulationProgress& progress,
                                    const std::atomic<bool>* cancel, double coilQ) {
    SimulatedFitOutcome outcome = FitBySimulation(
        design, request,
        [&simulator, coilQ](const SimulationRequest& r, const SimulationProgress& p,
                            const std::atomic<bool>* c) {
            SimulationRequest lossy = r;
            lossy.conditions.coilQ = coilQ;
            return simulator.Run(lossy, p, c);
        },
        progress, cancel);
    outcome.coilQ = coilQ;
    return outcome;
}

}  // namespace calbrine
