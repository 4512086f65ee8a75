#include "simulation/PointRuns.h"

#include <algorithm>
#include <chrono>

#include "circuit/OscillatorCircuit.h"
#include "circuit/SpiceNetlist.h"
#include "simulation/RunJudgement.h"
#include "simulation/SimulatedNetlist.h"

namespace calbrine {

namespace {

// Periods a job is expected to take, for its progress: a settling run, and the two measuring
// runs, on a design that starts briskly.
constexpr double ExpectedPeriods = 350;

enum class RunKind {
    Settle,   // from the supply's step until settled, dead, or the stop time
    Startup,  // from the supply's step until its growth decides whether it starts
    Steady,   // from a state until its frequency has converged, or the stop time
};

struct OneRun {
    bool done = false;
    std::string errors;  // why it failed, when it did
    Waveforms waves;
    std::vector<double> state;            // the last values of StateVectors()
    bool settled = false;                 // settled (Settle) or converged (Steady)
    int measuredBlocks = MeasuredBlocks;  // at its end, once settled
    GrowthVerdict growth;
};

// The index of a node's vector among those a run keeps: the time, then the state's (whose
// first nodes are the same with or without the coil node).
std::size_t Index(const std::string& name) {
    const std::vector<std::string> names = StateVectors("");
    return 1 +
           static_cast<std::size_t>(std::find(names.begin(), names.end(), name) - names.begin());
}

Waveforms WavesOf(const std::vector<std::vector<double>>& v) {
    return {v[0], v[Index(node::Emitter)], v[Index(node::Output)]};
}

const Convergence& ConvergenceAt(int stepFactor) {
    return stepFactor == 1 ? FineConvergence : CoarseConvergence;
}

// Whether a run of `kind` at `stepFactor` times the planned step has its answer at its last
// stop.
bool Answered(RunKind kind, int stepFactor, OneRun& run, double hz) {
    const double block = BlockPeriods / hz;
    if (kind == RunKind::Steady) {
        const Convergence& c = ConvergenceAt(stepFactor);
        run.measuredBlocks = 2 * c.windowBlocks;
        run.settled = HasConverged(run.waves, hz, TransientBlocks * block, c);
        return run.settled;
    }
    if (kind == RunKind::Settle && HasSettled(run.waves, hz, 0, SettlingFrequency)) {
        run.settled = true;
        return true;
    }
    if (run.waves.time.back() * hz < KickPeriods + 2 * GrowthPeriods - 1e-6) {
        return false;
    }
    run.growth = JudgeGrowth(run.waves, hz);
    return run.growth.growth == Growth::Dies ||
           (kind == RunKind::Startup && run.growth.growth != Growth::Undecided);
}

// The block after which a run of `kind` is first judged: a measuring run converges at the
// earliest over the blocks of its transient and its two windows; the start-up is judged after
// the kick and two windows of growth, and no run from the kick has settled before then.
int FirstJudgedBlock(RunKind kind, int stepFactor) {
    return kind == RunKind::Steady ? TransientBlocks + 2 * ConvergenceAt(stepFactor).windowBlocks
                                   : (KickPeriods + 2 * GrowthPeriods) / BlockPeriods;
}

class Runner {
  public:
    Runner(NgspiceSession& session, const SimulationJob& job,
           const std::function<void(double)>& progress)
        : session_(session), job_(job), progress_(progress) {}

    OneRun Run(const std::string& netlist, RunKind kind, int stepFactor) {
        std::vector<std::string> names{"time"};
        const std::vector<std::string> state = StateVectors(netlist);
        names.insert(names.end(), state.begin(), state.end());
        const double block = BlockPeriods / job_.calculatedHz;
        OneRun run;
        double asked = 0;
        const NextStop next = [&](const std::vector<std::vector<double>>& v) {
            run.waves = WavesOf(v);
            Report(run.waves.time.back());
            if (Answered(kind, stepFactor, run, job_.calculatedHz)) {
                return 0.0;
            }
            asked = std::min(v[0].back() + block, job_.stopTime);
            return asked;
        };
        // Each stop costs ngspice a few milliseconds, as much as some periods of the run: the
        // first is where the run can first have its answer.
        asked = FirstJudgedBlock(kind, stepFactor) * block;
        const NetlistRun result =
            session_.RunInSegments(netlist, names, {}, nullptr, RunLimits{1e9}, asked, next);
        if (result.outcome != NetlistRun::Outcome::Done) {
            run.errors = "failed: " + result.errors;
            return run;
        }
        run.waves = WavesOf(result.vectors);
        const double end = run.waves.time.back();
        if (end < std::min(asked, job_.stopTime) * (1 - 1e-6)) {
            run.errors = "was stopped by ngspice at " + SpiceNumber(end) + " s: " + result.errors;
            return run;
        }
        for (std::size_t i = 1; i < result.vectors.size(); ++i) {
            run.state.push_back(result.vectors[i].back());
        }
        done_ += end * job_.calculatedHz;
        run.done = true;
        return run;
    }

  private:
    void Report(double seconds) {
        fraction_ = std::max(
            fraction_, std::min(0.99, (done_ + seconds * job_.calculatedHz) / ExpectedPeriods));
        if (progress_) {
            progress_(fraction_);
        }
    }

