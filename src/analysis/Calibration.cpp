#include "analysis/Calibration.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "analysis/Bisection.h"
#include "analysis/ReportText.h"
#include "design/Tuning.h"

namespace calbrine {

namespace {

// The solve needs more digits than a single holds, so it works on the tank in double: the
// same network as the program's resonance, with the stray beside C90 and C38 at a position
// of a swing. Only the results become singles, when they become design values.
struct Network {
    double fixed = 0;    // D9 at its nominal through C39, C37, C38 at CcoarseMin, C90
    double divider = 0;  // C34 in series with C35
    double c15 = 0;
    double twoPi = 0;
    double c90 = 0;
    double largestStray = 0;  // the whole designed tank, C38 at its larger end

    double Parallel(double stray, double swing, double position) const {
        return fixed + stray + swing * position / 100;
    }
    // The divider in series with the parallel capacitance, then C15 across both.
    double Total(double parallel) const { return divider * parallel / (divider + parallel) + c15; }
    // d Total / d parallel.
    double Slope(double parallel) const {
        const double share = divider / (divider + parallel);
        return share * share;
    }
    double Frequency(double l7, double total) const { return 1 / (twoPi * std::sqrt(l7 * total)); }
};

Network NetworkOf(const DesignRecord& d) {
    const double cfine = (d.CfineMax + d.CfineMin) / 2.0f;
    Network n;
    n.fixed = cfine * d.C39 / (cfine + d.C39) + d.C37 + d.CcoarseMin + d.C90;
    n.divider = static_cast<double>(d.C35) * d.C34 / (static_cast<double>(d.C35) + d.C34);
    n.c15 = d.C15;
    n.twoPi = SinglePi + SinglePi;  // as the program's resonance forms it
    n.c90 = d.C90;
    n.largestStray = n.fixed + std::fmax(0.0, static_cast<double>(d.CcoarseMax) - d.CcoarseMin);
    return n;
}

struct Unknowns {
    double l7 = 0;
    double stray = 0;
    double swing = 0;
};

// Below this the readings cannot tell L7, the stray and the swing apart (the determinant of
// their correlations in the least-squares fit).
constexpr double SmallestCorrelationDeterminant = 1e-12;

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
    if (!(swing != 0) || !std::isfinite(n.fixed) || !(n.divider > 0) ||
        !std::isfinite(n.divider + n.c15)) {
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

double Inverse(double frequencyHz, const Network& n) {
    const double w = n.twoPi * frequencyHz;
    return 1 / (w * w);  // = L7 * total capacitance
}

// L7 and the stray from two readings, `small` with the smaller capacitance of C38, keeping
// the swing: the ratio of the two readings fixes the stray, then either reading L7.
Unknowns SolveTwo(const Network& n, const CalibrationReading& small,
                  const CalibrationReading& large, double swing, std::string& reason) {
    auto ratio = [&](double stray) {
        return n.Total(n.Parallel(stray, swing, small.positionPercent)) /
               n.Total(n.Parallel(stray, swing, large.positionPercent));
    };
    const double wanted = Inverse(small.frequencyHz, n) / Inverse(large.frequencyHz, n);
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
    u.l7 =
        Inverse(small.frequencyHz, n) / n.Total(n.Parallel(u.stray, swing, small.positionPercent));
    return u;
}

using Vector3 = std::array<double, 3>;
using Matrix3 = std::array<Vector3, 3>;

// The least-squares fit steps in L7 relative to its start and in picofarads of stray and
// swing, so that the three unknowns weigh alike.
constexpr double Picofarad = 1e-12;

Unknowns FromSteps(const Vector3& x, double l7Start) {
    return {x[0] * l7Start, x[1] * Picofarad, x[2] * Picofarad};
}

// The model's frequency minus the reading's, and (when asked) its derivatives by the steps.
double Residual(const Network& n, const Unknowns& u, double l7Start, const CalibrationReading& r,
                Vector3* derivatives = nullptr) {
    const double parallel = n.Parallel(u.stray, u.swing, r.positionPercent);
    const double total = n.Total(parallel);
    const double f = n.Frequency(u.l7, total);
    if (derivatives != nullptr) {
        const double byParallel = -f / (2 * total) * n.Slope(parallel) * Picofarad;
        *derivatives = {-f / (2 * u.l7) * l7Start, byParallel,
                        byParallel * r.positionPercent / 100};
    }
    return f - r.frequencyHz;
}

double SquaredResiduals(const Network& n, const Unknowns& u, double l7Start,
                        const std::vector<CalibrationReading>& readings) {
    double sum = 0;
    for (const CalibrationReading& r : readings) {
        const double e = Residual(n, u, l7Start, r);
        sum += e * e;
    }
    return sum;  // nan for unknowns that give no frequency, which no step accepts
}

// The normal equations of the fit at `x`: J'J into `a`, -J'e into `b`.
void NormalEquations(const Network& n, const Vector3& x, double l7Start,
                     const std::vector<CalibrationReading>& readings, Matrix3& a, Vector3& b) {
    a = {};
    b = {};
    for (const CalibrationReading& r : readings) {
        Vector3 d;
        const double e = Residual(n, FromSteps(x, l7Start), l7Start, r, &d);
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                a[i][j] += d[i] * d[j];
            }
            b[i] -= d[i] * e;
        }
    }
}

// Solves (a + lambda diag(a)) x = b by elimination with row exchanges; false when singular.
bool SolveDamped(Matrix3 a, Vector3 b, double lambda, Vector3& x) {
    for (int i = 0; i < 3; ++i) {
        a[i][i] *= 1 + lambda;
    }
    for (int col = 0; col < 3; ++col) {
        int pivot = col;
        for (int row = col + 1; row < 3; ++row) {
            pivot = std::fabs(a[row][col]) > std::fabs(a[pivot][col]) ? row : pivot;
        }
        if (!(std::fabs(a[pivot][col]) > 0)) {
            return false;
        }
        std::swap(a[col], a[pivot]);
        std::swap(b[col], b[pivot]);
        for (int row = col + 1; row < 3; ++row) {
            const double factor = a[row][col] / a[col][col];
            for (int k = col; k < 3; ++k) {
                a[row][k] -= factor * a[col][k];
            }
            b[row] -= factor * b[col];
        }
    }
    for (int row = 2; row >= 0; --row) {
        double sum = b[row];
        for (int k = row + 1; k < 3; ++k) {
            sum -= a[row][k] * x[k];
        }
        x[row] = sum / a[row][row];
    }
    return true;
}

// The determinant of the correlations of the three unknowns: 1 when the readings tell them
// apart independently, 0 when one of them can be traded for the others.
double CorrelationDeterminant(const Matrix3& a) {
    Matrix3 r;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            r[i][j] = a[i][j] / std::sqrt(a[i][i] * a[j][j]);
        }
    }
    return r[0][0] * (r[1][1] * r[2][2] - r[1][2] * r[2][1]) -
           r[0][1] * (r[1][0] * r[2][2] - r[1][2] * r[2][0]) +
           r[0][2] * (r[1][0] * r[2][1] - r[1][1] * r[2][0]);
}

