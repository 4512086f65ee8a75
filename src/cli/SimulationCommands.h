// The command line's simulation commands: `simulate` (the four settings in worker processes,
// as a table or CSV) and `netlist` (one setting's ngspice netlist, as it is simulated).
#pragma once

#include <ostream>
#include <string>

#include "cli/CommandLine.h"
#include "design/DesignRecord.h"

namespace calbrine {

// What a command prints and its exit status: 0, 1 when it fails, 2 when the line is wrong.
// The options are checked as the command line is read.
struct CommandOutcome {
    int status = 0;
    std::string out;
    std::string error;  // without the program's name in front
};

CommandOutcome SimulateCommand(const CommandLine& line, const DesignRecord& design,
                               std::ostream& err, bool errIsTerminal);
CommandOutcome NetlistCommand(const CommandLine& line, const DesignRecord& design);

// The worker count of `--jobs`: a whole number from 1 to 64, or the reason it is not one.
std::string ParseJobs(const std::string& text, int& jobs);

}  // namespace calbrine
