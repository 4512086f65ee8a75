// The fit by simulation as text and CSV: the band's edges as calculated and as simulated in
// each round, the fitted parts, and what the simulated figures assume.
#include <algorithm>

#include "analysis/ReportText.h"
#include "runs/SimulatedFit.h"
#include "simulation/SimulationText.h"

namespace calbrine {

namespace {

// The RF of a round's VFO ends, named by the band edge each lands on: the difference below
// the IF turns the band over, so that the VFO's low end gives the band's high edge.
struct RfEdges {
    double calculatedAtLow = 0;  // at the band's low edge
    double calculatedAtHigh = 0;
    double simulatedAtLow = 0;
    double simulatedAtHigh = 0;
    double errorAtLow = 0;
    double errorAtHigh = 0;
};

RfEdges EdgesOf(const SimulatedFitRound& r, Mix mix) {
    const double ifHz = r.design.IF;
    const bool turned =
        RfFrequency(ifHz, r.calculatedLowHz, mix) > RfFrequency(ifHz, r.calculatedHighHz, mix);
    const double cLow = RfFrequency(ifHz, r.calculatedLowHz, mix);
    const double cHigh = RfFrequency(ifHz, r.calculatedHighHz, mix);
    const double sLow = RfFrequency(ifHz, r.simulatedLowHz, mix);
    const double sHigh = RfFrequency(ifHz, r.simulatedHighHz, mix);
    if (turned) {
        return {cHigh, cLow, sHigh, sLow, r.errorHighHz, r.errorLowHz};
    }
    return {cLow, cHigh, sLow, sHigh, r.errorLowHz, r.errorHighHz};
}

std::vector<std::string> PartCells(const DesignRecord& d, FitSolve solve) {
    if (solve == FitSolve::InductorAndPadding) {
        return {InductanceText(d.L7), CapacitanceText(d.C37)};
    }
    return {CapacitanceText(d.CcoarseMin), CapacitanceText(d.CcoarseMax)};
}

std::string RoundsTable(const SimulatedFitOutcome& outcome) {
    const FitRequest& q = outcome.request;
    const bool inductor = q.solve == FitSolve::InductorAndPadding;
    const std::string low = FrequencyText(q.band.lowHz);
    const std::string high = FrequencyText(q.band.highHz);
    std::vector<std::vector<std::string>> rows = {
        {"Round", inductor ? "L7" : "C38 Min", inductor ? "C37" : "C38 Max", low + " calculated",
         low + " simulated", high + " calculated", high + " simulated"}};
    for (std::size_t i = 0; i < outcome.rounds.size(); ++i) {
        const SimulatedFitRound& r = outcome.rounds[i];
        const RfEdges e = EdgesOf(r, q.mix);
        const bool ran = r.simulatedLowHz > 0 && r.simulatedHighHz > 0;
        std::vector<std::string> row{std::to_string(i + 1)};
        for (const std::string& part : PartCells(r.design, q.solve)) {
            row.push_back(part);
        }
        row.insert(row.end(),
                   {WholeHertz(e.calculatedAtLow), ran ? WholeHertz(e.simulatedAtLow) : "-",
                    WholeHertz(e.calculatedAtHigh), ran ? WholeHertz(e.simulatedAtHigh) : "-"});
        rows.push_back(row);
    }
    return AlignedTable(rows);
}

std::string LandedLines(const SimulatedFitOutcome& outcome) {
    const FitRequest& q = outcome.request;
    const std::vector<std::string> parts = PartCells(outcome.Fitted(), q.solve);
    const bool inductor = q.solve == FitSolve::InductorAndPadding;
    const RfEdges e = EdgesOf(outcome.rounds.back(), q.mix);
    const std::size_t n = outcome.rounds.size();
    return "Fitted by simulation in " + std::to_string(n) + (n == 1 ? " round: " : " rounds: ") +
           (inductor ? "L7 = " : "C38 Min = ") + parts[0] +
           (inductor ? ", C37 = " : ", C38 Max = ") + parts[1] + "\nSimulated band edges " +
           HertzWithError(e.simulatedAtLow, e.errorAtLow) + " and " +
           HertzWithError(e.simulatedAtHigh, e.errorAtHigh) + ", within " +
           PlainNumber(SimulatedFitToleranceHz, 6) + " Hz of " + FrequencyText(q.band.lowHz) +
           " and " + FrequencyText(q.band.highHz) + "\n";
}

}  // namespace

std::string SimulatedFitReport(const SimulatedFitOutcome& outcome) {
    std::string text =
        "Fit by simulation: the VFO simulated with ngspice at the band's two ends (D9 at its\n"
        "nominal capacitance), and the calculation fitted again to VFO edges moved by the\n"
        "simulated/calculated ratio, round after round; L7 simulated " +
        (outcome.coilQ > 0 ? "with a Q of " + PlainNumber(outcome.coilQ, 4)
                           : std::string("as an ideal, lossless coil")) +
        "\n";
    if (!outcome.rounds.empty()) {
        text += RoundsTable(outcome);
    }
    if (!outcome.reached) {
        return text + "Not fitted: " + outcome.reason + "\n";
    }
    return text + LandedLines(outcome) +
           "Each simulated frequency is extrapolated from runs at two time steps; the \u00b1 is\n"
           "the size of that correction, an estimate of the simulation's own error, which the\n"
           "fit does not remove.\n";
}

std::string SimulatedFitCsv(const SimulatedFitOutcome& outcome) {
    FitResult fitted;
    fitted.design = outcome.Fitted();
    const RfEdges e = EdgesOf(outcome.rounds.back(), outcome.request.mix);
    const double low = std::min(e.simulatedAtLow, e.simulatedAtHigh);
    const double high = std::max(e.simulatedAtLow, e.simulatedAtHigh);
    return FitCsv(outcome.request, fitted) + "simulated_low_hz," + PlainNumber(low) +
           "\nsimulated_high_hz," + PlainNumber(high) + "\n";
}

}  // namespace calbrine
