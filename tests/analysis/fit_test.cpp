// Fitting a design to a wanted band, checked with the program's own tuning calculation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "../support/Fixtures.h"
#include "analysis/BandFit.h"
#include "analysis/ReportText.h"
#include "analysis/Reports.h"
#include "design/Tuning.h"

using namespace calbrine;
using namespace calbrine_test;

namespace {

// The RF band the design tunes, by the program's accept-step calculation.
RfBand TunedBand(const DesignRecord& design, Mix mix) {
    DesignValues = design;
    DesignValues.CfineNom = (design.CfineMax + design.CfineMin) / 2;
    EvaluateTuning();
    const double a = RfFrequency(design.IF, TuningResults.VfoMin, mix);
    const double b = RfFrequency(design.IF, TuningResults.VfoMax, mix);
    return {std::fmin(a, b), std::fmax(a, b)};
}

struct Case {
    DesignRecord design;
    RfBand band;
    Mix mix;
};

}  // namespace

TEST(BandFit, FittedDesignsHitTheBandEdges) {
    const Case cases[] = {{workedExample, {7.0e6, 7.2e6}, Mix::Difference},
                          {workedExample, {17.4e6, 17.8e6}, Mix::Sum},
                          {workedExample, {6.3e6, 6.5e6}, Mix::Difference},
                          {reversedExample, {7.85e6, 7.95e6}, Mix::Difference},
                          {reversedExample, {14.1e6, 14.2e6}, Mix::Sum}};
    for (const Case& c : cases) {
        for (FitSolve solve : {FitSolve::InductorAndPadding, FitSolve::CoarseCapacitor}) {
            const FitResult r = FitToBand(c.design, c.band, c.mix, solve);
            ASSERT_TRUE(r.reached) << r.reason;
            const RfBand got = TunedBand(r.design, c.mix);
            EXPECT_NEAR(got.lowHz / c.band.lowHz, 1, 1e-4) << c.band.lowHz;
            EXPECT_NEAR(got.highHz / c.band.highHz, 1, 1e-4) << c.band.highHz;
            EXPECT_LE(r.worstErrorPercent, 0.01);
            // Only the solved parts change; which coarse end is which stays.
            const bool paddingSolved = solve == FitSolve::InductorAndPadding;
            EXPECT_EQ(r.design.CcoarseMin == c.design.CcoarseMin, paddingSolved);
            EXPECT_EQ(r.design.L7 == c.design.L7, !paddingSolved);
            EXPECT_EQ(r.design.CcoarseMin < r.design.CcoarseMax,
                      c.design.CcoarseMin < c.design.CcoarseMax);
        }
    }
}

TEST(BandFit, UnreachableBandsSayWhyInNumbers) {
    const FitResult wide = FitInductorAndPadding(workedExample, {3.5e6, 7.2e6}, Mix::Difference);
    EXPECT_FALSE(wide.reached);
    EXPECT_NE(wide.reason.find("swing of 1.771:1"), std::string::npos) << wide.reason;
    EXPECT_NE(wide.reason.find("at most 1.101:1"), std::string::npos) << wide.reason;

    EXPECT_FALSE(FitCoarseCapacitor(workedExample, {1e6, 2e6}, Mix::Sum).reached);
    EXPECT_FALSE(FitInductorAndPadding(workedExample, {6e6, 6e6}, Mix::Difference).reached);
    // A VFO far above what L7 reaches with nothing but the fixed parts.
    const FitResult high = FitCoarseCapacitor(workedExample, {60e6, 61e6}, Mix::Sum);
    EXPECT_FALSE(high.reached);
    EXPECT_NE(high.reason.find("reach only"), std::string::npos) << high.reason;

    const FitResult wideBand = SolveFit(workedExample, {{3.5e6, 7.2e6}, Mix::Difference});
    EXPECT_FALSE(wideBand.reached);
    EXPECT_EQ(FitFailure(wideBand).rfind("Cannot reach the band: ", 0), 0u);
}

