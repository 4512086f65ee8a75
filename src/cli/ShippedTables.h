// The makers' tables the commands read, found where the program finds its example design:
// installed under share/calbrine, or in data/ beside the program in the build folder. They
// need no application object, so an option's value can be checked against them as it is read.
#pragma once

#include <string>
#include <vector>

#include "analysis/CoreTable.h"
#include "analysis/StandardValues.h"

namespace calbrine {

// The folder the running program lies in.
std::string ProgramFolder();

// Each returns empty text, or why the table could not be read (naming the file).
std::string ReadShippedSeries(std::vector<ValueSeries>& series);
std::string ReadShippedCores(std::vector<ToroidCore>& cores);
std::string ReadShippedWires(std::vector<Wire>& wires);
// The series of that name from the shipped table, or why not: the table unread, or none so
// named.
std::string ShippedSeriesNamed(const std::string& name, ValueSeries& series);

// The cores' names as coefficients for --tc ("L7=T50-6"); none when the table cannot be read.
std::vector<NamedTc> ShippedCorePresets();

}  // namespace calbrine
