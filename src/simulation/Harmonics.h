// How clean the oscillator's output is: the levels of its harmonics against the fundamental,
// from a whole number of settled periods of a waveform sampled at uneven times.
#pragma once

#include <array>
#include <vector>

namespace calbrine {

// The fundamental and its harmonics up to the fifth.
constexpr int SpectrumHarmonics = 5;
// Periods taken at most, ending at the end of the span, and uniform samples per period.
constexpr int SpectrumPeriods = 64;
constexpr int SpectrumSamplesPerPeriod = 64;

struct HarmonicLevels {
    bool measured = false;
    // dB against the fundamental: [0] is the fundamental itself (0 dB), [1] the second
    // harmonic, [2] the third ... (negative, or lower still, for a clean output).
    std::array<double, SpectrumHarmonics> dbc{};
};

// The levels over the whole periods of `hz` that fit in [from, to] (at most SpectrumPeriods,
// the last ones): the samples are first interpolated (cubic, through four neighbours) onto a
// uniform grid of SpectrumSamplesPerPeriod points per period, so that each harmonic falls
// exactly on a bin of the transform and nothing leaks between them. Not measured when fewer
// than four periods fit or the fundamental is lost in the rounding of the samples.
HarmonicLevels MeasureHarmonics(const std::vector<double>& time, const std::vector<double>& volts,
                                double hz, double from, double to);

// Amplitudes of the fundamental and harmonics of uniform samples that span exactly `periods`
// periods.
std::array<double, SpectrumHarmonics> HarmonicAmplitudes(const std::vector<double>& uniform,
                                                         int periods);

}  // namespace calbrine
