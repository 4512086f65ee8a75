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

}  // namespace

std::array<double, PartCount> Sensitivities(const DesignRecord& d, double cfine, double ccoarse) {
    const TankSensitivities<double> t = Tank<double>(d).Sensitivities(cfine, ccoarse);
    return {t.fine, t.c39, t.c37, t.coarse, t.c90,
            t.c15,  t.c34, t.c35, t.l7};  // as Part orders them
}

double DriftAt(const DesignRecord& design, const PartSettings& settings, double ccoarse) {
    const auto perPpm = HzPerPpm(design, ccoarse);
    double total = 0;
    for (Part p : AllParts) {
        total += perPpm[static_cast<std::size_t>(p)] * settings.Tc(p);
    }
    return total;
}

double VfoAtCoarse(const DesignRecord& design, double ccoarse) {
    const Tank<double> tank(design);
    return ResonanceOf(tank.Capacitance(NominalFineCapacitance(design), ccoarse), design.L7);
}

double MidBandCoarse(const DesignRecord& design) {
    const double c0 = design.CcoarseMin;
    const double c1 = design.CcoarseMax;
    auto vfo = [&design](double c) { return VfoAt(design, c); };
    return SolveMonotone(vfo, c0, c1, (vfo(c0) + vfo(c1)) / 2);
}

DriftAnalysis AnalyseDrift(const DesignRecord& design, const PartSettings& settings,
                           Part compensated, const ValueSeries* series) {
    const auto low = HzPerPpm(design, EndCoarse(design, true));
    const auto high = HzPerPpm(design, EndCoarse(design, false));
    const float midCoarse = static_cast<float>(MidBandCoarse(design));
    const auto mid = HzPerPpm(design, midCoarse);
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
    PairRequest request;
    request.part = compensated;
    request.ccoarse = midCoarse;
    request.where = "mid-band";
    request.driftHzPerC = a.midBandHzPerC;
    if (series != nullptr) {
        request.series = *series;
        a.compensation = CompensateWithPair(design, settings, request);
    } else {
        a.compensation.request = request;
        a.compensation.reason = "the value series to buy the parts from could not be read";
    }
    return a;
}

}  // namespace calbrine
