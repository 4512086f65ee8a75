// The values of the subcommands' options, read from the text typed on the command line.
#pragma once

#include <cstdint>
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
// "C37=2", "L7=10": a part's tolerance in percent, 0 up to (not including) 100.
std::string ParseTol(const std::string& text, PartSettings& settings);
std::string ParseRuns(const std::string& text, int& runs);            // 1 .. 100000
std::string ParseSeed(const std::string& text, std::uint32_t& seed);  // 0 .. 4294967295

}  // namespace calbrine
