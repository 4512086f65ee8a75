#include "analysis/TuningCurve.h"

#include <cmath>

#include "analysis/Bisection.h"
#include "analysis/ReportText.h"
#include "design/Tuning.h"

namespace calbrine {

std::vector<CurvePoint> TuningCurve(const DesignRecord& design, int points) {
    const DesignRecord d = WithNominalFine(design);
    std::vector<CurvePoint> curve;
    const int n = points < 2 ? 2 : points;
    for (int i = 0; i < n; ++i) {
        CurvePoint p;
        const double t = static_cast<double>(i) / (n - 1);
        // The last step lands exactly on CcoarseMax, so both ends match the design's figures.
        p.ccoarse = i == n - 1
                        ? d.CcoarseMax
                        : static_cast<float>(d.CcoarseMin + (d.CcoarseMax - d.CcoarseMin) * t);
        p.vfo = ResonanceFrequency(d, d.CfineNom, p.ccoarse);
        p.fineLow = ResonanceFrequency(d, d.CfineMax, p.ccoarse);
        p.fineHigh = ResonanceFrequency(d, d.CfineMin, p.ccoarse);
        p.rfSum = d.IF + p.vfo;
        p.rfDiff = std::fabs(d.IF - p.vfo);
        curve.push_back(p);
    }
    return curve;
}

double RfFrequency(double ifHz, double vfoHz, Mix mix) {
    return mix == Mix::Sum ? ifHz + vfoHz : std::fabs(ifHz - vfoHz);
}

namespace {

constexpr double EndReach = 1.0;  // hertz

// The smallest of 1, 2.5, 5 x 10^k (at least 1 kHz) that puts at most 25 marks on `span`.
double MarkSpacing(double span) {
    const double mantissas[] = {1, 2.5, 5};
    for (double decade = 1e3; decade < 1e12; decade *= 10) {
        for (double m : mantissas) {
            if (span / (m * decade) <= 25) {
                return m * decade;
            }
        }
    }
    return 1e12;
}

// Marks at every multiple of `spacing` within the dial's range; `spacing` 0 picks the round
// spacing of the labelled marks.
std::vector<DialMark> MarksEvery(const DesignRecord& d, Mix mix, const VfoCurve& vfo,
                                 double spacing) {
    const double c0 = d.CcoarseMin;
    const double c1 = d.CcoarseMax;
    auto rfAt = [&](double c) { return RfFrequency(d.IF, vfo(c), mix); };
    const double rf0 = rfAt(c0);
    const double rf1 = rfAt(c1);
    std::vector<DialMark> marks;
    if (c0 == c1 || rf0 == rf1) {
        return marks;
    }
    const double low = std::fmin(rf0, rf1);
    const double high = std::fmax(rf0, rf1);
    if (spacing <= 0) {
        spacing = MarkSpacing(high - low);
    }
    // An end within a hertz of a round frequency carries its mark: a design fitted to end on
    // 7.2 MHz computes to a fraction of a hertz below it. The search then lands on that end.
    for (double k = std::ceil((low - EndReach) / spacing); k * spacing <= high + EndReach; k += 1) {
        DialMark mark;
        mark.rfHz = k * spacing;
        const double c = SolveMonotone(rfAt, c0, c1, mark.rfHz);
        mark.angleDegrees = 180.0 * (c - c0) / (c1 - c0);
        mark.label = FrequencyText(mark.rfHz);
        marks.push_back(mark);
    }
    return marks;
}

}  // namespace

VfoCurve CalculatedVfo(const DesignRecord& design) {
    const DesignRecord d = WithNominalFine(design);
    return [d](double c) {
        return static_cast<double>(ResonanceFrequency(d, d.CfineNom, static_cast<float>(c)));
    };
}

std::vector<DialMark> DialScale(const DesignRecord& design, Mix mix) {
    return DialScale(design, mix, CalculatedVfo(design));
}

std::vector<double> DialMinorAngles(const DesignRecord& design, Mix mix) {
    return DialMinorAngles(design, mix, CalculatedVfo(design));
}

std::vector<DialMark> DialScale(const DesignRecord& design, Mix mix, const VfoCurve& vfo) {
    return MarksEvery(design, mix, vfo, 0);
}

std::vector<double> DialMinorAngles(const DesignRecord& design, Mix mix, const VfoCurve& vfo) {
    const std::vector<DialMark> major = DialScale(design, mix, vfo);
    std::vector<double> angles;
    if (major.size() < 2) {
        return angles;
    }
    const double step = (major[1].rfHz - major[0].rfHz) / 5;
    for (const DialMark& m : MarksEvery(design, mix, vfo, step)) {
        if (std::fmod(std::round(m.rfHz / step), 5.0) != 0) {
            angles.push_back(m.angleDegrees);
        }
    }
    return angles;
}

}  // namespace calbrine
