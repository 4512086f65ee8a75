#include "cli/NewCommand.h"

#include <filesystem>

#include "files/DesignFiles.h"
#include "files/TextLineReader.h"

namespace calbrine {

std::string ParseNewOptions(const OptionValues&, NewOptions&) {
    return "";
}

CommandResult NewCommand(const NewOptions&, const CommandInput& input) {
    if (!WriteDesignRecord(input.design, input.file)) {
        return Failure(1, input.file + ": The file was not written correctly.");
    }
    return {0, "Design written to " + input.file + "\n", ""};
}

std::string ShippedExampleFile() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return "";
    }
    const std::filesystem::path here = program.parent_path();
    for (const std::filesystem::path& copy :
         {here / "../share/calbrine/Defaults.TXT", here / "data/Defaults.TXT"}) {
        if (TextLineReader reader; reader.Open(copy.string())) {
            return copy.string();
        }
    }
    return "";
}

}  // namespace calbrine
