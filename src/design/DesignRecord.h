// The records of one design: its twelve values and the four frequencies of its tuning. Plain
// values, copied and passed freely, so that any number of designs can be worked on at once.
#pragma once

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

// The four frequencies of a tuning calculation, in hertz.
struct TuningRecord {
    float VfoMin = 0;
    float VfoMax = 0;
    float FineLow = 0;
    float FineHigh = 0;
};

// Floors that the accept step puts in place of entries that read as zero or less.
constexpr float CapacitanceFloor = 1e-14f;
constexpr float InductanceFloor = 1e-12f;

}  // namespace calbrine
