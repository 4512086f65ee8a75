// The phase-noise curve the explorer draws: its offsets evenly spaced on a logarithmic axis from
// end to end, and its levels Leeson's formula worked by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "runs/PhaseNoise.h"

using namespace calbrine;

namespace {

// L(fm) for the inputs below, in double: 5 MHz, QL 80, Ps 1 mW, F 6 dB, fc 1 kHz.
double ByHand(double fm) {
    const double x = 5e6 / (2 * 80 * fm);
    return 10 * std::log10(0.5 * std::pow(10, 0.6) * 1.380649e-23 * 290 / 1e-3 * (1 + x * x) *
                           (1 + 1e3 / fm));
}

}  // namespace

TEST(PhaseNoiseCurve, FollowsLeesonsFormulaFromEndToEnd) {
    LeesonInputs in;
    in.f0Hz = 5e6f;
    in.loadedQ = 80;
    in.tankPowerW = 1e-3f;
    in.noiseFigureDb = 6;
    in.flickerHz = 1e3f;
    const std::vector<PhaseNoisePoint> curve = LeesonCurve(in);
    ASSERT_EQ(curve.size(), 101u);  // five decades of twenty, and the far end
    EXPECT_EQ(curve.front().offsetHz, 10.0f);
    EXPECT_EQ(curve.back().offsetHz, 1e6f);
    for (std::size_t i = 1; i < curve.size(); ++i) {
        EXPECT_NEAR(std::log10(curve[i].offsetHz / curve[i - 1].offsetHz), 0.05, 1e-5) << i;
    }
    // Inside the resonator's half bandwidth (31 kHz) and outside it, where the slope differs.
    for (std::size_t i : {40u, 80u}) {
        const double fm = std::pow(10.0, 1 + static_cast<double>(i) / 20);
        EXPECT_NEAR(curve[i].offsetHz, fm, fm * 1e-5) << i;
        EXPECT_NEAR(curve[i].dbcPerHz, ByHand(fm), 0.01) << i;
    }
    // A span that is no span of offsets draws nothing; one offset, one point.
    EXPECT_TRUE(LeesonCurve(in, 0, 1e6f).empty());
    EXPECT_TRUE(LeesonCurve(in, 1e3f, 100).empty());
    EXPECT_EQ(LeesonCurve(in, 100, 100).size(), 1u);
}
