// The command line's `quality`: pushing, pulling and phase noise of the four settings,
// simulated through the worker processes with progress on a terminal.
#pragma once

#include <optional>
#include <string>

#include "cli/CommandBasics.h"
#include "runs/Quality.h"

namespace calbrine {

struct QualityCommandOptions {
    bool csv = false;
    int jobs = 0;                 // 0: one worker per processor
    std::optional<double> coilQ;  // none: the Q kept beside the design
    QualityOptions quality;
};

std::string ParseQualityOptions(const OptionValues& values, QualityCommandOptions& options);
CommandResult QualityCommand(const QualityCommandOptions& options, const CommandInput& input);

}  // namespace calbrine
