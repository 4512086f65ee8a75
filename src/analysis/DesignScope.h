// Lends a design to the program-wide DesignValues for the length of a calculation, so that
// every figure of the explorer comes from the program's own resonance evaluation.
#pragma once

#include "design/DesignValues.h"

namespace calbrine {

// The nominal fine-tune capacitance as the accept step forms it: the mean, held as a single.
inline float NominalFineCapacitance(const DesignRecord& d) {
    return (d.CfineMax + d.CfineMin) / 2;
}

// Puts `design` (with its nominal fine-tune capacitance recomputed) into DesignValues and
// gives the previous contents back when it goes out of scope.
class DesignScope {
  public:
    explicit DesignScope(const DesignRecord& design) : saved_(DesignValues) {
        DesignValues = design;
        DesignValues.CfineNom = NominalFineCapacitance(design);
    }
    ~DesignScope() { DesignValues = saved_; }
    DesignScope(const DesignScope&) = delete;
    DesignScope& operator=(const DesignScope&) = delete;

  private:
    DesignRecord saved_;
};

}  // namespace calbrine
