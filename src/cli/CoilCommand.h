// calbrine coil (FILE | --inductance L) --core NAME [--wire WIRE] [--form D] [--csv]: L7 as a
// builder winds it, on an iron-powder toroid or as an air coil.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/CoreTable.h"

#include "cli/CommandBasics.h"

namespace calbrine {

struct CoilOptions {
    bool csv = false;
    std::optional<double> henry;  // --inductance; without it the design file's L7
    std::string core;             // as typed: "T50-6", "air"
    std::string wire;             // as typed; empty: the default
    double formMm = 10;           // the air coil's form
};

// The core and wire a builder names, from the shipped tables: the core (none: "air"), the
// wire when one is named, and the table's wires.
struct NamedCoil {
    std::optional<ToroidCore> core;
    std::optional<Wire> wire;
    std::vector<Wire> wires;
};
// Status 1 when a table cannot be read, 2 naming the option for a core or wire it does not
// hold (an empty wire is none named).
CommandResult FindNamedCoil(const std::string& core, const std::string& wire, NamedCoil& coil);

// Refuses a missing --core, an inductance outside 0 to 1 mH and a form outside 1 to 100 mm.
std::string ParseCoilOptions(const OptionValues& values, CoilOptions& options);
// A core or wire the tables do not hold: status 2. Turns that cannot be wound: status 1.
CommandResult CoilCommand(const CoilOptions& options, const CommandInput& input);

}  // namespace calbrine
