// calbrine parts FILE [--series E6|E12|E24] [--save NEWFILE] [--csv]: the fixed capacitors as
// bought from a value series, and the design as bought beside the designed one.
#pragma once

#include <string>

#include "cli/CommandBasics.h"

namespace calbrine {

struct PartsOptions {
    bool csv = false;
    std::string series = "E12";
    std::string save;  // the file for the design as bought; empty: none
};

// Refuses a series other than E6, E12 and E24.
std::string ParsePartsOptions(const OptionValues& values, PartsOptions& options);
// Fails (1) when the value series cannot be read or the design file cannot be written.
CommandResult PartsCommand(const PartsOptions& options, const CommandInput& input);

}  // namespace calbrine
