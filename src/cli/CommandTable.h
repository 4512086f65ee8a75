// The command line's two tables: the options, with their help, and the commands, each with its
// summary, the options it takes, the reading of those options into the command's own typed
// options and the run. Parsing, dispatch and the help text all go through them.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "cli/CalibrateCommand.h"
#include "cli/CoilCommand.h"
#include "cli/CommandBasics.h"
#include "cli/DesignCommands.h"
#include "cli/HeatRunCommand.h"
#include "cli/ManyRunCommands.h"
#include "cli/NewCommand.h"
#include "cli/PartsCommand.h"
#include "cli/QualityCommand.h"
#include "cli/SheetCommand.h"
#include "cli/SimulationCommands.h"

namespace calbrine {

// The typed options of whichever command was named.
using CommandOptions =
    std::variant<ComputeOptions, CurveOptions, FitOptions, DriftOptions, SimulateOptions,
                 MonteCarloOptions, CalibrateOptions, NetlistOptions, NewOptions, PartsOptions,
                 CoilOptions, HeatRunOptions, SheetOptions, QualityCommandOptions>;

struct OptionEntry {
    const char* names;      // "h,help": the short name, if any, then the long one
    const char* valueName;  // nullptr for a switch
    const char* help;       // lines separated by "\n"
};

struct CommandEntry {
    const char* name;
    const char* summary;  // its line in the help
    // The long names of the options it takes; "jobs:simulate" takes --jobs only with --simulate.
    const char* options;
    // Reads the options given into the command's typed options: empty text, or what is wrong.
    std::string (*parse)(const OptionValues& values, CommandOptions& options);
    CommandResult (*run)(const CommandOptions& options, const CommandInput& input);
    // False for a command whose file is one it writes: it works on the shipped example design.
    bool readsDesign = true;
    // The option that may be given in place of the design file (coil's "inductance"): then
    // no file is read and the run has an empty design. nullptr: the file is wanted.
    const char* insteadOfFile = nullptr;
    // True for a command that paints a page (the build sheet's PDF): the program gives it a
    // painting application on a platform that needs no display.
    bool paints = false;
};

const std::vector<OptionEntry>& OptionTable();
const std::vector<CommandEntry>& CommandTable();

const CommandEntry* FindCommand(const std::string& name);
// The option's long name: "help" for "h" or "help".
std::string LongOptionName(const std::string& name);
// Every command takes --set, which changes the design it works on.
bool TakesOption(const CommandEntry& command, const std::string& option);
// The option that `option` needs beside it on `command` ("simulate" for curve's "jobs"), or
// empty text.
std::string OptionNeeds(const CommandEntry& command, const std::string& option);
// The commands that take `option`, those that take it alone first: "simulate, montecarlo,
// curve or drift".
std::string OptionTakers(const std::string& option);

std::string HelpText();

}  // namespace calbrine
