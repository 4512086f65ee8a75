// The command line's commands of many simulations: `montecarlo`, `drift --simulate` and
// `curve --simulate`, each through the worker processes with progress on a terminal.
#pragma once

#include <ostream>

#include "analysis/Parts.h"
#include "cli/CommandLine.h"
#include "cli/SimulationCommands.h"
#include "design/DesignRecord.h"

namespace calbrine {

// Where a simulation command tells its progress: on the error stream, when it is a terminal.
struct ProgressSink {
    std::ostream& err;
    bool isTerminal = false;
};

// `settings` are the part settings with the command line's --tc or --tol put in.
CommandOutcome MonteCarloCommand(const CommandLine& line, const DesignRecord& design,
                                 const PartSettings& settings, ProgressSink sink);
CommandOutcome SimulatedDriftCommand(const CommandLine& line, const DesignRecord& design,
                                     const PartSettings& settings, ProgressSink sink);
CommandOutcome SimulatedCurveCommand(const CommandLine& line, const DesignRecord& design, int steps,
                                     ProgressSink sink);

}  // namespace calbrine
