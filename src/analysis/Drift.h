// How the VFO moves with temperature, part by part, and how to cancel it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "analysis/Parts.h"
#include "design/DesignRecord.h"

namespace calbrine {

// Relative sensitivity d(ln f)/d(ln x) of the resonance to each part x, with D9 at `cfine` and
// C38 at `ccoarse`: the tank's figures (Tank::Sensitivities, in double), indexed by Part.
std::array<double, PartCount> Sensitivities(const DesignRecord& design, double cfine,
                                            double ccoarse);

// The coarse capacitance at which the VFO sits halfway between its two ends.
double MidBandCoarse(const DesignRecord& design);

struct PartDrift {
    Part part = Part::C37;
    double tcPpm = 0;
    double lowEndHzPerC = 0;   // at the low-frequency end of the range
    double highEndHzPerC = 0;  // at the high-frequency end
};

// Making part of a capacitor of another temperature coefficient: `fraction` of its value
// becomes a part of `tcPpm` in parallel with the rest, same total.
struct Compensation {
    bool possible = false;
    std::string reason;
    Part part = Part::C37;
    double tcPpm = 0;
    double fraction = 0;
    double compensatingFarad = 0;
    double remainingFarad = 0;
};

struct DriftAnalysis {
    std::vector<PartDrift> parts;  // largest magnitude first
    double totalLowHzPerC = 0;
    double totalHighHzPerC = 0;
    double midBandHzPerC = 0;
    Compensation compensation;
};

// Drift with the coefficients of `settings`; the compensation zeroes the mid-band drift with
// part of `compensated` (a fixed capacitor) made N750 or, failing that, NP0.
DriftAnalysis AnalyseDrift(const DesignRecord& design, const PartSettings& settings,
                           Part compensated = Part::C37);

}  // namespace calbrine
