// The heat run: readings made from the drift of a known design, worked out against the tank's
// network written out here in double and warmed by finite differences, and every pair of
// stocked values tried by brute force.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "../support/Fixtures.h"
#include "../support/ShippedTables.h"
#include "analysis/HeatRun.h"
#include "analysis/ReportText.h"
#include "analysis/Reports.h"

using namespace calbrine;
using namespace calbrine_test;

namespace {

double Series2(double a, double b) {
    return a * b / (a + b);
}

// The VFO with D9 at its nominal and C38 at `ccoarse`, C37 at `c37`, every part warmed by
// `degrees` after its coefficient: the oscillator's network, written out.
double WarmVfo(const DesignRecord& d, const PartSettings& s, double c37, double ccoarse,
               double degrees) {
    const auto k = [&](Part p) { return 1 + s.Tc(p) * 1e-6 * degrees; };
    const double fine =
        Series2((double(d.CfineMin) + d.CfineMax) / 2 * k(Part::D9), d.C39 * k(Part::C39));
    const double parallel =
        fine + c37 * k(Part::C37) + ccoarse * k(Part::C38) + d.C90 * k(Part::C90);
    const double divider = Series2(d.C34 * k(Part::C34), d.C35 * k(Part::C35));
    const double total = Series2(divider, parallel) + d.C15 * k(Part::C15);
    return 1 / (2 * M_PI * std::sqrt(d.L7 * k(Part::L7) * total));
}

// Hz/degC from -10 to +10 degC.
double Slope(const DesignRecord& d, const PartSettings& s, double c37, double ccoarse) {
    return (WarmVfo(d, s, c37, ccoarse, 10) - WarmVfo(d, s, c37, ccoarse, -10)) / 20;
}

std::vector<HeatReading> Exact(double f25, double hzPerC, std::vector<double> temperatures) {
    std::vector<HeatReading> readings;
    for (double t : temperatures) {
        readings.push_back({t, f25 + hzPerC * (t - 25)});
    }
    return readings;
}

HeatRunRequest AtVfoMin(const char* series = "E12") {
    HeatRunRequest request;
    request.series = ShippedSeries(series);
    return request;
}

}  // namespace

