// The fit by simulation's rounds, against a stand-in for ngspice whose oscillator runs below
// the calculation by a ratio that depends on the design, as the transistor makes it: the
// correction each round, which setting is which end, when it gives up, and its report.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "../support/Fixtures.h"
#include "analysis/ReportText.h"
#include "runs/SimulatedFit.h"
#include "simulation/SimulationText.h"

using namespace calbrine;
using namespace calbrine_test;

namespace {

const FitRequest fortyMetres{{7.0e6, 7.2e6}, Mix::Difference, FitSolve::InductorAndPadding};

// The stand-in: each setting at the calculation times 1 - 0.25 % (L7 / 6.8 uH)^power, less
// 0.05 % more per 50 pF of C38, so that the two ends run apart; `creep` lowers every call
// after the first by that much more. It reports 100 Hz of error bar at VfoMin, 150 at VfoMax.
struct StandIn {
    double power = 0;
    double creep = 0;
    TuningSetting silent = TuningSetting::FineLow;  // a setting that does not start
    std::optional<TuningSetting> creepsAt;          // the one setting that creeps, if only one
    SimulationFailure failure = SimulationFailure::None;
    std::vector<SimulationRequest> requests;
    std::vector<std::pair<double, std::string>> progress;

    SettingsSimulation Simulation() {
        return [this](const SimulationRequest& request, const SimulationProgress& said,
                      const std::atomic<bool>*) {
            const double calls = static_cast<double>(requests.size());
            requests.push_back(request);
            said(0.5, "VfoMin, VfoMax");
            SimulationOutcome outcome;
            outcome.failure = failure;
            outcome.message = failure == SimulationFailure::None ? "" : "VfoMax: worker lost";
            const DesignRecord& d = request.design;
            for (TuningSetting setting : request.settings) {
                SettingReport& r = outcome.report.settings.emplace_back();
                r.setting = setting;
                const TuningCapacitors c = SettingCapacitors(d, setting);
                const bool creeps = !creepsAt || *creepsAt == setting;
                const double ratio = 1 - 0.0025 * std::pow(d.L7 / 6.8e-6, power) -
                                     0.0005 * c.ccoarse / 50e-12 - (creeps ? creep * calls : 0);
                r.measure.oscillates = setting != silent;
                r.measure.frequencyHz = CalculatedFrequency(d, setting) * ratio;
                r.frequencyErrorHz = setting == TuningSetting::VfoMin ? 100 : 150;
            }
            return outcome;
        };
    }
    SimulatedFitOutcome Fit(const DesignRecord& design, const FitRequest& request) {
        return FitBySimulation(
            design, request, Simulation(),
            [this](double f, const std::string& phase) { progress.emplace_back(f, phase); });
    }
};

bool Within(const SimulatedFitRound& r, const VfoBand& wanted) {
    return std::fabs(r.simulatedLowHz - wanted.lowHz) <= SimulatedFitToleranceHz &&
           std::fabs(r.simulatedHighHz - wanted.highHz) <= SimulatedFitToleranceHz;
}

}  // namespace

