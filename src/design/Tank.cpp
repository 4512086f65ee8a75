#include "design/Tank.h"

#include <cmath>

#include "design/Tuning.h"

namespace calbrine {

namespace {

// d/da of the series pair a*b/(a+b): (b/(a+b))^2.
template <typename Number>
Number SeriesSlope(Number a, Number b) {
    return (b / (a + b)) * (b / (a + b));
}

}  // namespace

template <typename Number>
Tank<Number>::Tank(const DesignRecord& d)
    : c39_(d.C39), c37_(d.C37), c90_(d.C90), c15_(d.C15), c34_(d.C34), c35_(d.C35) {
    divider_ = c35_ * c34_ / (c35_ + c34_);
}

template <typename Number>
Number Tank<Number>::FineBranch(Number cfine) const {
    return cfine * c39_ / (cfine + c39_);
}

template <typename Number>
Number Tank<Number>::Parallel(Number cfine, Number ccoarse) const {
    const Number fine = FineBranch(cfine);
    return fine + c37_ + ccoarse + c90_;
}

template <typename Number>
Number Tank<Number>::Total(Number parallel) const {
    const Number load = divider_ * parallel / (divider_ + parallel);
    return load + c15_;
}

template <typename Number>
Number Tank<Number>::TotalSlope(Number parallel) const {
    const Number share = divider_ / (divider_ + parallel);
    return share * share;
}

template <typename Number>
Number Tank<Number>::Capacitance(Number cfine, Number ccoarse) const {
    return Total(Parallel(cfine, ccoarse));
}

// f goes as 1/sqrt(L7 * total), so d(ln f)/d(ln x) = -1/2 * x * dTotal/dx / total: each part's
// x * dTotal/dx is followed through its series pair, then through the divider or the parallel
// group to L7.
template <typename Number>
TankSensitivities<Number> Tank<Number>::Sensitivities(Number cfine, Number ccoarse) const {
    const Number parallel = Parallel(cfine, ccoarse);
    const Number total = Total(parallel);
    const Number viaParallel = TotalSlope(parallel);
    const Number viaDivider = SeriesSlope(divider_, parallel);
    const Number half = 0.5;
    auto relative = [&](Number weighted) { return -half * weighted / total; };
    TankSensitivities<Number> s;
    s.fine = relative(cfine * viaParallel * SeriesSlope(cfine, c39_));
    s.c39 = relative(c39_ * viaParallel * SeriesSlope(c39_, cfine));
    s.c37 = relative(c37_ * viaParallel);
    s.coarse = relative(ccoarse * viaParallel);
    s.c90 = relative(c90_ * viaParallel);
    s.c15 = relative(c15_);
    s.c34 = relative(c34_ * viaDivider * SeriesSlope(c34_, c35_));
    s.c35 = relative(c35_ * viaDivider * SeriesSlope(c35_, c34_));
    s.l7 = -half;
    return s;
}

template class Tank<float>;
template class Tank<double>;

double ResonanceOf(double capacitance, double inductance) {
    const float twoPi = SinglePi + SinglePi;
    const double root = std::sqrt(capacitance * inductance);
    return 1.0 / (twoPi * root);
}

double ResonantProduct(double frequencyHz) {
    const float twoPi = SinglePi + SinglePi;
    const double w = twoPi * frequencyHz;
    return 1 / (w * w);
}

}  // namespace calbrine