TEST(HeatRun, AKnownDriftIsMeasuredAndTheBestOfEveryPairWithinTwoPercentCancelsIt) {
    const DesignRecord& d = workedExample;  // C37 100 pF; L7 +20 ppm/degC: the VFO falls
    PartSettings s;
    s.Tc(Part::C15) = 30;
    const double c38 = d.CcoarseMax;  // VfoMin
    const double drift = Slope(d, s, d.C37, c38);
    ASSERT_LT(drift, -10);

    // Exact readings give the slope; residuals that leave the slope alone give their RMS.
    const MeasuredDrift exact =
        MeasureDrift(Exact(WarmVfo(d, s, d.C37, c38, 0), drift, {15, 25, 40}));
    ASSERT_TRUE(exact.measured) << exact.reason;
    EXPECT_NEAR(exact.hzPerC, drift, 0.01);
    EXPECT_NEAR(exact.rmsResidualHz, 0, 1e-6);
    std::vector<HeatReading> noisy = Exact(7e6, -3, {15, 25, 35});
    noisy[0].frequencyHz += 2;
    noisy[1].frequencyHz -= 4;
    noisy[2].frequencyHz += 2;
    const MeasuredDrift line = MeasureDrift(noisy);
    EXPECT_NEAR(line.hzPerC, -3, 1e-9);
    EXPECT_NEAR(line.rmsResidualHz, std::sqrt(8.0), 1e-9);

    const std::vector<HeatReading> readings = Exact(WarmVfo(d, s, d.C37, c38, 0), drift, {20, 45});
    const HeatRun run = AnalyseHeatRun(d, s, readings, AtVfoMin());
    const Compensation& c = run.compensation;
    ASSERT_TRUE(c.possible) << c.reason;
    const std::vector<long> stock = StockedValues(ShippedSeries("E12"));
    EXPECT_NE(std::find(stock.begin(), stock.end(), c.np0Tenths), stock.end());
    EXPECT_NE(std::find(stock.begin(), stock.end(), c.negativeTenths), stock.end());

    // Every pair within 2 %: what it leaves of a measured drift by the network warmed. Drifts
    // of other sizes call for other pairs, some of which would lie just beyond 2 %.
    const auto left = [&](long np0, long negative, double measured) {
        PartSettings after = s;
        after.Tc(Part::C37) = -750.0 * negative / (np0 + negative);
        const double sum = (np0 + negative) * 1e-13;
        return measured + Slope(d, after, sum, c38) - Slope(d, s, d.C37, c38);
    };
    for (const double measured : {drift, -20.0, -35.0, -60.0, -90.0}) {
        const Compensation& one =
            measured == drift
                ? c
                : AnalyseHeatRun(d, s, Exact(5.5e6, measured, {20, 30}), AtVfoMin()).compensation;
        double best = 1e9;
        int pairs = 0;
        for (long a : stock) {
            for (long b : stock) {
                if (std::fabs(a + b - 1000.0) <= 20) {
                    best = std::fmin(best, std::fabs(left(a, b, measured)));
                    ++pairs;
                }
            }
        }
        EXPECT_GT(pairs, 10);
        const double chosen = left(one.np0Tenths, one.negativeTenths, measured);
        EXPECT_LE(std::fabs(chosen), best + 0.05) << measured;
        EXPECT_NEAR(one.predictedHzPerC, chosen, 0.2) << measured;
        EXPECT_LE(std::fabs(one.np0Tenths + one.negativeTenths - 1000.0), 20) << measured;
    }
    EXPECT_LT(std::fabs(c.predictedHzPerC), std::fabs(drift) / 4) << drift;

    // The design and settings to save: the sum in place, the pair's coefficient by weight.
    EXPECT_EQ(c.design.C37, static_cast<float>((c.np0Tenths + c.negativeTenths) * 1e-13));
    EXPECT_NEAR(c.settings.Tc(Part::C37),
                -750.0 * c.negativeTenths / (c.np0Tenths + c.negativeTenths), 1e-9);
    EXPECT_EQ(c.settings.Tc(Part::L7), 20);
    EXPECT_NEAR(c.shiftHz, WarmVfo(d, s, c.design.C37, c38, 0) - WarmVfo(d, s, d.C37, c38, 0), 1);

    // The table in its rows and CSV names; another kind and setting reach the pair.
    EXPECT_EQ(HeatRunTable(run).Csv(),
              "quantity,value\nmeasured_hz_per_c," + PlainNumber(run.drift.hzPerC) +
                  "\nrms_residual_hz," + PlainNumber(run.drift.rmsResidualHz) + "\nnp0_f," +
                  PlainNumber(c.np0Tenths * 1e-13) + "\nnegative_f," +
                  PlainNumber(c.negativeTenths * 1e-13) +
                  "\nnegative_kind,N750\npredicted_hz_per_c," + PlainNumber(c.predictedHzPerC) +
                  "\nshift_hz," + PlainNumber(c.shiftHz) + "\n");
    HeatRunRequest other = AtVfoMin("E24");
    other.kind = *NegativeKindNamed("n150");
    other.setting = {DialSetting::Kind::Position, 50};
    const HeatRun n150 = AnalyseHeatRun(d, s, readings, other);
    EXPECT_NEAR(n150.compensation.effectivePpm *
                    (n150.compensation.np0Tenths + n150.compensation.negativeTenths),
                -150.0 * n150.compensation.negativeTenths, 1e-6);
    EXPECT_EQ(n150.compensation.request.where, "C38 at 50 %");
}

TEST(HeatRun, ADriftNoPairBringsNearerZeroIsRefusedSayingWhyAndWhatCould) {
    PartSettings s;
    s.Tc(Part::L7) = -40;  // the VFO rises as it warms
    const double c38 = workedExample.CcoarseMax;
    const double rising = Slope(workedExample, s, workedExample.C37, c38);
    ASSERT_GT(rising, 10);
    const HeatRun run =
        AnalyseHeatRun(workedExample, s, Exact(5.4e6, rising, {25, 35}), AtVfoMin());
    EXPECT_FALSE(run.compensation.possible);
    const std::string& why = run.compensation.reason;
    EXPECT_NE(why.find("no pair of E12 values within 2 % of C37's 100pF, NP0 beside N750"),
              std::string::npos)
        << why;
    EXPECT_NE(why.find("rises with temperature"), std::string::npos) << why;
    EXPECT_NE(why.find("positive coefficient"), std::string::npos) << why;
    EXPECT_NE(why.find("another part"), std::string::npos) << why;

    // Too small a capacitor for any two parts; a part that cannot be split.
    DesignRecord small = workedExample;
    small.C37 = 1.5e-12f;
    EXPECT_EQ(AnalyseHeatRun(small, {}, Exact(5.4e6, -5, {25, 35}), AtVfoMin()).compensation.reason,
              "no two E12 values in parallel lie within 2 % of C37's 1.5pF");
    HeatRunRequest coarse = AtVfoMin();
    coarse.part = Part::C38;
    EXPECT_FALSE(AnalyseHeatRun(workedExample, {}, Exact(5.4e6, -5, {25, 35}), coarse)
                     .compensation.possible);
}

