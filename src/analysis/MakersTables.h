// The makers' tables a design is bought and wound from, as they ship beside a program (see
// files/ShippedData): the capacitor value series, the iron-powder cores and the enamelled
// wires. The command line and the windows read them alike, each from its own program folder.
#pragma once

#include <string>
#include <vector>

#include "analysis/CoreTable.h"
#include "analysis/StandardValues.h"

namespace calbrine {

// Each reads its table for a program in `programFolder`; empty text, or why the table could
// not be read (naming the file).
std::string ReadSeriesTable(const std::string& programFolder, std::vector<ValueSeries>& series);
std::string ReadCoresTable(const std::string& programFolder, std::vector<ToroidCore>& cores);
std::string ReadWiresTable(const std::string& programFolder, std::vector<Wire>& wires);

}  // namespace calbrine
