// The dial table of the curve command, as text and as CSV.
#include <cmath>

#include "analysis/ExplorerCommands.h"
#include "analysis/ReportText.h"

namespace calbrine {

std::string CurveText(const DesignRecord& design, const CurveOptions& options) {
    const std::vector<CurvePoint> curve = TuningCurve(design, options.steps);
    std::string text = "Dial table: " + std::to_string(curve.size()) + " equal steps of C38 from " +
                       CapacitanceText(design.CcoarseMin) + " to " +
                       CapacitanceText(design.CcoarseMax) + ", IF " + FrequencyText(design.IF) +
                       "\n\n";
    std::vector<std::vector<std::string>> rows = {
        {"Step", "C38", "VFO", "RF sum", "RF diff", "Fine span", "Hz/step"}};
    for (std::size_t i = 0; i < curve.size(); ++i) {
        const CurvePoint& p = curve[i];
        const std::string perStep =
            i == 0 ? "-" : SignedFrequencyText(static_cast<double>(p.vfo) - curve[i - 1].vfo);
        rows.push_back({std::to_string(i), CapacitanceText(p.ccoarse), FrequencyText(p.vfo),
                        FrequencyText(p.rfSum), FrequencyText(p.rfDiff),
                        SignedFrequencyText(static_cast<double>(p.fineHigh) - p.fineLow), perStep});
    }
    return text + AlignedTable(rows);
}

std::string CurveCsv(const DesignRecord& design, const CurveOptions& options) {
    std::string csv = "step,ccoarse_f,vfo_hz,fine_low_hz,fine_high_hz,rf_sum_hz,rf_diff_hz\n";
    const std::vector<CurvePoint> curve = TuningCurve(design, options.steps);
    for (std::size_t i = 0; i < curve.size(); ++i) {
        const CurvePoint& p = curve[i];
        csv += std::to_string(i) + "," + PlainNumber(p.ccoarse) + "," + PlainNumber(p.vfo) + "," +
               PlainNumber(p.fineLow) + "," + PlainNumber(p.fineHigh) + "," + PlainNumber(p.rfSum) +
               "," + PlainNumber(p.rfDiff) + "\n";
    }
    return csv;
}

}  // namespace calbrine