// Levenberg-Marquardt on the frequencies: steps that lower the squared residuals are taken
// and the damping eased; the fit ends when no damping finds a lower sum, which is where the
// arithmetic ends too.
Unknowns LeastSquares(const Network& n, const std::vector<CalibrationReading>& readings,
                      const Unknowns& start, std::string& reason) {
    const double l7Start = start.l7;
    Vector3 x = {1, start.stray / Picofarad, start.swing / Picofarad};
    double sum = SquaredResiduals(n, FromSteps(x, l7Start), l7Start, readings);
    double lambda = 1e-3;
    Matrix3 a;
    Vector3 b;
    for (int iteration = 0; iteration < 500; ++iteration) {
        NormalEquations(n, x, l7Start, readings, a, b);
        bool improved = false;
        while (!improved && lambda < 1e12) {
            Vector3 step;
            if (SolveDamped(a, b, lambda, step)) {
                const Vector3 trial = {x[0] + step[0], x[1] + step[1], x[2] + step[2]};
                const double trialSum =
                    SquaredResiduals(n, FromSteps(trial, l7Start), l7Start, readings);
                improved = trialSum < sum;
                if (improved) {
                    x = trial;
                    sum = trialSum;
                }
            }
            lambda = improved ? lambda / 10 : lambda * 10;
        }
        if (!improved) {
            break;
        }
    }
    NormalEquations(n, x, l7Start, readings, a, b);
    if (!(CorrelationDeterminant(a) >= SmallestCorrelationDeterminant)) {
        reason = "the readings cannot tell C38's swing from L7 and the stray in this circuit; " +
                 std::string("give two readings to keep the swing as designed");
    }
    return FromSteps(x, l7Start);
}

// L7, the stray and the swing from three or more readings, starting from the two-reading
// solution of the readings at both ends with the design's swing.
Unknowns SolveMany(const Network& n, const std::vector<CalibrationReading>& sorted, double swing,
                   std::string& reason) {
    std::string startRefused;
    Unknowns start = SolveTwo(n, sorted.front(), sorted.back(), swing, startRefused);
    if (!startRefused.empty()) {
        start = {Inverse(sorted.front().frequencyHz, n) /
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
    d.CfineNom = (d.CfineMax + d.CfineMin) / 2;
    return d;
}

Calibration Calibrate(const DesignRecord& design, const std::vector<CalibrationReading>& readings) {
    Calibration c;
    c.design = design;
    const Network n = NetworkOf(design);
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
    return c.reason.empty() ? Solved(design, readings, u) : c;
}

}  // namespace calbrine
