#include "design/Tuning.h"

#include <cmath>

#include "design/DesignValues.h"
#include "design/Tank.h"
#include "engineering/EngineeringText.h"

namespace calbrine {

namespace {

float FiniteOrZero(float f) {
    return std::isfinite(f) ? f : 0.0f;
}

std::string EngText(float value) {
    std::string text;
    FormatEng(value, text);
    return text;
}

}  // namespace

float NominalFineCapacitance(const DesignRecord& d) {
    return (d.CfineMax + d.CfineMin) / 2;
}

DesignRecord WithNominalFine(DesignRecord design) {
    design.CfineNom = NominalFineCapacitance(design);
    return design;
}

float ResonanceFrequency(const DesignRecord& d, float cfine, float ccoarse) {
    // The tank in singles, each intermediate held as a single as the oscillator's figures
    // always have been; only the root and the quotient are taken in double.
    const float Ctotal = Tank<float>(d).Capacitance(cfine, ccoarse);
    const float f = static_cast<float>(ResonanceOf(Ctotal, d.L7));
    // An all-zero record (a first start) gives 0/0 here; it shows as zero, never as nan.
    return FiniteOrZero(f);
}

TuningRecord TuneDesign(const DesignRecord& d) {
    TuningRecord r;
    r.VfoMax = ResonanceFrequency(d, d.CfineNom, d.CcoarseMin);
    r.VfoMin = ResonanceFrequency(d, d.CfineNom, d.CcoarseMax);
    r.FineLow = ResonanceFrequency(d, d.CfineMax, d.CcoarseMax);
    r.FineHigh = ResonanceFrequency(d, d.CfineMin, d.CcoarseMax);
    return r;
}

TuningCaptions CaptionsOf(const DesignRecord& d, const TuningRecord& r) {
    TuningCaptions captions;
    captions.lblFreqMin = "VFO from" + EngText(r.VfoMin) + " to" + EngText(r.VfoMax);

    const float sumLow = d.IF + r.VfoMin;
    const float sumHigh = d.IF + r.VfoMax;
    const float diffFromMin = std::fabs(d.IF - r.VfoMin);
    const float diffFromMax = std::fabs(d.IF - r.VfoMax);
    captions.lblSum = "RF sum: " + EngText(sumLow) + " to" + EngText(sumHigh);
    captions.lblDiff = "RF diff: " + EngText(diffFromMax) + " to" + EngText(diffFromMin);

    const float coarseSpan = std::fabs(r.VfoMax - r.VfoMin);
    captions.lblSpan = "Coarse-tune span: " + EngText(coarseSpan);

    const float fineSpan = r.FineHigh - r.FineLow;
    captions.lblFineSpan = "Fine-tune span:  " + EngText(fineSpan);
    return captions;
}

TuningCaptions EvaluateTuning() {
    TuningResults = TuneDesign(DesignValues);
    return CaptionsOf(DesignValues, TuningResults);
}

}  // namespace calbrine
