// The design values of the oscillator, the results of the tuning calculation and the
// program constants: program-wide records read and written in place.
#pragma once

#include <string>

namespace calbrine {

// Twelve stored values (farad, henry, hertz) and the derived nominal fine-tune capacitance.
struct DesignRecord {
    float CfineMin = 0;
    float CfineMax = 0;
    float C39 = 0;
    float C37 = 0;
    float CcoarseMin = 0;
    float CcoarseMax = 0;
    float C90 = 0;
    float C15 = 0;
    float C34 = 0;
    float C35 = 0;
    float L7 = 0;
    float IF = 0;
    float CfineNom = 0;  // (CfineMax + CfineMin) / 2, never stored in a file
};

// The four frequencies of the last tuning calculation, in hertz.
struct TuningRecord {
    float VfoMin = 0;
    float VfoMax = 0;
    float FineLow = 0;
    float FineHigh = 0;
};

extern DesignRecord DesignValues;
extern TuningRecord TuningResults;

extern std::string VersionText;
extern std::string CopyrightText;
extern std::string DesignFileName;
extern float Pi;

// Floors that the accept step puts in place of entries that read as zero or less.
constexpr float CapacitanceFloor = 1e-14f;
constexpr float InductanceFloor = 1e-12f;

// Sets VersionText, CopyrightText and Pi; called once while the opening window loads.
void SetProgramConstants();

}  // namespace calbrine
