#include "analysis/Calibration.h"

#include <algorithm>
#include <cmath>

#include "analysis/Bisection.h"
#include "analysis/LeastSquares.h"
#include "analysis/ReportText.h"
#include "design/Tank.h"
#include "design/Tuning.h"

namespace calbrine {

namespace {

// The solve needs more digits than a single holds, so it works on the tank in double: the
// program's tank with the stray beside C90 and C38 at a position of a swing, both added to the
// designed parallel group. Only the results become singles, when they become design values.
struct Network {
    Tank<double> tank;
    double fixed = 0;  // the parallel group: D9 at its nominal, C38 at CcoarseMin
    double c90 = 0;
    double largestStray = 0;  // the whole designed tank, C38 at its larger end

    explicit Network(const DesignRecord& d) : tank(d) {
        fixed = tank.Parallel(NominalFineCapacitance(d), d.CcoarseMin);
        c90 = d.C90;
        largestStray = fixed + std::fmax(0.0, static_cast<double>(d.CcoarseMax) - d.CcoarseMin);
    }
    double Parallel(double stray, double swing, double position) const {
        return fixed + stray + swing * position / 100;
    }
    double Total(double parallel) const { return tank.Total(parallel); }
};

struct Unknowns {
    double l7 = 0;
    double stray = 0;
    double swing = 0;
};

std::string Percent(double p) {
    return PlainNumber(p, 6) + " %";
}

std::string SignedCapacitance(double farad) {
    return farad < 0 ? "-" + CapacitanceText(-farad) : CapacitanceText(farad);
}

std::string At(const CalibrationReading& r) {
    return FrequencyText(r.frequencyHz) + " at " + Percent(r.positionPercent);
}

// The readings in order of growing capacitance of C38.
std::vector<CalibrationReading> ByCapacitance(std::vector<CalibrationReading> readings,
                                              double swing) {
    std::sort(readings.begin(), readings.end(), [swing](const auto& a, const auto& b) {
        return swing > 0 ? a.positionPercent < b.positionPercent
                         : a.positionPercent > b.positionPercent;
    });
    return readings;
}

std::string ReadingRefusal(const std::vector<CalibrationReading>& readings) {
    if (readings.size() < 2) {
        return "two or more readings are needed, at different positions of C38";
    }
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const CalibrationReading& r = readings[i];
        const std::string which = "reading " + std::to_string(i + 1);
        if (!(r.positionPercent >= 0 && r.positionPercent <= 100)) {
            return which + " is at " + Percent(r.positionPercent) + ", outside 0 to 100 %";
        }
        if (!(r.frequencyHz > 0) || !std::isfinite(r.frequencyHz)) {
            return which + " has no frequency above 0";
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (readings[j].positionPercent == r.positionPercent) {
                return "readings " + std::to_string(j + 1) + " and " + std::to_string(i + 1) +
                       " are both at " + Percent(r.positionPercent);
            }
        }
    }
    return "";
}

// Readings, design and the order of the frequencies; empty text when they can be solved.
std::string Refusal(const Network& n, double swing,
                    const std::vector<CalibrationReading>& readings) {
    const std::string wrong = ReadingRefusal(readings);
    if (!wrong.empty()) {
        return wrong;
    }
    if (!(swing != 0) || !std::isfinite(n.fixed) || !(n.tank.Divider() > 0) ||
        !std::isfinite(n.tank.Divider() + n.tank.C15())) {
        return "the design has no range of C38 and tank to calibrate";
    }
    const std::vector<CalibrationReading> sorted = ByCapacitance(readings, swing);
    for (std::size_t i = 1; i < sorted.size(); ++i) {
        if (!(sorted[i].frequencyHz < sorted[i - 1].frequencyHz)) {
            return "the frequency does not fall from " + At(sorted[i - 1]) + " to " +
                   At(sorted[i]) + " as C38's capacitance grows: no build of this circuit " +
                   "gives these readings";
        }
    }
    return "";
}

// L7 and the stray from two readings, `small` with the smaller capacitance of C38, keeping
// the swing: the ratio of the two readings fixes the stray, then either reading L7.
Unknowns SolveTwo(const Network& n, const CalibrationReading& small,
                  const CalibrationReading& large, double swing, std::string& reason) {
    auto ratio = [&](double stray) {
        return n.Total(n.Parallel(stray, swing, small.positionPercent)) /
               n.Total(n.Parallel(stray, swing, large.positionPercent));
    };
    const double wanted = ResonantProduct(small.frequencyHz) / ResonantProduct(large.frequencyHz);
    const double lowest = -n.c90;
    if (wanted < ratio(lowest)) {
        reason = "the readings need a stray below -C90 (" + CapacitanceText(n.c90) +
                 " taken away): C38 swings less, or L7 and the tank differ more, than a stray " +
                 "can explain";
        return {};
    }
    // A stray larger than all the designed tank is no stray: the readings belong elsewhere.
    if (wanted > ratio(n.largestStray)) {
        reason = "the readings need a stray above " + CapacitanceText(n.largestStray) +
                 ", more than all the designed tank: C38 swings far more than the readings show";
        return {};
    }
    Unknowns u;
    u.swing = swing;
    u.stray = SolveMonotone(ratio, lowest, n.largestStray, wanted);
    u.l7 = ResonantProduct(small.frequencyHz) /
           n.Total(n.Parallel(u.stray, swing, small.positionPercent));
    return u;
}

// The least-squares fit steps in L7 relative to its start and in picofarads of stray and
// swing, so that the three unknowns weigh alike.
constexpr double Picofarad = 1e-12;

Unknowns FromSteps(const std::vector<double>& x, double l7Start) {
    return {x[0] * l7Start, x[1] * Picofarad, x[2] * Picofarad};
}

// Each reading's residual is the model's frequency minus the reading's.
LeastSquaresProblem FrequencyFit(const Network& n, const std::vector<CalibrationReading>& readings,
                                 double l7Start) {
    LeastSquaresProblem problem;
    problem.residualCount = readings.size();
    problem.residual = [&n, &readings, l7Start](std::size_t i, const std::vector<double>& x,
                                                std::vector<double>* derivatives) {
        const CalibrationReading& r = readings[i];
        const Unknowns u = FromSteps(x, l7Start);
        const double parallel = n.Parallel(u.stray, u.swing, r.positionPercent);
        const double total = n.Total(parallel);
        const double f = ResonanceOf(total, u.l7);
        if (derivatives != nullptr) {
            const double byParallel = -f / (2 * total) * n.tank.TotalSlope(parallel) * Picofarad;
            *derivatives = {-f / (2 * u.l7) * l7Start, byParallel,
                            byParallel * r.positionPercent / 100};
        }
        return f - r.frequencyHz;
    };
    return problem;
}

// L7, the stray and the swing that fit the readings best, from `start`.
Unknowns LeastSquares(const Network& n, const std::vector<CalibrationReading>& readings,
                      const Unknowns& start, std::string& reason) {
    const double l7Start = start.l7;
    const LeastSquaresFit fit = SolveLeastSquares(
        FrequencyFit(n, readings, l7Start), {1, start.stray / Picofarad, start.swing / Picofarad});
    if (!fit.determined) {
        reason = "the readings cannot tell C38's swing from L7 and the stray in this circuit; " +
                 std::string("give two readings to keep the swing as designed");
    }
    return FromSteps(fit.x, l7Start);
}

// L7, the stray and the swing from three or more readings, starting from the two-reading
// solution of the readings at both ends with the design's swing.
Unknowns SolveMany(const Network& n, const std::vector<CalibrationReading>& sorted, double swing,
                   std::string& reason) {
    std::string startRefused;
    Unknowns start = SolveTwo(n, sorted.front(), sorted.back(), swing, startRefused);
    if (!startRefused.empty()) {
        start = {ResonantProduct(sorted.front().frequencyHz) /
                     n.Total(n.Parallel(0, swing, sorted.front().positionPercent)),
                 0, swing};
    }
    return LeastSquares(n, sorted, start, reason);
}

// What no build can be: a solution that the readings force outside the circuit.
std::string SolutionRefusal(const Network& n, const Unknowns& u, double designSwing) {
    if (!(u.l7 > 0) || !std::isfinite(u.l7)) {
        return "the readings need an inductance of " + PlainNumber(u.l7, 4) +
               " H for L7: no build of this circuit gives them";
    }
    if (!(u.stray >= -n.c90) || !(u.stray <= n.largestStray)) {
        return "the readings need a stray of " + SignedCapacitance(u.stray) + ", outside -C90 (" +
               CapacitanceText(n.c90) + ") to the designed tank (" +
               CapacitanceText(n.largestStray) + ")";
    }
    if (!(u.swing / designSwing > 0) || !std::isfinite(u.swing)) {
        return "the readings need C38 to swing " + SignedCapacitance(u.swing) + " against " +
               SignedCapacitance(designSwing) + " designed";
    }
    return "";
}

// A solve whose L7 moves, in proportion, more than this many times a counter error's share of
// the frequency barely tells the unknowns apart.
constexpr double IllConditionedGain = 100;

// The spread of the solution for readings off by `counterErrorHz` each.
void SetSpread(Calibration& c, const Network& n, const std::vector<CalibrationReading>& readings,
               const Unknowns& u, double counterErrorHz) {
    const std::size_t unknowns = readings.size() > 2 ? 3 : 2;
    const LeastSquaresSpread spread =
        SpreadOfFit(FrequencyFit(n, readings, u.l7), {1, u.stray / Picofarad, u.swing / Picofarad},
                    unknowns, counterErrorHz);
    c.counterErrorHz = counterErrorHz;
    c.l7Deviation = spread.deviations[0] * u.l7;
    c.strayDeviation = spread.deviations[1] * Picofarad;
    c.swingDeviation = unknowns > 2 ? spread.deviations[2] * Picofarad : 0;
    double meanHz = 0;
    for (const CalibrationReading& r : readings) {
        meanHz += r.frequencyHz / static_cast<double>(readings.size());
    }
    const double gain = (c.l7Deviation / u.l7) / (counterErrorHz / meanHz);
    c.illConditioned = !(gain <= IllConditionedGain);
}

Calibration Solved(const DesignRecord& design, const std::vector<CalibrationReading>& readings,
                   const Unknowns& u) {
    Calibration c;
    c.solved = true;
    c.l7 = static_cast<float>(u.l7);
    c.stray = static_cast<float>(u.stray);
    c.swing = static_cast<float>(u.swing);
    c.swingSolved = readings.size() > 2;
    c.design = CalibratedDesign(design, u.l7, u.stray, u.swing);
    double sum = 0;
    for (const CalibrationReading& r : readings) {
        ReadingFit fit;
        fit.modelHz = ResonanceFrequency(c.design, c.design.CfineNom,
                                         CoarseAtPosition(c.design, r.positionPercent));
        fit.residualHz = fit.modelHz - r.frequencyHz;
        sum += fit.residualHz * fit.residualHz;
        c.fits.push_back(fit);
    }
    c.rmsResidualHz = std::sqrt(sum / readings.size());
    return c;
}

}  // namespace

