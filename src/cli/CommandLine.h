// The program's command line: what the arguments ask for, read with Qt's parser, and the
// help and version texts. Reading the arguments needs no application object, so the program
// can decide whether to open a window before it makes one.
#pragma once

#include <QStringList>
#include <string>
#include <vector>

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
    std::string command;  // compute, curve, fit, drift, simulate, montecarlo, netlist, calibrate
    std::string file;     // the design file, named so that the design-file reader takes it
    bool csv = false;
    // Option values as typed; empty when not given.
    std::string steps, band, mix, solve;
    int jobs = 0;                  // --jobs of a simulation, checked: 1 to 64, or 0 when not given
    bool simulate = false;         // curve and drift --simulate
    std::string runs, seed;        // montecarlo's, as typed
    std::vector<std::string> tol;  // montecarlo's --tol values
    std::string setting = "VfoMin";  // netlist --setting, checked
    std::vector<std::string> tc;
    std::vector<std::string> readings;  // calibrate's --reading values
    std::string save;                   // calibrate's --save file, named as `file` is
    std::string error;                  // for UsageError: what is wrong, in one line
};

// `arguments` as the program got them, the program's own name first.
CommandLine ParseCommandLine(const QStringList& arguments);

std::string HelpText();
// Whether a window can open: a Qt platform chosen (QT_QPA_PLATFORM, "offscreen" for one), or
// an X11 or Wayland display to open it on.
bool DisplayAvailable(const char* platform, const char* x11Display, const char* waylandDisplay);
std::string VersionAnswer();

}  // namespace calbrine
