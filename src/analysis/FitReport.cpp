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
    // The margins are the VFO's; the difference below the IF turns the band over, so each is
    // named for the band edge it covers.
    const VfoBand vfo = VfoBandFor(request.band, request.mix, design.IF);
    const bool turned = RfFrequency(design.IF, vfo.lowHz, request.mix) >
                        RfFrequency(design.IF, vfo.highHz, request.mix);
    std::vector<std::vector<std::string>> rows = {
        {"C37", "L7", "Margin at " + FrequencyText(request.band.lowHz),
         "Margin at " + FrequencyText(request.band.highHz)}};
    for (const PaddingChoice& c : w.standardValues) {
        const double atLow = turned ? c.marginHighHz : c.marginLowHz;
        const double atHigh = turned ? c.marginLowHz : c.marginHighHz;
        rows.push_back({CapacitanceText(c.c37), InductanceText(c.l7), SignedFrequencyText(atLow),
                        SignedFrequencyText(atHigh)});
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

FitOutcome SolveFitEitherMix(const DesignRecord& design, FitRequest request) {
    request.mix = Mix::Sum;
    const FitResult sum = SolveFit(design, request);
    FitRequest other = request;
    other.mix = Mix::Difference;
    const FitResult difference = SolveFit(design, other);
    if (sum.reached || !difference.reached) {
        FitOutcome outcome{request, sum, "", sum.reached && difference.reached};
        if (!sum.reached) {
            outcome.failure = "Cannot reach the band: with the sum, " + sum.reason +
                              "; with the difference, " + difference.reason + "\n";
        }
        return outcome;
    }
    return {other, difference, "", false};
}

std::string MixLine(const FitOutcome& outcome) {
    const bool sum = outcome.request.mix == Mix::Sum;
    return std::string("Mix: the ") + (sum ? "sum" : "difference") +
           (outcome.bothReach ? ", as both products reach the band\n"
                              : ", the product that reaches the band\n");
}

std::string FitFailure(const FitResult& result) {
    return "Cannot reach the band: " + result.reason + "\n";
}

}  // namespace calbrine
