#include "analysis/CompensatingPair.h"

#include <cmath>
#include <cstring>

#include "analysis/BoughtParts.h"
#include "analysis/Drift.h"
#include "analysis/ReportText.h"
#include "analysis/Reports.h"
#include "engineering/Characters.h"

namespace calbrine {

namespace {

std::string Rate(double hzPerC) {
    return (hzPerC > 0 ? "+" : "") + DriftRateText(hzPerC) + " Hz/degC";
}

// The design with the fixed capacitor `part` at `farad`, as its saved file reads back.
DesignRecord WithValue(const DesignRecord& design, Part part, float farad) {
    DesignRecord changed = design;
    for (const DesignField* field : FixedCapacitorFields()) {
        if (std::strcmp(field->part, PartName(part)) == 0) {
            changed.*field->member = farad;
        }
    }
    return AsSavedAndRead(changed);
}

// A pair's design, settings and predicted drift.
Compensation Evaluate(const DesignRecord& design, const PartSettings& settings,
                      const PairRequest& r, long np0, long negative, double driftModelNow) {
    Compensation c;
    c.request = r;
    c.np0Tenths = np0;
    c.negativeTenths = negative;
    c.effectivePpm = r.kind.ppm * negative / static_cast<double>(np0 + negative);
    c.design = WithValue(design, r.part, PairFarad(c));
    c.settings = settings;
    c.settings.Tc(r.part) = c.effectivePpm;
    c.changeHzPerC = DriftAt(c.design, c.settings, r.ccoarse) - driftModelNow;
    c.predictedHzPerC = r.driftHzPerC + c.changeHzPerC;
    c.shiftHz = VfoAtCoarse(c.design, r.ccoarse) - VfoAtCoarse(design, r.ccoarse);
    return c;
}

// Why none of the pairs (their changes from `lowest` to `highest`) brings the drift nearer 0.
std::string NoBetterPair(const Compensation& c, double lowest, double highest) {
    const PairRequest& r = c.request;
    std::string why = "no pair of " + r.series.name + " values within 2 % of " + PartName(r.part) +
                      "'s " + CapacitanceText(c.designedFarad) + ", NP0 beside " + r.kind.name +
                      ", brings the drift of " + Rate(r.driftHzPerC) + " at " + r.where +
                      " nearer 0";
    if (r.driftHzPerC == 0) {
        return why + ": it is 0 already";
    }
    why += ": the pairs change it by " + Rate(lowest) + " to " + Rate(highest) + ". ";
    if (r.driftHzPerC > 0) {
        return why +
               "A drift that rises with temperature wants a positive coefficient, which no "
               "negative-coefficient part gives: a part of positive coefficient (such as silver "
               "mica) in " +
               PartName(r.part) + ", or another part, could cancel it.";
    }
    return why + "A part of another coefficient in " + PartName(r.part) +
           ", or another part, could cancel it.";
}

}  // namespace

const NegativeKind* NegativeKindNamed(const std::string& name) {
    for (const NegativeKind& kind : NegativeKinds) {
        if (Lower(kind.name) == Lower(Trimmed(name))) {
            return &kind;
        }
    }
    return nullptr;
}

bool IsFixedCapacitor(Part p) {
    return p != Part::D9 && p != Part::C38 && p != Part::L7;
}

Compensation CompensateWithPair(const DesignRecord& design, const PartSettings& settings,
                                const PairRequest& request) {
    Compensation best;
    best.request = request;
    if (!IsFixedCapacitor(request.part)) {
        best.reason = std::string(PartName(request.part)) + " is not a fixed capacitor";
        return best;
    }
    best.designedFarad = PartValue(design, request.part);
    const double designed = best.designedFarad / FaradPerTenthPicofarad;
    const std::vector<long> stock = StockedValues(request.series);
    const double driftModelNow = DriftAt(design, settings, request.ccoarse);
    bool found = false;
    double lowest = 0, highest = 0;
    for (long np0 : stock) {
        for (long negative : stock) {
            const double off = std::fabs(np0 + negative - designed);
            if (off > PairSumTolerance * designed) {
                continue;
            }
            const Compensation c =
                Evaluate(design, settings, request, np0, negative, driftModelNow);
            lowest = found ? std::fmin(lowest, c.changeHzPerC) : c.changeHzPerC;
            highest = found ? std::fmax(highest, c.changeHzPerC) : c.changeHzPerC;
            const double bestOff = std::fabs(best.np0Tenths + best.negativeTenths - designed);
            const double size = std::fabs(c.predictedHzPerC);
            const double bestSize = std::fabs(best.predictedHzPerC);
            if (!found || size < bestSize || (size == bestSize && off < bestOff)) {
                best = c;
                found = true;
            }
        }
    }
    best.designedFarad = PartValue(design, request.part);
    best.presentPpm = settings.Tc(request.part);
    if (!found) {
        best.reason = "no two " + request.series.name + " values in parallel lie within 2 % of " +
                      PartName(request.part) + "'s " + CapacitanceText(best.designedFarad);
        return best;
    }
    best.possible = std::fabs(best.predictedHzPerC) < std::fabs(request.driftHzPerC);
    if (!best.possible) {
        best.reason = NoBetterPair(best, lowest, highest);
    }
    return best;
}

float PairFarad(const Compensation& c) {
    return ChoiceFarad(PartChoice{{c.np0Tenths, c.negativeTenths}});
}

std::string PairText(const Compensation& c) {
    return PartsText(PartChoice{{c.np0Tenths}}) + " NP0 + " +
           PartsText(PartChoice{{c.negativeTenths}}) + " " + c.request.kind.name;
}

}  // namespace calbrine
