#include "cli/NewCommand.h"

#include "cli/ShippedTables.h"
#include "files/DesignFiles.h"
#include "files/ShippedData.h"
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
    for (const std::string& copy : ShippedCopies(ProgramFolder(), "Defaults.TXT")) {
        if (TextLineReader reader; reader.Open(copy)) {
            return copy;
        }
    }
    return "";
}

}  // namespace calbrine
