// The program's command line: what the arguments ask for, read with Qt's parser, and the
// help and version texts. Reading the arguments needs no application object, so the program
// can decide whether to open a window before it makes one.
#pragma once

#include <QStringList>
#include <string>
#include <vector>

#include "cli/CommandDesign.h"
#include "cli/CommandTable.h"

namespace calbrine {

enum class CommandAction {
    Windows,     // no arguments: the opening window
    OpenDesign,  // calbrine FILE: the design window with that file read
    Help,
    Version,
    Subcommand,  // calbrine COMMAND FILE [options]: printed, no window
    UsageError,
};

struct CommandLine {
    CommandAction action = CommandAction::Windows;
    const CommandEntry* command = nullptr;  // for Subcommand: its entry in the command table
    // The design file, named so that the design-file reader takes it; empty when the command
    // was given the option that stands in its place.
    std::string file;
    CommandOptions options;          // for Subcommand: the command's options, read and checked
    std::vector<FieldSetting> sets;  // --set FIELD=VALUE, in the order given
    std::string error;               // for UsageError: what is wrong, in one line
};

// `arguments` as the program got them, the program's own name first.
CommandLine ParseCommandLine(const QStringList& arguments);

// Whether a window can open: a Qt platform chosen (QT_QPA_PLATFORM, "offscreen" for one), or
// an X11 or Wayland display to open it on.
bool DisplayAvailable(const char* platform, const char* x11Display, const char* waylandDisplay);
std::string VersionAnswer();

}  // namespace calbrine
