#include "simulation/Simulator.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>

#include "circuit/OscillatorCircuit.h"
#include "circuit/SpiceNetlist.h"

namespace calbrine {

namespace {

std::string Hertz(double value) {
    char buffer[32];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 5).ptr;
    return std::string(buffer, end) + " Hz";
}

SimulationOutcome Failed(SimulationFailure failure, const std::string& message) {
    SimulationOutcome outcome;
    outcome.failure = failure;
    outcome.message = message;
    return outcome;
}

// The output from KeptPeriods periods before the end of the run.
void KeepLastPeriods(const Waveforms& waves, double hz, SettingReport& report) {
    const double from = waves.time.back() - KeptPeriods / hz;
    const auto first = std::lower_bound(waves.time.begin(), waves.time.end(), from);
    const auto offset = first - waves.time.begin();
    report.outputTime.assign(first, waves.time.end());
    report.outputVolts.assign(waves.output.begin() + offset, waves.output.end());
}

// One setting: netlist, run, and the measurement of the waveforms; false with `outcome`
// set when the run did not complete.
bool SimulateSetting(NgspiceSession& session, const SimulationRequest& request,
                     SettingReport& report, const SimulationProgress& progress, double done,
                     const std::atomic<bool>* cancel, const RunLimits& limits,
                     SimulationOutcome& outcome) {
    const std::string name = SettingName(report.setting);
    const TransientPlan plan = PlanTransient(report.calculatedHz);
    const std::string netlist = SpiceNetlist(BuildOscillator(request.design, report.setting), plan);
    const double share = 1.0 / request.settings.size();
    const auto start = std::chrono::steady_clock::now();
    const NetlistRun run = session.Run(
        netlist, {"time", node::Emitter, node::Output},
        [&](double fraction) {
            if (progress) {
                progress(done + share * fraction, name);
            }
        },
        cancel, limits);
    report.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    using Outcome = NetlistRun::Outcome;
    if (run.outcome == Outcome::Cancelled) {
        outcome = Failed(SimulationFailure::Cancelled, "The simulation was cancelled.");
        return false;
    }
    if (run.outcome != Outcome::Done) {
        const std::string why = run.outcome == Outcome::TimedOut ? "took too long" : "failed";
        outcome = Failed(SimulationFailure::SimulatorError,
                         "The simulation of " + name + " " + why + ": " + run.errors);
        return false;
    }
    const Waveforms waves{run.vectors[0], run.vectors[1], run.vectors[2]};
    if (waves.time.back() < plan.stopTime * (1 - 1e-6)) {
        outcome = Failed(SimulationFailure::SimulatorError,
                         "ngspice stopped the simulation of " + name + " at " +
                             SpiceNumber(waves.time.back()) + " s: " + run.errors);
        return false;
    }
    report.points = waves.time.size();
    report.measure = MeasureOscillation(waves, report.calculatedHz);
    KeepLastPeriods(waves,
                    report.measure.oscillates ? report.measure.frequencyHz : report.calculatedHz,
                    report);
    return true;
}

}  // namespace

std::string Simulator::Refusal(const SimulationRequest& request) {
    const DesignRecord& d = request.design;
    if (request.settings.empty()) {
        return "No setting of the tuning capacitors was chosen.";
    }
    for (TuningSetting setting : request.settings) {
        for (const CircuitPart& part : BuildOscillator(d, setting).parts) {
            if (!std::isfinite(part.value) || (part.value <= 0 && part.name != "Q8")) {
                return std::string(SettingName(setting)) + ": " + part.name +
                       " must be a positive value to be simulated.";
            }
        }
        const double hz = CalculatedFrequency(d, setting);
        if (!(hz >= LowestSimulatedHz && hz <= HighestSimulatedHz)) {
            return std::string(SettingName(setting)) + ": the calculated frequency " + Hertz(hz) +
                   " is outside the simulated range of 1 kHz to 1 GHz.";
        }
    }
    return "";
}

SimulationOutcome Simulator::Run(const SimulationRequest& request,
                                 const SimulationProgress& progress,
                                 const std::atomic<bool>* cancel) const {
    const std::string refusal = Refusal(request);
    if (!refusal.empty()) {
        return Failed(SimulationFailure::Refused, refusal);
    }
    NgspiceSession session(libraryFile_);
    if (session.State() != NgspiceState::Ready) {
        return Failed(session.State() == NgspiceState::Busy ? SimulationFailure::Busy
                                                            : SimulationFailure::LibraryMissing,
                      session.Problem());
    }
    SimulationOutcome outcome;
    for (std::size_t i = 0; i < request.settings.size(); ++i) {
        SettingReport report;
        report.setting = request.settings[i];
        report.calculatedHz = CalculatedFrequency(request.design, report.setting);
        const double done = static_cast<double>(i) / request.settings.size();
        if (!SimulateSetting(session, request, report, progress, done, cancel, limits_, outcome)) {
            return outcome;
        }
        outcome.report.settings.push_back(report);
    }
    if (progress) {
        progress(1.0, "done");
    }
    return outcome;
}

}  // namespace calbrine
