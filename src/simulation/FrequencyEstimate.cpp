#include "simulation/FrequencyEstimate.h"

#include <cmath>

namespace calbrine {

FrequencyEstimate ExtrapolateFrequency(double fineHz, double coarseHz, double order) {
    const double correction = (fineHz - coarseHz) / (std::pow(2.0, order) - 1);
    return {fineHz + correction, std::fabs(correction)};
}

}  // namespace calbrine
