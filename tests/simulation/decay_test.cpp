// The decay of a ring-down measured from sampled waveforms.
#include <gtest/gtest.h>

#include <cmath>

#include "simulation/QualityRuns.h"

using namespace calbrine;

namespace {

// A ring-down at 1 MHz, 100 samples a period, for `periods`: the base's swing falls by e every
// 5 periods from 1 V (below 0.3 V from the 7th period on); the current's envelope falls by e
// every 3 periods until then and every 20 after, on a drifting bias.
void RingDown(int periods, std::vector<double>& t, std::vector<double>& base,
              std::vector<double>& coil) {
    const double hz = 1e6;
    const double pi = 3.141592653589793;
    for (int i = 0; i <= periods * 100; ++i) {
        const double k = i / 100.0;  // periods
        const double envelope = k < 6 ? std::exp(-k / 3) : std::exp(-2 - (k - 6) / 20);
        t.push_back(k / hz);
        base.push_back(0.7 - 0.01 * k + std::exp(-k / 5) * std::sin(2 * pi * k));
        coil.push_back(1e-3 * k + 0.05 * envelope * std::cos(2 * pi * k));
    }
}

}  // namespace

TEST(RingDownDecay, FittedFromWhereTheBaseSwingsLessThanTheLimitOverTwoTimeConstants) {
    std::vector<double> t, base, coil;
    RingDown(60, t, base, coil);
    EXPECT_NEAR(DecayTime(t, base, coil, 1e6), 20e-6, 0.2e-6);
    // Until the envelope has fallen by two time constants after the 6th period, no answer.
    std::vector<double> t2, base2, coil2;
    RingDown(46, t2, base2, coil2);
    EXPECT_EQ(DecayTime(t2, base2, coil2, 1e6), 0);
    // A base that never falls below the limit: no answer.
    for (std::size_t i = 0; i < t.size(); ++i) {
        base[i] = 0.7 + 0.31 * std::sin(2 * 3.141592653589793 * t[i] * 1e6);
    }
    EXPECT_EQ(DecayTime(t, base, coil, 1e6), 0);
}
