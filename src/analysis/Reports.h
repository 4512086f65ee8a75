// The explorer's reports, built once from a design and shown alike by the explorer's tabs and
// by the command line: the dial table, the fit to a band and the drift and tolerance of the
// parts, as tables (ReportTable) and the text around them.
#pragma once

#include <string>

#include "analysis/BandFit.h"
#include "analysis/Drift.h"
#include "analysis/Parts.h"
#include "analysis/ReportTable.h"
#include "analysis/Tolerance.h"
#include "design/DesignRecord.h"

namespace calbrine {

// The dial table at `steps` equal steps of C38: Step, C38, VFO, RF sum, RF diff, Fine span,
// Hz/step ("-" on the first row); CSV step, ccoarse_f, vfo_hz, fine_low_hz, fine_high_hz,
// rf_sum_hz, rf_diff_hz.
ReportTable DialTable(const DesignRecord& design, int steps);
// The same with every frequency of a step moved as `vfo` (the simulated curve) moves the VFO
// from its calculation there; without `vfo`, the calculated table.
ReportTable DialTable(const DesignRecord& design, int steps, const VfoCurve& vfo);
// A line naming the steps, the range of C38 and the IF, a blank line, the table.
std::string DialReport(const DesignRecord& design, int steps);

// What the fit was asked for.
struct FitRequest {
    RfBand band;
    Mix mix = Mix::Sum;
    FitSolve solve = FitSolve::InductorAndPadding;
};
FitResult SolveFit(const DesignRecord& design, const FitRequest& request);
// For a reached fit: the band, the solved parts, the VFO edges and, for L7 and C37, the
// standard padding capacitors.
std::string FitReport(const DesignRecord& design, const FitRequest& request,
                      const FitResult& result);
// For a reached fit: header "part,value"; the solved parts in farad and henry.
std::string FitCsv(const FitRequest& request, const FitResult& result);
// For a fit that did not reach the band: "Cannot reach the band: " and the reason.
std::string FitFailure(const FitResult& result);

// A fit with the mix chosen for the user: the product that reaches the band, the sum when
// both do. `failure` gives both reasons when neither does.
struct FitOutcome {
    FitRequest request;  // with the mix taken
    FitResult result;
    std::string failure;
    bool bothReach = false;
};
FitOutcome SolveFitEitherMix(const DesignRecord& design, FitRequest request);
// "Mix: the sum, as both products reach the band" and the like, for a chosen mix.
std::string MixLine(const FitOutcome& outcome);

// A rate in Hz/degC to three significant digits, "0" below half a milli-hertz.
std::string DriftRateText(double hzPerC);
// The compensation advice: "Compensation: make ..." or why none is possible.
std::string CompensationText(const Compensation& compensation);
// Part, ppm/degC, Low end, High end, largest first, then "Total"; CSV part,
// low_end_hz_per_c, high_end_hz_per_c with the last row "total".
ReportTable DriftTable(const DriftAnalysis& analysis);
// The mid-band drift line and the compensation advice.
std::string DriftSummary(const DriftAnalysis& analysis);
// The heading, the table and the summary.
std::string DriftReport(const DriftAnalysis& analysis);

// Part, Tolerance, Low end, High end: each part's first-order share of the edges' shift.
ReportTable ToleranceTable(const ToleranceAnalysis& analysis, const PartSettings& settings);
// The worst case of both edges with every part high and every part low.
std::string ToleranceSummary(const ToleranceAnalysis& analysis);

}  // namespace calbrine