float CoarseAtPosition(const DesignRecord& d, double positionPercent) {
    return static_cast<float>(d.CcoarseMin +
                              (d.CcoarseMax - d.CcoarseMin) * (positionPercent / 100));
}

DesignRecord CalibratedDesign(const DesignRecord& design, double l7, double stray, double swing) {
    DesignRecord d = design;
    d.L7 = static_cast<float>(l7);
    d.C90 = static_cast<float>(design.C90 + stray);
    d.CcoarseMax = static_cast<float>(design.CcoarseMin + swing);
    d.CfineNom = NominalFineCapacitance(d);
    return d;
}

Calibration Calibrate(const DesignRecord& design, const std::vector<CalibrationReading>& readings,
                      double counterErrorHz) {
    Calibration c;
    c.design = design;
    const Network n(design);
    const double swing = static_cast<double>(design.CcoarseMax) - design.CcoarseMin;
    c.reason = Refusal(n, swing, readings);
    if (!c.reason.empty()) {
        return c;
    }
    const std::vector<CalibrationReading> sorted = ByCapacitance(readings, swing);
    const Unknowns u = readings.size() == 2 ? SolveTwo(n, sorted[0], sorted[1], swing, c.reason)
                                            : SolveMany(n, sorted, swing, c.reason);
    if (c.reason.empty()) {
        c.reason = SolutionRefusal(n, u, swing);
    }
    if (!c.reason.empty()) {
        return c;
    }
    c = Solved(design, readings, u);
    SetSpread(c, n, readings, u, counterErrorHz);
    return c;
}

}  // namespace calbrine
