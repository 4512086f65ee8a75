#include "analysis/Tolerance.h"

#include <algorithm>
#include <cmath>

#include "analysis/Drift.h"
#include "design/Tuning.h"

namespace calbrine {

namespace {

// Every part scaled by 1 + sign * its tolerance.
DesignRecord WithTolerances(const DesignRecord& design, const PartSettings& settings, double sign) {
    DesignRecord d = design;
    for (Part p : AllParts) {
        d = ScalePart(d, p, 1 + sign * settings.Tolerance(p) / 100);
    }
    return d;
}

// VFO at the low- and high-frequency ends of the coarse range.
std::pair<double, double> Ends(const DesignRecord& design) {
    const DesignRecord d = WithNominalFine(design);
    const double a = ResonanceFrequency(d, d.CfineNom, d.CcoarseMin);
    const double b = ResonanceFrequency(d, d.CfineNom, d.CcoarseMax);
    return {std::min(a, b), std::max(a, b)};
}

}  // namespace

ToleranceAnalysis AnalyseTolerance(const DesignRecord& design, const PartSettings& settings) {
    const auto nominal = Ends(design);
    const auto allHigh = Ends(WithTolerances(design, settings, +1));
    const auto allLow = Ends(WithTolerances(design, settings, -1));
    ToleranceAnalysis t;
    t.lowEnd = {nominal.first, allHigh.first, allLow.first};
    t.highEnd = {nominal.second, allHigh.second, allLow.second};

    const bool maxIsLarger = design.CcoarseMax >= design.CcoarseMin;
    const double lowC = maxIsLarger ? design.CcoarseMax : design.CcoarseMin;
    const double highC = maxIsLarger ? design.CcoarseMin : design.CcoarseMax;
    const double cfine = NominalFineCapacitance(design);
    const auto sLow = Sensitivities(design, cfine, lowC);
    const auto sHigh = Sensitivities(design, cfine, highC);
    for (Part p : AllParts) {
        const std::size_t i = static_cast<std::size_t>(p);
        const double share = settings.Tolerance(p) / 100;
        t.shares.push_back({p, std::fabs(sLow[i] * share * nominal.first),
                            std::fabs(sHigh[i] * share * nominal.second)});
    }
    std::stable_sort(t.shares.begin(), t.shares.end(), [](const PartShare& a, const PartShare& b) {
        return std::max(a.lowEndHz, a.highEndHz) > std::max(b.lowEndHz, b.highEndHz);
    });
    return t;
}

}  // namespace calbrine
