// Judging a run while it goes: growth after the kick, a settled frequency and swing, the
// measurement of a settled run; and the netlists a run in parts is made of.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "../support/Fixtures.h"
#include "circuit/SpiceNetlist.h"
#include "design/Tuning.h"
#include "simulation/RunJudgement.h"
#include "simulation/SimulatedNetlist.h"

using namespace calbrine;
using calbrine_test::workedExample;

namespace {

constexpr double hz = 5e6;
constexpr double period = 1 / hz;

// `periods` periods at unevenly spaced points, as ngspice gives them, around a bias that
// drifts by `drift` volts a period as a bias still settling does; the emitter swings twice as
// much.
Waveforms Sampled(double periods, const std::function<double(double)>& amplitude,
                  const std::function<double(double)>& phase = {}, double drift = 0) {
    Waveforms w;
    for (double t = 0; t < periods * period * (1 + 1e-12);
         t += (w.time.size() % 2 ? 0.6 : 1.4) * period / 100) {
        const double angle = phase ? phase(t) : 2 * M_PI * hz * t;
        const double v = amplitude(t) * std::sin(angle);
        w.time.push_back(t);
        w.output.push_back(4 + drift * t / period + v);
        w.emitter.push_back(3 + 2 * v);
    }
    return w;
}

double Exponential(double t, double perPeriod, double start) {
    return start * std::exp(perPeriod * t / period);
}

}  // namespace

TEST(RunJudgement, GrowthAfterTheKickDecidesWhetherTheOscillatorStarts) {
    // The swing of each period, the bias's drift (a tenth of the swing a period) taken out,
    // less exactly than the drift itself: the line between the ends of a period runs through
    // samples at other phases of the swing, and misses by up to 4 %.
    const Waveforms steady = Sampled(
        100, [](double) { return 0.5; }, {}, 0.1);
    const std::vector<double> swings = PeriodSwings(steady, hz, 0);
    ASSERT_EQ(swings.size(), 100u);
    for (double s : swings) {
        EXPECT_NEAR(s, 0.98, 0.04);
    }
    struct Case {
        double perPeriod, start;
        Growth growth;
    };
    const Case cases[] = {
        {0.01, 0.001, Growth::Grows},        // from a millivolt, 1 % a period
        {0.003, 0.001, Growth::Grows},       // slower, still above the deciding rate
        {-0.01, 0.004, Growth::Dies},        // dying away from 4 mV
        {-0.001, 0.004, Growth::Undecided},  // too slow to tell: run on
        {-0.01, 0.2, Growth::Undecided},     // a large swing coming down: not dying
        {0, 0.2, Growth::Steady},            // steady at 0.4 V peak to peak
        {0, 0.002, Growth::Undecided},       // steady below 10 mV
    };
    for (const Case& c : cases) {
        const Waveforms w = Sampled(
            80, [&](double t) { return Exponential(t, c.perPeriod, c.start); }, {}, 1e-3);
        const GrowthVerdict v = JudgeGrowth(w, hz);
        EXPECT_EQ(v.growth, c.growth) << c.perPeriod << " " << c.start;
        EXPECT_NEAR(v.perPeriod, c.perPeriod, 2e-4) << c.perPeriod << " " << c.start;
    }
    // Not before the kick's periods and two windows have passed.
    const Waveforms early = Sampled(59, [](double t) { return Exponential(t, 0.01, 0.001); });
    EXPECT_EQ(JudgeGrowth(early, hz).growth, Growth::Undecided);
}

