// The simulated tuning curve: its points against runs made one by one, the dial it carries
// and the dial table's simulated column.
#include <gtest/gtest.h>

#include <cmath>

#include "../simulation/sim_test_support.h"
#include "analysis/Reports.h"
#include "runs/SimulatedCurve.h"

using namespace calbrine;
using namespace calbrine_test;

TEST(SimulatedCurve, PointsAgreeWithRunsMadeOneByOneAndCarryTheDial) {
    if (const std::string why = NgspiceMissing(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    const Simulator simulator(TestWorkers());
    const SimulatedCurveOutcome curve = SimulateCurve(workedExample, 3, 0, simulator, {});
    ASSERT_TRUE(curve.Succeeded()) << curve.message;
    ASSERT_TRUE(curve.Complete());
    const std::vector<CurvePoint> calculated = TuningCurve(workedExample, 3);
    ASSERT_EQ(curve.points.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const SimulatedCurvePoint& p = curve.points[i];
        EXPECT_EQ(p.ccoarse, calculated[i].ccoarse);
        EXPECT_EQ(p.calculatedHz, calculated[i].vfo);
        // The same capacitors as the coarse end of a design of their own, simulated alone.
        DesignRecord alone = workedExample;
        alone.CcoarseMax = p.ccoarse;
        const SimulationOutcome run =
            simulator.Run(SimulationRequest(alone, {TuningSetting::VfoMin}), {});
        ASSERT_TRUE(run.Succeeded()) << run.message;
        EXPECT_NEAR(p.simulatedHz / run.report.settings[0].measure.frequencyHz, 1, 0.0015) << i;
        EXPECT_NEAR(p.simulatedHz / p.calculatedHz, 1, 0.01) << i;
        EXPECT_GT(p.errorHz, 0);
    }
    // The simulated VFO passes through the points and runs between them.
    const VfoCurve vfo = SimulatedVfo(workedExample, curve);
    for (const SimulatedCurvePoint& p : curve.points) {
        EXPECT_NEAR(vfo(p.ccoarse) / p.simulatedHz, 1, 1e-7);
    }
    const double between = vfo((curve.points[0].ccoarse + curve.points[1].ccoarse) / 2);
    EXPECT_LT(between, curve.points[0].simulatedHz);
    EXPECT_GT(between, curve.points[1].simulatedHz);
    // Beyond either end the end point's ratio to the calculation holds.
    const VfoCurve calculatedVfo = CalculatedVfo(workedExample);
    for (const auto& [end, c] : {std::pair{curve.points.front(), 0.8 * workedExample.CcoarseMin},
                                 std::pair{curve.points.back(), 1.2 * workedExample.CcoarseMax}}) {
        EXPECT_NEAR(vfo(c) / calculatedVfo(c), end.simulatedHz / end.calculatedHz, 1e-9) << c;
    }
    // The dial of the simulated curve puts a mark where the simulation reaches it.
    const std::vector<DialMark> marks = DialScale(workedExample, Mix::Sum, vfo);
    const std::vector<DialMark> plain = DialScale(workedExample, Mix::Sum);
    ASSERT_FALSE(marks.empty());
    EXPECT_NE(marks.front().angleDegrees, plain.front().angleDegrees);
    for (const DialMark& m : marks) {
        const double c =
            workedExample.CcoarseMin +
            (workedExample.CcoarseMax - workedExample.CcoarseMin) * m.angleDegrees / 180;
        EXPECT_NEAR(RfFrequency(workedExample.IF, vfo(c), Mix::Sum), m.rfHz, 2) << m.label;
    }
    const ReportTable table = SimulatedDialTable(workedExample, 3, curve);
    const std::string csv = table.Csv();
    const std::string header = DialTable(workedExample, 3).Csv();
    EXPECT_EQ(csv.substr(0, csv.find('\n')), header.substr(0, header.find('\n')) + ",simulated_hz");
    EXPECT_EQ(table.Titles().back(), "Simulated");
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(std::stod(table.rows[i].back().csv), curve.points[i].simulatedHz, 0.01);
    }
    // The dial table from the simulated curve: each step at the simulated frequency.
    const ReportTable following = DialTable(workedExample, 3, vfo);
    EXPECT_NEAR(std::stod(following.rows[1][2].csv), curve.points[1].simulatedHz, 1);
    EXPECT_NEAR(std::stod(following.rows[1][5].csv), workedExample.IF + curve.points[1].simulatedHz,
                2);
}

TEST(SimulatedCurve, PointsThatDoNotStartLeaveTheCurveIncomplete) {
    if (const std::string why = NgspiceMissing(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    const DesignRecord big = WithDivider(1e-6f);
    const SimulatedCurveOutcome curve = SimulateCurve(big, 2, 0, Simulator(TestWorkers()), {});
    ASSERT_TRUE(curve.Succeeded()) << curve.message;
    EXPECT_FALSE(curve.Complete());
    const ReportTable table = SimulatedDialTable(big, 2, curve);
    EXPECT_EQ(table.rows[0].back().text, "none");
    EXPECT_EQ(table.rows[1].back().csv, "");
    const std::string report = SimulatedDialReport(big, 2, curve);
    EXPECT_NE(report.find("C38 = 20pF: no oscillation: "), std::string::npos) << report;
}
