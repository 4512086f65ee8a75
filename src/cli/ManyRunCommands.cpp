#include "cli/ManyRunCommands.h"

#include <utility>

#include "cli/CommandOptions.h"
#include "runs/MonteCarlo.h"
#include "runs/SimulatedCurve.h"
#include "runs/SimulatedDrift.h"

namespace calbrine {

namespace {

Simulator CommandSimulator(const CommandLine& line) {
    SimulatorOptions options;
    if (line.jobs > 0) {
        options.jobs = line.jobs;
    }
    return Simulator(options);
}

// A progress line rewritten in place on a terminal, cleared before the results; nothing when
// the error stream goes to a file.
class ProgressLine {
  public:
    explicit ProgressLine(ProgressSink sink) : sink_(sink) {}
    ~ProgressLine() {
        if (sink_.isTerminal) {
            sink_.err << "\r\033[K" << std::flush;
        }
    }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    SimulationProgress Report() {
        return [this](double fraction, const std::string& phase) {
            if (sink_.isTerminal) {
                sink_.err << "\rSimulating " << phase << ": " << static_cast<int>(fraction * 100)
                          << " %\033[K" << std::flush;
            }
        };
    }

  private:
    ProgressSink sink_;
};

}  // namespace

CommandOutcome MonteCarloCommand(const CommandLine& line, const DesignRecord& design,
                                 const PartSettings& settings, ProgressSink sink) {
    int runs = DefaultMonteCarloRuns;
    std::uint32_t seed = 1;
    if (!line.runs.empty()) {
        ParseRuns(line.runs, runs);  // checked before the design was read
    }
    if (!line.seed.empty()) {
        ParseSeed(line.seed, seed);
    }
    MonteCarloOutcome outcome;
    {
        ProgressLine progress(sink);
        outcome =
            RunMonteCarlo(design, settings, runs, seed, CommandSimulator(line), progress.Report());
    }
    if (!outcome.Succeeded()) {
        return {1, "", outcome.message};
    }
    if (line.csv) {
        return {0, MonteCarloCsv(outcome.runs), ""};
    }
    return {
        0,
        MonteCarloReport(settings, runs, seed, MonteCarloSpreads(design, settings, outcome.runs)),
        ""};
}

CommandOutcome SimulatedDriftCommand(const CommandLine& line, const DesignRecord& design,
                                     const PartSettings& settings, ProgressSink sink) {
    SimulatedDriftOutcome outcome;
    {
        ProgressLine progress(sink);
        outcome = SimulateDrift(design, settings, CommandSimulator(line), progress.Report());
    }
    if (!outcome.Succeeded()) {
        return {1, "", outcome.message};
    }
    return {0, line.csv ? SimulatedDriftTable(outcome).Csv() : SimulatedDriftReport(outcome), ""};
}

CommandOutcome SimulatedCurveCommand(const CommandLine& line, const DesignRecord& design, int steps,
                                     ProgressSink sink) {
    SimulatedCurveOutcome outcome;
    {
        ProgressLine progress(sink);
        outcome = SimulateCurve(design, steps, CommandSimulator(line), progress.Report());
    }
    if (!outcome.Succeeded()) {
        return {1, "", outcome.message};
    }
    return {0,
            line.csv ? SimulatedDialTable(design, steps, outcome).Csv()
                     : SimulatedDialReport(design, steps, outcome),
            ""};
}

}  // namespace calbrine
