#include "cli/ConsoleCommands.h"

#include <ostream>

#include "analysis/ReportText.h"
#include "analysis/Reports.h"
#include "cli/CalibrateCommand.h"
#include "cli/CommandDesign.h"
#include "cli/CommandOptions.h"
#include "cli/ManyRunCommands.h"
#include "cli/SimulationCommands.h"
#include "design/Tuning.h"
#include "files/DesignFiles.h"

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

// The options of every command, read before the design file so that a wrong command line
// is told as such (status 2) whatever the file holds.
struct Options {
    int steps = 11;
    FitRequest fit;
    bool mixGiven = false;
    PartSettings given;  // only to check the --tc and --tol values; applied to the file's
    int runs = 0;
    std::uint32_t seed = 0;
};

std::string ReadOptions(const CommandLine& line, Options& o) {
    std::string wrong;
    if (!line.steps.empty()) {
        wrong = ParseSteps(line.steps, o.steps);
    }
    if (wrong.empty() && line.command == "fit") {
        wrong = ParseBand(line.band, o.fit.band);
    }
    if (wrong.empty() && !line.mix.empty()) {
        o.mixGiven = true;
        wrong = ParseMix(line.mix, o.fit.mix);
    }
    if (wrong.empty() && !line.solve.empty()) {
        wrong = ParseSolve(line.solve, o.fit.solve);
    }
    for (const std::string& tc : line.tc) {
        wrong = wrong.empty() ? ParseTc(tc, o.given) : wrong;
    }
    for (const std::string& tol : line.tol) {
        wrong = wrong.empty() ? ParseTol(tol, o.given) : wrong;
    }
    if (wrong.empty() && !line.runs.empty()) {
        wrong = ParseRuns(line.runs, o.runs);
    }
    if (wrong.empty() && !line.seed.empty()) {
        wrong = ParseSeed(line.seed, o.seed);
    }
    return wrong;
}

Result Fit(const CommandLine& line, const Options& o, const DesignRecord& design) {
    const FitOutcome fit = o.mixGiven ? FitOutcome{o.fit, SolveFit(design, o.fit), ""}
                                      : SolveFitEitherMix(design, o.fit);
    if (!fit.result.reached) {
        return Failure(1, fit.failure.empty() ? FitFailure(fit.result) : fit.failure);
    }
    return {0,
            line.csv ? FitCsv(fit.request, fit.result)
                     : MixLine(fit) + FitReport(design, fit.request, fit.result),
            ""};
}

// The part settings kept beside the design, with the command line's coefficients and
// tolerances put in (read without fault before the design was); an error text for a bad file.
std::string PartSettingsOf(const CommandLine& line, PartSettings& settings) {
    const std::string settingsFile = SettingsPath(line.file);
    const std::string bad = ReadSettingsFile(settingsFile, settings);
    if (!bad.empty()) {
        return settingsFile + ": " + bad;
    }
    for (const std::string& tc : line.tc) {
        ParseTc(tc, settings);
    }
    for (const std::string& tol : line.tol) {
        ParseTol(tol, settings);
    }
    return "";
}

Result FromOutcome(const CommandOutcome& outcome) {
    return {outcome.status, outcome.out, outcome.error};
}

Result Drift(const CommandLine& line, const DesignRecord& design, ProgressSink sink) {
    PartSettings settings;
    const std::string bad = PartSettingsOf(line, settings);
    if (!bad.empty()) {
        return Failure(1, bad);
    }
    if (line.simulate) {
        return FromOutcome(SimulatedDriftCommand(line, design, settings, sink));
    }
    const DriftAnalysis analysis = AnalyseDrift(design, settings);
    return {0, line.csv ? DriftTable(analysis).Csv() : DriftReport(analysis), ""};
}

Result MonteCarlo(const CommandLine& line, const DesignRecord& design, ProgressSink sink) {
    PartSettings settings;
    const std::string bad = PartSettingsOf(line, settings);
    if (!bad.empty()) {
        return Failure(1, bad);
    }
    return FromOutcome(MonteCarloCommand(line, design, settings, sink));
}

// The simulation commands keep their own file; their outcome is this file's Result.
Result Simulation(const CommandLine& line, const DesignRecord& design, std::ostream& err,
                  bool errIsTerminal) {
    const CommandOutcome outcome = line.command == "netlist"
                                       ? NetlistCommand(line, design)
                                       : SimulateCommand(line, design, err, errIsTerminal);
    return {outcome.status, outcome.out, outcome.error};
}

Result RunOn(const CommandLine& line, const Options& o, const DesignRecord& design,
             std::ostream& err, bool errIsTerminal) {
    if (line.command == "compute") {
        return Compute(design, line.csv);
    }
    const ProgressSink sink{err, errIsTerminal};
    if (line.command == "curve" && line.simulate) {
        return FromOutcome(SimulatedCurveCommand(line, design, o.steps, sink));
    }
    if (line.command == "curve") {
        return {0, line.csv ? DialTable(design, o.steps).Csv() : DialReport(design, o.steps), ""};
    }
    if (line.command == "montecarlo") {
        return MonteCarlo(line, design, sink);
    }
    if (line.command == "fit") {
        return Fit(line, o, design);
    }
    if (line.command == "drift") {
        return Drift(line, design, sink);
    }
    if (line.command == "calibrate") {
        const CalibrateResult calibrated = RunCalibrate(line, design);
        return {calibrated.status, calibrated.out, calibrated.error};
    }
    return Simulation(line, design, err, errIsTerminal);
}

Result RunSubcommand(const CommandLine& line, std::ostream& err, bool errIsTerminal) {
    Options options;
    const std::string wrong = ReadOptions(line, options);
    if (!wrong.empty()) {
        return Failure(2, wrong);
    }
    const CommandDesign read = ReadCommandDesign(line.file);
    if (!read.design) {
        return Failure(1, read.error);
    }
    for (const std::string& note : read.notes) {
        err << "calbrine: " << line.file << ": " << note << "\n";
    }
    Result result = RunOn(line, options, *read.design, err, errIsTerminal);
    // The last guard: a figure that could not be formed is never printed as one.
    const std::string word = NonFiniteWord(result.out);
    if (result.status == 0 && !word.empty()) {
        return Failure(1, line.command + ": a figure of this design cannot be formed (\"" + word +
                              "\"); check its part values");
    }
    return result;
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
