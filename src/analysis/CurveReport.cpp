// The dial table: the tuning curve at equal steps of C38.
#include <cmath>

#include "analysis/ReportText.h"
#include "analysis/Reports.h"
#include "analysis/TuningCurve.h"

namespace calbrine {

namespace {

TableCell Frequency(double hz) {
    return {FrequencyText(hz), PlainNumber(hz)};
}

// A text-only cell, for the columns the CSV leaves out.
TableCell Shown(const std::string& text) {
    return {text, ""};
}

}  // namespace

ReportTable DialTable(const DesignRecord& design, int steps) {
    return DialTable(design, steps, nullptr);
}

// The curve with each frequency moved as `vfo` moves the VFO from its calculation.
std::vector<CurvePoint> FollowingCurve(const DesignRecord& design, int steps, const VfoCurve& vfo) {
    std::vector<CurvePoint> curve = TuningCurve(design, steps);
    if (!vfo) {
        return curve;
    }
    for (CurvePoint& p : curve) {
        const double ratio = vfo(p.ccoarse) / p.vfo;
        p.vfo = static_cast<float>(p.vfo * ratio);
        p.fineLow = static_cast<float>(p.fineLow * ratio);
        p.fineHigh = static_cast<float>(p.fineHigh * ratio);
        p.rfSum = design.IF + p.vfo;
        p.rfDiff = std::fabs(design.IF - p.vfo);
    }
    return curve;
}

ReportTable DialTable(const DesignRecord& design, int steps, const VfoCurve& vfo) {
    ReportTable table;
    table.columns = {{"Step", "step"},          {"C38", "ccoarse_f"}, {"VFO", "vfo_hz"},
                     {"", "fine_low_hz"},       {"", "fine_high_hz"}, {"RF sum", "rf_sum_hz"},
                     {"RF diff", "rf_diff_hz"}, {"Fine span", ""},    {"Hz/step", ""}};
    const std::vector<CurvePoint> curve = FollowingCurve(design, steps, vfo);
    for (std::size_t i = 0; i < curve.size(); ++i) {
        const CurvePoint& p = curve[i];
        const std::string step = std::to_string(i);
        const std::string perStep =
            i == 0 ? "-" : SignedFrequencyText(static_cast<double>(p.vfo) - curve[i - 1].vfo);
        table.rows.push_back(
            {{step, step},
             {CapacitanceText(p.ccoarse), PlainNumber(p.ccoarse)},
             Frequency(p.vfo),
             Frequency(p.fineLow),
             Frequency(p.fineHigh),
             Frequency(p.rfSum),
             Frequency(p.rfDiff),
             Shown(SignedFrequencyText(static_cast<double>(p.fineHigh) - p.fineLow)),
             Shown(perStep)});
    }
    return table;
}

std::string DialReport(const DesignRecord& design, int steps) {
    const ReportTable table = DialTable(design, steps);
    return "Dial table: " + std::to_string(table.rows.size()) + " equal steps of C38 from " +
           CapacitanceText(design.CcoarseMin) + " to " + CapacitanceText(design.CcoarseMax) +
           ", IF " + FrequencyText(design.IF) + "\n\n" + table.Text();
}

}  // namespace calbrine
