#include "simulation/Simulator.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "circuit/OscillatorCircuit.h"
#include "circuit/SpiceNetlist.h"
#include "design/Tuning.h"
#include "simulation/BatchRounds.h"
#include "simulation/SimulatedNetlist.h"

namespace calbrine {

namespace {

// The longest any run may go on without settling, in periods of the calculated frequency: a
// design near the edge of starting grows slowly and settles only after some 400 to 600.
constexpr int LongestRunPeriods = 2000;

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

// The job of point `p` of request `r`, from the supply's step.
SimulationJob Job(const SimulationRequest& request, const Point& point) {
    SimulationJob job;
    job.netlist = SavingState(SimulatedNetlist(request.design, point.capacitors, request.conditions,
                                               1, LongestRunPeriods));
    job.calculatedHz = point.calculatedHz;
    job.stopTime = PlanTransient(job.calculatedHz).stopTime * LongestRunPeriods / SimulatedPeriods;
    job.keptPeriods = request.details ? KeptPeriods : 0;
    job.spectrum = request.details;
    return job;
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

// The runs of every point made into its report; the first failure becomes the batch's.
void Gather(const std::vector<std::vector<Point>>& points,
            const std::vector<SimulationRequest>& requests, const std::vector<PooledResult>& runs,
            double jobSeconds, BatchOutcome& outcome) {
    std::size_t i = 0;
    for (std::size_t r = 0; r < points.size(); ++r) {
        SimulationReport& report = outcome.reports.emplace_back();
        for (const Point& point : points[r]) {
            const std::string& label = requests[r].label;
            const std::string name = label.empty() ? point.name : label + ", " + point.name;
            const std::optional<SimulationOutcome> failure = RunFailure(name, runs[i], jobSeconds);
            // The user did not cancel: a run cancelled because another was lost says nothing.
            if (failure &&
                (outcome.Succeeded() || outcome.failure == SimulationFailure::Cancelled)) {
                outcome.failure = failure->failure;
                outcome.message = failure->message;
            }
            if (!failure) {
                SettingReport s = Combine(point.setting, runs[i].result);
                s.capacitors = point.capacitors;
                s.calculatedHz = point.calculatedHz;
                report.settings.push_back(s);
            }
            ++i;
        }
    }
}

}  // namespace

namespace {

// Every point of a batch and its job, the points of the requests one after another.
struct BatchPlan {
    std::vector<std::vector<Point>> points;  // by request
    std::vector<std::string> names;          // of each point, for the progress
    std::vector<SimulationJob> jobs;
    std::vector<std::size_t> first{0};    // the first point of each request, and the end
    std::vector<std::size_t> firstRound;  // the points from the supply's step
};

// The plan, or why the batch is refused.
std::string Plan(const std::vector<SimulationRequest>& requests, BatchPlan& plan) {
    for (std::size_t r = 0; r < requests.size(); ++r) {
        const SimulationRequest& request = requests[r];
        const std::string refusal = Simulator::Refusal(request);
        if (!refusal.empty()) {
            return request.label.empty() ? refusal : request.label + ": " + refusal;
        }
        plan.points.push_back(Points(request));
        for (const Point& point : plan.points.back()) {
            plan.names.push_back(request.label.empty() ? point.name : request.label);
            if (Neighbour(requests, r) < 0) {
                plan.firstRound.push_back(plan.jobs.size());
            }
            plan.jobs.push_back(Job(request, point));
        }
        plan.first.push_back(plan.jobs.size());
    }
    return plan.names.empty() ? "Nothing was asked to be simulated." : "";
}

}  // namespace

std::unique_ptr<WorkerPool> Simulator::MakePool() const {
    return std::make_unique<WorkerPool>(
        options_.worker.arguments.empty() ? ProgramWorkerCommand(options_.libraryFile)
                                          : options_.worker,
        PoolLimits{options_.jobs, options_.jobSeconds, PoolLimits{}.jobsPerWorker, true});
}

BatchOutcome Simulator::RunBatch(const std::vector<SimulationRequest>& requests,
                                 const SimulationProgress& progress,
                                 const std::atomic<bool>* cancel) const {
    return RunBatch(requests, progress, cancel, *MakePool());
}

JobsOutcome Simulator::RunJobs(const std::vector<SimulationJob>& jobs,
                               const std::vector<std::string>& names,
                               const SimulationProgress& progress, const std::atomic<bool>* cancel,
                               WorkerPool& pool) const {
    std::vector<SimulationJob> numbered = jobs;
    for (std::size_t i = 0; i < numbered.size(); ++i) {
        numbered[i].id = static_cast<std::uint32_t>(i);
    }
    const JobProgress perJob = [&](const std::vector<double>& fractions) {
        if (progress && !fractions.empty()) {
            double sum = 0;
            for (double f : fractions) {
                sum += f;
            }
            progress(sum / fractions.size(), Phase(names, fractions));
        }
    };
    const std::vector<PooledResult> runs = pool.Run(numbered, perJob, cancel);
    JobsOutcome outcome;
    if (cancel != nullptr && cancel->load()) {
        outcome.failure = SimulationFailure::Cancelled;
        outcome.message = "The simulation was cancelled.";
        return outcome;
    }
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const std::optional<SimulationOutcome> failure =
            RunFailure(names[i], runs[i], options_.jobSeconds);
        if (failure && (outcome.Succeeded() || outcome.failure == SimulationFailure::Cancelled)) {
            outcome.failure = failure->failure;
            outcome.message = failure->message;
        }
        outcome.results.push_back(runs[i].result);
    }
    return outcome;
}

BatchOutcome Simulator::RunBatch(const std::vector<SimulationRequest>& requests,
                                 const SimulationProgress& progress,
                                 const std::atomic<bool>* cancel, WorkerPool& pool) const {
    BatchPlan plan;
    if (const std::string refusal = Plan(requests, plan); !refusal.empty()) {
        return FailedBatch(SimulationFailure::Refused, refusal);
    }
    const std::vector<std::string>& names = plan.names;
    std::vector<SimulationJob>& jobs = plan.jobs;
    std::vector<double> fractions(jobs.size());
    std::vector<PooledResult> runs(jobs.size());
    // Runs some of the jobs; false when one was lost or cancelled.
    const auto round = [&](const std::vector<std::size_t>& which) {
        std::vector<SimulationJob> some;
        for (std::size_t k : which) {
            some.push_back(jobs[k]);
            some.back().id = static_cast<std::uint32_t>(some.size() - 1);
        }
        const JobProgress perJob = [&](const std::vector<double>& done) {
            for (std::size_t i = 0; i < which.size(); ++i) {
                fractions[which[i]] = done[i];
            }
            if (progress) {
                double sum = 0;
                for (double f : fractions) {
                    sum += f;
                }
                progress(sum / fractions.size(), Phase(names, fractions));
            }
        };
        const std::vector<PooledResult> results = pool.Run(some, perJob, cancel);
        bool whole = true;
        for (std::size_t i = 0; i < which.size(); ++i) {
            runs[which[i]] = results[i];
            fractions[which[i]] = 1;
            whole = whole && results[i].fate == JobFate::Served;
        }
        return whole;
    };
    if (round(plan.firstRound)) {
        round(SecondRound(requests, plan.first, jobs, runs));
    }
    if (cancel != nullptr && cancel->load()) {
        return FailedBatch(SimulationFailure::Cancelled, "The simulation was cancelled.");
    }
    BatchOutcome outcome;
    Gather(plan.points, requests, runs, options_.jobSeconds, outcome);
    if (progress && outcome.Succeeded()) {
        progress(1.0, "done");
    }
    return outcome;
}

}  // namespace calbrine
