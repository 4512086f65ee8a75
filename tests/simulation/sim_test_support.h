// Designs shared by the simulation tests.
#pragma once

#include <string>

#include "design/DesignValues.h"
#include "simulation/NgspiceSession.h"

namespace calbrine_test {

// The worked example: 10/40 pF fine tune, 20/100 pF coarse tune, 470 pF divider, 4.7 uH.
inline calbrine::DesignRecord WorkedExample() {
    return {10e-12f, 40e-12f,  10e-12f,  100e-12f, 20e-12f, 100e-12f, 100e-12f,
            47e-12f, 470e-12f, 470e-12f, 4.7e-6f,  12e6f,   25e-12f};
}

// The worked example with a divider of two equal capacitors.
inline calbrine::DesignRecord WithDivider(float farad) {
    calbrine::DesignRecord d = WorkedExample();
    d.C34 = d.C35 = farad;
    return d;
}

// Why ngspice's library cannot be loaded here, or empty text. A test skips with it in its own
// body, so that nothing after the skip runs:
//     if (const std::string why = NgspiceMissing(); !why.empty()) GTEST_SKIP() << why;
inline std::string NgspiceMissing() {
    calbrine::NgspiceSession probe;
    return probe.State() == calbrine::NgspiceState::Missing ? probe.Problem() : "";
}

}  // namespace calbrine_test
