#include "circuit/TuningSettings.h"

#include "design/Tuning.h"

namespace calbrine {

const char* SettingName(TuningSetting setting) {
    switch (setting) {
        case TuningSetting::VfoMin:
            return "VfoMin";
        case TuningSetting::VfoMax:
            return "VfoMax";
        case TuningSetting::FineLow:
            return "FineLow";
        case TuningSetting::FineHigh:
            return "FineHigh";
    }
    return "?";
}

TuningCapacitors SettingCapacitors(const DesignRecord& design, TuningSetting setting) {
    const float nominal = NominalFineCapacitance(design);
    switch (setting) {
        case TuningSetting::VfoMin:
            return {nominal, design.CcoarseMax};
        case TuningSetting::VfoMax:
            return {nominal, design.CcoarseMin};
        case TuningSetting::FineLow:
            return {design.CfineMax, design.CcoarseMax};
        case TuningSetting::FineHigh:
            return {design.CfineMin, design.CcoarseMax};
    }
    return {};
}

float CalculatedFrequency(const DesignRecord& design, TuningSetting setting) {
    const TuningCapacitors c = SettingCapacitors(design, setting);
    return ResonanceFrequency(design, c.cfine, c.ccoarse);
}

}  // namespace calbrine
