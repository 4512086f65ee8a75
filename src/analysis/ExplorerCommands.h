// The explorer's command-line views: already-parsed options in, the text or CSV a command
// prints out, and the parsers for the options' values.
#pragma once

#include <string>

#include "analysis/BandFit.h"
#include "analysis/Drift.h"
#include "analysis/Parts.h"
#include "analysis/TuningCurve.h"
#include "design/DesignValues.h"

namespace calbrine {

// calbrine curve FILE [--steps N] [--csv]
struct CurveOptions {
    int steps = 11;
};
std::string CurveText(const DesignRecord& design, const CurveOptions& options);
// Header "step,ccoarse_f,vfo_hz,fine_low_hz,fine_high_hz,rf_sum_hz,rf_diff_hz".
std::string CurveCsv(const DesignRecord& design, const CurveOptions& options);

// calbrine fit FILE --band LOW:HIGH --mix sum|diff --solve L7,C37|coarse [--csv]
struct FitOptions {
    RfBand band;
    Mix mix = Mix::Sum;
    FitSolve solve = FitSolve::InductorAndPadding;
};
// When `reached` is false the command exits with status 1 and prints `error`.
struct CommandOutput {
    bool reached = true;
    std::string text;
    std::string error;
};
CommandOutput FitText(const DesignRecord& design, const FitOptions& options);
// Header "part,value"; the solved parts in farad and henry.
CommandOutput FitCsv(const DesignRecord& design, const FitOptions& options);

// calbrine drift FILE [--tc PART=PPM]... [--csv]
struct DriftOptions {
    PartSettings settings;
    Part compensated = Part::C37;
};
std::string DriftText(const DesignRecord& design, const DriftOptions& options);
// Header "part,low_end_hz_per_c,high_end_hz_per_c", one row per part, last row "total".
std::string DriftCsv(const DesignRecord& design, const DriftOptions& options);
// Parts of the drift report: a rate in Hz/degC ("0" below half a milli-hertz), and the
// compensation advice ("Compensation: make ...").
std::string DriftRateText(double hzPerC);
std::string CompensationText(const Compensation& compensation);
std::string ToleranceText(const DesignRecord& design, const PartSettings& settings);

// Option values. Each returns empty text on success, otherwise what is wrong with the text.
std::string ParseSteps(const std::string& text, int& steps);       // 2 .. 1001
std::string ParseBand(const std::string& text, RfBand& band);      // "7M:7.2M"
std::string ParseMix(const std::string& text, Mix& mix);           // "sum", "diff"
std::string ParseSolve(const std::string& text, FitSolve& solve);  // "L7,C37", "coarse"
// "C37=N750", "L7=20", "C15=-150"; sets the part's coefficient in `settings`.
std::string ParseTc(const std::string& text, PartSettings& settings);

}  // namespace calbrine
