#include "cli/ConsoleCommands.h"

#include <ostream>

#include "analysis/DesignScope.h"
#include "analysis/ExplorerCommands.h"
#include "analysis/ReportText.h"
#include "cli/SimulationCommands.h"
#include "design/Tuning.h"
#include "files/DesignFiles.h"
#include "services/MessageRecorder.h"

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

// Reads the design file without showing anything; the reader's message is the error.
bool ReadDesign(const std::string& file, DesignRecord& design, std::string& error) {
    const DesignRecord kept = DesignValues;
    DesignValues = DesignRecord{};
    bool failed = false;
    {
        MessageRecorder recorder(false);
        ReadDesignFile(file);
        failed = !recorder.Messages().empty();
        error = failed ? recorder.Messages().front() : "";
    }
    design = DesignValues;
    design.CfineNom = NominalFineCapacitance(design);
    DesignValues = kept;
    return !failed;
}

Result Compute(const DesignRecord& design, bool csv) {
    const DesignScope scope(design);
    const TuningCaptions captions = EvaluateTuning();
    const TuningRecord& r = TuningResults;
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
    CurveOptions options;
    if (!line.steps.empty()) {
        const std::string wrong = ParseSteps(line.steps, options.steps);
        if (!wrong.empty()) {
            return Failure(2, wrong);
        }
    }
    return {0, line.csv ? CurveCsv(design, options) : CurveText(design, options), ""};
}

Result Fit(const CommandLine& line, const DesignRecord& design) {
    FitOptions options;
    std::string wrong = ParseBand(line.band, options.band);
    if (wrong.empty() && !line.mix.empty()) {
        wrong = ParseMix(line.mix, options.mix);
    }
    if (wrong.empty() && !line.solve.empty()) {
        wrong = ParseSolve(line.solve, options.solve);
    }
    if (!wrong.empty()) {
        return Failure(2, wrong);
    }
    const CommandOutput output = line.csv ? FitCsv(design, options) : FitText(design, options);
    return output.reached ? Result{0, output.text, ""} : Failure(1, output.error);
}

Result Drift(const CommandLine& line, const DesignRecord& design) {
    DriftOptions options;
    const std::string settingsFile = SettingsPath(line.file);
    const std::string bad = ReadSettingsFile(settingsFile, options.settings);
    if (!bad.empty()) {
        return Failure(1, settingsFile + ": " + bad);
    }
    for (const std::string& tc : line.tc) {
        const std::string wrong = ParseTc(tc, options.settings);
        if (!wrong.empty()) {
            return Failure(2, wrong);
        }
    }
    return {0, line.csv ? DriftCsv(design, options) : DriftText(design, options), ""};
}

// The simulation commands keep their own file; their outcome is this file's Result.
Result Simulation(const CommandLine& line, const DesignRecord& design, std::ostream& err,
                  bool errIsTerminal) {
    const CommandOutcome outcome = line.command == "netlist"
                                       ? NetlistCommand(line, design)
                                       : SimulateCommand(line, design, err, errIsTerminal);
    return {outcome.status, outcome.out, outcome.error};
}

Result RunSubcommand(const CommandLine& line, std::ostream& err, bool errIsTerminal) {
    DesignRecord design;
    std::string unread;
    if (!ReadDesign(line.file, design, unread)) {
        return Failure(1, unread);
    }
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
    return Simulation(line, design, err, errIsTerminal);
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
