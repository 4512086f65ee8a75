// The design files, the defaults file and the last-session file: twelve values under their
// keys, read back by position.
#pragma once

#include <string>
#include <vector>

namespace calbrine {

// Fills DesignValues from the last-session file in the working directory; silent when the
// file is missing or unreadable.
void ReadLastSession();
// Writes DesignValues to "LastSession.TXT" in the working directory.
void WriteLastSession();
// Fills DesignValues from a design file (or "Defaults.TXT"); on failure shows the not-found
// message and loads the built-in values. Names of fewer than 5 characters are ignored.
void ReadDesignFile(const std::string& name);
// The defaults file "Get defaults" reads: "Defaults.TXT" in the working directory when there
// is one, else the first of `shippedCopies` that exists, else "Defaults.TXT" again (whose
// reader then reports it missing).
std::string DefaultsFile(const std::vector<std::string>& shippedCopies);
// Writes DesignValues to a design file. Names of fewer than 5 characters are ignored.
void WriteDesignFile(const std::string& name);

}  // namespace calbrine
