#include "analysis/Drift.h"

#include <algorithm>
#include <cmath>

#include "analysis/Bisection.h"
#include "analysis/ReportText.h"
#include "design/Tuning.h"

namespace calbrine {

namespace {

// Derivative of the series pair a*b/(a+b) with respect to a.
double SeriesSlope(double a, double b) {
    return (b / (a + b)) * (b / (a + b));
}

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
    const double cseries = cfine * d.C39 / (cfine + d.C39);
    const double cparallel = cseries + d.C37 + ccoarse + d.C90;
    const double cdivider =
        static_cast<double>(d.C35) * d.C34 / (static_cast<double>(d.C35) + d.C34);
    const double ctotal = cdivider * cparallel / (cdivider + cparallel) + d.C15;
    const double viaParallel = SeriesSlope(cparallel, cdivider);
    const double viaDivider = SeriesSlope(cdivider, cparallel);
    // x * dCtotal/dx for each part, in the order of Part.
    const std::array<double, PartCount> weighted = {cfine * viaParallel * SeriesSlope(cfine, d.C39),
                                                    d.C39 * viaParallel * SeriesSlope(d.C39, cfine),
                                                    d.C37 * viaParallel,
                                                    ccoarse * viaParallel,
                                                    d.C90 * viaParallel,
                                                    static_cast<double>(d.C15),
                                                    d.C34 * viaDivider * SeriesSlope(d.C34, d.C35),
                                                    d.C35 * viaDivider * SeriesSlope(d.C35, d.C34),
                                                    0.0};
    std::array<double, PartCount> s{};
    for (std::size_t i = 0; i < PartCount; ++i) {
        s[i] = -0.5 * weighted[i] / ctotal;
    }
    s[static_cast<std::size_t>(Part::L7)] = -0.5;
    return s;
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
