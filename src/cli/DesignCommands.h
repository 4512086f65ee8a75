// The commands that calculate from a design alone: `compute` (the VFO range, the fine-tune
// ends and the result lines), `curve` (the dial table), `fit` (the parts that put the design
// on a band) and `drift` (each part's drift with temperature). `curve --simulate`,
// `drift --simulate` and `fit --simulate` hand over to the many-run commands.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/BandFit.h"
#include "cli/CommandBasics.h"
#include "cli/CommandOptions.h"

namespace calbrine {

struct ComputeOptions {
    bool csv = false;
};

struct CurveOptions {
    bool csv = false;
    int steps = 11;
    bool simulate = false;
    int jobs = 0;                 // 0: one worker per processor
    std::optional<double> coilQ;  // none: the Q kept beside the design
};

struct FitOptions {
    bool csv = false;
    BandChoice target;
    FitSolve solve = FitSolve::InductorAndPadding;
    bool simulate = false;  // fitted again until the simulated ends land on the band
    int jobs = 0;
    std::string save;             // the fitted design's new file, when given
    std::optional<double> coilQ;  // --coil-q; none: the Q kept beside the design, else 150
};

struct DriftOptions {
    bool csv = false;
    std::vector<PartNumber> tc;  // coefficients put over those kept beside the design
    bool simulate = false;
    int jobs = 0;
    std::optional<double> coilQ;
};

// Each reads its options into their types and returns empty text, or what is wrong.
std::string ParseComputeOptions(const OptionValues& values, ComputeOptions& options);
std::string ParseCurveOptions(const OptionValues& values, CurveOptions& options);
std::string ParseFitOptions(const OptionValues& values, FitOptions& options);
std::string ParseDriftOptions(const OptionValues& values, DriftOptions& options);

CommandResult ComputeCommand(const ComputeOptions& options, const CommandInput& input);
CommandResult CurveCommand(const CurveOptions& options, const CommandInput& input);
CommandResult FitCommand(const FitOptions& options, const CommandInput& input);
CommandResult DriftCommand(const DriftOptions& options, const CommandInput& input);

// Writes `fitted` to --save's file when one is named: `printed` with a line saying so after
// its text (not after CSV), or the failure to write it (status 1).
CommandResult SaveFitted(const FitOptions& options, const DesignRecord& fitted,
                         CommandResult printed);

}  // namespace calbrine
