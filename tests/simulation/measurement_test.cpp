// Judging sampled start-ups: frequency, swing and start-up time, or what was seen instead.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "simulation/OscillationMeasurement.h"

using namespace calbrine;

namespace {

constexpr double calculatedHz = 5e6;
constexpr double period = 1 / calculatedHz;

// 400 periods at unevenly spaced points, as ngspice gives them; the emitter swings twice as
// much as the output.
Waveforms Sampled(const std::function<double(double)>& output) {
    Waveforms w;
    for (double t = 0; t < 400 * period; t += (w.time.size() % 2 ? 0.6 : 1.4) * period / 100) {
        w.time.push_back(t);
        w.output.push_back(output(t));
        w.emitter.push_back(3 + 2 * (output(t) - 4.4));
    }
    return w;
}

// A swing that grows to 1 V peak to peak with a time constant of 20 periods, around a bias
// that settles to 4.4 V.
double Growing(double t, double hz) {
    const double envelope = 0.5 * (1 - std::exp(-t / (20 * period)));
    return 4.4 * (1 - std::exp(-t / (5 * period))) + envelope * std::sin(2 * M_PI * hz * t);
}

}  // namespace

TEST(Measurement, SteadyOscillationGivesFrequencySwingAndStartup) {
    const OscillationMeasure m =
        MeasureOscillation(Sampled([](double t) { return Growing(t, 4.98e6); }), calculatedHz);
    ASSERT_TRUE(m.oscillates) << m.observation;
    EXPECT_NEAR(m.frequencyHz, 4.98e6, 4.98e6 * 1e-6);
    EXPECT_NEAR(m.outputVpp, 1.0, 0.01);
    EXPECT_NEAR(m.emitterVpp, 2.0, 0.02);
    // The swing reaches 90 % after ln(10) time constants: 46 periods.
    EXPECT_NEAR(m.startupSeconds / period, 46, 2);

    // A ripple that crosses the mean three times per rise counts once.
    const OscillationMeasure rippled = MeasureOscillation(
        Sampled([](double t) {
            return Growing(t, 4.98e6) - 0.08 * std::sin(2 * M_PI * 9 * 4.98e6 * t);
        }),
        calculatedHz);
    EXPECT_NEAR(rippled.frequencyHz, 4.98e6, 4.98e6 * 1e-5);
    // A small swing above the 10 mV floor still counts.
    EXPECT_TRUE(
        MeasureOscillation(Sampled([](double t) { return 0.015 * Growing(t, 5e6); }), calculatedHz)
            .oscillates);
}

TEST(Measurement, NoOscillationSaysWhatWasSeen) {
    struct Case {
        const char* what;
        std::function<double(double)> output;
        const char* seen;
    };
    const Case cases[] = {
        {"ringing that dies away",
         [](double t) { return std::exp(-t / (10 * period)) * std::sin(2 * M_PI * 5e6 * t); },
         "output stays below 10 mV"},
        {"a steady swing of 6 mV", [](double t) { return 0.006 * Growing(t, 5e6); },
         "output stays below 10 mV"},
        {"a steady swing far from the tank", [](double t) { return Growing(t, 11e6); },
         "runs at 1.1e+07 Hz instead"},
        {"a swing that keeps pumping",
         [](double t) {
             return (1 + 0.5 * std::sin(2 * M_PI * t / (60 * period))) *
                    std::sin(2 * M_PI * 5e6 * t);
         },
         "does not settle"},
        {"a swing still building up at the end",
         [](double t) { return t / (400 * period) * std::sin(2 * M_PI * 5e6 * t); },
         "does not settle"},
    };
    for (const Case& c : cases) {
        const OscillationMeasure m = MeasureOscillation(Sampled(c.output), calculatedHz);
        EXPECT_FALSE(m.oscillates) << c.what;
        EXPECT_EQ(m.frequencyHz, 0) << c.what;
        EXPECT_NE(m.observation.find(c.seen), std::string::npos) << c.what << ": " << m.observation;
    }
}

TEST(Measurement, TooShortOrMismatchedWaveformsAreNotJudged) {
    Waveforms w = Sampled([](double t) { return Growing(t, 5e6); });
    EXPECT_FALSE(MeasureOscillation(w, 1e6).oscillates);  // 80 periods of 1 MHz only
    w.emitter.pop_back();
    EXPECT_FALSE(MeasureOscillation(w, calculatedHz).oscillates);
    EXPECT_FALSE(MeasureOscillation(Waveforms{}, calculatedHz).oscillates);
}
