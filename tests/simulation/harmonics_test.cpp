// Harmonic levels of waveforms with known harmonics, sampled at uneven times as ngspice
// gives them, over spans that are not a whole number of periods.
#include <gtest/gtest.h>

#include <cmath>

#include "simulation/Harmonics.h"

using namespace calbrine;

namespace {

// A 5.3 MHz swing on a 4.4 V bias with harmonics at the given levels (dBc, [1] the second),
// each with a phase of its own, over 300.4 periods at 100 uneven points per period.
struct Sampled {
    std::vector<double> time, volts;
};

Sampled Wave(const std::array<double, SpectrumHarmonics>& dbc, double hz = 5.3e6) {
    Sampled s;
    const double period = 1 / hz;
    for (double t = 0; t < 300.4 * period; t += (s.time.size() % 3 ? 0.7 : 1.6) * period / 100) {
        double v = 4.4;
        for (int k = 1; k <= SpectrumHarmonics; ++k) {
            v += 0.6 * std::pow(10, dbc[k - 1] / 20) * std::sin(2 * M_PI * k * hz * t + 0.7 * k);
        }
        s.time.push_back(t);
        s.volts.push_back(v);
    }
    return s;
}

}  // namespace

TEST(Harmonics, LevelsOfKnownHarmonicsOverWholePeriods) {
    struct Case {
        std::array<double, SpectrumHarmonics> dbc;
        double tolerance;  // dB
    };
    const Case cases[] = {
        {{0, -40, -65, -300, -80}, 0.05},  // no fourth: nothing leaks into it
        {{0, -12.5, -30, -47, -59}, 0.02},
        {{0, -300, -90, -300, -300}, 0.5},  // a clean output with a trace of the third
    };
    for (const Case& c : cases) {
        const Sampled s = Wave(c.dbc);
        const HarmonicLevels levels =
            MeasureHarmonics(s.time, s.volts, 5.3e6, s.time.back() / 2, s.time.back());
        ASSERT_TRUE(levels.measured);
        EXPECT_EQ(levels.dbc[0], 0);
        for (int k = 1; k < SpectrumHarmonics; ++k) {
            if (c.dbc[k] < -200) {
                EXPECT_LT(levels.dbc[k], -110) << "harmonic " << k + 1;
            } else {
                EXPECT_NEAR(levels.dbc[k], c.dbc[k], c.tolerance) << "harmonic " << k + 1;
            }
        }
    }
}

TEST(Harmonics, NotMeasuredWithoutFourPeriodsOrAFundamental) {
    const Sampled s = Wave({0, -40, -60, -80, -100});
    const double period = 1 / 5.3e6;
    const double end = s.time.back();
    EXPECT_FALSE(MeasureHarmonics(s.time, s.volts, 5.3e6, end - 3.9 * period, end).measured);
    EXPECT_TRUE(MeasureHarmonics(s.time, s.volts, 5.3e6, end - 4.1 * period, end).measured);
    EXPECT_FALSE(MeasureHarmonics(s.time, s.volts, 0, 0, end).measured);
    const std::vector<double> flat(s.time.size(), 4.4);
    EXPECT_FALSE(MeasureHarmonics(s.time, flat, 5.3e6, 0, end).measured);
}

TEST(Harmonics, AmplitudesOfUniformSamples) {
    // Three periods of 1 V at the fundamental and 0.25 V at the third, 16 samples a period.
    std::vector<double> uniform;
    for (int j = 0; j < 48; ++j) {
        const double turn = 2 * M_PI * j / 16;
        uniform.push_back(2 + std::cos(turn) + 0.25 * std::sin(3 * turn));
    }
    const auto amplitude = HarmonicAmplitudes(uniform, 3);
    const double expected[] = {1, 0, 0.25, 0, 0};
    for (int k = 0; k < SpectrumHarmonics; ++k) {
        EXPECT_NEAR(amplitude[k], expected[k], 1e-12) << "harmonic " << k + 1;
    }
}
