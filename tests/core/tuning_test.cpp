// The resonance evaluation and the five result captions (the worked example's captions are
// checked through the design window).
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "../support/Fixtures.h"
#include "design/DesignValues.h"
#include "design/Tuning.h"

using namespace calbrine;
using calbrine_test::workedExample;

// The worked example's frequencies to the last bit, and designs whose frequencies come out
// differently in the last bit when the parallel capacitances are added in another order, the square
// root is taken in single precision, or the whole evaluation runs in double: the table holds the
// exact singles of an independent calculation (tests/data/numbers/tuning_oracle.py).
TEST(Tuning, SinglePrecisionToTheLastBit) {
    SetProgramConstants();
    EXPECT_EQ(Pi, 3.14159274f);
    int designs = 0;
    for (const std::string& line : calbrine_test::DataLines("numbers/tuning_cases.txt")) {
        std::istringstream in(line);
        DesignRecord& d = DesignValues;
        std::string arrow;
        in >> d.CfineMin >> d.CfineMax >> d.C39 >> d.C37 >> d.CcoarseMin >> d.CcoarseMax >> d.C90 >>
            d.C15 >> d.C34 >> d.C35 >> d.L7 >> arrow;
        d.CfineNom = (d.CfineMax + d.CfineMin) / 2;
        std::vector<float> expected(4);
        in >> expected[0] >> expected[1] >> expected[2] >> expected[3];
        EvaluateTuning();
        const TuningRecord& r = TuningResults;
        EXPECT_EQ((std::vector<float>{r.VfoMin, r.VfoMax, r.FineLow, r.FineHigh}), expected)
            << line;
        ++designs;
    }
    EXPECT_GE(designs, 5);
}

TEST(Tuning, ReversedRangesAndTheIntermediateFrequency) {
    // Reversed ranges keep their order; the coarse span is a magnitude, the fine span is signed
    // and shown through the milli range.
    DesignValues = workedExample;
    std::swap(DesignValues.CfineMin, DesignValues.CfineMax);
    std::swap(DesignValues.CcoarseMin, DesignValues.CcoarseMax);
    const TuningCaptions c = EvaluateTuning();
    EXPECT_GT(TuningResults.VfoMin, TuningResults.VfoMax);
    EXPECT_LT(TuningResults.FineHigh, TuningResults.FineLow);
    EXPECT_EQ(c.lblFreqMin, "VFO from 5.7589M to 5.4698M");
    EXPECT_EQ(c.lblSpan, "Coarse-tune span:  289.13k");
    EXPECT_EQ(c.lblFineSpan.rfind("Fine-tune span:  -", 0), 0u) << c.lblFineSpan;
    EXPECT_EQ(c.lblFineSpan.back(), 'm');

    // With the IF below the VFO the difference starts with the top of the VFO; a negative IF
    // is taken as it is.
    DesignValues = workedExample;
    DesignValues.IF = 1e6f;
    const TuningCaptions below = EvaluateTuning();
    EXPECT_EQ(below.lblDiff, "RF diff:  4.7589M to 4.4698M");
    EXPECT_EQ(below.lblSum, "RF sum:  6.4698M to 6.7589M");
    DesignValues.IF = -10e6f;
    EXPECT_EQ(EvaluateTuning().lblSum, "RF sum: -4.530202E+09m to-4.241075E+09m");
}

TEST(Tuning, FlooredAndZeroRecords) {
    const float f = CapacitanceFloor;
    DesignValues = DesignRecord{f, f, f, f, f, f, f, f, f, f, InductanceFloor, 0, f};
    EvaluateTuning();
    EXPECT_NEAR(TuningResults.VfoMin, 1.3e12f, 0.1e12f);
    EXPECT_EQ(TuningResults.VfoMin, TuningResults.VfoMax);

    DesignValues = DesignRecord{};  // shows zero, not nan
    const TuningCaptions c = EvaluateTuning();
    EXPECT_EQ((std::vector<float>{TuningResults.VfoMin, TuningResults.VfoMax, TuningResults.FineLow,
                                  TuningResults.FineHigh}),
              std::vector<float>(4, 0.0f));
    EXPECT_EQ(c.lblFreqMin, "VFO from0.0  to0.0 ");
    EXPECT_EQ(c.lblFineSpan, "Fine-tune span:  0.0 ");
}
