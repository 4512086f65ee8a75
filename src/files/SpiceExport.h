// The LTspice schematic export: the oscillator with the entered parts, the coarse-tune
// capacitor stepped over its two extreme values and a transient analysis sized from the top
// frequency of the VFO.
#pragma once

#include <string>

#include "design/DesignRecord.h"

namespace calbrine {

// The schematic of `design` with the analysis sized from `tuning` (its VfoMax); false, with
// `text` untouched, when the top frequency cannot size the analysis.
bool SpiceSchematicText(DesignRecord design, const TuningRecord& tuning, std::string& text);

// Writes the schematic of `design` to the file `name`; on failure shows "We could not write
// the Calbrine LTspice file" and leaves any earlier file as it was.
void ExportSpiceSchematic(const DesignRecord& design, const TuningRecord& tuning,
                          const std::string& name);

// The path chosen in the LTspice save dialog.
extern std::string SpiceFileName;

// Writes DesignValues with TuningResults as an LTspice schematic to SpiceFileName; on failure shows
// "We could not write the Calbrine LTspice file" and leaves any earlier file as it was.
void WriteSpiceSchematic();

}  // namespace calbrine
