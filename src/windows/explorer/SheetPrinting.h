// The explorer's build sheet: its design and part settings, the series, core and wire chosen
// (the defaults where none is), the makers' tables beside the program, printed through the
// print dialog as the design window prints its page.
#pragma once

#include <string>

#include "analysis/Parts.h"
#include "design/DesignRecord.h"

namespace calbrine {

// As a builder names them; empty text takes the default (E12, T50-6, the default wire).
struct SheetChoice {
    std::string series;
    std::string core;
    std::string wire;
    double formMm = 10;
};

// Prints the sheet of `design`, whose file is `designFile` (empty: never saved); a table that
// cannot be read, a name it does not hold or a coil that cannot be wound is said in a message
// and prints nothing.
void PrintBuildSheet(const DesignRecord& design, const PartSettings& settings,
                     const std::string& designFile, const SheetChoice& choice,
                     const std::string& programFolder);

}  // namespace calbrine