// Round one is the calculated fit; each next round's calculation is fitted to the band's VFO
// edges times calculated/simulated of the round before, until both ends land. The 40 m
// example's coarse range runs low end at VfoMin, the built-in defaults' at VfoMax.
TEST(SimulatedFit, CorrectsEachEndByItsRatioUntilBothLand) {
    struct Case {
        DesignRecord design;
        FitRequest request;
        TuningSetting lowEnd;
        std::size_t rounds;
    };
    const Case cases[] = {
        {fortyMetreExample, fortyMetres, TuningSetting::VfoMin, 3},
        {reversedExample,
         {{7.85e6, 7.95e6}, Mix::Difference, FitSolve::InductorAndPadding},
         TuningSetting::VfoMax,
         3},
        {fortyMetreExample,
         {{7.0e6, 7.2e6}, Mix::Difference, FitSolve::CoarseCapacitor},
         TuningSetting::VfoMin,
         2},
    };
    for (const Case& c : cases) {
        StandIn model;
        model.power = 3;
        const SimulatedFitOutcome o = model.Fit(c.design, c.request);
        ASSERT_TRUE(o.Succeeded());
        ASSERT_TRUE(o.reached) << o.reason;
        ASSERT_EQ(o.rounds.size(), c.rounds)
            << c.request.band.lowHz << " " << SimulatedFitReport(o);
        const VfoBand wanted = VfoBandFor(c.request.band, c.request.mix, c.design.IF);
        EXPECT_EQ(o.wanted.lowHz, wanted.lowHz);
        EXPECT_EQ(o.Fitted().L7, o.rounds.back().design.L7);
        EXPECT_EQ(o.rounds[0].design.L7, SolveFit(c.design, c.request).design.L7);
        EXPECT_EQ(o.rounds[0].design.CcoarseMax, SolveFit(c.design, c.request).design.CcoarseMax);
        for (std::size_t i = 0; i < o.rounds.size(); ++i) {
            const SimulatedFitRound& r = o.rounds[i];
            EXPECT_EQ(model.requests[i].settings,
                      (std::vector<TuningSetting>{c.lowEnd, c.lowEnd == TuningSetting::VfoMin
                                                                ? TuningSetting::VfoMax
                                                                : TuningSetting::VfoMin}));
            EXPECT_FALSE(model.requests[i].details);
            EXPECT_EQ(model.requests[i].design.L7, r.design.L7);
            EXPECT_NEAR(r.calculatedLowHz, r.target.lowHz, 1e-6 * r.target.lowHz);
            EXPECT_NEAR(r.calculatedHighHz, r.target.highHz, 1e-6 * r.target.highHz);
            EXPECT_EQ(Within(r, wanted), i + 1 == o.rounds.size()) << i;
            EXPECT_EQ(r.errorLowHz, c.lowEnd == TuningSetting::VfoMin ? 100 : 150);
            if (i == 0) {
                EXPECT_EQ(r.target.lowHz, wanted.lowHz);
                EXPECT_EQ(r.target.highHz, wanted.highHz);
                continue;
            }
            const SimulatedFitRound& before = o.rounds[i - 1];
            EXPECT_NEAR(r.target.lowHz,
                        wanted.lowHz * before.calculatedLowHz / before.simulatedLowHz, 0.5);
            EXPECT_NEAR(r.target.highHz,
                        wanted.highHz * before.calculatedHighHz / before.simulatedHighHz, 0.5);
        }
    }
}

// Progress runs over the five rounds, each named; an oscillator that runs away from every
// correction is given up after the fifth, one that does not start and a lost worker at once.
TEST(SimulatedFit, SaysWhyNotAfterFiveRoundsOrAtOnce) {
    StandIn creeping;
    creeping.creep = 0.001;
    const SimulatedFitOutcome o = creeping.Fit(fortyMetreExample, fortyMetres);
    EXPECT_TRUE(o.Succeeded());
    EXPECT_FALSE(o.reached);
    ASSERT_EQ(o.rounds.size(), 5u);
    const SimulatedFitRound& last = o.rounds.back();
    EXPECT_EQ(o.reason, "after 5 rounds the simulated VFO is still " +
                            SignedFrequencyText(last.simulatedLowHz - o.wanted.lowHz) +
                            " at the low end and " +
                            SignedFrequencyText(last.simulatedHighHz - o.wanted.highHz) +
                            " at the high end off, more than 200 Hz");
    ASSERT_EQ(creeping.progress.size(), 5u);
    EXPECT_DOUBLE_EQ(creeping.progress[0].first, 0.1);
    EXPECT_DOUBLE_EQ(creeping.progress[4].first, 0.9);
    EXPECT_EQ(creeping.progress[1].second, "round 2 (VfoMin, VfoMax)");

    // Both ends must land: here the low end does from the second round, the high end never.
    StandIn halfway;
    halfway.creep = 0.001;
    halfway.creepsAt = TuningSetting::VfoMax;
    const SimulatedFitOutcome half = halfway.Fit(fortyMetreExample, fortyMetres);
    EXPECT_FALSE(half.reached);
    ASSERT_EQ(half.rounds.size(), 5u);
    EXPECT_NEAR(half.rounds[1].simulatedLowHz, half.wanted.lowHz, SimulatedFitToleranceHz);
    EXPECT_NEAR(half.rounds[4].simulatedLowHz, half.wanted.lowHz, SimulatedFitToleranceHz);

    StandIn silent;
    silent.silent = TuningSetting::VfoMax;
    const SimulatedFitOutcome dead = silent.Fit(fortyMetreExample, fortyMetres);
    EXPECT_TRUE(dead.Succeeded());
    EXPECT_FALSE(dead.reached);
    EXPECT_EQ(dead.reason, "round 1: the oscillator does not start at VfoMax in the simulation");

    StandIn lost;
    lost.failure = SimulationFailure::WorkerLost;
    const SimulatedFitOutcome failed = lost.Fit(fortyMetreExample, fortyMetres);
    EXPECT_EQ(failed.failure, SimulationFailure::WorkerLost);
    EXPECT_EQ(failed.message, "VfoMax: worker lost");
    EXPECT_EQ(lost.requests.size(), 1u);

    // A band the calculation cannot reach is not simulated.
    StandIn unused;
    const SimulatedFitOutcome far =
        unused.Fit(fortyMetreExample, {{1e3, 2e3}, Mix::Sum, FitSolve::InductorAndPadding});
    EXPECT_FALSE(far.reached);
    EXPECT_EQ(far.reason.rfind("round 1: the calculation cannot reach VFO ", 0), 0u) << far.reason;
    EXPECT_TRUE(unused.requests.empty());
}

