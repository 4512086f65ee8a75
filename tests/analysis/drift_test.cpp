// Temperature drift and tolerance, against finite differences of the program's resonance (the
// tank's own sensitivities are checked in tests/core/tank_test.cpp).
#include <gtest/gtest.h>

#include <cmath>

#include "../support/Fixtures.h"
#include "analysis/Drift.h"
#include "analysis/ReportText.h"
#include "analysis/Reports.h"
#include "analysis/Tolerance.h"
#include "design/Tuning.h"

using namespace calbrine;
using namespace calbrine_test;

namespace {

double Vfo(const DesignRecord& design, double ccoarse) {
    return ResonanceFrequency(design, NominalFineCapacitance(design), static_cast<float>(ccoarse));
}

// The design warmed by `degrees` with every part following its coefficient.
DesignRecord Warmed(const DesignRecord& design, const PartSettings& s, double degrees) {
    DesignRecord d = design;
    for (Part p : AllParts) {
        d = ScalePart(d, p, 1 + s.Tc(p) * 1e-6 * degrees);
    }
    return d;
}

}  // namespace

TEST(Drift, TotalsMatchAWarmedDesignAndCompensationCancelsMidBand) {
    PartSettings s;
    s.Tc(Part::C37) = -150;
    s.Tc(Part::C15) = 50;
    s.Tc(Part::D9) = 300;
    const DriftAnalysis a = AnalyseDrift(workedExample, s);
    const auto perDegree = [&](float ccoarse) {  // between -10 and +10 degrees
        return (Vfo(Warmed(workedExample, s, 10), ccoarse) -
                Vfo(Warmed(workedExample, s, -10), ccoarse)) /
               20;
    };
    EXPECT_NEAR(a.totalLowHzPerC, perDegree(workedExample.CcoarseMax),
                0.01 * std::fabs(a.totalLowHzPerC));
    EXPECT_NEAR(a.totalHighHzPerC, perDegree(workedExample.CcoarseMin),
                0.01 * std::fabs(a.totalHighHzPerC));
    for (std::size_t i = 1; i < a.parts.size(); ++i) {
        EXPECT_GE(std::fabs(a.parts[i - 1].highEndHzPerC) + std::fabs(a.parts[i - 1].lowEndHzPerC),
                  std::fabs(a.parts[i].highEndHzPerC));
    }

    // C37 split as proposed, an NP0 and an N750 part of E12 within 2 % of its value: the design
    // with them, warmed, drifts at mid-band as promised, nearer 0.
    const ValueSeries e12{"E12", {10, 12, 15, 18, 22, 27, 33, 39, 47, 56, 68, 82}};
    const Compensation& c = AnalyseDrift(workedExample, s, Part::C37, &e12).compensation;
    ASSERT_TRUE(c.possible) << c.reason;
    EXPECT_LE(std::fabs(c.np0Tenths + c.negativeTenths - 1000.0), 20);
    EXPECT_LT(std::fabs(c.predictedHzPerC), std::fabs(a.midBandHzPerC));
    const float mid = static_cast<float>(MidBandCoarse(workedExample));
    EXPECT_NEAR(
        c.predictedHzPerC,
        (Vfo(Warmed(c.design, c.settings, 10), mid) - Vfo(Warmed(c.design, c.settings, -10), mid)) /
            20,
        0.05);
    const std::string text = CompensationText(c);
    EXPECT_EQ(text.rfind("Compensation: make C37 " + PartsText({{c.np0Tenths}}) +
                             " NP0\n  in parallel with " + PartsText({{c.negativeTenths}}) +
                             " N750 (E12, ",
                         0),
              0u)
        << text;
    EXPECT_NE(
        text.find("): mid-band drift then " + DriftRateText(c.predictedHzPerC) + " Hz/degC\n"),
        std::string::npos)
        << text;
    // A drift the other way takes less of N750 than C37 has; without a series, or in a
    // variable part, there is no pair.
    s.Tc(Part::C37) = -750;
    const Compensation& back = AnalyseDrift(workedExample, s, Part::C37, &e12).compensation;
    ASSERT_TRUE(back.possible) << back.reason;
    EXPECT_GT(back.effectivePpm, -750);
    EXPECT_EQ(AnalyseDrift(workedExample, s).compensation.reason,
              "the value series to buy the parts from could not be read");
    EXPECT_FALSE(AnalyseDrift(workedExample, s, Part::C38, &e12).compensation.possible);
}

TEST(Drift, CsvAndTolerance) {
    const std::string csv = DriftTable(AnalyseDrift(workedExample, PartSettings{})).Csv();
    EXPECT_EQ(csv.rfind("part,low_end_hz_per_c,high_end_hz_per_c\nL7,", 0), 0u) << csv;
    EXPECT_NE(csv.find("\ntotal,-54.69798,-57.58925\n"), std::string::npos) << csv;

    const ToleranceAnalysis t = AnalyseTolerance(workedExample, PartSettings{});
    for (const EdgeTolerance& e : {t.lowEnd, t.highEnd}) {
        EXPECT_LT(e.lowestHz, e.nominalHz);
        EXPECT_GT(e.highestHz, e.nominalHz);
    }
    EXPECT_EQ(t.shares.front().part, Part::L7);  // 10 % of L7 moves f by about 5 %
    EXPECT_NEAR(t.shares.front().lowEndHz, 0.05 * t.lowEnd.nominalHz, 1.0);
    EXPECT_NEAR(t.shares.front().highEndHz, 0.05 * t.highEnd.nominalHz, 1.0);
    // Each share is the first-order shift of its own edge: half the shift between that part
    // alone at the bottom and at the top of its tolerance.
    for (const PartShare& share : t.shares) {
        const double tolerance = PartSettings{}.Tolerance(share.part) / 100;
        const DesignRecord up = ScalePart(workedExample, share.part, 1 + tolerance);
        const DesignRecord down = ScalePart(workedExample, share.part, 1 - tolerance);
        const auto half = [](const DesignRecord& a, const DesignRecord& b, bool lowEnd) {
            auto f = [lowEnd](const DesignRecord& d) {
                return ResonanceFrequency(d, NominalFineCapacitance(d),
                                          lowEnd ? d.CcoarseMax : d.CcoarseMin);
            };
            return std::fabs(f(a) - f(b)) / 2;
        };
        EXPECT_NEAR(share.lowEndHz, half(up, down, true), 0.01 * share.lowEndHz + 1e-3);
        EXPECT_NEAR(share.highEndHz, half(up, down, false), 0.01 * share.highEndHz + 1e-3);
    }
    // The table shows each share under its own edge, in text and CSV alike.
    const ReportTable shares = ToleranceTable(t, PartSettings{});
    EXPECT_EQ(shares.TextRows()[0],
              (std::vector<std::string>{"L7", "10 %", FrequencyText(t.shares.front().lowEndHz),
                                        FrequencyText(t.shares.front().highEndHz)}));
    const std::string table = shares.Csv();
    EXPECT_EQ(table.substr(0, table.find('\n', table.find('\n') + 1)),
              "part,tolerance_percent,low_end_hz,high_end_hz\nL7,10," +
                  PlainNumber(t.shares.front().lowEndHz) + "," +
                  PlainNumber(t.shares.front().highEndHz));
    double sum = 0;
    for (const PartShare& share : t.shares) {
        sum += share.lowEndHz;
    }
    EXPECT_NEAR(sum, t.lowEnd.nominalHz - t.lowEnd.lowestHz, 0.1 * sum);
}
