#include "cli/ConsoleCommands.h"

#include <ostream>

#include "cli/CommandDesign.h"
#include "cli/NewCommand.h"

namespace calbrine {

namespace {

// Reads the design, says what its accept step changed, and runs the command on it; a command
// given no file runs on an empty design.
CommandResult RunSubcommand(const CommandLine& line, std::ostream& err, bool errIsTerminal) {
    const std::string source = line.command->readsDesign ? line.file : ShippedExampleFile();
    if (source.empty() && !line.command->readsDesign) {
        return Failure(1, "the example design that ships with Calbrine was not found");
    }
    // A command given the option that stands in place of its file runs on an empty design.
    CommandDesign read;
    read.design = DesignRecord{};
    if (!source.empty()) {
        read = ReadCommandDesign(source, line.sets);
    }
    if (!read.design) {
        return Failure(1, read.error);
    }
    for (const std::string& note : read.notes) {
        err << "calbrine: " << source << ": " << note << "\n";
    }
    const CommandInput input{*read.design, line.file, {err, errIsTerminal}};
    CommandResult result = line.command->run(line.options, input);
    // The last guard: a figure that could not be formed is never printed as one.
    const std::string word = NonFiniteWord(result.out);
    if (result.status == 0 && !word.empty()) {
        return Failure(1, std::string(line.command->name) +
                              ": a figure of this design cannot be formed (\"" + word +
                              "\"); check its part values");
    }
    return result;
}

}  // namespace

int RunConsoleCommand(const CommandLine& line, std::ostream& out, std::ostream& err,
                      bool errIsTerminal) {
    CommandResult result;
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