    NgspiceSession& session_;
    const SimulationJob& job_;
    const std::function<void(double)>& progress_;
    double done_ = 0;  // periods run in the finished runs
    double fraction_ = 0;
};

std::string Swing(double vpp) {
    return " (output " + SpiceNumber(static_cast<float>(vpp)) + " V peak to peak)";
}

// What a finished run shows.
OscillationMeasure Measure(const OneRun& run, double hz, bool fromKick) {
    if (run.settled) {
        return MeasureSettled(run.waves, hz, fromKick, run.measuredBlocks);
    }
    if (run.growth.growth == Growth::Dies) {
        OscillationMeasure m;
        m.outputVpp = run.growth.swing;
        m.observation = "the swing dies away after the kick" + Swing(run.growth.swing);
        return m;
    }
    // At the stop time without settling: judged over the whole run.
    return MeasureOscillation(run.waves, hz);
}

// The kept output and the harmonics of the run at the planned step.
void Describe(const SimulationJob& job, const OneRun& run, JobResult& result) {
    const Waveforms& w = run.waves;
    const OscillationMeasure& m = result.measure;
    const double hz = m.oscillates ? m.frequencyHz : job.calculatedHz;
    const double end = w.time.back();
    const auto first = std::lower_bound(w.time.begin(), w.time.end(), end - job.keptPeriods / hz);
    result.keptTime.assign(first, w.time.end());
    result.keptVolts.assign(w.output.begin() + (first - w.time.begin()), w.output.end());
    if (m.oscillates && job.spectrum) {
        const double from = run.settled ? end - run.measuredBlocks * BlockPeriods / job.calculatedHz
                                        : std::max(end / 2, m.startupSeconds);
        result.harmonics = MeasureHarmonics(w.time, w.output, m.frequencyHz, from, end);
    }
}

JobResult Failed(JobResult result, const std::string& errors) {
    result.outcome = JobResult::Outcome::Failed;
    result.errors = errors;
    return result;
}

// The netlist of the run from the supply's step: at SettlingStepFactor times the planned step,
// every step at its largest.
std::string SettlingNetlist(const SimulationJob& job) {
    return WithFixedStep(WithStepFactor(job.netlist, SettlingStepFactor));
}

// The measuring runs from a settled state: at the planned step until its frequency has
// converged, then at twice the step from where that one ended.
bool MeasuredFrom(Runner& runner, const SimulationJob& job, const std::vector<double>& state,
                  JobResult& result) {
    const OneRun fine = runner.Run(RestartNetlist(job.netlist, state, 1), RunKind::Steady, 1);
    if (!fine.done) {
        result = Failed(result, fine.errors);
        return false;
    }
    result.points += fine.waves.time.size();
    result.measure = Measure(fine, job.calculatedHz, false);
    Describe(job, fine, result);
    if (!result.measure.oscillates) {
        return true;
    }
    result.state = fine.state;
    const OneRun coarse =
        runner.Run(RestartNetlist(job.netlist, fine.state, 2), RunKind::Steady, 2);
    if (!coarse.done) {
        result = Failed(result, coarse.errors);
        return false;
    }
    result.points += coarse.waves.time.size();
    result.coarse = Measure(coarse, job.calculatedHz, false);
    return true;
}

// From the supply's step until settled (this run judges the start, and finds the steady
// state), then the measuring runs from where it ended.
bool FromKick(Runner& runner, const SimulationJob& job, JobResult& result) {
    const OneRun settle = runner.Run(SettlingNetlist(job), RunKind::Settle, SettlingStepFactor);
    if (!settle.done) {
        result = Failed(result, settle.errors);
        return false;
    }
    result.points += settle.waves.time.size();
    result.measure = Measure(settle, job.calculatedHz, true);
    if (!result.measure.oscillates) {
        return true;
    }
    if (!MeasuredFrom(runner, job, settle.state, result)) {
        return false;
    }
    // The start-up in the settling run, against the swing at the planned step: the swing at
    // four times the step runs a percent or so larger and wanders on its way to settling.
    if (result.measure.oscillates) {
        result.measure.startupSeconds =
            StartupTime(settle.waves, 1 / job.calculatedHz, result.measure.outputVpp);
    }
    return true;
}

// A short run from the supply's step to see that the circuit starts, then the measuring runs
// from the neighbour's state.
bool FromNeighbour(Runner& runner, const SimulationJob& job, JobResult& result) {
    const OneRun startup = runner.Run(SettlingNetlist(job), RunKind::Startup, SettlingStepFactor);
    if (!startup.done) {
        result = Failed(result, startup.errors);
        return false;
    }
    result.points += startup.waves.time.size();
    const Growth g = startup.growth.growth;
    if (g != Growth::Grows && g != Growth::Steady) {
        // Dying away, or undecided at the stop time and judged over the whole run.
        result.measure = Measure(startup, job.calculatedHz, true);
        if (!result.measure.oscillates) {
            return true;
        }
    }
    return MeasuredFrom(runner, job, job.startState, result);
}

}  // namespace

JobResult RunPoint(NgspiceSession& session, const SimulationJob& job,
                   const std::function<void(double)>& progress) {
    JobResult result;
    result.id = job.id;
    if (session.State() != NgspiceState::Ready) {
        result.outcome = JobResult::Outcome::LibraryMissing;
        result.errors = session.Problem();
        return result;
    }
    const auto start = std::chrono::steady_clock::now();
    Runner runner(session, job, progress);
    if (!(job.startState.empty() ? FromKick(runner, job, result)
                                 : FromNeighbour(runner, job, result))) {
        return result;
    }
    result.outcome = JobResult::Outcome::Done;
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result;
}

}  // namespace calbrine
