// The ngspice netlist of one setting exactly as a simulation runs it, for the workers and for
// other tools: runnable with `ngspice -b`, its output node named in a comment line.
#pragma once

#include <optional>
#include <string>

#include "circuit/OscillatorCircuit.h"
#include "circuit/SpiceNetlist.h"
#include "circuit/TuningSettings.h"
#include "design/DesignRecord.h"

namespace calbrine {

// The netlist at the planned time step and length, or at `stepFactor` times that step over
// `periods` periods of the calculated frequency.
std::string SimulatedNetlist(const DesignRecord& design, TuningSetting setting, int stepFactor = 1,
                             int periods = SimulatedPeriods);
// The same at any capacitances of the tuning capacitors and under `conditions`.
std::string SimulatedNetlist(const DesignRecord& design, TuningCapacitors tuning,
                             const CircuitConditions& conditions, int stepFactor = 1,
                             int periods = SimulatedPeriods);

// The setting called `name` ("VfoMin", "VfoMax", "FineLow", "FineHigh"), if there is one.
std::optional<TuningSetting> SettingNamed(const std::string& name);

}  // namespace calbrine
