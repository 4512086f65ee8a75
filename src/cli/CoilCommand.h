// calbrine coil (FILE | --inductance L) --core NAME [--wire WIRE] [--form D] [--csv]: L7 as a
// builder winds it, on an iron-powder toroid or as an air coil.
#pragma once

#include <optional>
#include <string>

#include "cli/CommandBasics.h"

namespace calbrine {

struct CoilOptions {
    bool csv = false;
    std::optional<double> henry;  // --inductance; without it the design file's L7
    std::string core;             // as typed: "T50-6", "air"
    std::string wire;             // as typed; empty: the default
    double formMm = 10;           // the air coil's form
};

// Refuses a missing --core, an inductance outside 0 to 1 mH and a form outside 1 to 100 mm.
std::string ParseCoilOptions(const OptionValues& values, CoilOptions& options);
// A core or wire the tables do not hold: status 2. Turns that cannot be wound: status 1.
CommandResult CoilCommand(const CoilOptions& options, const CommandInput& input);

}  // namespace calbrine
