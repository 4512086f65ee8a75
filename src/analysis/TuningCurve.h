// How the oscillator's frequency runs across the coarse-tune capacitor: the tuning curve with
// its fine-tune band, and the marks of a half-circle dial.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "design/DesignRecord.h"

namespace calbrine {

// One setting of the coarse capacitor C38; frequencies in hertz as the resonance gives them.
struct CurvePoint {
    float ccoarse = 0;
    float vfo = 0;       // D9 at its nominal capacitance
    float fineLow = 0;   // D9 at CfineMax
    float fineHigh = 0;  // D9 at CfineMin
    float rfSum = 0;     // IF + vfo
    float rfDiff = 0;    // |IF - vfo|
};

// `points` (at least 2) equal capacitance steps from CcoarseMin to CcoarseMax inclusive. A
// straight-line-capacitance capacitor turns through equal angles for equal steps, so these are
// also equal steps of rotation. The first point is the design's VfoMax, the last its VfoMin.
std::vector<CurvePoint> TuningCurve(const DesignRecord& design, int points);

enum class Mix { Sum, Difference };

// The RF frequency of a VFO frequency with the design's IF.
double RfFrequency(double ifHz, double vfoHz, Mix mix);

// A mark of the printed dial: 0 deg at CcoarseMin, 180 deg at CcoarseMax.
struct DialMark {
    double angleDegrees = 0;
    double rfHz = 0;
    std::string label;  // engineering text, e.g. "7.05M"
};

// Marks at round RF values, spaced every 10k, 25k, 50k or 100k (or a decade of those) so
// that the dial carries about 5 to 25 of them. Empty when the range is zero.
std::vector<DialMark> DialScale(const DesignRecord& design, Mix mix);
// The angles of the minor ticks: every fifth of the marks' spacing, the marks left out.
std::vector<double> DialMinorAngles(const DesignRecord& design, Mix mix);

// The VFO's frequency in hertz at a capacitance of C38 between its ends, D9 at its nominal
// capacitance: the calculated resonance, or a curve that corrects it (the simulated one).
// It must run one way across the range.
using VfoCurve = std::function<double(double ccoarse)>;
VfoCurve CalculatedVfo(const DesignRecord& design);
// The dial's marks and minor ticks where `vfo` puts their frequencies.
std::vector<DialMark> DialScale(const DesignRecord& design, Mix mix, const VfoCurve& vfo);
std::vector<double> DialMinorAngles(const DesignRecord& design, Mix mix, const VfoCurve& vfo);

}  // namespace calbrine
