// The simulation results as text for the command line: a table in the program's engineering
// notation, or comma-separated values with plain numbers.
#pragma once

#include <string>

#include "simulation/Simulator.h"

namespace calbrine {

// One row per setting, then one line per setting that does not oscillate saying what was seen.
std::string SimulationTable(const SimulationReport& report);

// The header "setting,calculated_hz,simulated_hz,emitter_vpp,output_vpp,startup_s" and one
// line per setting; numbers with "." and 9 significant digits; the simulated frequency and
// start-up time empty for a setting that does not oscillate.
std::string SimulationCsv(const SimulationReport& report);

}  // namespace calbrine
