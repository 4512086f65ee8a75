#include "simulation/PointRuns.h"

#include <algorithm>
#include <chrono>

#include "circuit/OscillatorCircuit.h"
#include "circuit/SpiceNetlist.h"
#include "simulation/RunJudgement.h"
#include "simulation/SimulatedNetlist.h"

namespace calbrine {

namespace {

// Periods a job is expected to take, for its progress: a settling run and its run at twice
// the step on a design that starts briskly.
constexpr double ExpectedPeriods = 250;

enum class RunKind {
    Settle,   // from the supply's step until settled, dead, or the stop time
    Startup,  // from the supply's step until its growth decides whether it starts
    Steady,   // from a state until settled, or the stop time
};

struct OneRun {
    bool done = false;
    std::string errors;  // why it failed, when it did
    Waveforms waves;
    std::vector<double> state;  // the last values of StateVectors()
    bool settled = false;
    int measuredBlocks = MeasuredBlocks;  // at its end, once settled
    double settledPeriods = -1;           // when it was first seen settled
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

// Whether a run of `kind` has its answer at its last stop: once settled, after as many more
// blocks as its measurement takes beyond the three that showed it settled.
bool Answered(RunKind kind, OneRun& run, double hz, double noise) {
    const double periods = run.waves.time.back() * hz;
    if (kind != RunKind::Startup && run.settledPeriods < 0 && HasSettled(run.waves, hz, 0, noise)) {
        run.settledPeriods = periods;
    }
    if (run.settledPeriods >= 0) {
        run.settled = periods - run.settledPeriods >=
                      (run.measuredBlocks - MeasuredBlocks) * BlockPeriods - 1e-6;
        return run.settled;
    }
    if (kind == RunKind::Steady || periods < KickPeriods + 2 * GrowthPeriods - 1e-6) {
        return false;
    }
    run.growth = JudgeGrowth(run.waves, hz);
    return run.growth.growth == Growth::Dies ||
           (kind == RunKind::Startup && run.growth.growth != Growth::Undecided);
}

class Runner {
  public:
    Runner(NgspiceSession& session, const SimulationJob& job,
           const std::function<void(double)>& progress)
        : session_(session), job_(job), progress_(progress) {}

    OneRun Run(const std::string& netlist, RunKind kind, int stepFactor) {
        const double noise = stepFactor == 1 ? StepNoise : CoarseStepNoise;
        std::vector<std::string> names{"time"};
        const std::vector<std::string> state = StateVectors(netlist);
        names.insert(names.end(), state.begin(), state.end());
        const double block = BlockPeriods / job_.calculatedHz;
        OneRun run;
        // At twice the step, the frequency of a block moves so much more that the measurement
        // takes more blocks for the same precision.
        run.measuredBlocks = stepFactor == 1 ? MeasuredBlocks : CoarseMeasuredBlocks;
        double asked = 0;
        const NextStop next = [&](const std::vector<std::vector<double>>& v) {
            run.waves = WavesOf(v);
            Report(run.waves.time.back());
            if (Answered(kind, run, job_.calculatedHz, noise)) {
                return 0.0;
            }
            asked = std::min(v[0].back() + block, job_.stopTime);
            return asked;
        };
        asked = block;
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

// From the supply's step at twice the planned step until settled (the cheaper run finds the
// steady state, and judges the start), then at the planned step from where it ended.
bool FromKick(Runner& runner, const SimulationJob& job, JobResult& result) {
    const OneRun coarse = runner.Run(WithStepFactor(job.netlist, 2), RunKind::Settle, 2);
    if (!coarse.done) {
        result = Failed(result, coarse.errors);
        return false;
    }
    result.points += coarse.waves.time.size();
    result.coarse = Measure(coarse, job.calculatedHz, true);
    if (!result.coarse.oscillates) {
        result.measure = result.coarse;
        return true;
    }
    const OneRun fine =
        runner.Run(RestartNetlist(job.netlist, coarse.state, 1), RunKind::Steady, 1);
    if (!fine.done) {
        result = Failed(result, fine.errors);
        return false;
    }
    result.points += fine.waves.time.size();
    result.measure = Measure(fine, job.calculatedHz, false);
    result.measure.startupSeconds = result.coarse.startupSeconds;
    result.state = fine.state;
    Describe(job, fine, result);
    return true;
}

// A short run from the supply's step at twice the planned step to see that the circuit
// starts, then at the planned step from the neighbour's state and at twice it from there.
bool FromNeighbour(Runner& runner, const SimulationJob& job, JobResult& result) {
    const OneRun startup = runner.Run(WithStepFactor(job.netlist, 2), RunKind::Startup, 2);
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
    const OneRun fine =
        runner.Run(RestartNetlist(job.netlist, job.startState, 1), RunKind::Steady, 1);
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
