// The design the windows show and the results of its last tuning calculation, program-wide
// records read and written in place by the windows and the file routines, and the program
// constants. Calculations take a DesignRecord of their own (design/DesignRecord.h).
#pragma once

#include <string>

#include "design/DesignRecord.h"

namespace calbrine {

extern DesignRecord DesignValues;
extern TuningRecord TuningResults;

extern std::string VersionText;
extern std::string CopyrightText;
extern std::string DesignFileName;
extern float Pi;

// Sets VersionText, CopyrightText and Pi; called once while the opening window loads.
void SetProgramConstants();

}  // namespace calbrine
