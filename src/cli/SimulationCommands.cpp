#include "cli/SimulationCommands.h"

#include "simulation/SimulatedNetlist.h"
#include "simulation/SimulationText.h"
#include "simulation/Simulator.h"

namespace calbrine {

std::string ParseJobs(const std::string& text, int& jobs) {
    const bool digits = !text.empty() && text.size() <= 3 &&
                        text.find_first_not_of("0123456789") == std::string::npos;
    const int value = digits ? std::stoi(text) : 0;
    if (value < 1 || value > MostWorkers) {
        return "--jobs wants a whole number from 1 to 64, not '" + text + "'";
    }
    jobs = value;
    return "";
}

CommandOutcome SimulateCommand(const CommandLine& line, const DesignRecord& design,
                               std::ostream& err, bool errIsTerminal) {
    SimulatorOptions options;
    if (line.jobs > 0) {
        options.jobs = line.jobs;
    }
    const SimulationProgress progress = [&err, errIsTerminal](double fraction,
                                                              const std::string& phase) {
        if (errIsTerminal) {
            err << "\rSimulating " << phase << ": " << static_cast<int>(fraction * 100)
                << " %\033[K" << std::flush;
        }
    };
    const SimulationOutcome outcome = Simulator(options).Run(SimulationRequest{design}, progress);
    if (errIsTerminal) {
        err << "\r\033[K" << std::flush;  // the progress line goes before the results
    }
    if (!outcome.Succeeded()) {
        return {1, "", outcome.message};
    }
    return {0, line.csv ? SimulationCsv(outcome.report) : SimulationTable(outcome.report), ""};
}

CommandOutcome NetlistCommand(const CommandLine& line, const DesignRecord& design) {
    const std::optional<TuningSetting> setting = SettingNamed(line.setting);
    if (!setting) {
        return {2, "", "no setting is called '" + line.setting + "'"};
    }
    const std::string refusal = Simulator::Refusal(SimulationRequest{design, {*setting}});
    if (!refusal.empty()) {
        return {1, "", "This design cannot be simulated. " + refusal};
    }
    return {0, SimulatedNetlist(design, *setting), ""};
}

}  // namespace calbrine
