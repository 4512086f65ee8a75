// The command line's commands of many simulations: `montecarlo`, `drift --simulate`,
// `curve --simulate` and `fit --simulate`, each through the worker processes with progress on
// a terminal.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/Parts.h"
#include "cli/CommandBasics.h"
#include "cli/CommandOptions.h"
#include "runs/MonteCarlo.h"

namespace calbrine {

struct FitOptions;
struct FitOutcome;

struct MonteCarloOptions {
    bool csv = false;
    std::vector<PartNumber> tol;  // tolerances put over those kept beside the design
    int runs = DefaultMonteCarloRuns;
    std::uint32_t seed = 1;
    int jobs = 0;                 // 0: one worker per processor
    std::optional<double> coilQ;  // put over the one kept beside the design
};

std::string ParseMonteCarloOptions(const OptionValues& values, MonteCarloOptions& options);
CommandResult MonteCarloCommand(const MonteCarloOptions& options, const CommandInput& input);

// `settings` are the part settings with the command line's coefficients put in.
CommandResult SimulatedDriftCommand(const CommandInput& input, const PartSettings& settings,
                                    bool csv, int jobs);
CommandResult SimulatedCurveCommand(const CommandInput& input, int steps,
                                    const std::optional<double>& coilQ, bool csv, int jobs);
// The fit by simulation after the calculated fit `fit` (reached, its mix taken): the calculated
// report and each round beside it, or the CSV with the simulated band ends; saved as asked.
CommandResult SimulatedFitCommand(const CommandInput& input, const FitOutcome& fit,
                                  const FitOptions& options);

}  // namespace calbrine
