#include "analysis/MakersTables.h"

#include "files/ShippedData.h"

namespace calbrine {

namespace {

// The table's rows, or why they cannot be had.
template <typename Row>
std::string ReadTable(const std::string& folder, const char* name, std::vector<Row>& rows,
                      std::string (*read)(const std::string&, std::vector<Row>&)) {
    const std::vector<std::string> copies = ShippedCopies(folder, name);
    std::string text;
    if (!ReadFirstCopy(copies, text)) {
        return std::string("the program's table ") + name + " was not found (looked for " +
               copies[0] + " and " + copies[1] + ")";
    }
    const std::string wrong = read(text, rows);
    return wrong.empty() ? "" : std::string("the program's table ") + name + ", " + wrong;
}

}  // namespace

std::string ReadSeriesTable(const std::string& programFolder, std::vector<ValueSeries>& series) {
    return ReadTable(programFolder, "parts/e-series.txt", series, ReadValueSeries);
}

std::string ReadCoresTable(const std::string& programFolder, std::vector<ToroidCore>& cores) {
    return ReadTable(programFolder, "cores/iron-powder.txt", cores, ReadCoreTable);
}

std::string ReadWiresTable(const std::string& programFolder, std::vector<Wire>& wires) {
    return ReadTable(programFolder, "wire/enamelled-copper.txt", wires, ReadWireTable);
}

}  // namespace calbrine
