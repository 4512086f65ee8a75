// The tank's capacitance network: its value at sums checked by hand, the share of each branch,
// and its slopes and sensitivities against finite differences.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "../support/Fixtures.h"
#include "design/Tank.h"
#include "design/Tuning.h"

using namespace calbrine;
using calbrine_test::reversedExample;
using calbrine_test::workedExample;

namespace {

// In picofarads, so that the hand sums come out exact: D9 20 with C39 20 gives 10; with C37 30,
// C38 40 and C90 20 the parallel group is 100; C34 and C35 of 200 give a divider of 100; the
// two in series give 50, and C15 10 across them 60.
DesignRecord RoundTank() {
    DesignRecord d;
    d.C39 = 20;
    d.C37 = 30;
    d.C90 = 20;
    d.C15 = 10;
    d.C34 = 200;
    d.C35 = 200;
    return d;
}

}  // namespace

TEST(Tank, HandCheckedValues) {
    const Tank<float> single(RoundTank());
    const Tank<double> twice(RoundTank());
    EXPECT_EQ(single.FineBranch(20), 10.0f);
    EXPECT_EQ(single.Parallel(20, 40), 100.0f);
    EXPECT_EQ(single.Divider(), 100.0f);
    EXPECT_EQ(single.Total(100), 60.0f);
    EXPECT_EQ(single.Capacitance(20, 40), 60.0f);
    EXPECT_EQ(twice.Capacitance(20, 40), 60.0);
    // 60 pF with 10 uH: 1 / (2 pi sqrt(6e-16)), and back.
    EXPECT_NEAR(ResonanceOf(60e-12, 10e-6), 6497473.2, 1);
    EXPECT_NEAR(ResonantProduct(ResonanceOf(60e-12, 10e-6)) / 6e-16, 1, 1e-15);
}

// Each branch changed alone from the round tank, the total worked by hand.
TEST(Tank, EachBranchInItsPlace) {
    struct Case {
        const char* change;
        std::function<void(DesignRecord&, double& cfine, double& ccoarse)> apply;
        double total;
    };
    const Case cases[] = {
        {"D9 open: the parallel group 90", [](DesignRecord&, double& f, double&) { f = 0; },
         100.0 * 90 / 190 + 10},
        {"D9 30 with C39 60: the fine branch 20",
         [](DesignRecord& d, double& f, double&) {
             f = 30;
             d.C39 = 60;
         },
         100.0 * 110 / 210 + 10},
        {"C37 and C90 taken out: the parallel group 50",
         [](DesignRecord& d, double&, double&) { d.C37 = d.C90 = 0; }, 100.0 * 50 / 150 + 10},
        {"C38 at 90: the parallel group 150", [](DesignRecord&, double&, double& c) { c = 90; },
         100.0 * 150 / 250 + 10},
        {"C34 100 and C35 300: the divider 75",
         [](DesignRecord& d, double&, double&) {
             d.C34 = 100;
             d.C35 = 300;
         },
         75.0 * 100 / 175 + 10},
        {"C15 taken out", [](DesignRecord& d, double&, double&) { d.C15 = 0; }, 50},
        {"C15 35 across all", [](DesignRecord& d, double&, double&) { d.C15 = 35; }, 85},
    };
    for (const Case& c : cases) {
        DesignRecord d = RoundTank();
        double cfine = 20;
        double ccoarse = 40;
        c.apply(d, cfine, ccoarse);
        EXPECT_NEAR(Tank<double>(d).Capacitance(cfine, ccoarse), c.total, 1e-12) << c.change;
        EXPECT_NEAR(
            Tank<float>(d).Capacitance(static_cast<float>(cfine), static_cast<float>(ccoarse)),
            c.total, 1e-5)
            << c.change;
    }
}

// The slope to the parallel group and every part's d(ln f)/d(ln x), against central differences
// of the tank's own resonance in double.
TEST(Tank, SlopesMatchFiniteDifferences) {
    // The record's CfineNom stands for D9's setting and CcoarseMin for C38's, so that every part
    // is a field that can be scaled alike.
    using Figures = TankSensitivities<double>;
    const struct {
        const char* name;
        float DesignRecord::*field;
        double Figures::*sensitivity;
    } parts[] = {
        {"D9", &DesignRecord::CfineNom, &Figures::fine},
        {"C39", &DesignRecord::C39, &Figures::c39},
        {"C37", &DesignRecord::C37, &Figures::c37},
        {"C38", &DesignRecord::CcoarseMin, &Figures::coarse},
        {"C90", &DesignRecord::C90, &Figures::c90},
        {"C15", &DesignRecord::C15, &Figures::c15},
        {"C34", &DesignRecord::C34, &Figures::c34},
        {"C35", &DesignRecord::C35, &Figures::c35},
        {"L7", &DesignRecord::L7, &Figures::l7},
    };
    const auto lnF = [](const DesignRecord& d) {
        return std::log(ResonanceOf(Tank<double>(d).Capacitance(d.CfineNom, d.CcoarseMin), d.L7));
    };
    for (DesignRecord design : {WithNominalFine(workedExample), WithNominalFine(reversedExample)}) {
        for (const float ccoarse : {design.CcoarseMin, design.CcoarseMax}) {
            design.CcoarseMin = ccoarse;
            const Tank<double> tank(design);
            const double parallel = tank.Parallel(design.CfineNom, ccoarse);
            const double h = 1e-4 * parallel;
            const double slope = tank.TotalSlope(parallel);
            EXPECT_NEAR(slope, (tank.Total(parallel + h) - tank.Total(parallel - h)) / (2 * h),
                        1e-7 * slope);

            const Figures s = tank.Sensitivities(design.CfineNom, ccoarse);
            for (const auto& part : parts) {
                DesignRecord up = design;
                DesignRecord down = design;
                up.*part.field = static_cast<float>(design.*part.field * 1.001);
                down.*part.field = static_cast<float>(design.*part.field * 0.999);
                // The scaled singles are rounded: divide by the step they really took.
                const double step =
                    std::log(static_cast<double>(up.*part.field) / down.*part.field);
                const double numeric = (lnF(up) - lnF(down)) / step;
                EXPECT_NEAR(s.*part.sensitivity, numeric, 1e-5 * std::fabs(numeric) + 1e-9)
                    << part.name << " with C38 at " << ccoarse;
            }
        }
    }
}
