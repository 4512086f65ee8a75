// The oscillator's tank capacitance, the one description of it that the resonance, the drift
// and the calibration share. The network, as seen from L7:
//
//   fine branch  D9 in series with C39
//   parallel     the fine branch, C37, C38 (coarse) and C90 side by side
//   divider      C34 in series with C35
//   total        the divider in series with the parallel group, C15 across both
//
// `Number` is float for the design window's resonance, each intermediate a single as it is
// formed, and double for the drift and the calibration, which need more digits than a single
// holds. The record's parts are taken into `Number` once, when the tank is made.
#pragma once

#include "design/DesignRecord.h"

namespace calbrine {

// How the resonance moves with each part: d(ln f)/d(ln x), the relative change of the frequency
// per relative change of part x, with D9 and C38 at the settings asked for.
template <typename Number>
struct TankSensitivities {
    Number fine = 0;    // D9
    Number c39 = 0;     // C39
    Number c37 = 0;     // C37
    Number coarse = 0;  // C38
    Number c90 = 0;     // C90
    Number c15 = 0;     // C15
    Number c34 = 0;     // C34
    Number c35 = 0;     // C35
    Number l7 = 0;      // L7: always -1/2
};

template <typename Number>
class Tank {
  public:
    explicit Tank(const DesignRecord& design);

    // D9 at `cfine` in series with C39.
    Number FineBranch(Number cfine) const;
    // The fine branch, C37, C38 at `ccoarse` and C90, added in that order.
    Number Parallel(Number cfine, Number ccoarse) const;
    // C34 in series with C35.
    Number Divider() const { return divider_; }
    Number C15() const { return c15_; }
    // The divider in series with a parallel capacitance `parallel`, then C15 across both: the
    // capacitance L7 resonates with.
    Number Total(Number parallel) const;
    // d Total / d parallel: how much of a change of the parallel group reaches L7.
    Number TotalSlope(Number parallel) const;
    // Total(Parallel(cfine, ccoarse)).
    Number Capacitance(Number cfine, Number ccoarse) const;
    TankSensitivities<Number> Sensitivities(Number cfine, Number ccoarse) const;

  private:
    Number c39_, c37_, c90_, c15_, c34_, c35_, divider_;
};

extern template class Tank<float>;
extern template class Tank<double>;

// The frequency at which `inductance` resonates with `capacitance`, 1 / (2 pi sqrt(L C)), with
// the program's single pi; the product, the root and the quotient are taken in double.
double ResonanceOf(double capacitance, double inductance);
// The product L C that resonates at `frequencyHz`: 1 / (2 pi f)^2, the inverse of ResonanceOf.
double ResonantProduct(double frequencyHz);

}  // namespace calbrine
