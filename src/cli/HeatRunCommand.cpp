#include "cli/HeatRunCommand.h"

#include "cli/CommandDesign.h"
#include "cli/CommandOptions.h"
#include "cli/ShippedTables.h"
#include "files/DesignFiles.h"

namespace calbrine {

namespace {

std::string ParseReadings(const std::vector<std::string>& texts, HeatRunOptions& options) {
    for (const std::string& text : texts) {
        HeatReading& reading = options.readings.emplace_back();
        const std::string wrong = ParseHeatReading(text, reading);
        if (!wrong.empty()) {
            return "--reading: " + wrong;
        }
    }
    const MeasuredDrift drift = MeasureDrift(options.readings);
    return drift.measured ? ""
                          : "heatrun wants readings at two or more temperatures: " +
                                std::string("--reading TEMP=HZ --reading TEMP=HZ");
}

std::string ParseCompensated(const OptionValues& values, HeatRunRequest& request) {
    if (const std::string part = values.Value("part"); !part.empty()) {
        const std::optional<Part> named = PartFromName(part);
        if (!named || !IsFixedCapacitor(*named)) {
            return "--part wants a fixed capacitor: C39, C37, C90, C15, C34 or C35, not \"" + part +
                   "\"";
        }
        request.part = *named;
    }
    if (const std::string kind = values.Value("kind"); !kind.empty()) {
        const NegativeKind* named = NegativeKindNamed(kind);
        if (named == nullptr) {
            return "--kind wants N150, N220, N330, N470 or N750, not \"" + kind + "\"";
        }
        request.kind = *named;
    }
    request.series.name = "E12";
    return values.IsSet("series") ? ParseSeries(values.Value("series"), request.series.name) : "";
}

}  // namespace

std::string ParseHeatRunOptions(const OptionValues& values, HeatRunOptions& options) {
    options.csv = values.IsSet("csv");
    if (values.IsSet("save")) {
        options.save = ReadableName(values.Value("save"));
    }
    if (values.IsSet("setting")) {
        const std::string wrong =
            ParseDialSetting(values.Value("setting"), options.request.setting);
        if (!wrong.empty()) {
            return "--setting: " + wrong;
        }
    }
    const std::string wrong = ParseCompensated(values, options.request);
    return wrong.empty() ? ParseReadings(values.Values("reading"), options) : wrong;
}

CommandResult HeatRunCommand(const HeatRunOptions& options, const CommandInput& input) {
    HeatRunRequest request = options.request;
    if (const std::string wrong = ShippedSeriesNamed(options.request.series.name, request.series);
        !wrong.empty()) {
        return Failure(1, wrong);
    }
    PartSettings settings;
    if (const std::string bad = KeptPartSettings(input.file, settings); !bad.empty()) {
        return Failure(1, bad);
    }
    const HeatRun run = AnalyseHeatRun(input.design, settings, options.readings, request);
    const Compensation& c = run.compensation;
    if (!c.possible) {
        return Failure(1, "Cannot compensate: " + c.reason);
    }
    if (!options.save.empty()) {
        // The heat run measured the build before the change; the saved design's has yet to run.
        PartSettings saved = c.settings;
        saved.heatRun.readings.clear();
        if (!WriteDesignRecord(c.design, options.save) ||
            !WriteSettingsFile(SettingsPath(options.save), saved)) {
            return Failure(1, options.save + ": The file was not written correctly.");
        }
    }
    if (options.csv) {
        return {0, HeatRunTable(run).Csv(), ""};
    }
    std::string text = HeatRunText(run);
    if (!options.save.empty()) {
        text += "The compensated design saved as " + options.save + ", its coefficient in " +
                SettingsPath(options.save) + "\n";
    }
    return {0, text, ""};
}

}  // namespace calbrine