TEST(BandFit, PaddingWindowAndStandardValues) {
    const RfBand band{7.0e6, 7.2e6};
    const PaddingWindow w = PaddingRange(workedExample, band, Mix::Difference);
    ASSERT_TRUE(w.reached);
    EXPECT_NEAR(w.c37Max, FitInductorAndPadding(workedExample, band, Mix::Difference).design.C37,
                1e-15);
    ASSERT_GE(w.standardValues.size(), 8u);
    // From the first E12 value at a tenth of the largest C37, one step apart.
    EXPECT_LT(w.standardValues.front().c37, w.c37Max / 10 * 1.23);
    EXPECT_GT(w.standardValues.back().c37, w.c37Max / 1.23);
    for (std::size_t i = 0; i < w.standardValues.size(); ++i) {
        const PaddingChoice& c = w.standardValues[i];
        EXPECT_LE(c.c37, w.c37Max);
        EXPECT_GE(c.c37, w.c37Max / 10);
        EXPECT_GT(c.marginLowHz, 0);
        EXPECT_GT(c.marginHighHz, 0);
        if (i > 0) {  // more padding, less swing left over
            EXPECT_LT(c.marginLowHz, w.standardValues[i - 1].marginLowHz);
        }
    }
    const FitRequest coarse{band, Mix::Difference, FitSolve::CoarseCapacitor};
    const std::string csv = FitCsv(coarse, SolveFit(workedExample, coarse));
    EXPECT_EQ(csv.rfind("part,value\nCcoarseMin,", 0), 0u) << csv;
}

// Each padding row's margins are how far the dial reaches past each band edge, in RF, for the
// difference below the IF (which turns the band over) as for the sum.
TEST(BandFit, PaddingMarginsAreNamedForTheBandEdges) {
    const std::pair<Mix, RfBand> cases[] = {{Mix::Difference, {7.0e6, 7.2e6}},
                                            {Mix::Sum, {17.5e6, 17.7e6}}};
    for (const auto& [mix, band] : cases) {
        const FitRequest request{band, mix};
        const std::string report =
            FitReport(workedExample, request, SolveFit(workedExample, request));
        const std::string heading =
            "Margin at " + FrequencyText(band.lowHz) + "  Margin at " + FrequencyText(band.highHz);
        EXPECT_NE(report.find(heading), std::string::npos) << report;
        const PaddingWindow w = PaddingRange(workedExample, band, mix);
        ASSERT_GE(w.standardValues.size(), 3u);
        for (std::size_t i :
             {std::size_t{0}, w.standardValues.size() / 2, w.standardValues.size() - 1}) {
            const PaddingChoice& c = w.standardValues[i];
            DesignRecord d = workedExample;
            d.C37 = static_cast<float>(c.c37);
            d.L7 = static_cast<float>(c.l7);
            const std::vector<CurvePoint> ends = TuningCurve(d, 2);
            const double a = RfFrequency(d.IF, ends.front().vfo, mix);
            const double b = RfFrequency(d.IF, ends.back().vfo, mix);
            const std::string row = CapacitanceText(c.c37);
            const std::size_t at = report.find("\n" + row + " ");
            ASSERT_NE(at, std::string::npos) << row;
            std::istringstream cells(report.substr(at + 1, report.find('\n', at + 1) - at - 1));
            std::string c37, l7, atLow, atHigh;
            cells >> c37 >> l7 >> atLow >> atHigh;
            EXPECT_EQ(atLow, SignedFrequencyText(band.lowHz - std::min(a, b))) << row;
            EXPECT_EQ(atHigh, SignedFrequencyText(std::max(a, b) - band.highHz)) << row;
        }
    }
}

// Which VFO band gives the RF band: the sum above the IF, the difference below the IF turned
// over, above it not; bands no mix can give are told why.
TEST(BandFit, VfoBandForEachMix) {
    struct Row {
        RfBand band;
        Mix mix;
        double ifHz, vfoLow, vfoHigh;
        bool refused;
    };
    const Row rows[] = {{{14.0e6, 14.35e6}, Mix::Sum, 9e6, 5.0e6, 5.35e6, false},
                        {{7.0e6, 7.2e6}, Mix::Difference, 12e6, 4.8e6, 5.0e6, false},
                        {{7.0e6, 7.2e6}, Mix::Difference, 5e6, 12.0e6, 12.2e6, false},
                        {{7.0e6, 7.2e6}, Mix::Difference, 7.2e6, 14.2e6, 14.4e6, false},
                        {{7.0e6, 7.2e6}, Mix::Sum, 9e6, 0, 0, true},
                        {{7.2e6, 7.0e6}, Mix::Difference, 9e6, 0, 0, true},
                        {{0, 7.0e6}, Mix::Sum, 1e6, 0, 0, true}};
    for (const Row& r : rows) {
        const VfoBand v = VfoBandFor(r.band, r.mix, r.ifHz);
        EXPECT_EQ(!v.error.empty(), r.refused) << r.band.lowHz << " " << v.error;
        if (!r.refused) {
            EXPECT_NEAR(v.lowHz, r.vfoLow, 1e-3) << r.band.lowHz;
            EXPECT_NEAR(v.highHz, r.vfoHigh, 1e-3) << r.band.lowHz;
        }
    }
}
