// Designs shared by the simulation tests.
#pragma once

#include <string>

#include "../support/Fixtures.h"
#include "simulation/NgspiceSession.h"
#include "simulation/SimulationWorker.h"
#include "simulation/Simulator.h"

namespace calbrine_test {

// The worked example with a divider of two equal capacitors.
inline calbrine::DesignRecord WithDivider(float farad) {
    calbrine::DesignRecord d = workedExample;
    d.C34 = d.C35 = farad;
    return d;
}

// Simulations whose workers are the tests' worker program, serving jobs as the program does or
// failing on purpose ("--crash", "--hang", "--garble").
inline calbrine::SimulatorOptions TestWorkers(
    const char* behaviour = calbrine::WorkerSwitch,
    const std::string& library = calbrine::NgspiceLibraryFile) {
    calbrine::SimulatorOptions options;
    options.libraryFile = library;
    options.worker = {{CALBRINE_TEST_WORKER, behaviour, library}};
    return options;
}

// Why ngspice's library cannot be loaded here, or empty text. A test skips with it in its own
// body, so that nothing after the skip runs:
//     if (const std::string why = NgspiceMissing(); !why.empty()) GTEST_SKIP() << why;
inline std::string NgspiceMissing() {
    calbrine::NgspiceSession probe;
    return probe.State() == calbrine::NgspiceState::Missing ? probe.Problem() : "";
}

}  // namespace calbrine_test
