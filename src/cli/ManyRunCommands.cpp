#include "cli/ManyRunCommands.h"

#include "cli/CommandDesign.h"
#include "cli/DesignCommands.h"
#include "cli/SimulationCommands.h"
#include "runs/SimulatedCurve.h"
#include "runs/SimulatedDrift.h"
#include "runs/SimulatedFit.h"

namespace calbrine {

std::string ParseMonteCarloOptions(const OptionValues& values, MonteCarloOptions& options) {
    options.csv = values.IsSet("csv");
    std::string wrong = ReadJobs(values, options.jobs);
    wrong = wrong.empty() ? ReadCoilQ(values, options.coilQ) : wrong;
    for (const std::string& text : values.Values("tol")) {
        PartNumber tol;
        wrong = wrong.empty() ? ParseTol(text, tol) : wrong;
        options.tol.push_back(tol);
    }
    // An empty value is taken as none given, the default.
    if (const std::string runs = values.Value("runs"); wrong.empty() && !runs.empty()) {
        wrong = ParseRuns(runs, options.runs);
    }
    if (const std::string seed = values.Value("seed"); wrong.empty() && !seed.empty()) {
        wrong = ParseSeed(seed, options.seed);
    }
    return wrong;
}

CommandResult MonteCarloCommand(const MonteCarloOptions& options, const CommandInput& input) {
    PartSettings settings;
    const std::string bad = KeptPartSettings(input.file, settings);
    if (!bad.empty()) {
        return Failure(1, bad);
    }
    for (const PartNumber& tol : options.tol) {
        settings.Tolerance(tol.part) = tol.value;
    }
    settings.coilQ = options.coilQ.value_or(settings.coilQ);
    MonteCarloOutcome outcome;
    {
        ProgressLine progress(input.progress);
        outcome = RunMonteCarlo(input.design, settings, options.runs, options.seed,
                                CommandSimulator(options.jobs), progress.Report());
    }
    if (!outcome.Succeeded()) {
        return Failure(1, outcome.message);
    }
    if (options.csv) {
        return {0, MonteCarloCsv(outcome.runs), ""};
    }
    return {0,
            MonteCarloReport(settings, options.runs, options.seed,
                             MonteCarloSpreads(input.design, settings, outcome.runs)),
            ""};
}

CommandResult SimulatedDriftCommand(const CommandInput& input, const PartSettings& settings,
                                    bool csv, int jobs) {
    SimulatedDriftOutcome outcome;
    {
        ProgressLine progress(input.progress);
        outcome = SimulateDrift(input.design, settings, CommandSimulator(jobs), progress.Report());
    }
    if (!outcome.Succeeded()) {
        return Failure(1, outcome.message);
    }
    return {0, csv ? SimulatedDriftTable(outcome).Csv() : SimulatedDriftReport(outcome), ""};
}

CommandResult SimulatedCurveCommand(const CommandInput& input, int steps,
                                    const std::optional<double>& coilQ, bool csv, int jobs) {
    double q = 0;
    if (const std::string bad = CommandCoilQ(input, coilQ, q); !bad.empty()) {
        return Failure(1, bad);
    }
    SimulatedCurveOutcome outcome;
    {
        ProgressLine progress(input.progress);
        outcome = SimulateCurve(input.design, steps, q, CommandSimulator(jobs), progress.Report());
    }
    if (!outcome.Succeeded()) {
        return Failure(1, outcome.message);
    }
    return {0,
            csv ? SimulatedDialTable(input.design, steps, outcome).Csv()
                : SimulatedDialReport(input.design, steps, outcome),
            ""};
}

CommandResult SimulatedFitCommand(const CommandInput& input, const FitOutcome& fit,
                                  const FitOptions& options) {
    double q = 0;
    if (const std::string bad = CommandCoilQ(input, options.coilQ, q); !bad.empty()) {
        return Failure(1, bad);
    }
    SimulatedFitOutcome outcome;
    {
        ProgressLine progress(input.progress);
        outcome = FitBySimulation(input.design, fit.request, CommandSimulator(options.jobs),
                                  progress.Report(), nullptr, q);
    }
    if (!outcome.Succeeded()) {
        return Failure(1, outcome.message);
    }
    if (!outcome.reached) {
        return Failure(1, "Cannot fit by simulation: " + outcome.reason);
    }
    const std::string text = options.csv
                                 ? SimulatedFitCsv(outcome)
                                 : MixLine(fit) + FitReport(input.design, fit.request, fit.result) +
                                       "\n" + SimulatedFitReport(outcome);
    return SaveFitted(options, outcome.Fitted(), {0, text, ""});
}

}  // namespace calbrine
