// The LTspice schematic export: the oscillator with the entered parts, the coarse-tune
// capacitor stepped over its two extreme values and a transient analysis sized from the top
// frequency of the VFO.
#pragma once

#include <string>

namespace calbrine {

// The path chosen in the LTspice save dialog.
extern std::string SpiceFileName;

// Writes the oscillator as an LTspice schematic to SpiceFileName; on failure shows
// "We could not write the Calbrine LTspice file" and leaves any earlier file as it was.
void WriteSpiceSchematic();

}  // namespace calbrine
