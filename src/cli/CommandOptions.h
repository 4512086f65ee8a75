// The values of the subcommands' options, read from the text typed on the command line.
#pragma once

#include <string>

#include "analysis/BandFit.h"
#include "analysis/Parts.h"
#include "analysis/TuningCurve.h"

namespace calbrine {

// Each returns empty text on success, otherwise what is wrong with the text.
std::string ParseSteps(const std::string& text, int& steps);       // 2 .. 1001
std::string ParseBand(const std::string& text, RfBand& band);      // "7M:7.2M"
std::string ParseMix(const std::string& text, Mix& mix);           // "sum", "diff"
std::string ParseSolve(const std::string& text, FitSolve& solve);  // "L7,C37", "coarse"
// "C37=N750", "L7=20", "C15=-150"; sets the part's coefficient in `settings`.
std::string ParseTc(const std::string& text, PartSettings& settings);

}  // namespace calbrine
