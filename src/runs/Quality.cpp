#include "runs/Quality.h"

#include <algorithm>

#include "analysis/ReportText.h"
#include "circuit/OscillatorCircuit.h"
#include "circuit/SpiceNetlist.h"
#include "design/Tuning.h"
#include "runs/StartupMargin.h"
#include "simulation/SimulatedNetlist.h"

namespace calbrine {

namespace {

// The jobs of each setting: QualityJobs' order.
constexpr std::size_t AsSet = 0, SupplyUp = 1, SupplyDown = 2, Loaded = 3, RingDown = 4;
constexpr std::size_t JobsPerSetting = 5;
// The share of the progress the settling runs take.
constexpr double SettlingShare = 0.3;

double SupplyVolts(const std::string& netlist, const std::vector<double>& state) {
    const std::vector<std::string> names = StateVectors(netlist);
    return state[static_cast<std::size_t>(std::find(names.begin(), names.end(), node::Supply) -
                                          names.begin())];
}

SimulationJob FixedStepJob(const std::string& netlist, double hz) {
    SimulationJob job;
    job.kind = JobKind::FixedStep;
    job.netlist = WithFixedStep(netlist);
    job.calculatedHz = hz;
    job.stopTime = FixedStepPeriods / hz;
    return job;
}

}  // namespace

std::vector<SimulationJob> QualityJobs(const DesignRecord& design, TuningSetting setting,
                                       double coilQ, double loadOhms,
                                       const std::vector<double>& settledState) {
    CircuitConditions conditions;
    conditions.coilQ = coilQ;
    const std::string netlist = SavingState(SimulatedNetlist(
        design, SettingCapacitors(design, setting), conditions, 1, FixedStepPeriods * 2));
    const double hz = CalculatedFrequency(design, setting);
    const double volts = SupplyVolts(netlist, settledState);
    std::vector<SimulationJob> jobs{
        FixedStepJob(SupplyMovedFrom(netlist, settledState, volts), hz),
        FixedStepJob(SupplyMovedFrom(netlist, settledState, volts + PushingVolts), hz),
        FixedStepJob(SupplyMovedFrom(netlist, settledState, volts - PushingVolts), hz),
        FixedStepJob(WithLoad(SupplyMovedFrom(netlist, settledState, volts), loadOhms), hz)};
    SimulationJob ringDown;
    ringDown.kind = JobKind::RingDown;
    ringDown.netlist = SupplyMovedFrom(netlist, settledState, 0);
    ringDown.calculatedHz = hz;
    ringDown.stopTime = LongestRingDownPeriods / hz;
    jobs.push_back(ringDown);
    return jobs;
}

namespace {

std::vector<std::string> JobNames(TuningSetting setting) {
    const std::string name = SettingName(setting);
    return {name, name + " (supply up)", name + " (supply down)", name + " (loaded)",
            name + " (ring-down)"};
}

// The figures of a setting from its jobs' results, `r` at its first.
void Figures(const DesignRecord& design, const QualityOptions& options, const JobResult* r,
             SettingQuality& q) {
    const bool allRun = r[AsSet].measure.oscillates && r[SupplyUp].measure.oscillates &&
                        r[SupplyDown].measure.oscillates;
    if (allRun) {
        q.pushingHzPerV = (r[SupplyUp].measure.frequencyHz - r[SupplyDown].measure.frequencyHz) /
                          (2 * PushingVolts);
    }
    if (r[AsSet].measure.oscillates && r[Loaded].measure.oscillates) {
        q.pullingHz = r[Loaded].measure.frequencyHz - r[AsSet].measure.frequencyHz;
    }
    q.coilPeakAmps = r[AsSet].coilPeakAmps;
    if (!r[AsSet].measure.oscillates || !(r[RingDown].decaySeconds > 0)) {
        return;
    }
    LeesonInputs in;
    in.f0Hz = static_cast<float>(q.simulatedHz);
    in.loadedQ = LoadedQ(q.simulatedHz, r[RingDown].decaySeconds);
    in.tankPowerW = TankPower(q.simulatedHz, design.L7, q.coilPeakAmps, in.loadedQ);
    in.noiseFigureDb = options.noiseFigureDb;
    in.flickerHz = options.flickerHz;
    q.leeson = in;
    for (std::size_t i = 0; i < PhaseNoiseOffsetsHz.size(); ++i) {
        q.phaseNoiseDbc[i] = LeesonDbcPerHz(in, PhaseNoiseOffsetsHz[i]);
    }
    for (std::size_t i = 0; i < RmdrOffsetsHz.size(); ++i) {
        q.rmdrDb[i] = ReciprocalMixingDb(in, RmdrOffsetsHz[i], options.bandwidthHz);
    }
}

}  // namespace

namespace {

// The progress: the settling runs, the runs from their state with the first start-up runs,
// then the rounds of start-up runs, of which some eight are expected.
constexpr double FirstRoundEnd = 0.75;
constexpr double ExpectedStartupRounds = 8;

using ShareOf = std::function<SimulationProgress(double, double)>;

// The start-up runs of the settings still searching, one each, made in one round with `jobs`
// (whose names are `names`): each search is told its run's verdict. `results` of `jobs` first.
bool StartupRound(const DesignRecord& design, QualityOutcome& outcome,
                  std::vector<StartupSearch>& searches, std::vector<SimulationJob> jobs,
                  std::vector<std::string> names, const Simulator& simulator,
                  const SimulationProgress& progress, const std::atomic<bool>* cancel,
                  WorkerPool& pool, std::vector<JobResult>& results) {
    std::vector<std::pair<std::size_t, double>> tried;  // setting, Q
    const std::size_t first = jobs.size();
    for (std::size_t i = 0; i < searches.size(); ++i) {
        if (outcome.settings[i].oscillates && !searches[i].Done()) {
            const double q = searches[i].NextQ();
            tried.emplace_back(i, q);
            jobs.push_back(StartupJob(design, outcome.settings[i].setting, q));
            names.push_back(std::string(SettingName(outcome.settings[i].setting)) +
                            " (start-up, Q " + PlainNumber(q, 4) + ")");
        }
    }
    JobsOutcome runs = simulator.RunJobs(jobs, names, progress, cancel, pool);
    if (!runs.Succeeded()) {
        static_cast<RunStatus&>(outcome) = runs;
        return false;
    }
    for (std::size_t k = 0; k < tried.size(); ++k) {
        searches[tried[k].first].Record(tried[k].second,
                                        runs.results[first + k].measure.oscillates);
    }
    runs.results.resize(first);
    results = std::move(runs.results);
    return true;
}

// A setting of `outcome` for each of `report`'s, and the jobs (with their names) of those that
// oscillate, from their settled states.
void SettledSettings(const DesignRecord& design, double coilQ, const QualityOptions& options,
                     const SimulationReport& report, QualityOutcome& outcome,
                     std::vector<SimulationJob>& jobs, std::vector<std::string>& names) {
    for (const SettingReport& s : report.settings) {
        SettingQuality& q = outcome.settings.emplace_back();
        q.setting = s.setting;
        q.oscillates = s.measure.oscillates && !s.state.empty();
        q.simulatedHz = s.measure.frequencyHz;
        if (q.oscillates) {
            for (SimulationJob& job :
                 QualityJobs(design, s.setting, coilQ, options.loadOhms, s.state)) {
                jobs.push_back(std::move(job));
            }
            for (std::string& name : JobNames(s.setting)) {
                names.push_back(std::move(name));
            }
        }
    }
}

// Whether an oscillating setting's search for its lowest Q goes on.
bool Searching(const QualityOutcome& outcome, const std::vector<StartupSearch>& searches) {
    for (std::size_t i = 0; i < searches.size(); ++i) {
        if (outcome.settings[i].oscillates && !searches[i].Done()) {
            return true;
        }
    }
    return false;
}

// The start-up margin of each oscillating setting from its finished search.
void Margins(const std::vector<StartupSearch>& searches, double coilQ, QualityOutcome& outcome) {
    for (std::size_t i = 0; i < searches.size(); ++i) {
        SettingQuality& q = outcome.settings[i];
        if (q.oscillates) {
            q.minCoilQ = searches[i].LowestQ();
            if (q.minCoilQ && coilQ > 0) {
                q.startupMargin = coilQ / *q.minCoilQ;
            }
        }
    }
}

}  // namespace

QualityOutcome SimulateQuality(const DesignRecord& design, double coilQ,
                               const QualityOptions& options, const Simulator& simulator,
                               const SimulationProgress& progress,
                               const std::atomic<bool>* cancel) {
    QualityOutcome outcome;
    outcome.coilQ = coilQ;
    outcome.options = options;
    const std::unique_ptr<WorkerPool> pool = simulator.MakePool();
    SimulationRequest request(design, options.settings);
    request.details = false;
    request.conditions.coilQ = coilQ;
    const ShareOf share = [&](double from, double to) -> SimulationProgress {
        return [=](double fraction, const std::string& phase) {
            if (progress) {
                progress(from + (to - from) * fraction, phase);
            }
        };
    };
    const BatchOutcome settled =
        simulator.RunBatch({request}, share(0, SettlingShare), cancel, *pool);
    if (!settled.Succeeded()) {
        static_cast<RunStatus&>(outcome) = settled;
        return outcome;
    }
    std::vector<SimulationJob> jobs;
    std::vector<std::string> names;
    SettledSettings(design, coilQ, options, settled.reports.front(), outcome, jobs, names);
    std::vector<StartupSearch> searches(outcome.settings.size(), StartupSearch(coilQ));
    std::vector<JobResult> results;
    if (!StartupRound(design, outcome, searches, jobs, names, simulator,
                      share(SettlingShare, FirstRoundEnd), cancel, *pool, results)) {
        return outcome;
    }
    std::size_t next = 0;
    for (SettingQuality& q : outcome.settings) {
        if (q.oscillates) {
            Figures(design, options, &results[next], q);
            next += JobsPerSetting;
        }
    }
    for (int round = 0; Searching(outcome, searches); ++round) {
        const double from =
            FirstRoundEnd + (1 - FirstRoundEnd) * std::min(0.9, round / ExpectedStartupRounds);
        const double to = std::min(0.99, from + (1 - FirstRoundEnd) / ExpectedStartupRounds);
        std::vector<JobResult> none;
        if (!StartupRound(design, outcome, searches, {}, {}, simulator, share(from, to), cancel,
                          *pool, none)) {
            return outcome;
        }
    }
    Margins(searches, coilQ, outcome);
    if (progress) {
        progress(1.0, "done");
    }
    return outcome;
}

}  // namespace calbrine
