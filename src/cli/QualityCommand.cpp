#include "cli/QualityCommand.h"

#include <cmath>

#include "cli/CommandOptions.h"
#include "cli/SimulationCommands.h"
#include "engineering/StrictNumber.h"

namespace calbrine {

namespace {

// --NAME as a number within [low, high] (engineering text: "1k"), when given.
std::string ReadNumber(const OptionValues& values, const char* name, double low, double high,
                       const char* wants, double& value) {
    if (!values.IsSet(name)) {
        return "";
    }
    const std::string text = values.Value(name);
    double read = 0;
    if (!ReadStrictNumber(text, read).empty() || !std::isfinite(read) || read < low ||
        read > high) {
        return "--" + std::string(name) + " wants " + wants + ", not \"" + text + "\"";
    }
    value = read;
    return "";
}

std::string ReadFloat(const OptionValues& values, const char* name, double low, double high,
                      const char* wants, float& value) {
    double read = value;
    const std::string wrong = ReadNumber(values, name, low, high, wants, read);
    value = static_cast<float>(read);
    return wrong;
}

}  // namespace

std::string ParseQualityOptions(const OptionValues& values, QualityCommandOptions& options) {
    options.csv = values.IsSet("csv");
    QualityOptions& q = options.quality;
    std::string wrong = ReadJobs(values, options.jobs);
    wrong = wrong.empty() ? ReadCoilQ(values, options.coilQ) : wrong;
    wrong = wrong.empty()
                ? ReadNumber(values, "load", 1, 1e9, "a resistance of 1 to 1G ohm", q.loadOhms)
                : wrong;
    wrong = wrong.empty()
                ? ReadFloat(values, "nf", 0, 40, "a noise figure of 0 to 40 dB", q.noiseFigureDb)
                : wrong;
    wrong = wrong.empty() ? ReadFloat(values, "flicker", 0, 1e7, "a flicker corner of 0 to 10M Hz",
                                      q.flickerHz)
                          : wrong;
    wrong = wrong.empty()
                ? ReadFloat(values, "bandwidth", 1, 1e6, "a bandwidth of 1 to 1M Hz", q.bandwidthHz)
                : wrong;
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
