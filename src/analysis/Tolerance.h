// How far the band edges can lie from their design values with parts of given tolerances.
#pragma once

#include <vector>

#include "analysis/Parts.h"
#include "design/DesignRecord.h"

namespace calbrine {

struct EdgeTolerance {
    double nominalHz = 0;
    double lowestHz = 0;   // every part at the top of its tolerance
    double highestHz = 0;  // every part at the bottom
};
struct PartShare {
    Part part = Part::C37;
    double lowEndHz = 0;  // shift of the edge by this part's tolerance alone (first order)
    double highEndHz = 0;
};
struct ToleranceAnalysis {
    EdgeTolerance lowEnd;
    EdgeTolerance highEnd;
    std::vector<PartShare> shares;  // largest first
};

// Worst case: the resonance falls as any part grows, so the extremes are all parts high and
// all parts low, evaluated by the program's resonance.
ToleranceAnalysis AnalyseTolerance(const DesignRecord& design, const PartSettings& settings);

}  // namespace calbrine
