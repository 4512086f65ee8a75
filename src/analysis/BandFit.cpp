#include "analysis/BandFit.h"

#include <algorithm>
#include <cmath>

#include "analysis/Bisection.h"
#include "analysis/ReportText.h"
#include "design/Tuning.h"

namespace calbrine {

namespace {

// Searches for capacitances stop here; nothing in a VFO tank is larger.
constexpr double LargestCapacitance = 1e-6;
// A fit must put both edges this close to the wanted ones.
constexpr double FitTolerancePercent = 0.01;

// The VFO at the coarse capacitor's smaller (high) and larger (low) capacitance end.
struct Ends {
    double high = 0;
    double low = 0;
};

Ends VfoEnds(const DesignRecord& design) {
    const DesignRecord d = WithNominalFine(design);
    const float small = std::min(d.CcoarseMin, d.CcoarseMax);
    const float large = std::max(d.CcoarseMin, d.CcoarseMax);
    return {ResonanceFrequency(d, d.CfineNom, small), ResonanceFrequency(d, d.CfineNom, large)};
}

double VfoAt(const DesignRecord& design, double ccoarse) {
    return ResonanceFrequency(design, NominalFineCapacitance(design), static_cast<float>(ccoarse));
}

// Scales L7 so that the geometric centre of the range sits on that of the wanted band.
void CentreWithInductor(DesignRecord& d, const VfoBand& wanted) {
    if (!(d.L7 > 0)) {
        d.L7 = 1e-6f;
    }
    const Ends e = VfoEnds(d);
    d.L7 = static_cast<float>(d.L7 * (e.high * e.low) / (wanted.highHz * wanted.lowHz));
}

FitResult Finish(const DesignRecord& fitted, const VfoBand& wanted) {
    FitResult r;
    r.design = fitted;
    r.design.CfineNom = NominalFineCapacitance(fitted);
    const Ends e = VfoEnds(fitted);
    r.vfoLowHz = e.low;
    r.vfoHighHz = e.high;
    r.worstErrorPercent = 100 * std::max(std::fabs(e.high - wanted.highHz) / wanted.highHz,
                                         std::fabs(e.low - wanted.lowHz) / wanted.lowHz);
    r.reached = r.worstErrorPercent <= FitTolerancePercent;
    if (!r.reached) {
        r.reason =
            "the closest fit misses the band by " + PlainNumber(r.worstErrorPercent, 3) + " %";
    }
    return r;
}

FitResult NotReached(const DesignRecord& design, std::string reason) {
    FitResult r;
    r.design = design;
    r.reason = std::move(reason);
    return r;
}

std::string Ratio(double r) {
    return PlainNumber(r, 4) + ":1";
}

}  // namespace

VfoBand VfoBandFor(const RfBand& band, Mix mix, double ifHz) {
    VfoBand v;
    if (!(band.lowHz > 0) || !(band.highHz > band.lowHz)) {
        v.error = "the band's low edge must be above 0 and below its high edge";
    } else if (mix == Mix::Sum) {
        v = {band.lowHz - ifHz, band.highHz - ifHz, ""};
        if (!(v.lowHz > 0)) {
            v.error = "the sum mix needs the band above the IF of " + FrequencyText(ifHz);
        }
    } else if (band.highHz < ifHz) {
        v = {ifHz - band.highHz, ifHz - band.lowHz, ""};
    } else {
        v = {ifHz + band.lowHz, ifHz + band.highHz, ""};
    }
    return v;
}

FitResult FitInductorAndPadding(const DesignRecord& design, const RfBand& band, Mix mix) {
    return FitToVfoBand(design, VfoBandFor(band, mix, design.IF), FitSolve::InductorAndPadding);
}

FitResult FitCoarseCapacitor(const DesignRecord& design, const RfBand& band, Mix mix) {
    return FitToVfoBand(design, VfoBandFor(band, mix, design.IF), FitSolve::CoarseCapacitor);
}

namespace {

FitResult InductorAndPaddingFor(const DesignRecord& design, const VfoBand& wanted) {
    DesignRecord d = design;
    auto ratioAt = [&d](double c37) {
        d.C37 = static_cast<float>(c37);
        const Ends e = VfoEnds(d);
        return e.high / e.low;
    };
    const double need = wanted.highHz / wanted.lowHz;
    const double most = ratioAt(CapacitanceFloor);
    if (!(need <= most)) {
        return NotReached(design, "the band needs a frequency swing of " + Ratio(need) +
                                      " (capacitance swing " + Ratio(need * need) +
                                      ") but C38 from " + CapacitanceText(design.CcoarseMin) +
                                      " to " + CapacitanceText(design.CcoarseMax) +
                                      " gives at most " + Ratio(most) + " (" + Ratio(most * most) +
                                      ") even with C37 at zero");
    }
    if (ratioAt(LargestCapacitance) > need) {
        return NotReached(design, "the band is so narrow that C37 would exceed " +
                                      CapacitanceText(LargestCapacitance));
    }
    d.C37 = static_cast<float>(
        SolveMonotone(ratioAt, CapacitanceFloor, LargestCapacitance, need, true));
    CentreWithInductor(d, wanted);
    return Finish(d, wanted);
}

FitResult CoarseCapacitorFor(const DesignRecord& design, const VfoBand& wanted) {
    auto vfoAt = [&design](double c) { return VfoAt(design, c); };
    const double reach = vfoAt(CapacitanceFloor);
    if (!(wanted.highHz <= reach)) {
        return NotReached(design, "the top edge needs the VFO at " + FrequencyText(wanted.highHz) +
                                      " but with C38 at zero L7 of " + InductanceText(design.L7) +
                                      " and the fixed capacitance reach only " +
                                      FrequencyText(reach));
    }
    const double bottom = vfoAt(LargestCapacitance);
    if (!(wanted.lowHz >= bottom)) {
        return NotReached(design, "the bottom edge needs more than " +
                                      CapacitanceText(LargestCapacitance) + " at C38");
    }
    const double small =
        SolveMonotone(vfoAt, CapacitanceFloor, LargestCapacitance, wanted.highHz, true);
    const double large =
        SolveMonotone(vfoAt, CapacitanceFloor, LargestCapacitance, wanted.lowHz, true);
    DesignRecord d = design;
    const bool minIsSmall = design.CcoarseMin <= design.CcoarseMax;
    d.CcoarseMin = static_cast<float>(minIsSmall ? small : large);
    d.CcoarseMax = static_cast<float>(minIsSmall ? large : small);
    return Finish(d, wanted);
}

}  // namespace

FitResult FitToVfoBand(const DesignRecord& design, const VfoBand& wanted, FitSolve solve) {
    if (!wanted.error.empty()) {
        return NotReached(design, wanted.error);
    }
    return solve == FitSolve::InductorAndPadding ? InductorAndPaddingFor(design, wanted)
                                                 : CoarseCapacitorFor(design, wanted);
}

FitResult FitToBand(const DesignRecord& design, const RfBand& band, Mix mix, FitSolve solve) {
    return solve == FitSolve::InductorAndPadding ? FitInductorAndPadding(design, band, mix)
                                                 : FitCoarseCapacitor(design, band, mix);
}

PaddingWindow PaddingRange(const DesignRecord& design, const RfBand& band, Mix mix) {
    PaddingWindow w;
    const FitResult widest = FitInductorAndPadding(design, band, mix);
    if (!widest.reached) {
        w.reason = widest.reason;
        return w;
    }
    w.reached = true;
    w.c37Max = widest.design.C37;
    const VfoBand wanted = VfoBandFor(band, mix, design.IF);
    const double e12[] = {1.0, 1.2, 1.5, 1.8, 2.2, 2.7, 3.3, 3.9, 4.7, 5.6, 6.8, 8.2};
    const double decade = std::pow(10.0, std::floor(std::log10(w.c37Max / 10)));
    for (double scale = decade; scale <= w.c37Max * 10; scale *= 10) {
        for (double m : e12) {
            const double c = m * scale;
            if (c < w.c37Max / 10 || c > w.c37Max) {
                continue;
            }
            DesignRecord d = design;
            d.C37 = static_cast<float>(c);
            CentreWithInductor(d, wanted);
            const Ends e = VfoEnds(d);
            w.standardValues.push_back({c, d.L7, wanted.lowHz - e.low, e.high - wanted.highHz});
        }
    }
    return w;
}

}  // namespace calbrine
