// The tuning calculation: the oscillator's resonance at the four settings of the tuning
// capacitors, and the five result captions of the design window.
#pragma once

#include <string>

namespace calbrine {

struct DesignRecord;

struct TuningCaptions {
    std::string lblFreqMin, lblSum, lblDiff, lblSpan, lblFineSpan;
};

// Resonance frequency with D9 at `cfine` and C38 at `ccoarse`, from the current DesignValues.
// Returns 0 when the result is not a finite single.
float ResonanceFrequency(float cfine, float ccoarse);
// The same from the given record, without touching the program-wide values, so that a worker
// thread may evaluate a design while the windows go on changing theirs.
float ResonanceFrequency(const DesignRecord& design, float cfine, float ccoarse);

// Reads DesignValues (CfineNom as the caller left it), fills TuningResults and returns the
// caption texts.
TuningCaptions EvaluateTuning();

}  // namespace calbrine
