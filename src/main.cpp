// Calbrine: the VFO design utility. Without arguments the program starts at its opening
// window; the command line may name a design file to open instead, or ask for a printed
// result, the help or the version, which need no window and no display.
#include <unistd.h>

#include <QApplication>
#include <QIcon>
#include <cstdlib>
#include <iostream>

#include "cli/CommandLine.h"
#include "cli/CommandTable.h"
#include "cli/ConsoleCommands.h"
#include "design/Version.h"
#include "platform/QtRunTimeServices.h"
#include "simulation/SimulationWorker.h"
#include "windows/HelpWindow.h"
#include "windows/Navigation.h"
#include "windows/OpeningPage.h"

int main(int argc, char* argv[]) {
    // A simulation worker started by the program itself: no Qt, no command line.
    if (const int worker = calbrine::SimulationWorkerMain(argc, argv); worker >= 0) {
        return worker;
    }
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const calbrine::CommandLine line = calbrine::ParseCommandLine(arguments);
    const bool window = line.action == calbrine::CommandAction::Windows ||
                        line.action == calbrine::CommandAction::OpenDesign;
    if (!window) {
        QCoreApplication console(argc, argv);
        return calbrine::RunConsoleCommand(line, std::cout, std::cerr, isatty(STDERR_FILENO) != 0);
    }

    if (!calbrine::DisplayAvailable(std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"),
                                    std::getenv("WAYLAND_DISPLAY"))) {
        std::cerr << "calbrine: no display to open a window on (DISPLAY is not set); the "
                     "commands print without one: calbrine --help\n";
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Calbrine"));
    QApplication::setApplicationVersion(QStringLiteral(CALBRINE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.calbrine.Calbrine"));
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("org.calbrine.Calbrine"),
                         QIcon(QStringLiteral(":/icons/org.calbrine.Calbrine.svg"))));
    calbrine::InstallQtRunTimeServices();
    calbrine::InstallWindowAccessibility();
    calbrine::SetCommandLineHelp(calbrine::HelpText());
    calbrine::InstallHelpKey();
    if (line.action == calbrine::CommandAction::OpenDesign) {
        calbrine::StartWithDesignFile(line.file);
    } else {
        calbrine::showOpeningPage();
    }
    return QApplication::exec();
}
