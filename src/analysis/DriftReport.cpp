// The drift command's report and the tolerance report, as text and CSV.
#include <cmath>

#include "analysis/Drift.h"
#include "analysis/ExplorerCommands.h"
#include "analysis/ReportText.h"
#include "analysis/Tolerance.h"

namespace calbrine {

std::string DriftRateText(double v) {
    return PlainNumber(std::fabs(v) < 5e-4 ? 0.0 : v, 3);
}

std::string CompensationText(const Compensation& c) {
    if (!c.possible) {
        return "Compensation: " + c.reason + "\n";
    }
    const std::string kind = c.tcPpm == 0 ? "NP0" : "N750";
    return "Compensation: make " + CapacitanceText(c.compensatingFarad) + " of " +
           PartName(c.part) + " (" + PlainNumber(100 * c.fraction, 3) + " %) " + kind +
           "\n  in parallel with " + CapacitanceText(c.remainingFarad) + " as before\n";
}

std::string DriftText(const DesignRecord& design, const DriftOptions& options) {
    const DriftAnalysis a = AnalyseDrift(design, options.settings, options.compensated);
    std::string text = "VFO drift in Hz/degC, largest share first\n\n";
    std::vector<std::vector<std::string>> rows = {{"Part", "ppm/degC", "Low end", "High end"}};
    for (const PartDrift& p : a.parts) {
        rows.push_back({PartName(p.part), PlainNumber(p.tcPpm, 4), DriftRateText(p.lowEndHzPerC),
                        DriftRateText(p.highEndHzPerC)});
    }
    rows.push_back(
        {"Total", "", DriftRateText(a.totalLowHzPerC), DriftRateText(a.totalHighHzPerC)});
    text += AlignedTable(rows);
    text += "\nMid-band drift: " + DriftRateText(a.midBandHzPerC) + " Hz/degC\n";
    return text + CompensationText(a.compensation);
}

std::string DriftCsv(const DesignRecord& design, const DriftOptions& options) {
    const DriftAnalysis a = AnalyseDrift(design, options.settings, options.compensated);
    std::string csv = "part,low_end_hz_per_c,high_end_hz_per_c\n";
    for (const PartDrift& p : a.parts) {
        csv += std::string(PartName(p.part)) + "," + PlainNumber(p.lowEndHzPerC) + "," +
               PlainNumber(p.highEndHzPerC) + "\n";
    }
    return csv + "total," + PlainNumber(a.totalLowHzPerC) + "," + PlainNumber(a.totalHighHzPerC) +
           "\n";
}

std::string ToleranceText(const DesignRecord& design, const PartSettings& settings) {
    const ToleranceAnalysis t = AnalyseTolerance(design, settings);
    auto edge = [](const char* name, const EdgeTolerance& e) {
        return std::vector<std::string>{name, FrequencyText(e.nominalHz),
                                        SignedFrequencyText(e.lowestHz - e.nominalHz),
                                        "+" + FrequencyText(e.highestHz - e.nominalHz)};
    };
    std::string text = "Worst case of the band edges with every part at its tolerance\n\n" +
                       AlignedTable({{"Edge", "Nominal", "Parts high", "Parts low"},
                                     edge("Low end", t.lowEnd),
                                     edge("High end", t.highEnd)});
    std::vector<std::vector<std::string>> rows = {{"Part", "Tolerance", "Low end", "High end"}};
    for (const PartShare& s : t.shares) {
        rows.push_back({PartName(s.part), PlainNumber(settings.Tolerance(s.part), 3) + " %",
                        FrequencyText(s.lowEndHz), FrequencyText(s.highEndHz)});
    }
    return text + "\nShare of each part (first order), largest first\n\n" + AlignedTable(rows);
}

}  // namespace calbrine
