#include "simulation/Simulator.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "circuit/OscillatorCircuit.h"
#include "circuit/SpiceNetlist.h"
#include "design/Tuning.h"
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

// A point of a request: one of its settings, or capacitances of D9 and C38.
struct Point {
    std::string name;  // "VfoMin" or "C38 = 56 pF"
    TuningSetting setting = TuningSetting::VfoMin;
    TuningCapacitors capacitors;
    double calculatedHz = 0;
};

std::vector<Point> Points(const SimulationRequest& request) {
    std::vector<Point> points;
    const DesignRecord& d = request.design;
    if (!request.points.empty()) {
        for (TuningCapacitors c : request.points) {
            points.push_back({"C38 = " + Figure(c.ccoarse * 1e12) + " pF", TuningSetting::VfoMin, c,
                              ResonanceFrequency(d, c.cfine, c.ccoarse)});
        }
        return points;
    }
    for (TuningSetting setting : request.settings) {
        points.push_back({SettingName(setting), setting, SettingCapacitors(d, setting),
                          CalculatedFrequency(d, setting)});
    }
    return points;
}

// The runs of every point at the planned step, then at twice it: the longer runs first, so
// that the workers finish together. `jobs[i]` and `jobs[runs + i]` are point i's two runs,
// the points of the requests one after another.
std::vector<SimulationJob> Jobs(const std::vector<SimulationRequest>& requests,
                                const std::vector<std::vector<Point>>& points) {
    std::vector<SimulationJob> jobs;
    for (int factor : {1, 2}) {
        for (std::size_t r = 0; r < requests.size(); ++r) {
            for (const Point& point : points[r]) {
                SimulationJob job;
                job.id = static_cast<std::uint32_t>(jobs.size());
                const int periods = factor == 1 ? SimulatedPeriods : CoarsePeriods;
                job.netlist = SimulatedNetlist(requests[r].design, point.capacitors,
                                               requests[r].conditions, factor, periods);
                job.calculatedHz = point.calculatedHz;
                job.stopTime =
                    PlanTransient(job.calculatedHz).stopTime * periods / SimulatedPeriods;
                const bool details = factor == 1 && requests[r].details;
                job.keptPeriods = details ? KeptPeriods : 0;
                job.spectrum = details;
                jobs.push_back(job);
            }
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

// The points in progress, by their requests' labels where they have them.
std::string Phase(const std::vector<std::string>& names, const std::vector<double>& fractions) {
    std::string phase;
    for (std::size_t i = 0; i < fractions.size(); ++i) {
        const std::string& name = names[i % names.size()];
        if (fractions[i] > 0 && fractions[i] < 1 && phase.find(name) == std::string::npos) {
            phase += (phase.empty() ? "" : ", ") + name;
        }
    }
    return phase.empty() ? "the settings" : phase;
}

}  // namespace

std::string Simulator::Refusal(const SimulationRequest& request) {
    const DesignRecord& d = request.design;
    if (request.settings.empty() && request.points.empty()) {
        return "No setting of the tuning capacitors was chosen.";
    }
    for (const Point& point : Points(request)) {
        for (const CircuitPart& part : BuildOscillator(d, point.capacitors).parts) {
            if (!std::isfinite(part.value) || (part.value <= 0 && part.name != "Q8")) {
                return point.name + ": " + part.name + " must be a positive value to be simulated.";
            }
        }
        const double hz = point.calculatedHz;
        if (!(hz >= LowestSimulatedHz && hz <= HighestSimulatedHz)) {
            return point.name + ": the calculated frequency " + Figure(hz) + " Hz" +
                   " is outside the simulated range of 1 kHz to 1 GHz.";
        }
    }
    return "";
}

SimulationOutcome Simulator::Run(const SimulationRequest& request,
                                 const SimulationProgress& progress,
                                 const std::atomic<bool>* cancel) const {
    BatchOutcome batch = RunBatch({request}, progress, cancel);
    SimulationOutcome outcome;
    outcome.failure = batch.failure;
    outcome.message = batch.message;
    if (!batch.reports.empty()) {
        outcome.report = std::move(batch.reports.front());
    }
    return outcome;
}

namespace {

BatchOutcome FailedBatch(SimulationFailure failure, const std::string& message) {
    BatchOutcome outcome;
    outcome.failure = failure;
    outcome.message = message;
    return outcome;
}

// The two runs of every point made into its report; the first failure becomes the batch's.
void Gather(const std::vector<std::vector<Point>>& points,
            const std::vector<SimulationRequest>& requests, const std::vector<PooledResult>& runs,
            double jobSeconds, BatchOutcome& outcome) {
    const std::size_t total = runs.size() / 2;
    std::size_t i = 0;
    for (std::size_t r = 0; r < points.size(); ++r) {
        SimulationReport& report = outcome.reports.emplace_back();
        for (const Point& point : points[r]) {
            const std::string& label = requests[r].label;
            const std::string name = label.empty() ? point.name : label + ", " + point.name;
            bool failed = false;
            for (const PooledResult* run : {&runs[i], &runs[total + i]}) {
                const std::optional<SimulationOutcome> failure = RunFailure(name, *run, jobSeconds);
                // The user did not cancel: a run cancelled because another was lost says
                // nothing.
                if (failure &&
                    (outcome.Succeeded() || outcome.failure == SimulationFailure::Cancelled)) {
                    outcome.failure = failure->failure;
                    outcome.message = failure->message;
                }
                failed = failed || failure;
            }
            if (!failed) {
                SettingReport s = Combine(point.setting, runs[i].result, runs[total + i].result);
                s.capacitors = point.capacitors;
                s.calculatedHz = point.calculatedHz;
                report.settings.push_back(s);
            }
            ++i;
        }
    }
}

}  // namespace

BatchOutcome Simulator::RunBatch(const std::vector<SimulationRequest>& requests,
                                 const SimulationProgress& progress,
                                 const std::atomic<bool>* cancel) const {
    std::vector<std::vector<Point>> points;
    std::vector<std::string> names;  // of each point, for the progress
    for (const SimulationRequest& request : requests) {
        const std::string refusal = Refusal(request);
        if (!refusal.empty()) {
            return FailedBatch(SimulationFailure::Refused,
                               request.label.empty() ? refusal : request.label + ": " + refusal);
        }
        points.push_back(Points(request));
        for (const Point& point : points.back()) {
            names.push_back(request.label.empty() ? point.name : request.label);
        }
    }
    if (names.empty()) {
        return FailedBatch(SimulationFailure::Refused, "Nothing was asked to be simulated.");
    }
    const std::vector<SimulationJob> jobs = Jobs(requests, points);
    const std::size_t n = names.size();
    const JobProgress perJob = [&](const std::vector<double>& fractions) {
        if (progress) {
            double done = 0;
            for (std::size_t i = 0; i < fractions.size(); ++i) {
                done += fractions[i] * (i < n ? FineWeight : CoarseWeight);
            }
            progress(done / (n * (FineWeight + CoarseWeight)), Phase(names, fractions));
        }
    };
    WorkerPool pool(
        options_.worker.arguments.empty() ? ProgramWorkerCommand(options_.libraryFile)
                                          : options_.worker,
        PoolLimits{options_.jobs, options_.jobSeconds, PoolLimits{}.jobsPerWorker, true});
    const std::vector<PooledResult> runs = pool.Run(jobs, perJob, cancel);
    if (cancel != nullptr && cancel->load()) {
        return FailedBatch(SimulationFailure::Cancelled, "The simulation was cancelled.");
    }
    BatchOutcome outcome;
    Gather(points, requests, runs, options_.jobSeconds, outcome);
    if (progress && outcome.Succeeded()) {
        progress(1.0, "done");
    }
    return outcome;
}

}  // namespace calbrine
