// Designs the explorer tests work on.
#pragma once

#include "design/DesignValues.h"

namespace calbrine_test {

// 10/40 pF fine tune, 20/100 pF coarse tune, 4.7 uH, IF 12 MHz: VFO 5.4698 to 5.7589 MHz.
inline const calbrine::DesignRecord workedExample{10e-12f,  40e-12f,  10e-12f, 100e-12f, 20e-12f,
                                                  100e-12f, 100e-12f, 47e-12f, 470e-12f, 470e-12f,
                                                  4.7e-6f,  12e6f,    0};

// The built-in defaults: coarse range given high end first, IF 11 MHz.
inline const calbrine::DesignRecord reversedExample{200e-12f, 20e-12f, 33e-12f,  220e-12f, 240e-12f,
                                                    10e-12f,  33e-12f, 180e-12f, 470e-12f, 470e-12f,
                                                    7.7e-6f,  11e6f,   0};

}  // namespace calbrine_test
