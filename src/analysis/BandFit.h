// Fitting a design to a wanted RF band: which inductor and padding capacitor, or which
// coarse-tune capacitor, put the band on the dial.
#pragma once

#include <string>
#include <vector>

#include "analysis/TuningCurve.h"
#include "design/DesignRecord.h"

namespace calbrine {

struct RfBand {
    double lowHz = 0;
    double highHz = 0;
};

// The VFO edges that give `band` with the design's IF. For the difference mix the VFO lies
// below the IF when the whole band does, otherwise above it (RF = VFO - IF). `error`
// explains a band the mix cannot give (a sum band that does not lie above the IF).
struct VfoBand {
    double lowHz = 0;
    double highHz = 0;
    std::string error;
};
VfoBand VfoBandFor(const RfBand& band, Mix mix, double ifHz);

enum class FitSolve { InductorAndPadding, CoarseCapacitor };

struct FitResult {
    bool reached = false;
    std::string reason;   // why the band cannot be reached, in numbers
    DesignRecord design;  // the fitted design (the input when not reached)
    double vfoLowHz = 0;  // the fitted design's VFO edges by the program's resonance
    double vfoHighHz = 0;
    double worstErrorPercent = 0;  // the larger edge error against the wanted VFO edges
};

// Keeps CcoarseMin/Max and solves L7 and C37 (the padding capacitor).
FitResult FitInductorAndPadding(const DesignRecord& design, const RfBand& band, Mix mix);
// Keeps L7 and C37 and solves CcoarseMin and CcoarseMax (keeping which end is which).
FitResult FitCoarseCapacitor(const DesignRecord& design, const RfBand& band, Mix mix);
FitResult FitToBand(const DesignRecord& design, const RfBand& band, Mix mix, FitSolve solve);
// The same fits to VFO edges given directly; `wanted.error`, when not empty, is the reason.
FitResult FitToVfoBand(const DesignRecord& design, const VfoBand& wanted, FitSolve solve);

// A padding capacitor with L7 set to centre the band on the coarse capacitor's range; the
// margins are how far the range reaches past the band at each edge (Hz of VFO, >= 0 means
// the edge is covered).
struct PaddingChoice {
    double c37 = 0;
    double l7 = 0;
    double marginLowHz = 0;
    double marginHighHz = 0;
};
struct PaddingWindow {
    bool reached = false;
    std::string reason;
    double c37Max = 0;  // the largest C37 with which the band is still covered
    std::vector<PaddingChoice> standardValues;  // E12 values from c37Max/10 up to c37Max
};
PaddingWindow PaddingRange(const DesignRecord& design, const RfBand& band, Mix mix);

}  // namespace calbrine
