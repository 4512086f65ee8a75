#include "design/Tuning.h"

#include <cmath>

#include "design/DesignValues.h"
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

float ResonanceFrequency(float cfine, float ccoarse) {
    return ResonanceFrequency(DesignValues, cfine, ccoarse);
}

float ResonanceFrequency(const DesignRecord& d, float cfine, float ccoarse) {
    // Each intermediate is held as a single, as the oscillator's figures always have been.
    const float Cseries = cfine * d.C39 / (cfine + d.C39);
    const float Cparallel = Cseries + d.C37 + ccoarse + d.C90;
    const float Cdivider = d.C35 * d.C34 / (d.C35 + d.C34);
    const float Cload = Cdivider * Cparallel / (Cdivider + Cparallel);
    const float Ctotal = Cload + d.C15;
    const float twoPi = Pi + Pi;
    const double root = std::sqrt(static_cast<double>(Ctotal) * static_cast<double>(d.L7));
    const float f = static_cast<float>(1.0 / (twoPi * root));
    // An all-zero record (a first start) gives 0/0 here; it shows as zero, never as nan.
    return FiniteOrZero(f);
}

TuningCaptions EvaluateTuning() {
    const DesignRecord& d = DesignValues;
    TuningRecord& r = TuningResults;
    TuningCaptions captions;

    r.VfoMax = ResonanceFrequency(d.CfineNom, d.CcoarseMin);
    const std::string vfoMaxText = EngText(r.VfoMax);
    r.VfoMin = ResonanceFrequency(d.CfineNom, d.CcoarseMax);
    const std::string vfoMinText = EngText(r.VfoMin);
    captions.lblFreqMin = "VFO from" + vfoMinText + " to" + vfoMaxText;

    const float sumLow = d.IF + r.VfoMin;
    const float sumHigh = d.IF + r.VfoMax;
    const float diffFromMin = std::fabs(d.IF - r.VfoMin);
    const float diffFromMax = std::fabs(d.IF - r.VfoMax);
    captions.lblSum = "RF sum: " + EngText(sumLow) + " to" + EngText(sumHigh);
    captions.lblDiff = "RF diff: " + EngText(diffFromMax) + " to" + EngText(diffFromMin);

    const float coarseSpan = std::fabs(r.VfoMax - r.VfoMin);
    captions.lblSpan = "Coarse-tune span: " + EngText(coarseSpan);

    r.FineLow = ResonanceFrequency(d.CfineMax, d.CcoarseMax);
    r.FineHigh = ResonanceFrequency(d.CfineMin, d.CcoarseMax);
    const float fineSpan = r.FineHigh - r.FineLow;
    captions.lblFineSpan = "Fine-tune span:  " + EngText(fineSpan);
    return captions;
}

}  // namespace calbrine
