// Root finding on monotone functions, the one numerical tool the explorer needs.
#pragma once

#include <cmath>

namespace calbrine {

// The x in [lo, hi] where the monotone `fn` reaches `target`; `fn(lo)` and `fn(hi)` must lie
// on either side of it (the caller checks); lo may lie above hi. With `logarithmic` the halving is
// by geometric mean, for searches over several decades (lo must then be > 0). Halves until the
// interval no longer shrinks, so the result is as good as the evaluation of `fn` allows.
template <class Fn>
double SolveMonotone(Fn fn, double lo, double hi, double target, bool logarithmic = false) {
    const bool rising = fn(hi) > fn(lo);
    for (int i = 0; i < 200; ++i) {
        const double mid = logarithmic ? std::sqrt(lo * hi) : lo + (hi - lo) / 2;
        if (mid == lo || mid == hi) {
            break;
        }
        if ((fn(mid) < target) == rising) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    return std::fabs(fn(lo) - target) <= std::fabs(fn(hi) - target) ? lo : hi;
}

}  // namespace calbrine
