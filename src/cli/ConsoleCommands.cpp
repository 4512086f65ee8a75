#include "cli/ConsoleCommands.h"

#include <ostream>

#include "analysis/ReportText.h"
#include "analysis/Reports.h"
#include "cli/CommandOptions.h"
#include "design/Tuning.h"
#include "files/DesignFiles.h"
#include "simulation/SimulationText.h"

namespace calbrine {

namespace {

// What a command prints, and its exit status.
struct Result {
    int status = 0;
    std::string out;
    std::string error;  // without the program's name in front
};

Result Failure(int status, const std::string& error) {
    return {status, "", error};
}

Result Compute(const DesignRecord& design, bool csv) {
    const TuningRecord r = TuneDesign(design);
    const TuningCaptions captions = CaptionsOf(design, r);
    if (csv) {
        return {0,
                "vfo_min_hz,vfo_max_hz,fine_low_hz,fine_high_hz\n" + PlainNumber(r.VfoMin) + "," +
                    PlainNumber(r.VfoMax) + "," + PlainNumber(r.FineLow) + "," +
                    PlainNumber(r.FineHigh) + "\n",
                ""};
    }
    const std::string table = AlignedTable({{"VfoMin", FrequencyText(r.VfoMin)},
                                            {"VfoMax", FrequencyText(r.VfoMax)},
                                            {"FineLow", FrequencyText(r.FineLow)},
                                            {"FineHigh", FrequencyText(r.FineHigh)}});
    return {0,
            table + "\n" + captions.lblFreqMin + "\n" + captions.lblSum + "\n" + captions.lblDiff +
                "\n" + captions.lblSpan + "\n" + captions.lblFineSpan + "\n",
            ""};
}

Result Curve(const CommandLine& line, const DesignRecord& design) {
    int steps = 11;
    if (!line.steps.empty()) {
        const std::string wrong = ParseSteps(line.steps, steps);
        if (!wrong.empty()) {
            return Failure(2, wrong);
        }
    }
    return {0, line.csv ? DialTable(design, steps).Csv() : DialReport(design, steps), ""};
}

Result Fit(const CommandLine& line, const DesignRecord& design) {
    FitRequest request;
    std::string wrong = ParseBand(line.band, request.band);
    if (wrong.empty() && !line.mix.empty()) {
        wrong = ParseMix(line.mix, request.mix);
    }
    if (wrong.empty() && !line.solve.empty()) {
        wrong = ParseSolve(line.solve, request.solve);
    }
    if (!wrong.empty()) {
        return Failure(2, wrong);
    }
    const FitResult result = SolveFit(design, request);
    if (!result.reached) {
        return Failure(1, FitFailure(result));
    }
    return {0, line.csv ? FitCsv(request, result) : FitReport(design, request, result), ""};
}

Result Drift(const CommandLine& line, const DesignRecord& design) {
    PartSettings settings;
    const std::string settingsFile = SettingsPath(line.file);
    const std::string bad = ReadSettingsFile(settingsFile, settings);
    if (!bad.empty()) {
        return Failure(1, settingsFile + ": " + bad);
    }
    for (const std::string& tc : line.tc) {
        const std::string wrong = ParseTc(tc, settings);
        if (!wrong.empty()) {
            return Failure(2, wrong);
        }
    }
    const DriftAnalysis analysis = AnalyseDrift(design, settings);
    return {0, line.csv ? DriftTable(analysis).Csv() : DriftReport(analysis), ""};
}

Result Simulate(const CommandLine& line, const DesignRecord& design, std::ostream& err,
                bool errIsTerminal) {
    const SimulationProgress progress = [&err, errIsTerminal](double fraction,
                                                              const std::string& phase) {
        if (errIsTerminal) {
            err << "\rSimulating " << phase << ": " << static_cast<int>(fraction * 100) << " %   "
                << std::flush;
        }
    };
    const SimulationOutcome outcome = Simulator().Run(SimulationRequest{design}, progress);
    if (errIsTerminal) {
        err << "\r\033[K" << std::flush;  // the progress line goes before the results
    }
    if (!outcome.Succeeded()) {
        return Failure(1, outcome.message);
    }
    return {0, line.csv ? SimulationCsv(outcome.report) : SimulationTable(outcome.report), ""};
}

Result RunSubcommand(const CommandLine& line, std::ostream& err, bool errIsTerminal) {
    const DesignFileRead read = ReadDesignRecord(line.file, DesignRecord{});
    if (!read.read) {
        return Failure(1, read.error);
    }
    const DesignRecord design = WithNominalFine(read.design);
    if (line.command == "compute") {
        return Compute(design, line.csv);
    }
    if (line.command == "curve") {
        return Curve(line, design);
    }
    if (line.command == "fit") {
        return Fit(line, design);
    }
    if (line.command == "drift") {
        return Drift(line, design);
    }
    return Simulate(line, design, err, errIsTerminal);
}

}  // namespace

int RunConsoleCommand(const CommandLine& line, std::ostream& out, std::ostream& err,
                      bool errIsTerminal) {
    Result result;
    switch (line.action) {
        case CommandAction::Help:
            result.out = HelpText();
            break;
        case CommandAction::Version:
            result.out = VersionAnswer();
            break;
        case CommandAction::Subcommand:
            result = RunSubcommand(line, err, errIsTerminal);
            break;
        default:
            result = Failure(2, line.error);
            break;
    }
    out << result.out << std::flush;
    if (!result.error.empty()) {
        const bool ended = result.error.back() == '\n';
        err << "calbrine: " << result.error << (ended ? "" : "\n");
    }
    if (result.status == 2) {
        err << "Try 'calbrine --help' for more information.\n";
    }
    return result.status;
}

}  // namespace calbrine
