// Designs across the edge of starting: the 40 m example with its divider C34 = C35 made larger
// in steps, judged by the simulation (from the supply's step, and from a neighbour's settled
// state) against long plain runs of ngspice from the supply's step.
#include <gtest/gtest.h>

#include <cmath>

#include "circuit/SpiceNetlist.h"
#include "design/Tuning.h"
#include "sim_test_support.h"
#include "simulation/RunJudgement.h"
#include "simulation/SimulatedNetlist.h"
#include "simulation/Simulator.h"

using namespace calbrine;
using namespace calbrine_test;

namespace {

// data/Defaults.TXT: L7 6.8 uH, C37 150 pF, C34 = C35 = 680 pF.
const DesignRecord fortyMetres{10e-12f, 40e-12f,  10e-12f,  150e-12f, 10e-12f, 50e-12f, 33e-12f,
                               22e-12f, 680e-12f, 680e-12f, 6.8e-6f,  12e6f,   25e-12f};

DesignRecord WithDividerTimes(double factor) {
    DesignRecord d = fortyMetres;
    d.C34 = d.C35 = static_cast<float>(680e-12 * factor);
    return d;
}

// At VfoMax, the edge lies near a divider 5.13 times the example's: long runs at the planned
// step grow from the kick by 0.5 % a period at 5.0 times, 0.11 % at 5.1, and die away by
// 0.26 % at 5.2. The designs within 5 % of it (4.88 to 5.39 times) are not judged here.
constexpr double Factors[] = {4.6, 4.8, 5.5, 6.0};
constexpr TuningSetting Setting = TuningSetting::VfoMax;

// A plain ngspice run of 1500 periods from the supply's step, judged over its second half.
bool PlainRunOscillates(const DesignRecord& design) {
    const double hz = CalculatedFrequency(design, Setting);
    NgspiceSession session;
    const NetlistRun run =
        session.Run(SimulatedNetlist(design, Setting, 1, 1500),
                    {"time", node::Emitter, node::Output}, {}, nullptr, RunLimits{600});
    EXPECT_EQ(run.outcome, NetlistRun::Outcome::Done) << run.errors;
    if (run.outcome != NetlistRun::Outcome::Done) {
        return false;
    }
    const OscillationMeasure m =
        MeasureOscillation({run.vectors[0], run.vectors[1], run.vectors[2]}, hz);
    return m.oscillates;
}

}  // namespace

TEST(EdgeOfStarting, DesignsAcrossTheEdgeAreJudgedAsLongPlainRunsJudgeThem) {
    if (const std::string why = NgspiceMissing(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    // Each design on its own, from the supply's step; and all as the copies of a batch that
    // start from the settled state of the first (4.6 times), which oscillates.
    std::vector<SimulationRequest> batch;
    for (double f : Factors) {
        SimulationRequest& r = batch.emplace_back(WithDividerTimes(f), std::vector{Setting});
        r.details = false;
        r.startsFrom = batch.size() == 1 ? -1 : 0;
    }
    const Simulator simulator(TestWorkers());
    const BatchOutcome together = simulator.RunBatch(batch, {});
    ASSERT_TRUE(together.Succeeded()) << together.message;
    for (std::size_t i = 0; i < std::size(Factors); ++i) {
        const double f = Factors[i];
        const bool reference = PlainRunOscillates(WithDividerTimes(f));
        // The steps are chosen to lie on both sides of the edge.
        EXPECT_EQ(reference, f < 5) << f;
        const SimulationOutcome alone =
            simulator.Run(SimulationRequest(WithDividerTimes(f), {Setting}), {});
        ASSERT_TRUE(alone.Succeeded()) << alone.message;
        const OscillationMeasure& a = alone.report.settings[0].measure;
        const OscillationMeasure& b = together.reports[i].settings[0].measure;
        EXPECT_EQ(a.oscillates, reference) << f << ": " << a.observation;
        EXPECT_EQ(b.oscillates, reference) << f << ": " << b.observation;
        if (reference) {
            EXPECT_NEAR(b.frequencyHz / a.frequencyHz, 1, 1e-4) << f;
            EXPECT_NEAR(b.outputVpp / a.outputVpp, 1, 0.01) << f;
        }
    }
}

TEST(EdgeOfStarting, TheSoftDesignOfTheFortyMetreExampleSettlesAsInALongPlainRun) {
    if (const std::string why = NgspiceMissing(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    // 4.6 times: a plain run settles at 0.167 V at the output from about period 400 on, where
    // runs of a fixed 400 periods found no steady swing.
    const DesignRecord soft = WithDividerTimes(4.6);
    const SimulationOutcome run =
        Simulator(TestWorkers()).Run(SimulationRequest(soft, {Setting}), {});
    ASSERT_TRUE(run.Succeeded()) << run.message;
    const SettingReport& s = run.report.settings[0];
    ASSERT_TRUE(s.measure.oscillates) << s.measure.observation;
    EXPECT_NEAR(s.measure.outputVpp, 0.1666, 0.002);
    EXPECT_NEAR(s.measure.emitterVpp, 0.0917, 0.002);
    EXPECT_GT(s.measure.startupSeconds, 100 / s.calculatedHz);  // slow: some 160 periods
    EXPECT_GT(s.frequencyErrorHz, 0);
}
