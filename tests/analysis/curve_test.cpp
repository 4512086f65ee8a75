// The tuning curve, the dial table and the dial scale with its printed face.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "../support/Fixtures.h"
#include "analysis/DialFace.h"
#include "analysis/ReportText.h"
#include "analysis/Reports.h"
#include "analysis/TuningCurve.h"
#include "design/Tuning.h"

using namespace calbrine;
using namespace calbrine_test;

TEST(TuningCurve, EndsAreTheDesignsRangeAndTheRecordIsLeftAlone) {
    for (const DesignRecord& design : {workedExample, reversedExample}) {
        DesignValues = design;
        DesignValues.CfineNom = (design.CfineMax + design.CfineMin) / 2;
        EvaluateTuning();
        const TuningRecord expected = TuningResults;
        DesignValues = reversedExample;  // what a window might hold meanwhile
        DesignValues.L7 = 1.0f;
        const std::vector<CurvePoint> curve = TuningCurve(design, 101);
        ASSERT_EQ(curve.size(), 101u);
        EXPECT_EQ(curve.front().vfo, expected.VfoMax);
        EXPECT_EQ(curve.back().vfo, expected.VfoMin);
        EXPECT_EQ(curve.back().fineLow, expected.FineLow);
        EXPECT_EQ(curve.back().fineHigh, expected.FineHigh);
        EXPECT_EQ(curve.back().rfSum, design.IF + expected.VfoMin);
        EXPECT_EQ(DesignValues.L7, 1.0f);
        for (std::size_t i = 1; i < curve.size(); ++i) {
            // More capacitance, lower frequency; the fine band holds the nominal setting.
            const CurvePoint& p = curve[i];
            EXPECT_EQ(p.vfo<curve[i - 1].vfo, p.ccoarse> curve[i - 1].ccoarse);
            EXPECT_LE(std::min(p.fineLow, p.fineHigh), p.vfo);
            EXPECT_GE(std::max(p.fineLow, p.fineHigh), p.vfo);
        }
    }
}

TEST(TuningCurve, DialMarksSitWhereTheirFrequencyIs) {
    for (Mix mix : {Mix::Sum, Mix::Difference}) {
        const std::vector<DialMark> marks = DialScale(workedExample, mix);
        ASSERT_GE(marks.size(), 5u);
        ASSERT_LE(marks.size(), 25u);
        const double spacing = marks[1].rfHz - marks[0].rfHz;
        EXPECT_TRUE(spacing == 10e3 || spacing == 25e3 || spacing == 50e3 || spacing == 100e3);
        for (const DialMark& m : marks) {
            ASSERT_GE(m.angleDegrees, 0);
            ASSERT_LE(m.angleDegrees, 180);
            // The capacitor at this angle tunes to the marked frequency.
            const double c = 20e-12 + m.angleDegrees / 180 * 80e-12;
            DesignRecord d = workedExample;
            d.CcoarseMin = d.CcoarseMax = static_cast<float>(c);
            const double rf = RfFrequency(d.IF, TuningCurve(d, 2)[0].vfo, mix);
            EXPECT_NEAR(rf, m.rfHz, 2.0) << m.label;
        }
    }
    EXPECT_EQ(DialScale(workedExample, Mix::Sum)[1].label, "17.5M");
}

TEST(TuningCurve, DialFaceTicksStandOnTheArcAtTheirMarksAngles) {
    const std::vector<DialMark> marks = DialScale(workedExample, Mix::Difference);
    const DialFace face = LayOutDial(workedExample, Mix::Difference, 62.5);
    for (std::size_t i = 0; i < marks.size(); ++i) {
        // 0 deg at the left end, 90 at the top, clockwise as seen.
        const DialPoint p = face.ticks[i].from;
        EXPECT_NEAR(std::hypot(p.x, p.y), 62.5, 1e-9);
        EXPECT_NEAR(std::atan2(p.y, -p.x) * 180 / M_PI, marks[i].angleDegrees, 1e-9);
        EXPECT_EQ(face.texts[i].text, marks[i].label);
    }
    const std::vector<double> minor = DialMinorAngles(workedExample, Mix::Difference);
    for (std::size_t i = 1; i < marks.size(); ++i) {
        EXPECT_EQ(std::count_if(minor.begin(), minor.end(),
                                [&](double a) {
                                    return a > marks[i - 1].angleDegrees &&
                                           a < marks[i].angleDegrees;
                                }),
                  4);
    }
    EXPECT_DOUBLE_EQ(DeviceUnits(25.4, 1200), 1200);  // an inch of paper is the resolution
}

