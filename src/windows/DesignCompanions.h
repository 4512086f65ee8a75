// The explorer and simulation windows opened from the design window. They stand on their
// own, not as children of the design window, because that window is discarded and built
// afresh around every file read, save and defaults read; they reach whichever design window
// is current.
#pragma once

#include "design/DesignSession.h"

namespace calbrine {

class ExplorerWindow;
class SimulationWindow;

// Opens the explorer on `design`, or raises it and lets it follow `design`.
ExplorerWindow* showExplorer(const DesignSession& session);
// Simulates `design` in the simulation window, opening it; a refused design opens nothing.
void showSimulation(const DesignRecord& design, double coilQ);
// Lets an open explorer follow the design window's values, after an accept step or a load.
void followDesignWindow(const DesignRecord& design);

// The open windows, or null.
ExplorerWindow* openExplorer();
SimulationWindow* openSimulation();

}  // namespace calbrine
