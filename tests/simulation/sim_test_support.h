// Designs, workers and a report shared by the simulation tests.
#pragma once

#include <string>

#include "../support/Fixtures.h"
#include "simulation/NgspiceSession.h"
#include "simulation/SimulationText.h"
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

// Three settings of a simulation: one running, one silent, one at a frequency far off its
// calculation.
inline calbrine::SimulationReport ThreeSettings() {
    using namespace calbrine;
    SettingReport running;
    running.setting = TuningSetting::VfoMax;
    running.calculatedHz = 5758925;
    running.measure.oscillates = true;
    running.measure.frequencyHz = 5743879.891;
    running.frequencyErrorHz = 1267.4;
    running.measure.emitterVpp = 5.3206782;
    running.measure.outputVpp = 1.0879095;
    running.measure.startupSeconds = 5.38294907e-6;
    running.harmonics = {true, {0, -59.74, -77.851, -90, -95}};
    SettingReport silent;
    silent.setting = TuningSetting::FineLow;
    silent.calculatedHz = 3897382.5;
    silent.measure.outputVpp = 0.000435128376;
    silent.measure.emitterVpp = 0.000212356718;
    silent.measure.observation = "output stays below 10 mV";
    SettingReport small = running;
    small.setting = TuningSetting::FineHigh;
    small.calculatedHz = 812.5;
    small.measure.frequencyHz = 999.5;
    small.frequencyErrorHz = 0.4;
    return SimulationReport{{running, silent, small}};
}

}  // namespace calbrine_test
