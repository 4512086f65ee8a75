// The design the windows show and the results of its last tuning calculation, program-wide
// records read and written in place by the windows and the file routines, and the program
// constants. Calculations take a DesignRecord of their own (design/DesignRecord.h).
#pragma once

#include <string>

#include "design/DesignRecord.h"
#include "design/ProgramConstants.h"

namespace calbrine {

extern DesignRecord DesignValues;
extern TuningRecord TuningResults;

extern std::string DesignFileName;

}  // namespace calbrine
