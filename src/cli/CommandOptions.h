// The values of the subcommands' options, each read from the text typed on the command line
// into its type.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/BandFit.h"
#include "analysis/Parts.h"
#include "analysis/TuningCurve.h"
#include "circuit/TuningSettings.h"
#include "cli/CommandBasics.h"

namespace calbrine {

// A part with a number of its own: a temperature coefficient in ppm per degree C (--tc) or a
// tolerance in percent (--tol).
struct PartNumber {
    Part part = Part::C37;
    double value = 0;
};

// The RF band to cover and the mixing product that lands on it; without a product, the one
// that reaches the band is taken, the sum when both do.
struct BandChoice {
    RfBand band;
    std::optional<Mix> mix;
};

// Each returns empty text on success, otherwise what is wrong with the text.
std::string ParseSteps(const std::string& text, int& steps);       // 2 .. 1001
std::string ParseBand(const std::string& text, RfBand& band);      // "7M:7.2M"
std::string ParseMix(const std::string& text, Mix& mix);           // "sum", "diff"
std::string ParseSolve(const std::string& text, FitSolve& solve);  // "L7,C37", "coarse"
// "C37=N750", "L7=20", "C15=-150", "L7=T50-6" (a core of `cores`: its mix's coefficient): a
// part and its coefficient in ppm per degree C.
std::string ParseTc(const std::string& text, PartNumber& tc,
                    const std::vector<NamedTc>& cores = {});
// "C37=2", "L7=10": a part and its tolerance in percent, 0 up to (not including) 100.
std::string ParseTol(const std::string& text, PartNumber& tol);
std::string ParseRuns(const std::string& text, int& runs);            // 1 .. 100000
std::string ParseSeed(const std::string& text, std::uint32_t& seed);  // 0 .. 4294967295
std::string ParseJobs(const std::string& text, int& jobs);            // 1 .. 64
// "E6", "e12", "E24": the value series' name as its table gives it.
std::string ParseSeries(const std::string& text, std::string& series);
// An inductance to wind: engineering text above 0 and at most 1 mH ("7.7u").
std::string ParseInductance(const std::string& text, double& henry);
// An air coil's form diameter in mm, "10mm" or "10", from 1 to 100.
std::string ParseForm(const std::string& text, double& mm);
// "VfoMin", "VfoMax", "FineLow", "FineHigh".
std::string ParseSetting(const std::string& text, TuningSetting& setting);

// --jobs of a simulation when it is given; `jobs` stays 0, one per processor, when it is not.
std::string ReadJobs(const OptionValues& values, int& jobs);
// L7's quality factor, a number of 0 (an ideal coil) or more: "150".
std::string ParseCoilQ(const std::string& text, double& q);
// --coil-q when it is given; `q` stays empty (the Q kept beside the design) when it is not.
std::string ReadCoilQ(const OptionValues& values, std::optional<double>& q);

}  // namespace calbrine
