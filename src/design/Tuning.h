// The tuning calculation: the oscillator's resonance at the four settings of the tuning
// capacitors, and the five result captions of the design window. Every function but the two
// marked otherwise reads only the records it is given, so designs can be evaluated on any
// number of threads at once.
#pragma once

#include <string>

#include "design/DesignRecord.h"

namespace calbrine {

// The single nearest to pi, the value the program's Pi holds once its constants are set.
constexpr float SinglePi = 3.14159274f;

struct TuningCaptions {
    std::string lblFreqMin, lblSum, lblDiff, lblSpan, lblFineSpan;
};

// The nominal fine-tune capacitance as the accept step forms it: the mean, held as a single.
float NominalFineCapacitance(const DesignRecord& design);
// The design with CfineNom formed from its two fine-tune ends, as a record read from a file
// needs before it is evaluated.
DesignRecord WithNominalFine(DesignRecord design);

// Resonance frequency of `design` with D9 at `cfine` and C38 at `ccoarse`. Returns 0 when the
// result is not a finite single.
float ResonanceFrequency(const DesignRecord& design, float cfine, float ccoarse);

// The four frequencies of `design`, with D9's nominal capacitance as the record holds it.
TuningRecord TuneDesign(const DesignRecord& design);
// The five caption texts of a design and its tuning.
TuningCaptions CaptionsOf(const DesignRecord& design, const TuningRecord& tuning);

// The program-wide form the design window uses: reads DesignValues (CfineNom as the caller left
// it), fills TuningResults and returns the caption texts.
TuningCaptions EvaluateTuning();

}  // namespace calbrine
