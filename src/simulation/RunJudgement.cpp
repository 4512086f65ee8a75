#include "simulation/RunJudgement.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace calbrine {

namespace {

double Average(const std::vector<double>& v, std::size_t first, std::size_t last) {
    double sum = 0;
    for (std::size_t i = first; i < last; ++i) {
        sum += v[i];
    }
    return last > first ? sum / (last - first) : 0;
}

// Whether a quantity whose last two changes from block to block were `d1` then `d2` has
// settled to within `tolerance`: either the changes shrink as a geometric series whose rest,
// with half the last change, is within it; or they change sign, with the net change within
// `noise` and neither change beyond twice it, which is noise about a settled value.
bool Settled(double d1, double d2, double tolerance, double noise) {
    if (std::fabs(d1) < tolerance / 10 && std::fabs(d2) < tolerance / 10) {
        return true;
    }
    if (d1 * d2 <= 0) {
        return std::fabs(d1 + d2) < noise && std::max(std::fabs(d1), std::fabs(d2)) < 2 * noise;
    }
    const double q = d2 / d1;
    return q < 1 && std::fabs(d2) * (0.5 + q / (1 - q)) < tolerance;
}

std::string Figure(double value) {
    char buffer[32];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 4).ptr;
    return std::string(buffer, end);
}

}  // namespace

std::vector<double> PeriodSwings(const Waveforms& w, double calculatedHz, double from) {
    std::vector<double> swings;
    const double period = 1 / calculatedHz;
    if (w.time.empty()) {
        return swings;
    }
    auto first = std::lower_bound(w.time.begin(), w.time.end(), from);
    for (double start = from; start + period <= w.time.back() * (1 + 1e-12); start += period) {
        const auto last = std::upper_bound(first, w.time.end(), start + period);
        const std::size_t a = static_cast<std::size_t>(first - w.time.begin());
        const std::size_t b = static_cast<std::size_t>(last - w.time.begin());
        double low = INFINITY, high = -INFINITY;
        if (b > a + 1) {
            const double slope = (w.output[b - 1] - w.output[a]) / (w.time[b - 1] - w.time[a]);
            for (std::size_t i = a; i < b; ++i) {
                const double v = w.output[i] - slope * (w.time[i] - w.time[a]);
                low = std::min(low, v);
                high = std::max(high, v);
            }
        }
        swings.push_back(b > a + 1 ? high - low : 0);
        first = last;
    }
    return swings;
}

GrowthVerdict JudgeGrowth(const Waveforms& w, double calculatedHz) {
    GrowthVerdict verdict;
    const std::vector<double> swings = PeriodSwings(w, calculatedHz, KickPeriods / calculatedHz);
    if (swings.size() < 2 * GrowthPeriods) {
        return verdict;
    }
    const std::size_t n = swings.size();
    const double before = Average(swings, n - 2 * GrowthPeriods, n - GrowthPeriods);
    verdict.swing = Average(swings, n - GrowthPeriods, n);
    verdict.perPeriod =
        before > 0 && verdict.swing > 0 ? std::log(verdict.swing / before) / GrowthPeriods : 0;
    if (verdict.perPeriod > DecidingGrowth) {
        verdict.growth = Growth::Grows;
    } else if (verdict.swing < SmallestOutputVpp) {
        verdict.growth = verdict.perPeriod < -DecidingGrowth ? Growth::Dies : Growth::Undecided;
    } else if (verdict.perPeriod >= -DecidingGrowth) {
        verdict.growth = Growth::Steady;
    }
    return verdict;
}

bool HasSettled(const Waveforms& w, double calculatedHz, double from, double tolerance) {
    const double block = BlockPeriods / calculatedHz;
    if (w.time.empty() || w.time.back() - from < 3 * block * (1 - 1e-9)) {
        return false;
    }
    const double end = w.time.back();
    double hz[3], swing[3];
    for (int b = 0; b < 3; ++b) {
        const double start = end - (3 - b) * block;
        hz[b] = CrossingFrequency(w, start, start + block);
        swing[b] = SwingBetween(w.time, w.output, start, start + block);
        if (hz[b] <= 0 || swing[b] < SmallestOutputVpp) {
            return false;
        }
    }
    return Settled((hz[1] - hz[0]) / hz[2], (hz[2] - hz[1]) / hz[2], tolerance, tolerance) &&
           Settled((swing[1] - swing[0]) / swing[2], (swing[2] - swing[1]) / swing[2], SettledSwing,
                   SettledSwing);
}

bool HasConverged(const Waveforms& w, double calculatedHz, double from, const Convergence& c) {
    const double window = c.windowBlocks * BlockPeriods / calculatedHz;
    if (w.time.empty() || w.time.back() - from < 2 * window * (1 - 1e-9)) {
        return false;
    }
    const double end = w.time.back();
    const double hz[2] = {FittedFrequency(w, end - 2 * window, end - window),
                          FittedFrequency(w, end - window, end)};
    const double swing[2] = {SwingBetween(w.time, w.output, end - 2 * window, end - window),
                             SwingBetween(w.time, w.output, end - window, end)};
    return hz[0] > 0 && hz[1] > 0 && std::min(swing[0], swing[1]) >= SmallestOutputVpp &&
           std::fabs(hz[1] / hz[0] - 1) < c.frequency &&
           std::fabs(swing[1] / swing[0] - 1) < SettledSwing;
}

OscillationMeasure MeasureSettled(const Waveforms& w, double calculatedHz, bool fromKick,
                                  int blocks) {
    OscillationMeasure m;
    const double end = w.time.back();
    const double from = end - blocks * BlockPeriods / calculatedHz;
    m.emitterVpp = SwingBetween(w.time, w.emitter, from, end);
    m.outputVpp = SwingBetween(w.time, w.output, from, end);
    const double hz = FittedFrequency(w, from, end);
    const std::string swing = " (output " + Figure(m.outputVpp) + " V peak to peak)";
    if (m.outputVpp < SmallestOutputVpp) {
        m.observation = "output stays below 10 mV" + swing;
    } else if (std::fabs(hz / calculatedHz - 1) > FrequencyTolerance) {
        m.observation = "runs at " + Figure(hz) + " Hz instead, far from the tank's " +
                        Figure(calculatedHz) + " Hz" + swing;
    } else {
        m.oscillates = true;
        m.frequencyHz = hz;
        m.startupSeconds = fromKick ? StartupTime(w, 1 / calculatedHz, m.outputVpp) : 0;
    }
    return m;
}

}  // namespace calbrine
