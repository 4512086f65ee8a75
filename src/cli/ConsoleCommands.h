// What the command line does without a window: the help and version answers, the usage
// errors and the subcommands, printed as text or CSV.
#pragma once

#include <iosfwd>

#include "cli/CommandLine.h"

namespace calbrine {

// Runs every action but the two that open a window and returns the exit status: 0 on
// success, 1 when a command fails, 2 for a wrong command line. Results go to `out`, errors
// to `err`; the simulation's progress goes to `err` only when `errIsTerminal`.
int RunConsoleCommand(const CommandLine& line, std::ostream& out, std::ostream& err,
                      bool errIsTerminal);

}  // namespace calbrine
