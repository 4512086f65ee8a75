// The command line's simulation commands: `simulate` (the four settings in worker processes,
// as a table or CSV) and `netlist` (one setting's ngspice netlist, as it is simulated), and
// what every simulating command shares: its simulator and its progress line.
#pragma once

#include <optional>
#include <string>

#include "analysis/ReportTable.h"
#include "circuit/TuningSettings.h"
#include "cli/CommandBasics.h"
#include "simulation/Simulator.h"

namespace calbrine {

struct SimulateOptions {
    bool csv = false;
    int jobs = 0;                 // 0: one worker per processor
    std::optional<double> coilQ;  // none: the Q kept beside the design
};

struct NetlistOptions {
    TuningSetting setting = TuningSetting::VfoMin;
    std::optional<double> coilQ;
};

std::string ParseSimulateOptions(const OptionValues& values, SimulateOptions& options);
std::string ParseNetlistOptions(const OptionValues& values, NetlistOptions& options);
CommandResult SimulateCommand(const SimulateOptions& options, const CommandInput& input);
CommandResult NetlistCommand(const NetlistOptions& options, const CommandInput& input);

// The simulation's results as a table: the window's columns (CSV setting, calculated_hz,
// simulated_hz, emitter_vpp, output_vpp, startup_s, freq_error_hz, h2_dbc, h3_dbc, the error
// bar a column of the CSV only and the deviation one of the text only).
ReportTable SimulationResultTable(const SimulationReport& report);
// The table's text with its columns aligned by characters (the error bar's "±" is one), each
// line without trailing blanks, then a line for each setting that does not oscillate.
std::string SimulationResultText(const SimulationReport& report);

// L7's quality factor for a simulation of the input's design: `given` (--coil-q), else the
// one kept in the settings beside the design file (the default without one). Returns why the
// settings file cannot be read, or empty text.
std::string CommandCoilQ(const CommandInput& input, const std::optional<double>& given, double& q);

// The simulator of `jobs` workers; 0: one per processor.
Simulator CommandSimulator(int jobs);
// What every command's simulator starts from (the program's own workers and ngspice library);
// the tests put in workers that fail on purpose.
SimulatorOptions& CommandSimulatorBase();

// A progress line rewritten in place on a terminal, cleared before the results; nothing when
// the error stream goes to a file.
class ProgressLine {
  public:
    explicit ProgressLine(ProgressSink sink) : sink_(sink) {}
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    SimulationProgress Report();

  private:
    ProgressSink sink_;
};

}  // namespace calbrine
