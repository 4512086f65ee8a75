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

    // Split C37 as proposed: the two parts together act as one of the mean coefficient.
    const Compensation& c = a.compensation;
    ASSERT_TRUE(c.possible) << c.reason;
    EXPECT_NEAR(c.compensatingFarad + c.remainingFarad, 100e-12, 1e-16);
    PartSettings split = s;
    split.Tc(Part::C37) = c.fraction * c.tcPpm + (1 - c.fraction) * s.Tc(Part::C37);
    EXPECT_NEAR(AnalyseDrift(workedExample, split).midBandHzPerC, 0, 1e-9);
    // With C37 at +100 ppm a small drift could be cancelled either way: N750 comes first.
    PartSettings both;
    both.Tc(Part::C37) = 100;
    both.Tc(Part::L7) = -5;
    EXPECT_EQ(AnalyseDrift(workedExample, both).compensation.tcPpm, -750);
    // A drift the other way asks for NP0, and a variable part cannot be split.
    s.Tc(Part::C37) = -750;
    EXPECT_EQ(AnalyseDrift(workedExample, s).compensation.tcPpm, 0);
    EXPECT_FALSE(AnalyseDrift(workedExample, s, Part::C38).compensation.possible);
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
