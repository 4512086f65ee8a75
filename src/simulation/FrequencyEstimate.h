// The simulated frequency with its error bar: each setting runs twice, at the planned time
// step h and at 2h, and the two frequencies are extrapolated to a step of zero.
//
// The transient's error in frequency shrinks as h^p. p was measured with ngspice 39 on the
// worked example (4.7 uH, 10/40 pF fine, 20/100 pF coarse) at 50, 100 and 200 points per
// period, from p = log2((f(4h) - f(2h)) / (f(2h) - f(h))): 2.04 at VfoMin, 1.88 at VfoMax,
// 1.97 at FineLow. At finer steps ngspice's own step control takes over and the order falls
// towards 1 (VfoMin from 200 to 1600 points: 1.75, 1.26, 1.44), which is why the error bar
// is the whole correction and not a fraction of it (docs/performance.md has the figures).
#pragma once

namespace calbrine {

constexpr double StepOrder = 2.0;

struct FrequencyEstimate {
    double hz = 0;
    // How far the true frequency may lie from `hz`: the size of the correction, the error of
    // the run at h that the extrapolation removes. Never negative.
    double errorHz = 0;
};

// Richardson's extrapolation of the frequencies at steps h (`fineHz`) and 2h (`coarseHz`).
FrequencyEstimate ExtrapolateFrequency(double fineHz, double coarseHz, double order = StepOrder);

}  // namespace calbrine
