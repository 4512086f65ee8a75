// calbrine heatrun FILE --reading TEMP=HZ... [--setting S] [--part P] [--kind N750]
// [--series E12] [--csv] [--save NEWFILE]: the drift of the built VFO from a heat run, and the
// NP0 and negative-coefficient pair of stocked capacitors that cancels it.
#pragma once

#include <string>
#include <vector>

#include "analysis/HeatRun.h"
#include "cli/CommandBasics.h"

namespace calbrine {

struct HeatRunOptions {
    bool csv = false;
    std::vector<HeatReading> readings;  // at two or more temperatures
    HeatRunRequest request;             // its series holds only the name until the run
    std::string save;                   // the file for the compensated design; empty: none
};

// Refuses readings at fewer than two temperatures, a reading that cannot be read, and a
// setting, part, kind or series the command does not know.
std::string ParseHeatRunOptions(const OptionValues& values, HeatRunOptions& options);
// Fails (1) when no pair brings the drift nearer 0, and when a table or the settings cannot
// be read or a file cannot be written.
CommandResult HeatRunCommand(const HeatRunOptions& options, const CommandInput& input);

}  // namespace calbrine
