// Simulations through worker processes with ngspice's library: the worked example, a divider
// that never starts, designs that are refused, workers that are lost, and error paths.
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>

#include "circuit/SpiceNetlist.h"
#include "design/Tuning.h"
#include "sim_test_support.h"
#include "simulation/FrequencyEstimate.h"
#include "simulation/SimulatedNetlist.h"
#include "simulation/Simulator.h"
#include "simulation/WorkerPool.h"

using namespace calbrine;
using namespace calbrine_test;

TEST(Simulator, WorkedExampleRunsNearTheCalculationAndABigDividerNeverStarts) {
    if (const std::string why = NgspiceMissing(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "de_DE.UTF-8");  // as in the desktop program, where installed
    SetProgramConstants();
    DesignValues = WithDivider(1e-6f);
    std::vector<double> fractions;
    const SimulationOutcome worked =
        Simulator(TestWorkers())
            .Run(SimulationRequest{workedExample},
                 [&](double fraction, const std::string&) { fractions.push_back(fraction); });
    const SimulationOutcome big =
        Simulator(TestWorkers()).Run(SimulationRequest{WithDivider(1e-6f)}, {});
    std::setlocale(LC_ALL, previous.c_str());

    ASSERT_TRUE(worked.Succeeded()) << worked.message;
    ASSERT_EQ(worked.report.settings.size(), 4u);
    for (const SettingReport& s : worked.report.settings) {
        const char* name = SettingName(s.setting);
        ASSERT_TRUE(s.measure.oscillates) << name << s.measure.observation;
        EXPECT_EQ(s.calculatedHz, CalculatedFrequency(workedExample, s.setting)) << name;
        EXPECT_NEAR(s.measure.frequencyHz / s.calculatedHz, 1, 0.01) << name;
        // Extrapolated from both runs; the run at twice the step reads lower still.
        const FrequencyEstimate e = ExtrapolateFrequency(s.fineRunHz, s.coarseRunHz);
        EXPECT_EQ(s.measure.frequencyHz, e.hz) << name;
        EXPECT_EQ(s.frequencyErrorHz, e.errorHz) << name;
        EXPECT_LT(s.coarseRunHz, s.fineRunHz) << name;
        EXPECT_GT(s.frequencyErrorHz, 1e-5 * s.measure.frequencyHz) << name;
        EXPECT_LT(s.frequencyErrorHz, 1e-3 * s.measure.frequencyHz) << name;
        // The output behind its RC filter is clean.
        ASSERT_TRUE(s.harmonics.measured) << name;
        for (int k : {1, 2}) {
            EXPECT_LT(s.harmonics.dbc[k], -50) << name << " H" << k + 1;
            EXPECT_GT(s.harmonics.dbc[k], -100) << name << " H" << k + 1;
        }
        EXPECT_GT(s.measure.emitterVpp, 1);
        EXPECT_GT(s.measure.startupSeconds, 0);
        // The kept output spans the last periods and shows the measured swing.
        ASSERT_GT(s.outputTime.size(), 100u);
        ASSERT_EQ(s.outputVolts.size(), s.outputTime.size());
        const double periods = (s.outputTime.back() - s.outputTime.front()) * s.fineRunHz;
        EXPECT_NEAR(periods, KeptPeriods, 0.05);
        const auto [low, high] = std::minmax_element(s.outputVolts.begin(), s.outputVolts.end());
        EXPECT_NEAR(*high - *low, s.measure.outputVpp, 0.02 * s.measure.outputVpp);
    }
    EXPECT_TRUE(std::is_sorted(fractions.begin(), fractions.end()));
    EXPECT_EQ(fractions.back(), 1.0);

    ASSERT_TRUE(big.Succeeded()) << big.message;
    for (const SettingReport& s : big.report.settings) {
        EXPECT_FALSE(s.measure.oscillates) << SettingName(s.setting);
        EXPECT_EQ(s.frequencyErrorHz, 0);
        EXPECT_FALSE(s.harmonics.measured);
    }
    EXPECT_EQ(DesignValues.C34, 1e-6f);  // the program's design is left alone
}

TEST(Simulator, RefusesDesignsItCannotSimulateAndReportsAMissingLibrary) {
    SetProgramConstants();
    const float f = CapacitanceFloor;  // every entry read as zero and floored: near 1.3 THz
    const DesignRecord floored{f, f, f, f, f, f, f, f, f, f, InductanceFloor, 12e6f, f};
    DesignRecord negative = workedExample, endless = workedExample, huge = workedExample;
    negative.C34 = -470e-12f;
    endless.L7 = INFINITY;
    huge.L7 = 1e10f;  // 0.3 Hz
    const std::pair<DesignRecord, const char*> cases[] = {
        {floored, "outside the simulated range"}, {DesignRecord{}, "must be a positive value"},
        {negative, "C34 must be a positive"},     {endless, "L7 must be a positive"},
        {huge, "outside the simulated range"},
    };
    DesignValues = workedExample;
    TuningResults = TuningRecord{1, 2, 3, 4};
    const SimulatorOptions crashing = TestWorkers("--crash");
    for (const auto& [design, reason] : cases) {
        // Workers that crash on their first job show that nothing was run.
        const SimulationOutcome outcome = Simulator(crashing).Run(SimulationRequest{design}, {});
        EXPECT_EQ(outcome.failure, SimulationFailure::Refused) << reason;
        EXPECT_NE(outcome.message.find(reason), std::string::npos) << outcome.message;
    }
    EXPECT_EQ(DesignValues.C34, workedExample.C34);
    EXPECT_EQ(TuningResults.VfoMax, 2);
    EXPECT_EQ(Simulator(crashing).Run(SimulationRequest{workedExample, {}}, {}).failure,
              SimulationFailure::Refused);
    // A design it would run, without the library: reported, not fatal.
    const SimulationOutcome missing =
        Simulator(TestWorkers(WorkerSwitch, "libcalbrine-no-such-library.so"))
            .Run(SimulationRequest{workedExample}, {});
    EXPECT_EQ(missing.failure, SimulationFailure::LibraryMissing);
    EXPECT_NE(missing.message.find("missing"), std::string::npos) << missing.message;
}

TEST(Simulator, ALostWorkerFailsTheRunNamingTheSetting) {
    struct Case {
        const char* worker;
        const char* message;
    };
    const Case cases[] = {
        {"--crash",
         "The simulation of FineHigh was lost: its worker process was killed by "
         "signal 6"},
        {"--hang", "The simulation of FineHigh took longer than 0.2 s and was stopped."},
    };
    for (const Case& c : cases) {
        SimulatorOptions options = TestWorkers(c.worker);
        options.jobSeconds = 0.2;
        const SimulationOutcome outcome =
            Simulator(options).Run(SimulationRequest{workedExample, {TuningSetting::FineHigh}}, {});
        EXPECT_EQ(outcome.failure, SimulationFailure::WorkerLost) << c.worker;
        EXPECT_EQ(outcome.message.find(c.message), 0u) << outcome.message;
        EXPECT_TRUE(outcome.report.settings.empty());
    }
}

TEST(Simulator, NgspiceErrorsBecomeTheMessage) {
    if (const std::string why = NgspiceMissing(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    const std::string broken = "broken\nQ1 c b e NOSUCHMODEL\n.tran 1n 1u\n.end\n";
    NgspiceSession session;
    const NetlistRun run = session.Run(broken, {"time"}, {}, nullptr, RunLimits{});
    EXPECT_EQ(run.outcome, NetlistRun::Outcome::Failed);
    EXPECT_NE(run.errors.find("rror"), std::string::npos) << run.errors;
    // From a worker process the error comes back as its job's, not as a worker lost.
    SimulationJob job;
    job.netlist = broken;
    job.calculatedHz = 5e6;
    job.stopTime = 1e-6;
    const std::vector<PooledResult> served =
        WorkerPool(TestWorkers().worker, PoolLimits{1, 60}).Run({job}, {}, nullptr);
    ASSERT_EQ(served[0].fate, JobFate::Served) << served[0].lostHow;
    EXPECT_EQ(served[0].result.outcome, JobResult::Outcome::Failed);
    EXPECT_EQ(served[0].result.errors.rfind("failed: ", 0), 0u) << served[0].result.errors;
    EXPECT_EQ(StatusFraction("tran: 72.8%"), 0.728);
    EXPECT_EQ(StatusFraction("tran: 72,8%"), 0.728);
    EXPECT_EQ(StatusFraction("--ready--"), -1);
}

namespace {

// A plain run of the setting's netlist at `stepFactor` times the planned step over `periods`
// periods, judged as a whole.
JobResult PlainRun(TuningSetting setting, int stepFactor, int periods) {
    NgspiceSession session;
    const NetlistRun run =
        session.Run(SimulatedNetlist(workedExample, setting, stepFactor, periods),
                    {"time", node::Emitter, node::Output}, {}, nullptr, RunLimits{600});
    JobResult result;
    EXPECT_EQ(run.outcome, NetlistRun::Outcome::Done) << run.errors;
    if (run.outcome == NetlistRun::Outcome::Done) {
        const Waveforms w{run.vectors[0], run.vectors[1], run.vectors[2]};
        result.measure = MeasureOscillation(w, CalculatedFrequency(workedExample, setting));
        const double end = w.time.back();
        result.harmonics = MeasureHarmonics(w.time, w.output, result.measure.frequencyHz,
                                            std::max(end / 2, result.measure.startupSeconds), end);
    }
    return result;
}

}  // namespace

TEST(Simulator, RunsStoppedOnceSettledAgreeWithPlainRunsOfAFixedLength) {
    if (const std::string why = NgspiceMissing(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    const SimulationOutcome run =
        Simulator(TestWorkers())
            .Run(SimulationRequest{workedExample, {TuningSetting::VfoMin, TuningSetting::VfoMax}},
                 {});
    ASSERT_TRUE(run.Succeeded()) << run.message;
    for (const SettingReport& s : run.report.settings) {
        const char* name = SettingName(s.setting);
        // 400 periods at the planned step and 300 at twice it, as every run once was.
        const JobResult fine = PlainRun(s.setting, 1, 400);
        const JobResult coarse = PlainRun(s.setting, 2, 300);
        ASSERT_TRUE(fine.measure.oscillates && coarse.measure.oscillates) << name;
        // Within a few hundredths of the error bar (some 270 ppm), most of it the noise of
        // ngspice's time steps in either run.
        EXPECT_NEAR(s.fineRunHz / fine.measure.frequencyHz, 1, 10e-6) << name;
        EXPECT_NEAR(s.coarseRunHz / coarse.measure.frequencyHz, 1, 30e-6) << name;
        EXPECT_NEAR(s.measure.outputVpp / fine.measure.outputVpp, 1, 0.005) << name;
        EXPECT_NEAR(s.measure.emitterVpp / fine.measure.emitterVpp, 1, 0.005) << name;
        for (int k : {1, 2}) {
            EXPECT_NEAR(s.harmonics.dbc[k], fine.harmonics.dbc[k], 1.5) << name << " H" << k + 1;
        }
        // Settled runs are shorter than plain ones: together, less than the 400 periods of the
        // plain run at the planned step alone (about 100 points a period).
        EXPECT_LT(s.points, 400u * PointsPerPeriod) << name;
    }
}

TEST(Simulator, ARunThatReachesItsStopTimeLeavesTheWorkerReadyForTheNext) {
    if (const std::string why = NgspiceMissing(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    // 30 periods: too few for the run from the supply's step to settle, so that it runs to its
    // stop time; the same worker then runs the job again.
    SimulationJob job;
    job.calculatedHz = CalculatedFrequency(workedExample, TuningSetting::VfoMin);
    job.netlist = SavingState(SimulatedNetlist(workedExample, TuningSetting::VfoMin, 1, 30));
    job.stopTime = PlanTransient(job.calculatedHz).stopTime * 30 / SimulatedPeriods;
    const std::vector<PooledResult> served =
        WorkerPool(TestWorkers().worker, PoolLimits{1, 60}).Run({job, job}, {}, nullptr);
    for (const PooledResult& run : served) {
        ASSERT_EQ(run.fate, JobFate::Served) << run.lostHow;
        EXPECT_EQ(run.result.outcome, JobResult::Outcome::Done) << run.result.errors;
        EXPECT_GT(run.result.points, 0u);
    }
}
