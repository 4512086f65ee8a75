// The drift and tolerance reports.
#include <cmath>

#include "analysis/ReportText.h"
#include "analysis/Reports.h"

namespace calbrine {

std::string DriftRateText(double v) {
    return PlainNumber(std::fabs(v) < 5e-4 ? 0.0 : v, 3);
}

std::string CompensationText(const Compensation& c) {
    if (!c.possible) {
        return "Compensation: " + c.reason + "\n";
    }
    return "Compensation: make " + std::string(PartName(c.request.part)) + " " +
           PartsText(PartChoice{{c.np0Tenths}}) + " NP0\n  in parallel with " +
           PartsText(PartChoice{{c.negativeTenths}}) + " " + c.request.kind.name + " (" +
           c.request.series.name + ", " + CapacitanceText(PairFarad(c)) + " for " +
           CapacitanceText(c.designedFarad) + "): " + c.request.where + " drift then " +
           DriftRateText(c.predictedHzPerC) + " Hz/degC\n";
}

ReportTable DriftTable(const DriftAnalysis& a) {
    ReportTable table;
    table.columns = {{"Part", "part"},
                     {"ppm/degC", ""},
                     {"Low end", "low_end_hz_per_c"},
                     {"High end", "high_end_hz_per_c"}};
    auto rate = [](double hzPerC) { return TableCell{DriftRateText(hzPerC), PlainNumber(hzPerC)}; };
    for (const PartDrift& p : a.parts) {
        table.rows.push_back({{PartName(p.part), PartName(p.part)},
                              {PlainNumber(p.tcPpm, 4), ""},
                              rate(p.lowEndHzPerC),
                              rate(p.highEndHzPerC)});
    }
    table.rows.push_back(
        {{"Total", "total"}, {"", ""}, rate(a.totalLowHzPerC), rate(a.totalHighHzPerC)});
    return table;
}

std::string DriftSummary(const DriftAnalysis& a) {
    return "Mid-band drift: " + DriftRateText(a.midBandHzPerC) + " Hz/degC\n" +
           CompensationText(a.compensation);
}

std::string DriftReport(const DriftAnalysis& a) {
    return "VFO drift in Hz/degC, largest share first\n\n" + DriftTable(a).Text() + "\n" +
           DriftSummary(a);
}

ReportTable ToleranceTable(const ToleranceAnalysis& t, const PartSettings& settings) {
    ReportTable table;
    table.columns = {{"Part", "part"},
                     {"Tolerance", "tolerance_percent"},
                     {"Low end", "low_end_hz"},
                     {"High end", "high_end_hz"}};
    for (const PartShare& s : t.shares) {
        const double percent = settings.Tolerance(s.part);
        table.rows.push_back({{PartName(s.part), PartName(s.part)},
                              {PlainNumber(percent, 3) + " %", PlainNumber(percent)},
                              {FrequencyText(s.lowEndHz), PlainNumber(s.lowEndHz)},
                              {FrequencyText(s.highEndHz), PlainNumber(s.highEndHz)}});
    }
    return table;
}

std::string ToleranceSummary(const ToleranceAnalysis& t) {
    auto edge = [](const char* name, const EdgeTolerance& e) {
        return std::string(name) + " " + FrequencyText(e.nominalHz) + ": " +
               SignedFrequencyText(e.lowestHz - e.nominalHz) + " / +" +
               FrequencyText(e.highestHz - e.nominalHz);
    };
    return "Worst case with every part high / low:  " + edge("low end", t.lowEnd) + "    " +
           edge("high end", t.highEnd) + "\nEach part's share is first order, for that part alone.";
}

}  // namespace calbrine
