// The program's help: the guide to its windows and the command line's own help text, in one
// window that F1 opens from any window of the program and the design page's Help button.
#pragma once

#include <string>

class QWidget;

namespace calbrine {

// The command line's help text, shown under the guide; the program hands it over at start
// (the windows do not know the command table).
void SetCommandLineHelp(const std::string& text);

// Shows the help window, made on first use, raised when it is open.
QWidget* showHelp();

// Makes F1 open the help from every window of the program. Called once at start.
void InstallHelpKey();

}  // namespace calbrine
