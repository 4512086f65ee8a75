#include "simulation/Simulator.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "circuit/OscillatorCircuit.h"
#include "circuit/SpiceNetlist.h"
#include "simulation/FrequencyEstimate.h"
#include "simulation/SimulatedNetlist.h"

namespace calbrine {

namespace {

// The run at twice the step is needed only for its frequency, and 300 periods give it: on
// the worked example its frequency moves by 1.4 to 3.2 ppm against a run of 400 periods, a
// third of which reaches the extrapolated frequency, and the run costs a quarter less.
constexpr int CoarsePeriods = 300;
// Relative work of a run at the planned step and at twice it (their time points).
constexpr double FineWeight = 3;
constexpr double CoarseWeight = 1.5;

std::string Figure(double value) {
    char buffer[32];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 5).ptr;
    return std::string(buffer, end);
}

SimulationOutcome Failed(SimulationFailure failure, const std::string& message) {
    SimulationOutcome outcome;
    outcome.failure = failure;
    outcome.message = message;
    return outcome;
}

// The runs of every setting at the planned step, then at twice it: the longer runs first, so
// that the workers finish together.
std::vector<SimulationJob> Jobs(const SimulationRequest& request) {
    std::vector<SimulationJob> jobs;
    for (int factor : {1, 2}) {
        for (TuningSetting setting : request.settings) {
            SimulationJob job;
            job.id = static_cast<std::uint32_t>(jobs.size());
            const int periods = factor == 1 ? SimulatedPeriods : CoarsePeriods;
            job.netlist = SimulatedNetlist(request.design, setting, factor, periods);
            job.calculatedHz = CalculatedFrequency(request.design, setting);
            job.stopTime = PlanTransient(job.calculatedHz).stopTime * periods / SimulatedPeriods;
            job.keptPeriods = factor == 1 ? KeptPeriods : 0;
            job.spectrum = factor == 1;
            jobs.push_back(job);
        }
    }
    return jobs;
}

// Why a setting's run gave no result, or nothing when it did.
std::optional<SimulationOutcome> RunFailure(const std::string& name, const PooledResult& run,
                                            double jobSeconds) {
    switch (run.fate) {
        case JobFate::Cancelled:
            return Failed(SimulationFailure::Cancelled, "The simulation was cancelled.");
        case JobFate::Lost:
            return Failed(
                SimulationFailure::WorkerLost,
                "The simulation of " + name + " was lost: its worker process " + run.lostHow + ".");
        case JobFate::TimedOut:
            return Failed(SimulationFailure::WorkerLost,
                          "The simulation of " + name + " took longer than " + Figure(jobSeconds) +
                              " s and was stopped.");
        case JobFate::Served:
            break;
    }
    switch (run.result.outcome) {
        case JobResult::Outcome::LibraryMissing:
            return Failed(SimulationFailure::LibraryMissing, run.result.errors);
        case JobResult::Outcome::Failed:
            return Failed(SimulationFailure::SimulatorError,
                          "The simulation of " + name + " " + run.result.errors);
        case JobResult::Outcome::Done:
            break;
    }
    return std::nullopt;
}

// One setting from its two runs: the first's measurement, waveform and harmonics, the
// frequency extrapolated from both.
SettingReport Combine(TuningSetting setting, const JobResult& fine, const JobResult& coarse) {
    SettingReport report;
    report.setting = setting;
    report.measure = fine.measure;
    report.points = fine.points + coarse.points;
    report.seconds = fine.seconds + coarse.seconds;
    report.outputTime = fine.keptTime;
    report.outputVolts = fine.keptVolts;
    if (fine.measure.oscillates && !coarse.measure.oscillates) {
        report.measure.oscillates = false;
        report.measure.frequencyHz = 0;
        report.measure.startupSeconds = 0;
        report.measure.observation = "at twice the time step: " + coarse.measure.observation;
        return report;
    }
    if (fine.measure.oscillates) {
        const FrequencyEstimate estimate =
            ExtrapolateFrequency(fine.measure.frequencyHz, coarse.measure.frequencyHz);
        report.measure.frequencyHz = estimate.hz;
        report.frequencyErrorHz = estimate.errorHz;
        report.fineRunHz = fine.measure.frequencyHz;
        report.coarseRunHz = coarse.measure.frequencyHz;
        report.harmonics = fine.harmonics;
    }
    return report;
}

std::string Phase(const SimulationRequest& request, const std::vector<double>& fractions) {
    std::string phase;
    const std::size_t n = request.settings.size();
    for (std::size_t i = 0; i < fractions.size(); ++i) {
        const std::string name = SettingName(request.settings[i % n]);
        if (fractions[i] > 0 && fractions[i] < 1 && phase.find(name) == std::string::npos) {
            phase += (phase.empty() ? "" : ", ") + name;
        }
    }
    return phase.empty() ? "the settings" : phase;
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
            return std::string(SettingName(setting)) + ": the calculated frequency " + Figure(hz) +
                   " Hz" + " is outside the simulated range of 1 kHz to 1 GHz.";
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
    const std::vector<SimulationJob> jobs = Jobs(request);
    const std::size_t n = request.settings.size();
    const JobProgress perJob = [&](const std::vector<double>& fractions) {
        if (progress) {
            double done = 0;
            for (std::size_t i = 0; i < fractions.size(); ++i) {
                done += fractions[i] * (i < n ? FineWeight : CoarseWeight);
            }
            progress(done / (n * (FineWeight + CoarseWeight)), Phase(request, fractions));
        }
    };
    WorkerPool pool(
        options_.worker.arguments.empty() ? ProgramWorkerCommand(options_.libraryFile)
                                          : options_.worker,
        PoolLimits{options_.jobs, options_.jobSeconds, PoolLimits{}.jobsPerWorker, true});
    const std::vector<PooledResult> runs = pool.Run(jobs, perJob, cancel);
    if (cancel != nullptr && cancel->load()) {
        return Failed(SimulationFailure::Cancelled, "The simulation was cancelled.");
    }
    SimulationOutcome outcome;
    for (std::size_t i = 0; i < n; ++i) {
        const std::string name = SettingName(request.settings[i]);
        bool failed = false;
        for (const PooledResult* run : {&runs[i], &runs[n + i]}) {
            const std::optional<SimulationOutcome> failure =
                RunFailure(name, *run, options_.jobSeconds);
            // The user did not cancel: a run cancelled because another was lost says nothing.
            if (failure &&
                (outcome.Succeeded() || outcome.failure == SimulationFailure::Cancelled)) {
                outcome.failure = failure->failure;
                outcome.message = failure->message;
            }
            failed = failed || failure;
        }
        if (failed) {
            continue;
        }
        SettingReport report = Combine(request.settings[i], runs[i].result, runs[n + i].result);
        report.calculatedHz = jobs[i].calculatedHz;
        outcome.report.settings.push_back(report);
    }
    if (progress && outcome.Succeeded()) {
        progress(1.0, "done");
    }
    return outcome;
}

}  // namespace calbrine
