// calbrine new OUT [--set FIELD=VALUE]...: a design file written from the example design that
// ships with the program, with the values given put in.
#pragma once

#include <string>

#include "cli/CommandBasics.h"

namespace calbrine {

struct NewOptions {};

std::string ParseNewOptions(const OptionValues& values, NewOptions& options);
// Writes the design (the example with --set applied) to the file named in place of a design;
// fails (1) when it cannot be written.
CommandResult NewCommand(const NewOptions& options, const CommandInput& input);

// The example design file that ships with the program: installed under share/calbrine beside
// the program's bin folder, or in data/ beside the program in the build folder; empty when
// neither is there.
std::string ShippedExampleFile();

}  // namespace calbrine
