// The fit report: the solved parts, how well they hit the band, and the padding capacitors a
// builder can choose from.
#include "analysis/ReportText.h"
#include "analysis/Reports.h"

namespace calbrine {

namespace {

std::string BandLine(const DesignRecord& design, const FitRequest& request) {
    return "Band " + FrequencyText(request.band.lowHz) + " to " +
           FrequencyText(request.band.highHz) +
           (request.mix == Mix::Sum ? " (VFO plus" : " (difference with") + " IF " +
           FrequencyText(design.IF) + ")\n";
}

std::string PaddingTable(const DesignRecord& design, const FitRequest& request) {
    const PaddingWindow w = PaddingRange(design, request.band, request.mix);
    if (!w.reached) {
        return "";
    }
    std::string text = "\nC38 covers the band with C37 up to " + CapacitanceText(w.c37Max) +
                       "; standard values with L7 centring the band:\n";
    std::vector<std::vector<std::string>> rows = {{"C37", "L7", "Margin low", "Margin high"}};
    for (const PaddingChoice& c : w.standardValues) {
        rows.push_back({CapacitanceText(c.c37), InductanceText(c.l7),
                        SignedFrequencyText(c.marginLowHz), SignedFrequencyText(c.marginHighHz)});
    }
    return text + AlignedTable(rows);
}

}  // namespace

FitResult SolveFit(const DesignRecord& design, const FitRequest& request) {
    return FitToBand(design, request.band, request.mix, request.solve);
}

std::string FitReport(const DesignRecord& design, const FitRequest& request, const FitResult& r) {
    std::string text = BandLine(design, request);
    if (request.solve == FitSolve::InductorAndPadding) {
        text += "L7  = " + InductanceText(r.design.L7) +
                "\nC37 = " + CapacitanceText(r.design.C37) + "\n";
    } else {
        text += "C38 Min = " + CapacitanceText(r.design.CcoarseMin) +
                "\nC38 Max = " + CapacitanceText(r.design.CcoarseMax) + "\n";
    }
    text += "VFO " + FrequencyText(r.vfoLowHz) + " to " + FrequencyText(r.vfoHighHz) + ", within " +
            PlainNumber(r.worstErrorPercent, 2) + " % of the band edges\n";
    if (request.solve == FitSolve::InductorAndPadding) {
        text += PaddingTable(design, request);
    }
    return text;
}

std::string FitCsv(const FitRequest& request, const FitResult& r) {
    std::string csv = "part,value\n";
    if (request.solve == FitSolve::InductorAndPadding) {
        return csv + "L7," + PlainNumber(r.design.L7) + "\nC37," + PlainNumber(r.design.C37) + "\n";
    }
    return csv + "CcoarseMin," + PlainNumber(r.design.CcoarseMin) + "\nCcoarseMax," +
           PlainNumber(r.design.CcoarseMax) + "\n";
}

std::string FitFailure(const FitResult& result) {
    return "Cannot reach the band: " + result.reason + "\n";
}

}  // namespace calbrine
