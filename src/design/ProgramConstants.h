// The program constants: its version and copyright texts and the single pi every calculation
// uses, set once at start-up.
#pragma once

#include <string>

namespace calbrine {

extern std::string VersionText;
extern std::string CopyrightText;
extern float Pi;

// Sets VersionText, CopyrightText and Pi; called once while the opening window loads.
void SetProgramConstants();

}  // namespace calbrine
