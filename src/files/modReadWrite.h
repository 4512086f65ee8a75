// The program's files: design files, the defaults file, the last-session file and the
// LTspice schematic export.
#pragma once

#include <string>

namespace calbrine {

// The path chosen in the LTspice save dialog.
extern std::string SpiceFileName;

// Fills DesignValues from the last-session file in the working directory; silent when the
// file is missing or unreadable.
void ReadLastSession();
// Writes DesignValues to "LastSession.TXT" in the working directory.
void WriteLastSession();
// Fills DesignValues from a design file (or "Defaults.TXT"); on failure shows the not-found
// message and loads the built-in values. Names of fewer than 5 characters are ignored.
void ReadDesignFile(const std::string& name);
// Writes DesignValues to a design file. Names of fewer than 5 characters are ignored.
void WriteDesignFile(const std::string& name);
// Writes the oscillator as an LTspice schematic to SpiceFileName.
void WriteSpiceSchematic();

}  // namespace calbrine
