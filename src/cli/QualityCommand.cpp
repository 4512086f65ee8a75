#include "cli/QualityCommand.h"

#include <cmath>

#include "cli/CommandOptions.h"
#include "cli/SimulationCommands.h"
#include "engineering/StrictNumber.h"

namespace calbrine {

namespace {

// --NAME as a number within [low, high] (engineering text: "1k"), when given.
std::string ReadNumber(const OptionValues& values, const char* name,
                       const QualityOptionLimit& limit, double& value) {
    if (!values.IsSet(name)) {
        return "";
    }
    const std::string text = values.Value(name);
    double read = 0;
    if (!ReadStrictNumber(text, read).empty() || !std::isfinite(read) || read < limit.low ||
        read > limit.high) {
        return "--" + std::string(name) + " wants " + limit.wants + ", not \"" + text + "\"";
    }
    value = read;
    return "";
}

std::string ReadFloat(const OptionValues& values, const char* name, const QualityOptionLimit& limit,
                      float& value) {
    double read = value;
    const std::string wrong = ReadNumber(values, name, limit, read);
    value = static_cast<float>(read);
    return wrong;
}

}  // namespace

std::string ParseQualityOptions(const OptionValues& values, QualityCommandOptions& options) {
    options.csv = values.IsSet("csv");
    QualityOptions& q = options.quality;
    std::string wrong = ReadJobs(values, options.jobs);
    wrong = wrong.empty() ? ReadCoilQ(values, options.coilQ) : wrong;
    wrong = wrong.empty() ? ReadNumber(values, "load", LoadLimit, q.loadOhms) : wrong;
    wrong = wrong.empty() ? ReadFloat(values, "nf", NoiseFigureLimit, q.noiseFigureDb) : wrong;
    wrong = wrong.empty() ? ReadFloat(values, "flicker", FlickerLimit, q.flickerHz) : wrong;
    wrong = wrong.empty() ? ReadFloat(values, "bandwidth", BandwidthLimit, q.bandwidthHz) : wrong;
    return wrong;
}

CommandResult QualityCommand(const QualityCommandOptions& options, const CommandInput& input) {
    double coilQ = 0;
    if (const std::string bad = CommandCoilQ(input, options.coilQ, coilQ); !bad.empty()) {
        return Failure(1, bad);
    }
    QualityOutcome outcome;
    {
        ProgressLine progress(input.progress);
        outcome = SimulateQuality(input.design, coilQ, options.quality,
                                  CommandSimulator(options.jobs), progress.Report());
    }
    if (!outcome.Succeeded()) {
        return Failure(1, outcome.message);
    }
    return {0, options.csv ? QualityTable(outcome).Csv() : QualityReport(outcome), ""};
}

}  // namespace calbrine
