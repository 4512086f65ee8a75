#include "analysis/Drift.h"

#include <algorithm>
#include <cmath>

#include "analysis/Bisection.h"
#include "analysis/ReportText.h"
#include "design/Tank.h"
#include "design/Tuning.h"

namespace calbrine {

namespace {

double VfoAt(const DesignRecord& design, double ccoarse) {
    return ResonanceFrequency(design, NominalFineCapacitance(design), static_cast<float>(ccoarse));
}

// The coarse capacitance at the low- or the high-frequency end of the range.
double EndCoarse(const DesignRecord& d, bool lowFrequency) {
    const bool maxIsLarger = d.CcoarseMax >= d.CcoarseMin;
    return lowFrequency == maxIsLarger ? d.CcoarseMax : d.CcoarseMin;
}

bool IsFixedCapacitor(Part p) {
    return p != Part::D9 && p != Part::C38 && p != Part::L7;
}

// Drift of the VFO (Hz/degC) per ppm/degC of each part at one coarse setting.
std::array<double, PartCount> HzPerPpm(const DesignRecord& design, double ccoarse) {
    const double f = VfoAt(design, ccoarse);
    std::array<double, PartCount> s =
        Sensitivities(design, NominalFineCapacitance(design), ccoarse);
    for (double& v : s) {
        v *= f * 1e-6;
    }
    return s;
}

Compensation Compensate(const DesignRecord& design, const PartSettings& settings, Part part,
                        double driftHzPerC, double hzPerPpm) {
    Compensation c;
    c.part = part;
    if (!IsFixedCapacitor(part)) {
        c.reason = std::string(PartName(part)) + " is not a fixed capacitor";
        return c;
    }
    const double value = PartValue(design, part);
    for (double tc : {-750.0, 0.0}) {
        const double step = hzPerPpm * (tc - settings.Tc(part));
        const double fraction = step == 0 ? -1 : -driftHzPerC / step;
        if (fraction >= 0 && fraction <= 1) {
            return {true, "", part, tc, fraction, fraction * value, (1 - fraction) * value};
        }
    }
    c.reason = std::string("neither N750 nor NP0 in ") + PartName(part) + " can cancel " +
               PlainNumber(driftHzPerC, 3) + " Hz/degC (it moves the VFO by " +
               PlainNumber(hzPerPpm * 750, 3) + " Hz/degC when all of it is N750)";
    return c;
}

}  // namespace

std::array<double, PartCount> Sensitivities(const DesignRecord& d, double cfine, double ccoarse) {
    const TankSensitivities<double> t = Tank<double>(d).Sensitivities(cfine, ccoarse);
    return {t.fine, t.c39, t.c37, t.coarse, t.c90,
            t.c15,  t.c34, t.c35, t.l7};  // as Part orders them
}

double MidBandCoarse(const DesignRecord& design) {
    const double c0 = design.CcoarseMin;
    const double c1 = design.CcoarseMax;
    auto vfo = [&design](double c) { return VfoAt(design, c); };
    return SolveMonotone(vfo, c0, c1, (vfo(c0) + vfo(c1)) / 2);
}

DriftAnalysis AnalyseDrift(const DesignRecord& design, const PartSettings& settings,
                           Part compensated) {
    const auto low = HzPerPpm(design, EndCoarse(design, true));
    const auto high = HzPerPpm(design, EndCoarse(design, false));
    const auto mid = HzPerPpm(design, MidBandCoarse(design));
    DriftAnalysis a;
    for (Part p : AllParts) {
        const std::size_t i = static_cast<std::size_t>(p);
        const double tc = settings.Tc(p);
        a.parts.push_back({p, tc, low[i] * tc, high[i] * tc});
        a.totalLowHzPerC += low[i] * tc;
        a.totalHighHzPerC += high[i] * tc;
        a.midBandHzPerC += mid[i] * tc;
    }
    auto size = [](const PartDrift& d) {
        return std::max(std::fabs(d.lowEndHzPerC), std::fabs(d.highEndHzPerC));
    };
    std::stable_sort(a.parts.begin(), a.parts.end(),
                     [&](const PartDrift& x, const PartDrift& y) { return size(x) > size(y); });
    a.compensation = Compensate(design, settings, compensated, a.midBandHzPerC,
                                mid[static_cast<std::size_t>(compensated)]);
    return a;
}

}  // namespace calbrine
