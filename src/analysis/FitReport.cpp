// The fit command's report: the solved parts, how well they hit the band, and the padding
// capacitors a builder can choose from.
#include "analysis/ExplorerCommands.h"
#include "analysis/ReportText.h"

namespace calbrine {

namespace {

std::string BandLine(const DesignRecord& design, const FitOptions& o) {
    return "Band " + FrequencyText(o.band.lowHz) + " to " + FrequencyText(o.band.highHz) +
           (o.mix == Mix::Sum ? " (VFO plus" : " (difference with") + " IF " +
           FrequencyText(design.IF) + ")\n";
}

std::string PaddingTable(const DesignRecord& design, const FitOptions& o) {
    const PaddingWindow w = PaddingRange(design, o.band, o.mix);
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

// Solves the fit; an unreachable band leaves the reason as the output's error.
CommandOutput Fit(const DesignRecord& design, const FitOptions& options, FitResult& r) {
    r = FitToBand(design, options.band, options.mix, options.solve);
    CommandOutput out;
    out.reached = r.reached;
    if (!r.reached) {
        out.error = "Cannot reach the band: " + r.reason + "\n";
    }
    return out;
}

}  // namespace

CommandOutput FitText(const DesignRecord& design, const FitOptions& options) {
    FitResult r;
    CommandOutput out = Fit(design, options, r);
    if (!out.reached) {
        return out;
    }
    out.text = BandLine(design, options);
    if (options.solve == FitSolve::InductorAndPadding) {
        out.text += "L7  = " + InductanceText(r.design.L7) +
                    "\nC37 = " + CapacitanceText(r.design.C37) + "\n";
    } else {
        out.text += "C38 Min = " + CapacitanceText(r.design.CcoarseMin) +
                    "\nC38 Max = " + CapacitanceText(r.design.CcoarseMax) + "\n";
    }
    out.text += "VFO " + FrequencyText(r.vfoLowHz) + " to " + FrequencyText(r.vfoHighHz) +
                ", within " + PlainNumber(r.worstErrorPercent, 2) + " % of the band edges\n";
    if (options.solve == FitSolve::InductorAndPadding) {
        out.text += PaddingTable(design, options);
    }
    return out;
}

CommandOutput FitCsv(const DesignRecord& design, const FitOptions& options) {
    FitResult r;
    CommandOutput out = Fit(design, options, r);
    if (!out.reached) {
        return out;
    }
    out.text = "part,value\n";
    if (options.solve == FitSolve::InductorAndPadding) {
        out.text += "L7," + PlainNumber(r.design.L7) + "\nC37," + PlainNumber(r.design.C37) + "\n";
    } else {
        out.text += "CcoarseMin," + PlainNumber(r.design.CcoarseMin) + "\nCcoarseMax," +
                    PlainNumber(r.design.CcoarseMax) + "\n";
    }
    return out;
}

}  // namespace calbrine
