// The start-up margin's parts apart from ngspice: how a start-up run is judged from its swings,
// and how the bracket of Qs narrows; and the session's runs in segments, one after another,
// which the start-up runs rely on.
#include <gtest/gtest.h>

#include <cmath>

#include "../simulation/sim_test_support.h"
#include "circuit/SpiceNetlist.h"
#include "runs/StartupMargin.h"
#include "simulation/QualityRuns.h"
#include "simulation/RunJudgement.h"
#include "simulation/SimulatedNetlist.h"

using namespace calbrine;
using namespace calbrine_test;

namespace {

// Swings for `periods` periods after the kick: `start` volts changing by `growth` a period.
std::vector<double> Swings(int periods, double start, double growth) {
    std::vector<double> s;
    for (int k = 0; k < periods; ++k) {
        s.push_back(start * std::exp(growth * k));
    }
    return s;
}

// A kick's quick ringing (shrinking by 14 % a period) over a slower change.
std::vector<double> KickOver(int periods, double start, double growth) {
    std::vector<double> s = Swings(periods, start, growth);
    for (int k = 0; k < periods; ++k) {
        s[static_cast<std::size_t>(k)] += 3 * start * std::exp(-0.14 * k);
    }
    return s;
}

}  // namespace

TEST(StartupMargin, AStartupRunIsJudgedByTheGrowthOfItsLastBlocks) {
    // Fewer than three blocks: not yet judged; at the end of the run, not started.
    EXPECT_EQ(JudgeStart(Swings(29, 0.1, 0.01), false), StartVerdict::Undecided);
    EXPECT_EQ(JudgeStart(Swings(29, 0.1, 0.01), true), StartVerdict::DiesOut);
    // Growing, either side of DecidingGrowth, small or large.
    EXPECT_EQ(JudgeStart(Swings(30, 1e-4, 1.2 * DecidingGrowth), false), StartVerdict::Starts);
    EXPECT_EQ(JudgeStart(Swings(30, 1e-4, 0.8 * DecidingGrowth), false), StartVerdict::Undecided);
    // Steady: at the smallest swing of an oscillation, it started; below it, it goes on.
    EXPECT_EQ(JudgeStart(Swings(40, 1.01 * SmallestOutputVpp, 0), false), StartVerdict::Starts);
    EXPECT_EQ(JudgeStart(Swings(40, 0.99 * SmallestOutputVpp, 0), false), StartVerdict::Undecided);
    EXPECT_EQ(JudgeStart(Swings(40, 0.99 * SmallestOutputVpp, 0), true), StartVerdict::Starts);
    // Shrinking by more than DecidingGrowth below SmallestOutputVpp: it dies out; above it, it
    // may be coming down to its steady swing.
    EXPECT_EQ(JudgeStart(Swings(40, 1e-3, -1.2 * DecidingGrowth), false), StartVerdict::DiesOut);
    EXPECT_EQ(JudgeStart(Swings(40, 1e-3, -0.8 * DecidingGrowth), false), StartVerdict::Undecided);
    EXPECT_EQ(JudgeStart(Swings(40, 1, -0.01), false), StartVerdict::Undecided);
    // At the end, shrinking either side of EndDecay.
    EXPECT_EQ(JudgeStart(Swings(40, 1e-3, -0.8 * EndDecay), true), StartVerdict::Starts);
    EXPECT_EQ(JudgeStart(Swings(40, 1e-3, -1.2 * EndDecay), true), StartVerdict::DiesOut);
    // A kick's ringing dying over a slow growth is not taken for the oscillator dying; over a
    // slow decay it is, once the decay no longer slows.
    EXPECT_NE(JudgeStart(KickOver(40, 1e-3, 0.003), false), StartVerdict::DiesOut);
    EXPECT_EQ(JudgeStart(KickOver(60, 1e-3, 0.003), false), StartVerdict::Starts);
    EXPECT_NE(JudgeStart(KickOver(40, 1e-3, -0.02), false), StartVerdict::DiesOut);
    EXPECT_EQ(JudgeStart(KickOver(60, 1e-3, -0.02), false), StartVerdict::DiesOut);
    // Nothing left at all.
    EXPECT_EQ(JudgeStart(std::vector<double>(30, 0.0), false), StartVerdict::DiesOut);
}

TEST(StartupMargin, TheBracketNarrowsToTheLowestQThatStarts) {
    // Against oscillators that start from a given Q up, as the runs would say.
    const auto search = [](double setQ, double threshold, int* tries = nullptr) {
        StartupSearch s(setQ);
        int n = 0;
        for (; !s.Done() && n < 100; ++n) {
            const double q = s.NextQ();
            s.Record(q, q >= threshold);
        }
        if (tries != nullptr) {
            *tries = n;
        }
        return s.LowestQ();
    };
    for (double threshold : {1.5, 2.45, 37.4, 149.0}) {
        int tries = 0;
        const std::optional<double> q = search(150, threshold, &tries);
        ASSERT_TRUE(q) << threshold;
        EXPECT_GE(*q, threshold);
        EXPECT_LE(*q, threshold * (1 + StartupQTolerance)) << threshold;
        EXPECT_LE(tries, 10) << threshold;
    }
    // The ideal coil: from the first try up or down.
    for (double threshold : {3.0, 250.0, 5e4}) {
        const std::optional<double> q = search(0, threshold);
        ASSERT_TRUE(q) << threshold;
        EXPECT_GE(*q, threshold);
        EXPECT_LE(*q, threshold * (1 + StartupQTolerance)) << threshold;
    }
    // Starting at the lowest Q searched: that is its lowest; never starting: none.
    EXPECT_EQ(search(150, 0.2), LowestSearchedQ);
    EXPECT_EQ(search(3, 0.2), LowestSearchedQ);
    EXPECT_FALSE(search(0, INFINITY));
    EXPECT_FALSE(StartupSearch(150).LowestQ());  // not yet searched
}

TEST(StartupMargin, RunsInSegmentsFollowOneThatRanToItsEnd) {
    if (const std::string why = NgspiceMissing(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    // A start-up run judged undecided to its end (its stop time is its transient's own), then
    // a run of another circuit, in the same session: the second runs to its own answer.
    NgspiceSession session;
    SimulationJob ended = StartupJob(workedExample, TuningSetting::VfoMin, 150);
    ended.netlist = SimulatedNetlist(workedExample, TuningSetting::VfoMin, 2, 30);
    ended.stopTime = 30 / ended.calculatedHz;
    const JobResult first = RunStartup(session, ended, {});
    ASSERT_EQ(first.outcome, JobResult::Outcome::Done) << first.errors;
    const JobResult next =
        RunStartup(session, StartupJob(workedExample, TuningSetting::VfoMax, 150), {});
    ASSERT_EQ(next.outcome, JobResult::Outcome::Done) << next.errors;
    EXPECT_TRUE(next.measure.oscillates);
}
