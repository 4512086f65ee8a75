#include "simulation/Harmonics.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace calbrine {

namespace {

// The value at `t` of the cubic through the four samples around it (fewer at the ends).
double Interpolate(const std::vector<double>& time, const std::vector<double>& volts,
                   std::size_t above, double t) {
    const std::size_t n = time.size();
    const std::size_t first = above < 2 ? 0 : std::min(above - 2, n < 4 ? 0 : n - 4);
    const std::size_t last = std::min(first + 4, n);
    double value = 0;
    for (std::size_t i = first; i < last; ++i) {
        double weight = 1;
        for (std::size_t j = first; j < last; ++j) {
            if (j != i) {
                weight *= (t - time[j]) / (time[i] - time[j]);
            }
        }
        value += weight * volts[i];
    }
    return value;
}

}  // namespace

std::array<double, SpectrumHarmonics> HarmonicAmplitudes(const std::vector<double>& uniform,
                                                         int periods) {
    std::array<double, SpectrumHarmonics> amplitude{};
    const double samples = static_cast<double>(uniform.size());
    for (int k = 1; k <= SpectrumHarmonics; ++k) {
        // The bin of the k-th harmonic: k whole turns per period.
        std::complex<double> sum = 0;
        for (std::size_t j = 0; j < uniform.size(); ++j) {
            sum += uniform[j] * std::polar(1.0, -2 * M_PI * k * periods * (j / samples));
        }
        amplitude[k - 1] = 2 * std::abs(sum) / samples;
    }
    return amplitude;
}

HarmonicLevels MeasureHarmonics(const std::vector<double>& time, const std::vector<double>& volts,
                                double hz, double from, double to) {
    HarmonicLevels levels;
    if (!(hz > 0) || time.size() < 4 || volts.size() != time.size()) {
        return levels;
    }
    from = std::max(from, time.front());
    to = std::min(to, time.back());
    const int periods = std::min(SpectrumPeriods, static_cast<int>(std::floor((to - from) * hz)));
    if (periods < 4) {
        return levels;
    }
    const int count = periods * SpectrumSamplesPerPeriod;
    const double start = to - periods / hz;
    const double step = 1 / (hz * SpectrumSamplesPerPeriod);
    std::vector<double> uniform(count);
    std::size_t above = 0;
    double largest = 0;
    for (int j = 0; j < count; ++j) {
        const double t = start + j * step;
        while (above + 1 < time.size() && time[above] < t) {
            ++above;
        }
        uniform[j] = Interpolate(time, volts, above, t);
        largest = std::max(largest, std::fabs(uniform[j]));
    }
    const std::array<double, SpectrumHarmonics> amplitude = HarmonicAmplitudes(uniform, periods);
    // A fundamental at the rounding error of the samples is none.
    if (!(amplitude[0] > 1e-12 * largest)) {
        return levels;
    }
    levels.measured = true;
    for (int k = 0; k < SpectrumHarmonics; ++k) {
        levels.dbc[k] = 20 * std::log10(std::max(amplitude[k], 1e-300) / amplitude[0]);
    }
    return levels;
}

}  // namespace calbrine
