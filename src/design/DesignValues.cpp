#include "design/DesignValues.h"

#include "design/Version.h"

#include <cmath>

namespace calbrine {

DesignRecord DesignValues;
TuningRecord TuningResults;

std::string VersionText;
std::string CopyrightText;
std::string DesignFileName;
// Pi holds its value from the start so that a calculation never meets a zero Pi.
float Pi = 3.14159274f;

void SetProgramConstants() {
    CopyrightText = "Copyright (C) 2026 The Calbrine developers";
    VersionText = CALBRINE_VERSION;
    Pi = static_cast<float>(4.0 * std::atan(1.0));
}

}  // namespace calbrine
