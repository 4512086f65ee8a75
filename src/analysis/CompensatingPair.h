// Cancelling a drift by splitting one fixed capacitor into two stocked parts in parallel: one
// NP0 (0 ppm/degC) and one of a negative coefficient, whose sum stays within 2 % of the
// designed value so that the band moves little.
#pragma once

#include <array>
#include <string>

#include "analysis/Parts.h"
#include "analysis/StandardValues.h"
#include "design/DesignRecord.h"

namespace calbrine {

// A kind of capacitor of negative temperature coefficient, as its makers name it.
struct NegativeKind {
    const char* name;
    double ppm;
};
constexpr std::array<NegativeKind, 5> NegativeKinds = {
    {{"N150", -150}, {"N220", -220}, {"N330", -330}, {"N470", -470}, {"N750", -750}}};
// The kind of that name, any case; null for another name.
const NegativeKind* NegativeKindNamed(const std::string& name);

// The pair's sum lies within this fraction of the capacitor's designed value.
constexpr double PairSumTolerance = 0.02;

// C39, C37, C90, C15, C34 and C35: the parts that can be split.
bool IsFixedCapacitor(Part part);

struct PairRequest {
    Part part = Part::C37;
    NegativeKind kind = NegativeKinds.back();  // N750
    ValueSeries series;                        // the parts are bought from it
    float ccoarse = 0;                         // C38 where the drift is cancelled; D9 nominal
    std::string where;                         // that setting as people read it: "VfoMin"
    double driftHzPerC = 0;                    // the drift there now
};

struct Compensation {
    bool possible = false;
    std::string reason;  // why no pair brings the drift nearer 0, and what could
    PairRequest request;
    long np0Tenths = 0;       // the NP0 part, in tenths of a pF
    long negativeTenths = 0;  // the part of the negative kind
    double designedFarad = 0;
    double presentPpm = 0;       // the part's coefficient as it is
    double effectivePpm = 0;     // the pair as one part: the coefficients weighted by value
    double changeHzPerC = 0;     // what the pair changes the drift by, the new sum's share too
    double predictedHzPerC = 0;  // the drift now plus that change
    double shiftHz = 0;          // how far the setting's frequency moves with the new sum
    // The design with the pair's sum in place, as its saved file reads back, and the settings
    // with the pair's coefficient in place of the part's.
    DesignRecord design;
    PartSettings settings;
};

// Of every pair of stocked values whose sum lies within 2 % of the part's value, the one whose
// predicted drift is nearest 0 (of pairs as near, the one whose sum is nearer the designed
// value). The predicted drift is the request's drift plus the calculated change between the
// design as it is and the design with the pair, both at the request's setting, so that the
// drift of the saved design shows the same change. Not possible when no pair brings the drift
// nearer 0 than it is, or none lies within 2 %.
Compensation CompensateWithPair(const DesignRecord& design, const PartSettings& settings,
                                const PairRequest& request);

// The two parts as a builder writes them: "33p NP0 + 4.7p N750".
std::string PairText(const Compensation& compensation);
// The two parts together, held as a single as the design's values are.
float PairFarad(const Compensation& compensation);

}  // namespace calbrine