TEST(HeatRun, ReadingsAndSettingsAreRefusedAtTheirEdges) {
    HeatReading r;
    for (const char* good : {"-40=1", "85=7.0123M", "25.5=7012345Hz", "0=5.5mHz"}) {
        EXPECT_EQ(ParseHeatReading(good, r), "") << good;
    }
    EXPECT_EQ(r.temperatureC, 0);
    EXPECT_EQ(r.frequencyHz, 5.5e-3);
    for (const char* bad : {"-40.01=7M", "85.01=7M", "25=0", "25=-7M", "25=7,1M", "x=7M", "25"}) {
        EXPECT_NE(ParseHeatReading(bad, r), "") << bad;
        EXPECT_NE(ParseHeatReading(bad, r).find(std::string("\"") + bad + "\""), std::string::npos);
    }
    EXPECT_NE(ParseHeatReading("85.01=7M", r).find("outside -40 to +85 degC"), std::string::npos);

    DialSetting setting;
    EXPECT_EQ(ParseDialSetting("vfomax", setting), "");
    EXPECT_EQ(setting.kind, DialSetting::Kind::VfoMax);
    EXPECT_EQ(CoarseAtSetting(workedExample, setting), workedExample.CcoarseMin);
    EXPECT_EQ(ParseDialSetting("100%", setting), "");
    EXPECT_EQ(setting.positionPercent, 100);
    EXPECT_EQ(ParseDialSetting("0", setting), "");
    EXPECT_EQ(CoarseAtSetting(workedExample, setting), workedExample.CcoarseMin);
    for (const char* bad : {"100.5", "-1", "FineLow", ""}) {
        EXPECT_NE(ParseDialSetting(bad, setting), "") << bad;
    }

    // One temperature, however many readings, gives no line; a reading out of range none.
    EXPECT_FALSE(MeasureDrift({}).measured);
    EXPECT_FALSE(MeasureDrift({{25, 7e6}, {25, 7.1e6}, {25, 7e6}}).measured);
    EXPECT_TRUE(MeasureDrift({{-40, 7e6}, {85, 7e6}}).measured);
    EXPECT_EQ(MeasureDrift({{25, 7e6}, {85.5, 7e6}}).reason,
              "reading 2 is at 85.5 degC, outside -40 to +85 degC");
    EXPECT_EQ(MeasureDrift({{25, 0}, {35, 7e6}}).reason, "reading 1 has no frequency above 0");
}

TEST(HeatRun, TheSettingAndReadingsAreKeptBesideTheDesign) {
    PartSettings s;
    s.heatRun.setting = {DialSetting::Kind::Position, 37.5};
    s.heatRun.readings = {{22.5, 7012345.25}, {-40, 7012400}};
    const std::string text = SettingsText(s);
    EXPECT_NE(text.find("heatrun.setting: 37.5\nheatrun: 22.5=7012345.25\nheatrun: -40=7012400\n"),
              std::string::npos)
        << text;
    PartSettings back;
    back.heatRun.readings = {{1, 1}};
    ASSERT_EQ(ReadSettingsText(text, back), "");
    EXPECT_EQ(back.heatRun.setting.positionPercent, 37.5);
    ASSERT_EQ(back.heatRun.readings.size(), 2u);
    EXPECT_EQ(back.heatRun.readings[0].frequencyHz, 7012345.25);
    EXPECT_EQ(back.heatRun.readings[1].temperatureC, -40);
    EXPECT_EQ(SettingsText(PartSettings{}).find("heatrun"), std::string::npos);
    EXPECT_EQ(ReadSettingsText("tc.C37: 5\nheatrun: 90=7M\n", back), "line 2: heatrun: 90=7M");
    EXPECT_EQ(ReadSettingsText("heatrun.setting: FineLow\n", back),
              "line 1: heatrun.setting: FineLow");
}
