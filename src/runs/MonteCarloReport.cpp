#include <algorithm>
#include <cmath>

#include "analysis/ReportText.h"
#include "runs/MonteCarlo.h"

namespace calbrine {

namespace {

SettingSpread Spread(const DesignRecord& design, const PartSettings& settings,
                     const std::vector<MonteCarloRun>& runs, std::size_t index) {
    SettingSpread s;
    s.setting = MonteCarloSettings[index];
    // The resonance falls as any part grows: every part high is the lowest frequency.
    PartFactors high{};
    PartFactors low{};
    for (Part p : AllParts) {
        const std::size_t i = static_cast<std::size_t>(p);
        high[i] = 1 + settings.Tolerance(p) / 100;
        low[i] = 1 - settings.Tolerance(p) / 100;
    }
    s.worstLowHz = CalculatedFrequency(DrawnDesign(design, high), s.setting);
    s.worstHighHz = CalculatedFrequency(DrawnDesign(design, low), s.setting);
    s.runs = static_cast<int>(runs.size());
    double sum = 0, squares = 0, vppSum = 0;
    s.minHz = s.minVpp = HUGE_VAL;
    s.maxHz = s.maxVpp = -HUGE_VAL;
    for (const MonteCarloRun& run : runs) {
        const OscillationMeasure& m = run.settings[index].measure;
        s.minVpp = std::min(s.minVpp, m.outputVpp);
        s.maxVpp = std::max(s.maxVpp, m.outputVpp);
        vppSum += m.outputVpp;
        if (m.oscillates) {
            ++s.oscillating;
            s.minHz = std::min(s.minHz, m.frequencyHz);
            s.maxHz = std::max(s.maxHz, m.frequencyHz);
            sum += m.frequencyHz;
        }
    }
    s.meanVpp = runs.empty() ? 0 : vppSum / s.runs;
    if (s.oscillating == 0) {
        s.minHz = s.maxHz = 0;
    } else {
        s.meanHz = sum / s.oscillating;
        for (const MonteCarloRun& run : runs) {
            const OscillationMeasure& m = run.settings[index].measure;
            squares += m.oscillates ? (m.frequencyHz - s.meanHz) * (m.frequencyHz - s.meanHz) : 0;
        }
        s.deviationHz = s.oscillating > 1 ? std::sqrt(squares / (s.oscillating - 1)) : 0;
    }
    if (runs.empty()) {
        s.minVpp = s.maxVpp = 0;
    }
    return s;
}

TableCell Hz(double hz, bool shown) {
    return shown ? TableCell{FrequencyText(hz), PlainNumber(hz)} : TableCell{"-", ""};
}

}  // namespace

std::array<SettingSpread, 2> MonteCarloSpreads(const DesignRecord& design,
                                               const PartSettings& settings,
                                               const std::vector<MonteCarloRun>& runs) {
    return {Spread(design, settings, runs, 0), Spread(design, settings, runs, 1)};
}

ReportTable MonteCarloTable(const std::array<SettingSpread, 2>& spreads) {
    ReportTable table;
    table.columns = {{"Setting", "setting"},
                     {"Oscillates", "oscillating"},
                     {"Min", "min_hz"},
                     {"Mean", "mean_hz"},
                     {"Max", "max_hz"},
                     {"Std dev", "std_dev_hz"},
                     {"Worst low", "worst_low_hz"},
                     {"Worst high", "worst_high_hz"},
                     {"Vpp min", "vpp_min"},
                     {"Vpp mean", "vpp_mean"},
                     {"Vpp max", "vpp_max"}};
    for (const SettingSpread& s : spreads) {
        const bool any = s.oscillating > 0;
        const std::string share = std::to_string(s.oscillating) + " of " + std::to_string(s.runs);
        const auto volts = [](double v) { return TableCell{PlainNumber(v, 3), PlainNumber(v)}; };
        table.rows.push_back({{SettingName(s.setting), SettingName(s.setting)},
                              {share, std::to_string(s.oscillating)},
                              Hz(s.minHz, any),
                              Hz(s.meanHz, any),
                              Hz(s.maxHz, any),
                              Hz(s.deviationHz, any),
                              Hz(s.worstLowHz, true),
                              Hz(s.worstHighHz, true),
                              volts(s.minVpp),
                              volts(s.meanVpp),
                              volts(s.maxVpp)});
    }
    return table;
}

std::string MonteCarloReport(const PartSettings& settings, int runs, std::uint32_t seed,
                             const std::array<SettingSpread, 2>& spreads) {
    std::string tolerances;
    for (Part p : AllParts) {
        tolerances += std::string(tolerances.empty() ? "" : " ") + PartName(p) + " " +
                      PlainNumber(settings.Tolerance(p), 6) + " %";
    }
    return "Monte Carlo: " + std::to_string(runs) + (runs == 1 ? " run" : " runs") + ", seed " +
           std::to_string(seed) + "; tolerances " + tolerances +
           "\nFrequencies of the runs that oscillate; worst case calculated with every part "
           "at an end of its tolerance; output swing in volts peak to peak.\n\n" +
           MonteCarloTable(spreads).Text();
}

std::string MonteCarloCsv(const std::vector<MonteCarloRun>& runs) {
    std::string text = "run,setting,oscillates,simulated_hz,output_vpp";
    for (Part p : AllParts) {
        text += std::string(",") + PartName(p);
    }
    text += "\n";
    for (std::size_t r = 0; r < runs.size(); ++r) {
        std::string factors;
        for (double f : runs[r].factors) {
            factors += "," + PlainNumber(f);
        }
        for (std::size_t i = 0; i < MonteCarloSettings.size(); ++i) {
            const OscillationMeasure& m = runs[r].settings[i].measure;
            text += std::to_string(r + 1) + "," + SettingName(MonteCarloSettings[i]) + "," +
                    (m.oscillates ? "1," + PlainNumber(m.frequencyHz) : "0,") + "," +
                    PlainNumber(m.outputVpp) + factors + "\n";
        }
    }
    return text;
}

}  // namespace calbrine