TEST(RunJudgement, ASettledRunIsOneWhoseFrequencyAndSwingNoLongerMove) {
    // The frequency approaches its final value by 30 % a block (three ppm a block at the end of
    // 40 periods), or by a tenth of that.
    const auto approaching = [](double shrink, double ppm) {
        return [=](double t) {
            const double blocks = t / (BlockPeriods * period);
            // The phase is the integral of the frequency hz (1 + ppm 1e-6 shrink^blocks).
            const double k = std::log(shrink) / (BlockPeriods * period);
            return 2 * M_PI * hz * (t + ppm * 1e-6 * (std::exp(k * t) - 1) / k) + 0 * blocks;
        };
    };
    const auto half = [](double) { return 0.5; };
    constexpr double tolerance = 5e-6;
    EXPECT_FALSE(HasSettled(Sampled(20, half), hz, 0, tolerance));  // fewer than three blocks
    EXPECT_TRUE(HasSettled(Sampled(30, half), hz, 0, tolerance));
    EXPECT_FALSE(HasSettled(Sampled(30, half), hz, 5 * period, tolerance));
    EXPECT_FALSE(HasSettled(Sampled(40, half, approaching(0.7, 1000)), hz, 0, tolerance));
    EXPECT_TRUE(HasSettled(Sampled(200, half, approaching(0.7, 1000)), hz, 0, tolerance));
    // A slow approach (by 3 % a block) is not settled while it still moves by a few ppm a block.
    EXPECT_FALSE(HasSettled(Sampled(100, half, approaching(0.97, 100)), hz, 0, tolerance));
    // A swing still growing by 0.5 % a block is not settled.
    EXPECT_FALSE(HasSettled(Sampled(60, [](double t) { return Exponential(t, 5e-4, 0.5); }), hz, 0,
                            tolerance));
    // A swing below 10 mV never is.
    EXPECT_FALSE(HasSettled(Sampled(60, [](double) { return 0.003; }), hz, 0, tolerance));

    const Waveforms settled = Sampled(100, half);
    const OscillationMeasure m = MeasureSettled(settled, hz, false);
    ASSERT_TRUE(m.oscillates);
    EXPECT_NEAR(m.frequencyHz / hz, 1, 1e-6);
    EXPECT_NEAR(m.outputVpp, 1.0, 0.003);
    EXPECT_NEAR(m.emitterVpp, 2.0, 0.004);
    EXPECT_EQ(m.startupSeconds, 0);
    const OscillationMeasure far = MeasureSettled(Sampled(100, half), 1.3 * hz, false);
    EXPECT_FALSE(far.oscillates);
    EXPECT_NE(far.observation.find("instead"), std::string::npos) << far.observation;
}

TEST(RunJudgement, AMeasuringRunHasConvergedWhenItsLastTwoWindowsAgree) {
    // 100 periods, the first two blocks left out: two windows of four blocks.
    const double from = 2 * BlockPeriods * period;
    const double split = 60 * period;  // where the frequency or the swing steps
    const auto half = [](double) { return 0.5; };
    const auto stepped = [=](double ppm) {
        return
            [=](double t) { return 2 * M_PI * hz * (t + ppm * 1e-6 * std::max(0.0, t - split)); };
    };
    EXPECT_TRUE(HasConverged(Sampled(100, half), hz, from, {4, 20e-6}));
    EXPECT_FALSE(HasConverged(Sampled(99, half), hz, from, {4, 20e-6}));  // too short after `from`
    EXPECT_FALSE(HasConverged(Sampled(100, half), hz, 2 * from, {4, 20e-6}));
    // The second window 25 ppm faster: within 30 ppm, not within 20.
    EXPECT_TRUE(HasConverged(Sampled(100, half, stepped(25)), hz, from, {4, 30e-6}));
    EXPECT_FALSE(HasConverged(Sampled(100, half, stepped(25)), hz, from, {4, 20e-6}));
    // A swing 0.5 % larger in the second window; a swing below 10 mV.
    EXPECT_FALSE(HasConverged(Sampled(100, [=](double t) { return t < split ? 0.5 : 0.5025; }), hz,
                              from, {4, 20e-6}));
    EXPECT_FALSE(HasConverged(Sampled(100, [](double) { return 0.004; }), hz, from, {4, 20e-6}));
}

TEST(RunJudgement, ARunStartsAgainFromAStateWithTheSupplyOnAndAnyStep) {
    const std::string netlist = SavingState(SimulatedNetlist(workedExample, TuningSetting::VfoMin));
    EXPECT_NE(netlist.find("\n.save v(base) v(emitter) v(tank) v(fine) v(out) v(supply) "
                           "l7#branch\n"),
              std::string::npos)
        << netlist;
    const std::vector<double> state{1.5, 3.75, 8.5, 2.25, 4.5, 9.1, -0.015};
    ASSERT_EQ(state.size(), StateVectors(netlist).size());
    const std::string restart = RestartNetlist(netlist, state, 2);
    const TransientPlan plan =
        PlanTransient(CalculatedFrequency(workedExample, TuningSetting::VfoMin));
    const std::string step = SpiceNumber(2 * plan.maxStep);
    for (const std::string& line :
         {std::string("\nV1 supply 0 9.1\n"), std::string("\nL7 base tank 4.7e-06 ic=-0.015\n"),
          "\n.tran " + step + " " + SpiceNumber(plan.stopTime) + " 0 " + step + " uic\n",
          std::string("\n.ic v(base)=1.5 v(emitter)=3.75 v(tank)=8.5 v(fine)=2.25 v(out)=4.5 "
                      "v(supply)=9.1\n")}) {
        EXPECT_NE(restart.find(line), std::string::npos) << line << restart;
    }
    EXPECT_EQ(restart.substr(restart.size() - 5), ".end\n");
    const std::string coarse = WithStepFactor(netlist, 2);
    EXPECT_NE(
        coarse.find("\n.tran " + step + " " + SpiceNumber(plan.stopTime) + " 0 " + step + "\n"),
        std::string::npos);
    EXPECT_NE(coarse.find("PWL(0 0 "), std::string::npos);
}
