#include "windows/DesignCompanions.h"

#include <QPointer>

#include "windows/DesignPage.h"
#include "windows/Navigation.h"
#include "windows/ProgramFrame.h"
#include "windows/SimulationWindow.h"
#include "windows/explorer/ExplorerWindow.h"

namespace calbrine {

namespace {

QPointer<ExplorerWindow> explorer;
QPointer<SimulationWindow> simulation;

// Made a window of the program frame's, so that it stays above the design window; Escape
// closes it.
void adopt(QWidget& window) {
    if (ProgramFrame* frame = ProgramFrame::current()) {
        window.setParent(frame, Qt::Window);
    }
    CloseOnEscape(&window);
}

void raiseWindow(QWidget& window) {
    if (!window.isVisible()) {
        KeepOnScreen(&window);
    }
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace

ExplorerWindow* showExplorer(const DesignSession& session) {
    if (explorer) {
        explorer->followDesign(session.design);
    } else {
        explorer = new ExplorerWindow(session.design, nullptr, session);
        explorer->setAttribute(Qt::WA_DeleteOnClose);
        adopt(*explorer);
        // To whichever design page is current, as a copy: its accept step lets the explorer
        // follow, which replaces the fit the signal refers to.
        QObject::connect(explorer, &ExplorerWindow::applyFit, explorer, [](DesignRecord fitted) {
            if (DesignPage* page = designPage()) {
                page->takeFittedDesign(fitted);
            }
        });
    }
    raiseWindow(*explorer);
    return explorer;
}

void showSimulation(const DesignRecord& design, double coilQ) {
    const bool opened = simulation;
    if (!opened) {
        simulation = new SimulationWindow;
        simulation->setAttribute(Qt::WA_DeleteOnClose);
        adopt(*simulation);
    }
    if (simulation->simulate(design, coilQ) || opened) {
        raiseWindow(*simulation);
    } else {
        delete simulation;
    }
}

void followDesignWindow(const DesignRecord& design) {
    if (explorer) {
        explorer->followDesign(design);
    }
}

ExplorerWindow* openExplorer() {
    return explorer;
}

SimulationWindow* openSimulation() {
    return simulation;
}

}  // namespace calbrine