// The band's edges named as the band has them: the difference below the IF turns the VFO over,
// so the 7M edge is the VFO's high end, with that end's error bar.
TEST(SimulatedFit, ReportAndCsvNameTheBandsEdges) {
    StandIn model;
    const SimulatedFitOutcome o = model.Fit(fortyMetreExample, fortyMetres);
    ASSERT_TRUE(o.reached);
    ASSERT_EQ(o.rounds.size(), 2u);
    const SimulatedFitRound& last = o.rounds.back();
    const double at7 = 12e6 - last.simulatedHighHz;
    const double at72 = 12e6 - last.simulatedLowHz;
    EXPECT_EQ(SimulatedFitCsv(o), "part,value\nL7," + PlainNumber(last.design.L7) + "\nC37," +
                                      PlainNumber(last.design.C37) + "\nsimulated_low_hz," +
                                      PlainNumber(at7) + "\nsimulated_high_hz," +
                                      PlainNumber(at72) + "\n");
    const std::string text = SimulatedFitReport(o);
    const std::string table = AlignedTable(
        {{"Round", "L7", "C37", "7M calculated", "7M simulated", "7.2M calculated",
          "7.2M simulated"},
         {"1", InductanceText(o.rounds[0].design.L7), CapacitanceText(o.rounds[0].design.C37),
          WholeHertz(12e6 - o.rounds[0].calculatedHighHz),
          WholeHertz(12e6 - o.rounds[0].simulatedHighHz),
          WholeHertz(12e6 - o.rounds[0].calculatedLowHz),
          WholeHertz(12e6 - o.rounds[0].simulatedLowHz)},
         {"2", InductanceText(last.design.L7), CapacitanceText(last.design.C37),
          WholeHertz(12e6 - last.calculatedHighHz), WholeHertz(at7),
          WholeHertz(12e6 - last.calculatedLowHz), WholeHertz(at72)}});
    EXPECT_NE(text.find("\n" + table +
                        "Fitted by simulation in 2 rounds: L7 = " + InductanceText(last.design.L7) +
                        ", C37 = " + CapacitanceText(last.design.C37) + "\nSimulated band edges " +
                        HertzWithError(at7, 150) + " and " + HertzWithError(at72, 100) +
                        ", within 200 Hz of 7M and 7.2M\n"),
              std::string::npos)
        << text;

    // The coarse capacitor's ends are the parts of a coarse fit; a fit not reached says why.
    StandIn creeping;
    creeping.creep = 0.001;
    const SimulatedFitOutcome coarse = creeping.Fit(
        fortyMetreExample, {{7.0e6, 7.2e6}, Mix::Difference, FitSolve::CoarseCapacitor});
    const std::string said = SimulatedFitReport(coarse);
    const std::string heading = said.substr(said.find("\nRound ") + 1);
    EXPECT_LT(heading.find(" C38 Min "), heading.find(" C38 Max ")) << said;
    EXPECT_LT(heading.find(" C38 Max "), heading.find(" 7M calculated ")) << said;
    const std::string fifth = said.substr(said.find("\n5 ") + 1);
    EXPECT_NE(fifth.substr(0, fifth.find('\n')).find(CapacitanceText(coarse.Fitted().CcoarseMin)),
              std::string::npos)
        << said;
    EXPECT_EQ(said.substr(said.find("Not fitted: ")), "Not fitted: " + coarse.reason + "\n");
}
