// The four settings of the tuning capacitors at which the oscillator is calculated and
// simulated, and the calculated frequency at each.
#pragma once

#include <array>

#include "design/DesignRecord.h"

namespace calbrine {

enum class TuningSetting { VfoMin, VfoMax, FineLow, FineHigh };

constexpr std::array<TuningSetting, 4> AllTuningSettings{
    TuningSetting::VfoMin, TuningSetting::VfoMax, TuningSetting::FineLow, TuningSetting::FineHigh};

// "VfoMin", "VfoMax", "FineLow" or "FineHigh".
const char* SettingName(TuningSetting setting);

// The fine-tune varicap D9 (Cfine) and the coarse-tune capacitor C38 (Ccoarse) of a setting.
struct TuningCapacitors {
    float cfine = 0;
    float ccoarse = 0;
};

// The nominal fine-tune capacitance is taken as (CfineMin + CfineMax) / 2 from the record, so
// a record read straight from a file gives the same capacitors as the design window.
TuningCapacitors SettingCapacitors(const DesignRecord& design, TuningSetting setting);

// The tuning calculation's resonance at the setting, in hertz (0 when it is not finite).
// Reads only `design`, so settings of many designs may be evaluated at once.
float CalculatedFrequency(const DesignRecord& design, TuningSetting setting);

}  // namespace calbrine
