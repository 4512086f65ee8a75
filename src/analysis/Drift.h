// How the VFO moves with temperature, part by part, and how to cancel it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "analysis/CompensatingPair.h"
#include "analysis/Parts.h"
#include "analysis/StandardValues.h"
#include "design/DesignRecord.h"

namespace calbrine {

// Relative sensitivity d(ln f)/d(ln x) of the resonance to each part x, with D9 at `cfine` and
// C38 at `ccoarse`: the tank's figures (Tank::Sensitivities, in double), indexed by Part.
std::array<double, PartCount> Sensitivities(const DesignRecord& design, double cfine,
                                            double ccoarse);

// The coarse capacitance at which the VFO sits halfway between its two ends.
double MidBandCoarse(const DesignRecord& design);

// The calculated drift of the VFO in Hz/degC, every part with its coefficient of `settings`,
// D9 at its nominal capacitance and C38 at `ccoarse`.
double DriftAt(const DesignRecord& design, const PartSettings& settings, double ccoarse);
// The VFO's frequency there, from the tank in double.
double VfoAtCoarse(const DesignRecord& design, double ccoarse);

struct PartDrift {
    Part part = Part::C37;
    double tcPpm = 0;
    double lowEndHzPerC = 0;   // at the low-frequency end of the range
    double highEndHzPerC = 0;  // at the high-frequency end
};

struct DriftAnalysis {
    std::vector<PartDrift> parts;  // largest magnitude first
    double totalLowHzPerC = 0;
    double totalHighHzPerC = 0;
    double midBandHzPerC = 0;
    Compensation compensation;
};

// Drift with the coefficients of `settings`; the compensation cancels the mid-band drift with
// `compensated` (a fixed capacitor) made of an NP0 and an N750 part of `series` (not possible
// without a series).
DriftAnalysis AnalyseDrift(const DesignRecord& design, const PartSettings& settings,
                           Part compensated = Part::C37, const ValueSeries* series = nullptr);

}  // namespace calbrine