// A dial of another VFO curve (the simulated one) is titled with the RF range of that curve,
// whose ends its marks span, and its note line names the curve.
TEST(TuningCurve, DialOfAnotherCurveIsTitledWithThatCurvesRange) {
    const VfoCurve calculated = CalculatedVfo(workedExample);
    const VfoCurve higher = [&](double c) { return calculated(c) * 1.01; };
    const DialFace face = LayOutDial(workedExample, Mix::Difference, 50, higher, "simulated curve");
    const DialFace plain = LayOutDial(workedExample, Mix::Difference, 50);
    const double ifHz = workedExample.IF;
    const std::string title = "RF " + FrequencyText(ifHz - higher(workedExample.CcoarseMin)) +
                              " to " + FrequencyText(ifHz - higher(workedExample.CcoarseMax)) +
                              "   IF - VFO";
    ASSERT_GE(face.texts.size(), 2u);
    EXPECT_EQ(face.texts[face.texts.size() - 2].text, title);
    EXPECT_NE(plain.texts[plain.texts.size() - 2].text, title);
    EXPECT_EQ(plain.texts[plain.texts.size() - 2].text, "RF 6.2411M to 6.5302M   IF - VFO");
    const std::string& note = face.texts.back().text;
    EXPECT_EQ(note.substr(note.size() - 18), "   simulated curve");
}

// A design fitted to a band carries the band's two edges on its dial, although its ends
// compute to a fraction of a hertz inside them; an end further in carries no mark.
TEST(TuningCurve, DialOfAFittedBandMarksBothEdges) {
    const std::tuple<Mix, RfBand, const char*, const char*> bands[] = {
        {Mix::Difference, {7.0e6, 7.2e6}, "7M", "7.2M"},
        {Mix::Sum, {17.5e6, 17.7e6}, "17.5M", "17.7M"}};
    for (const auto& [mix, band, low, high] : bands) {
        const FitResult fit = FitCoarseCapacitor(workedExample, band, mix);
        ASSERT_TRUE(fit.reached) << fit.reason;
        const std::vector<DialMark> marks = DialScale(fit.design, mix);
        ASSERT_GE(marks.size(), 2u);
        EXPECT_EQ(marks.front().label, low);
        EXPECT_EQ(marks.back().label, high);
        EXPECT_NEAR(std::min(marks.front().angleDegrees, marks.back().angleDegrees), 0, 1e-3);
        EXPECT_NEAR(std::max(marks.front().angleDegrees, marks.back().angleDegrees), 180, 1e-3);
    }
    // Ends a fraction of a hertz inside 7 and 7.2 MHz carry those marks, at the ends.
    DesignRecord noIf = workedExample;
    noIf.IF = 0;
    const double c0 = noIf.CcoarseMin, c1 = noIf.CcoarseMax;
    const std::vector<DialMark> near = DialScale(noIf, Mix::Sum, [&](double c) {
        return 7.0e6 + 0.4 + (c - c0) / (c1 - c0) * (0.2e6 - 0.8);
    });
    ASSERT_GE(near.size(), 2u);
    EXPECT_EQ(near.front().label, "7M");
    EXPECT_EQ(near.back().label, "7.2M");
    EXPECT_NEAR(near.back().angleDegrees, 180, 1e-3);
    const FitResult inside =
        FitCoarseCapacitor(workedExample, {7.00001e6, 7.19999e6}, Mix::Difference);
    const std::vector<DialMark> marks = DialScale(inside.design, Mix::Difference);
    EXPECT_EQ(marks.front().label, "7.01M");
    EXPECT_EQ(marks.back().label, "7.19M");
}

// The marks' spacing is the smallest round one that puts at most 25 of them on the dial:
// 25 marks every 10k on a 250k band, 11 every 25k when it is 1 Hz wider.
TEST(TuningCurve, DialSpacingAtTheEdgeOfTwentyFiveMarks) {
    const std::pair<double, double> cases[] = {{7.0e6 + 1, 10e3}, {7.0e6 - 1, 25e3}};
    for (const auto& [low, spacing] : cases) {
        const FitResult fit = FitCoarseCapacitor(workedExample, {low, 7.25e6}, Mix::Difference);
        ASSERT_TRUE(fit.reached);
        const std::vector<DialMark> marks = DialScale(fit.design, Mix::Difference);
        ASSERT_GE(marks.size(), 2u);
        EXPECT_EQ(marks[1].rfHz - marks[0].rfHz, spacing) << low;
    }
}
