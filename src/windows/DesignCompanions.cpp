#include "windows/DesignCompanions.h"

#include <QPointer>

#include "windows/DesignPage.h"
#include "windows/ExplorerWindow.h"
#include "windows/Navigation.h"
#include "windows/ProgramFrame.h"
#include "windows/SimulationWindow.h"

namespace calbrine {

namespace {

QPointer<ExplorerWindow> explorer;
QPointer<SimulationWindow> simulation;

// Made a window of the program frame's, so that it stays above the design window; Escape
// closes it.
void Adopt(QWidget& window) {
    if (ProgramFrame* frame = ProgramFrame::current()) {
        window.setParent(frame, Qt::Window);
    }
    CloseOnEscape(&window);
}

void Raise(QWidget& window) {
    if (!window.isVisible()) {
        KeepOnScreen(&window);
    }
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace

ExplorerWindow* ShowExplorer(const DesignRecord& design) {
    if (explorer) {
        explorer->FollowDesign(design);
    } else {
        explorer = new ExplorerWindow(design);
        explorer->setAttribute(Qt::WA_DeleteOnClose);
        Adopt(*explorer);
        // To whichever design page is current, as a copy: its accept step lets the explorer
        // follow, which replaces the fit the signal refers to.
        QObject::connect(explorer, &ExplorerWindow::ApplyFit, explorer, [](DesignRecord fitted) {
            if (DesignPage* page = designPage()) {
                page->takeFittedDesign(fitted);
            }
        });
    }
    Raise(*explorer);
    return explorer;
}

void ShowSimulation(const DesignRecord& design) {
    const bool opened = simulation;
    if (!opened) {
        simulation = new SimulationWindow;
        simulation->setAttribute(Qt::WA_DeleteOnClose);
        Adopt(*simulation);
    }
    if (simulation->Simulate(design) || opened) {
        Raise(*simulation);
    } else {
        delete simulation;
    }
}

void FollowDesignWindow(const DesignRecord& design) {
    if (explorer) {
        explorer->FollowDesign(design);
    }
}

ExplorerWindow* OpenExplorer() {
    return explorer;
}

SimulationWindow* OpenSimulation() {
    return simulation;
}

}  // namespace calbrine
