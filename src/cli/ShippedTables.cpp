#include "cli/ShippedTables.h"

#include <filesystem>
#include <system_error>

#include "analysis/MakersTables.h"

namespace calbrine {

// The folder the running program lies in, as the kernel names its file; the options are read
// before any application object exists to ask.
std::string ProgramFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : program.parent_path().string();
}

std::string ReadShippedSeries(std::vector<ValueSeries>& series) {
    return ReadSeriesTable(ProgramFolder(), series);
}

std::string ShippedSeriesNamed(const std::string& name, ValueSeries& series) {
    std::vector<ValueSeries> table;
    if (const std::string unread = ReadShippedSeries(table); !unread.empty()) {
        return unread;
    }
    const ValueSeries* found = SeriesNamed(table, name);
    if (found == nullptr) {
        return "the program's value series have no " + name;
    }
    series = *found;
    return "";
}

std::string ReadShippedCores(std::vector<ToroidCore>& cores) {
    return ReadCoresTable(ProgramFolder(), cores);
}

std::string ReadShippedWires(std::vector<Wire>& wires) {
    return ReadWiresTable(ProgramFolder(), wires);
}

std::vector<NamedTc> ShippedCorePresets() {
    std::vector<ToroidCore> cores;
    return ReadShippedCores(cores).empty() ? CoreTcPresets(cores) : std::vector<NamedTc>{};
}

}  // namespace calbrine
