#include "simulation/OscillationMeasurement.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace calbrine {

namespace {

// Samples [first, last) whose time lies in [from, to].
struct Span {
    std::size_t first = 0;
    std::size_t last = 0;
};

Span Between(const std::vector<double>& time, double from, double to) {
    const auto first = std::lower_bound(time.begin(), time.end(), from);
    const auto last = std::upper_bound(first, time.end(), to);
    return {static_cast<std::size_t>(first - time.begin()),
            static_cast<std::size_t>(last - time.begin())};
}

double PeakToPeak(const std::vector<double>& v, Span s) {
    if (s.first >= s.last) {
        return 0;
    }
    const auto [low, high] = std::minmax_element(v.begin() + s.first, v.begin() + s.last);
    return *high - *low;
}

// The time average, so that ngspice's closely spaced points do not weigh more.
double Mean(const std::vector<double>& time, const std::vector<double>& v, Span s) {
    double area = 0;
    for (std::size_t i = s.first + 1; i < s.last; ++i) {
        area += (v[i] + v[i - 1]) / 2 * (time[i] - time[i - 1]);
    }
    const double length = time[s.last - 1] - time[s.first];
    return length > 0 ? area / length : v[s.first];
}

// Interpolated times at which `v` rises through `level`; it must first fall below
// level - band, so that ripple near the level is not counted twice.
std::vector<double> RisingCrossings(const Waveforms& w, Span s, double level, double band) {
    std::vector<double> times;
    bool armed = false;
    for (std::size_t i = s.first + 1; i < s.last; ++i) {
        const double a = w.output[i - 1];
        const double b = w.output[i];
        armed = armed || b < level - band;
        if (armed && a < level && b >= level) {
            times.push_back(w.time[i - 1] + (level - a) / (b - a) * (w.time[i] - w.time[i - 1]));
            armed = false;
        }
    }
    return times;
}

// The largest relative difference between the swings of ten equal blocks of the span.
double AmplitudeSpread(const Waveforms& w, double from, double to) {
    double low = INFINITY, high = 0;
    for (int block = 0; block < 10; ++block) {
        const double start = from + (to - from) * block / 10;
        const double vpp = PeakToPeak(w.output, Between(w.time, start, start + (to - from) / 10));
        low = std::min(low, vpp);
        high = std::max(high, vpp);
    }
    return high > 0 ? (high - low) / high : 1;
}

std::string Figure(double value) {
    char buffer[32];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 4).ptr;
    return std::string(buffer, end);
}

OscillationMeasure NotOscillating(OscillationMeasure m, const std::string& seen) {
    m.oscillates = false;
    m.frequencyHz = 0;
    m.startupSeconds = 0;
    m.observation = seen;
    return m;
}

}  // namespace

double SwingBetween(const std::vector<double>& time, const std::vector<double>& v, double from,
                    double to) {
    return PeakToPeak(v, Between(time, from, to));
}

namespace {

std::vector<double> RisesBetween(const Waveforms& w, double from, double to) {
    const Span span = Between(w.time, from, to);
    if (span.last < span.first + 2) {
        return {};
    }
    const double band = PeakToPeak(w.output, span) / 10;
    return RisingCrossings(w, span, Mean(w.time, w.output, span), band);
}

}  // namespace

double CrossingFrequency(const Waveforms& w, double from, double to) {
    const std::vector<double> rises = RisesBetween(w, from, to);
    return rises.size() < 3 ? 0 : (rises.size() - 1) / (rises.back() - rises.front());
}

double FittedFrequency(const Waveforms& w, double from, double to) {
    const std::vector<double> rises = RisesBetween(w, from, to);
    if (rises.size() < 3) {
        return 0;
    }
    // The slope of the times against their count, about their means.
    const double n = static_cast<double>(rises.size());
    double mean = 0;
    for (double t : rises) {
        mean += t / n;
    }
    double sum = 0, squares = 0;
    for (std::size_t i = 0; i < rises.size(); ++i) {
        const double k = static_cast<double>(i) - (n - 1) / 2;
        sum += k * (rises[i] - mean);
        squares += k * k;
    }
    return sum > 0 ? squares / sum : 0;
}

double StartupTime(const Waveforms& w, double period, double finalVpp) {
    double settledAt = 0;
    for (double from = 0; from + period <= w.time.back(); from += period) {
        if (PeakToPeak(w.output, Between(w.time, from, from + period)) < 0.9 * finalVpp) {
            settledAt = from + period;
        }
    }
    return settledAt;
}

OscillationMeasure MeasureOscillation(const Waveforms& w, double calculatedHz) {
    OscillationMeasure m;
    const double period = 1 / calculatedHz;
    const std::size_t n = w.time.size();
    if (!(calculatedHz > 0) || n < 2 || w.output.size() != n || w.emitter.size() != n ||
        w.time.back() < 2 * SettledPeriods * period) {
        return NotOscillating(m, "the run is too short to judge");
    }
    const double end = w.time.back();
    const double finalVpp =
        PeakToPeak(w.output, Between(w.time, end - SettledPeriods * period, end));
    m.startupSeconds = StartupTime(w, period, finalVpp);
    const double from = std::max(end / 2, m.startupSeconds);
    const Span settled = Between(w.time, from, end);
    m.emitterVpp = PeakToPeak(w.emitter, settled);
    m.outputVpp = PeakToPeak(w.output, settled);
    const std::string swing = " (output " + Figure(m.outputVpp) + " V peak to peak)";
    if (m.outputVpp < SmallestOutputVpp) {
        return NotOscillating(m, "output stays below 10 mV" + swing);
    }
    if (end - from < SettledPeriods * period ||
        AmplitudeSpread(w, from, end) > SteadyAmplitudeSpread) {
        return NotOscillating(m, "the swing does not settle" + swing);
    }
    const std::vector<double> rises =
        RisingCrossings(w, settled, Mean(w.time, w.output, settled), m.outputVpp / 10);
    if (rises.size() < 3) {
        return NotOscillating(m, "no repeated swing through the mean" + swing);
    }
    const double hz = (rises.size() - 1) / (rises.back() - rises.front());
    if (std::fabs(hz / calculatedHz - 1) > FrequencyTolerance) {
        return NotOscillating(m, "runs at " + Figure(hz) + " Hz instead, far from the tank's " +
                                     Figure(calculatedHz) + " Hz" + swing);
    }
    m.oscillates = true;
    m.frequencyHz = hz;
    return m;
}

}  // namespace calbrine
