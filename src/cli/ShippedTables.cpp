#include "cli/ShippedTables.h"

#include <filesystem>
#include <system_error>

#include "files/ShippedData.h"

namespace calbrine {

// The folder the running program lies in, as the kernel names its file; the options are read
// before any application object exists to ask.
std::string ProgramFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : program.parent_path().string();
}

namespace {

// The table's text, or why it cannot be had.
template <typename Row>
std::string ReadTable(const char* name, std::vector<Row>& rows,
                      std::string (*read)(const std::string&, std::vector<Row>&)) {
    const std::string folder = ProgramFolder();
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

std::string ReadShippedSeries(std::vector<ValueSeries>& series) {
    return ReadTable("parts/e-series.txt", series, ReadValueSeries);
}

std::string ReadShippedCores(std::vector<ToroidCore>& cores) {
    return ReadTable("cores/iron-powder.txt", cores, ReadCoreTable);
}

std::string ReadShippedWires(std::vector<Wire>& wires) {
    return ReadTable("wire/enamelled-copper.txt", wires, ReadWireTable);
}

std::vector<NamedTc> ShippedCorePresets() {
    std::vector<ToroidCore> cores;
    return ReadShippedCores(cores).empty() ? CoreTcPresets(cores) : std::vector<NamedTc>{};
}

}  // namespace calbrine
