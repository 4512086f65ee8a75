#include "simulation/QualityRuns.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "circuit/OscillatorCircuit.h"
#include "circuit/SpiceNetlist.h"
#include "simulation/OscillationMeasurement.h"
#include "simulation/RunJudgement.h"

namespace calbrine {

namespace {

const char* const CoilCurrent = "l7#branch";

// Runs the job's netlist a block of periods at a time until `answered` says the vectors so
// far answer the job, or until its stop time. Empty errors when it ran.
NetlistRun RunBlocks(NgspiceSession& session, const SimulationJob& job,
                     const std::vector<std::string>& names,
                     const std::function<void(double)>& progress,
                     const std::function<bool(const std::vector<std::vector<double>>&)>& answered) {
    const double block = BlockPeriods / job.calculatedHz;
    double asked = std::min(block, job.stopTime);
    double fraction = 0;
    const NextStop next = [&](const std::vector<std::vector<double>>& v) {
        fraction = std::max(fraction, std::min(0.99, v[0].back() / job.stopTime));
        if (progress) {
            progress(fraction);
        }
        if (answered && answered(v)) {
            return 0.0;
        }
        asked = std::min(v[0].back() + block, job.stopTime);
        return asked;
    };
    NetlistRun run =
        session.RunInSegments(job.netlist, names, {}, nullptr, RunLimits{1e9}, asked, next);
    if (run.outcome != NetlistRun::Outcome::Done) {
        run.errors = "failed: " + run.errors;
    } else if (run.vectors[0].back() < asked * (1 - 1e-6)) {
        run.outcome = NetlistRun::Outcome::Failed;
        run.errors =
            "was stopped by ngspice at " + SpiceNumber(run.vectors[0].back()) + " s: " + run.errors;
    }
    return run;
}

JobResult Begin(const NgspiceSession& session, const SimulationJob& job) {
    JobResult result;
    result.id = job.id;
    if (session.State() != NgspiceState::Ready) {
        result.outcome = JobResult::Outcome::LibraryMissing;
        result.errors = session.Problem();
    }
    return result;
}

void Finish(const NetlistRun& run, std::chrono::steady_clock::time_point start, JobResult& result) {
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (run.outcome != NetlistRun::Outcome::Done) {
        result.outcome = JobResult::Outcome::Failed;
        result.errors = run.errors;
        return;
    }
    result.points = run.vectors[0].size();
    result.outcome = JobResult::Outcome::Done;
}

// Peak to peak of v over [first, last] with the straight line between its ends taken out.
double LevelledSwing(const std::vector<double>& t, const std::vector<double>& v, std::size_t first,
                     std::size_t last) {
    const double slope = (v[last] - v[first]) / (t[last] - t[first]);
    double low = 0;
    double high = 0;
    for (std::size_t i = first; i <= last; ++i) {
        const double d = v[i] - v[first] - slope * (t[i] - t[first]);
        low = std::min(low, d);
        high = std::max(high, d);
    }
    return high - low;
}

}  // namespace

JobResult RunFixedStep(NgspiceSession& session, const SimulationJob& job,
                       const std::function<void(double)>& progress) {
    JobResult result = Begin(session, job);
    if (result.outcome == JobResult::Outcome::LibraryMissing) {
        return result;
    }
    const auto start = std::chrono::steady_clock::now();
    const NetlistRun run =
        RunBlocks(session, job, {"time", node::Emitter, node::Output, CoilCurrent}, progress, {});
    Finish(run, start, result);
    if (result.outcome != JobResult::Outcome::Done) {
        return result;
    }
    const Waveforms w{run.vectors[0], run.vectors[1], run.vectors[2]};
    const double end = w.time.back();
    const double from = end - FixedStepMeasuredPeriods / job.calculatedHz;
    OscillationMeasure& m = result.measure;
    m.outputVpp = SwingBetween(w.time, w.output, from, end);
    m.emitterVpp = SwingBetween(w.time, w.emitter, from, end);
    const double hz = FittedFrequency(w, from, end);
    m.oscillates = m.outputVpp >= SmallestOutputVpp &&
                   std::fabs(hz / job.calculatedHz - 1) <= FrequencyTolerance;
    if (!m.oscillates) {
        m.observation = "no steady oscillation at fixed steps";
        return result;
    }
    m.frequencyHz = hz;
    for (std::size_t i = 0; i < w.time.size(); ++i) {
        if (w.time[i] >= from) {
            result.coilPeakAmps = std::max(result.coilPeakAmps, std::fabs(run.vectors[3][i]));
        }
    }
    return result;
}

JobResult RunRingDown(NgspiceSession& session, const SimulationJob& job,
                      const std::function<void(double)>& progress) {
    JobResult result = Begin(session, job);
    if (result.outcome == JobResult::Outcome::LibraryMissing) {
        return result;
    }
    const auto start = std::chrono::steady_clock::now();
    const auto answered = [&](const std::vector<std::vector<double>>& v) {
        return DecayTime(v[0], v[1], v[2], job.calculatedHz) > 0;
    };
    const NetlistRun run =
        RunBlocks(session, job, {"time", node::Base, CoilCurrent}, progress, answered);
    Finish(run, start, result);
    if (result.outcome == JobResult::Outcome::Done) {
        result.decaySeconds =
            DecayTime(run.vectors[0], run.vectors[1], run.vectors[2], job.calculatedHz);
    }
    return result;
}

namespace {

double BlockAverage(const std::vector<double>& swings, std::size_t block) {
    double sum = 0;
    for (std::size_t i = block * GrowthPeriods; i < (block + 1) * GrowthPeriods; ++i) {
        sum += swings[i];
    }
    return sum / GrowthPeriods;
}

// The growth of the swing a period from one block to the next, -infinity down to nothing.
double BlockGrowth(double before, double after) {
    return after > 0 ? std::log(after / before) / GrowthPeriods : -INFINITY;
}

}  // namespace

StartVerdict JudgeStart(const std::vector<double>& swings, bool atEnd) {
    // The last three whole blocks, counted back from the end.
    const std::size_t blocks = swings.size() / GrowthPeriods;
    if (blocks < 3) {
        return atEnd ? StartVerdict::DiesOut : StartVerdict::Undecided;
    }
    const std::size_t skip = swings.size() - blocks * GrowthPeriods;
    const std::vector<double> tail(swings.begin() + static_cast<std::ptrdiff_t>(skip),
                                   swings.end());
    const double b0 = BlockAverage(tail, blocks - 3);
    const double b1 = BlockAverage(tail, blocks - 2);
    const double b2 = BlockAverage(tail, blocks - 1);
    if (!(b0 > 0) || !(b1 > 0)) {
        return StartVerdict::DiesOut;  // nothing left of the kick
    }
    const double earlier = BlockGrowth(b0, b1);
    const double last = BlockGrowth(b1, b2);
    if (last > DecidingGrowth) {
        return StartVerdict::Starts;
    }
    if (b2 >= SmallestOutputVpp && std::fabs(earlier) <= DecidingGrowth &&
        std::fabs(last) <= DecidingGrowth) {
        return StartVerdict::Starts;
    }
    if (b2 < SmallestOutputVpp && last < -DecidingGrowth && last <= 0.8 * earlier) {
        return StartVerdict::DiesOut;
    }
    if (atEnd) {
        return last > -EndDecay ? StartVerdict::Starts : StartVerdict::DiesOut;
    }
    return StartVerdict::Undecided;
}

JobResult RunStartup(NgspiceSession& session, const SimulationJob& job,
                     const std::function<void(double)>& progress) {
    JobResult result = Begin(session, job);
    if (result.outcome == JobResult::Outcome::LibraryMissing) {
        return result;
    }
    const auto start = std::chrono::steady_clock::now();
    const double hz = job.calculatedHz;
    const auto swings = [&](const std::vector<std::vector<double>>& v) {
        return PeriodSwings({v[0], v[1], v[2]}, hz, KickPeriods / hz);
    };
    const auto answered = [&](const std::vector<std::vector<double>>& v) {
        return JudgeStart(swings(v), false) != StartVerdict::Undecided;
    };
    const NetlistRun run =
        RunBlocks(session, job, {"time", node::Emitter, node::Output}, progress, answered);
    Finish(run, start, result);
    if (result.outcome == JobResult::Outcome::Done) {
        const std::vector<double> s = swings(run.vectors);
        const bool atEnd = run.vectors[0].back() >= job.stopTime * (1 - 1e-6);
        result.measure.oscillates = JudgeStart(s, atEnd) == StartVerdict::Starts;
        result.measure.outputVpp = s.empty() ? 0 : s.back();
    }
    return result;
}

double DecayTime(const std::vector<double>& time, const std::vector<double>& base,
                 const std::vector<double>& coil, double hz) {
    // The swings of the base and of the current in each whole period.
    std::vector<double> baseSwing;
    std::vector<double> coilSwing;
    std::size_t first = 0;
    for (int k = 1; first < time.size(); ++k) {
        const auto at = std::lower_bound(time.begin() + first, time.end(), k / hz);
        if (at == time.end()) {
            break;
        }
        const std::size_t last = static_cast<std::size_t>(at - time.begin());
        baseSwing.push_back(LevelledSwing(time, base, first, last) / 2);
        coilSwing.push_back(LevelledSwing(time, coil, first, last) / 2);
        first = last;
    }
    const auto off =
        std::find_if(baseSwing.begin(), baseSwing.end(), [](double s) { return s < OffBaseSwing; });
    const std::size_t from = static_cast<std::size_t>(off - baseSwing.begin());
    if (off == baseSwing.end() || !(coilSwing[from] > 0)) {
        return 0;
    }
    const double floor = coilSwing[from] * std::exp(-FittedTimeConstants);
    std::size_t to = from;
    while (to < coilSwing.size() && coilSwing[to] > floor) {
        ++to;
    }
    if (to == coilSwing.size() || to - from < 3) {
        return 0;
    }
    // Least squares of ln(swing) against the period's number.
    double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (std::size_t k = from; k < to; ++k) {
        const double x = static_cast<double>(k);
        const double y = std::log(coilSwing[k]);
        n += 1;
        sx += x;
        sy += y;
        sxx += x * x;
        sxy += x * y;
    }
    const double slope = (n * sxy - sx * sy) / (n * sxx - sx * sx);
    return slope < 0 ? -1 / (slope * hz) : 0;
}

}  // namespace calbrine
