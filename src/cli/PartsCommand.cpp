#include "cli/PartsCommand.h"

#include "analysis/BoughtParts.h"
#include "cli/CommandDesign.h"
#include "cli/CommandOptions.h"
#include "cli/ShippedTables.h"
#include "files/DesignFiles.h"

namespace calbrine {

std::string ParsePartsOptions(const OptionValues& values, PartsOptions& options) {
    options.csv = values.IsSet("csv");
    if (values.IsSet("save")) {
        options.save = ReadableName(values.Value("save"));
    }
    return values.IsSet("series") ? ParseSeries(values.Value("series"), options.series) : "";
}

CommandResult PartsCommand(const PartsOptions& options, const CommandInput& input) {
    ValueSeries series;
    if (const std::string wrong = ShippedSeriesNamed(options.series, series); !wrong.empty()) {
        return Failure(1, wrong);
    }
    const BoughtDesign bought = BuyDesign(input.design, series);
    if (!options.save.empty() && !WriteDesignRecord(bought.bought, options.save)) {
        return Failure(1, options.save + ": The file was not written correctly.");
    }
    if (options.csv) {
        return {0, BoughtPartsTable(bought).Csv(), ""};
    }
    std::string text = BoughtPartsText(bought);
    if (!options.save.empty()) {
        text += "The design as bought saved as " + options.save + "\n";
    }
    return {0, text, ""};
}

}  // namespace calbrine
