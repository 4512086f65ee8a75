// The resonance evaluation and the five result captions.
#include <gtest/gtest.h>

#include <cmath>

#include "design/DesignValues.h"
#include "design/Tuning.h"

using namespace calbrine;

namespace {

// The worked example of the design: 10/40 pF fine tune, 20/100 pF coarse tune, 4.7 uH, 12 MHz.
void LoadWorkedExample() {
    DesignValues = DesignRecord{};
    DesignValues.CfineMin = 10e-12f;
    DesignValues.CfineMax = 40e-12f;
    DesignValues.C39 = 10e-12f;
    DesignValues.C37 = 100e-12f;
    DesignValues.CcoarseMin = 20e-12f;
    DesignValues.CcoarseMax = 100e-12f;
    DesignValues.C90 = 100e-12f;
    DesignValues.C15 = 47e-12f;
    DesignValues.C34 = 470e-12f;
    DesignValues.C35 = 470e-12f;
    DesignValues.L7 = 4.7e-6f;
    DesignValues.IF = 12e6f;
    DesignValues.CfineNom = (DesignValues.CfineMax + DesignValues.CfineMin) / 2;
}

// Distance in units in the last place of a single.
long Ulps(float a, float b) {
    const float step = std::nextafter(std::fabs(b), INFINITY) - std::fabs(b);
    return std::lround(std::fabs(a - b) / step);
}

}  // namespace

TEST(Tuning, WorkedExampleFrequencies) {
    SetProgramConstants();
    EXPECT_EQ(Pi, 3.14159274f);
    LoadWorkedExample();
    EvaluateTuning();
    EXPECT_LE(Ulps(TuningResults.VfoMin, 5469798.0f), 1);
    EXPECT_LE(Ulps(TuningResults.VfoMax, 5758925.0f), 1);
    EXPECT_LE(Ulps(TuningResults.FineLow, 5467358.5f), 1);
    EXPECT_LE(Ulps(TuningResults.FineHigh, 5475945.5f), 1);
}

TEST(Tuning, WorkedExampleCaptions) {
    LoadWorkedExample();
    const TuningCaptions c = EvaluateTuning();
    EXPECT_EQ(c.lblFreqMin, "VFO from 5.4698M to 5.7589M");
    EXPECT_EQ(c.lblSum, "RF sum:  17.47M to 17.759M");
    EXPECT_EQ(c.lblDiff, "RF diff:  6.2411M to 6.5302M");
    EXPECT_EQ(c.lblSpan, "Coarse-tune span:  289.13k");
    EXPECT_EQ(c.lblFineSpan, "Fine-tune span:   8.587k");
}

TEST(Tuning, ReversedRangesKeepTheirOrder) {
    LoadWorkedExample();
    std::swap(DesignValues.CfineMin, DesignValues.CfineMax);
    std::swap(DesignValues.CcoarseMin, DesignValues.CcoarseMax);
    const TuningCaptions c = EvaluateTuning();
    EXPECT_GT(TuningResults.VfoMin, TuningResults.VfoMax);
    EXPECT_EQ(c.lblFreqMin, "VFO from 5.7589M to 5.4698M");
    EXPECT_EQ(c.lblSpan, "Coarse-tune span:  289.13k");  // a magnitude
    // The fine span is signed and shown through the milli range.
    EXPECT_LT(TuningResults.FineHigh, TuningResults.FineLow);
    EXPECT_EQ(c.lblFineSpan.rfind("Fine-tune span:  -", 0), 0u) << c.lblFineSpan;
    EXPECT_EQ(c.lblFineSpan.back(), 'm');
}

TEST(Tuning, DifferenceStartsWithTheTopOfTheVfo) {
    LoadWorkedExample();
    DesignValues.IF = 1e6f;  // IF below the VFO
    const TuningCaptions c = EvaluateTuning();
    EXPECT_EQ(c.lblDiff, "RF diff:  4.7589M to 4.4698M");
    EXPECT_EQ(c.lblSum, "RF sum:  6.4698M to 6.7589M");

    DesignValues.IF = -10e6f;  // a negative IF is taken as it is
    EXPECT_EQ(EvaluateTuning().lblSum, "RF sum: -4.530202E+09m to-4.241075E+09m");
}

TEST(Tuning, FlooredRecordComputesNearOnePointThreeTerahertz) {
    DesignValues = DesignRecord{};
    float* capacitances[] = {&DesignValues.CfineMin, &DesignValues.CfineMax, &DesignValues.C39,
                             &DesignValues.C37,      &DesignValues.CcoarseMin,
                             &DesignValues.CcoarseMax, &DesignValues.C90, &DesignValues.C15,
                             &DesignValues.C34,      &DesignValues.C35};
    for (float* c : capacitances) {
        *c = CapacitanceFloor;
    }
    DesignValues.L7 = InductanceFloor;
    DesignValues.CfineNom = CapacitanceFloor;
    EvaluateTuning();
    EXPECT_NEAR(TuningResults.VfoMin, 1.3e12f, 0.1e12f);
    EXPECT_EQ(TuningResults.VfoMin, TuningResults.VfoMax);
}

TEST(Tuning, AllZeroRecordShowsZeroNotNan) {
    DesignValues = DesignRecord{};
    const TuningCaptions c = EvaluateTuning();
    EXPECT_EQ(TuningResults.VfoMin, 0.0f);
    EXPECT_EQ(TuningResults.VfoMax, 0.0f);
    EXPECT_EQ(TuningResults.FineLow, 0.0f);
    EXPECT_EQ(TuningResults.FineHigh, 0.0f);
    EXPECT_EQ(c.lblFreqMin, "VFO from0.0  to0.0 ");
    EXPECT_EQ(c.lblFineSpan, "Fine-tune span:  0.0 ");
}
