// The built VFO measured back: from what a frequency counter shows at settings of the coarse
// capacitor C38, the real inductance of L7, the stray capacitance across the tuning node and
// (from three readings on) C38's real swing, and the design with them put in.
#pragma once

#include <string>
#include <vector>

#include "design/DesignRecord.h"

namespace calbrine {

// One counter reading. The position runs along C38's range in percent: 0 at CcoarseMin, 100
// at CcoarseMax, straight-line capacitance in between; D9 stands at its nominal capacitance.
struct CalibrationReading {
    double positionPercent = 0;
    double frequencyHz = 0;
};

// "50=5.0123M": the position in percent (a "%" may follow) and the frequency in engineering
// text (the scale letters of ParseEngValue, "Hz" may follow). Returns empty text on success,
// otherwise what is wrong, quoting the text. Positions outside 0 to 100 and frequencies of
// zero or less are wrong.
std::string ParseReading(const std::string& text, CalibrationReading& reading);
// The same form with plain numbers, as the settings file keeps it: "50=5012300.5".
std::string ReadingText(const CalibrationReading& reading);
// The two halves of a reading read alone, as ParseReading reads them: a position in percent
// ("50", "50%") and a counter's frequency ("5.0123M", "5012300Hz"); NaN for other text.
double PositionNumber(const std::string& text);
double FrequencyNumber(const std::string& text);

// C38's capacitance at a position, as the dial table steps it.
float CoarseAtPosition(const DesignRecord& design, double positionPercent);

// The design with the measured values put in: L7, C90 plus the stray, and C38's swing. The
// swing is applied as CcoarseMax = CcoarseMin + swing, keeping CcoarseMin, so that position p
// stays at CcoarseMin + p/100 * swing as the readings were taken. A change of C38's minimum
// cannot be told from the stray: it shows there.
DesignRecord CalibratedDesign(const DesignRecord& design, double l7, double stray, double swing);

// How well the calibrated design matches one reading, by the program's resonance.
struct ReadingFit {
    float modelHz = 0;
    double residualHz = 0;  // model minus measured
};

struct Calibration {
    bool solved = false;
    std::string reason;  // why the readings cannot be solved, in numbers
    float l7 = 0;        // henry
    float stray = 0;     // farad, beside C90
    bool swingSolved = false;
    float swing = 0;  // CcoarseMax - CcoarseMin in farad; the design's own when not solved
    std::vector<ReadingFit> fits;  // in the order of the readings
    double rmsResidualHz = 0;
    DesignRecord design;  // the calibrated design (the input when not solved)
    // How sure the solve is: one standard deviation of each solved quantity when every reading
    // is off by an independent counter error of `counterErrorHz` (one standard deviation),
    // carried through the solve's slopes (linear, for errors small beside the readings'
    // spread). The swing's is 0 when the swing was not solved.
    double counterErrorHz = 0;
    double l7Deviation = 0;     // henry
    double strayDeviation = 0;  // farad
    double swingDeviation = 0;  // farad
    // The readings barely tell the unknowns apart: L7 moves, in proportion, more than 100 times
    // a counter error's share of the readings' frequency.
    bool illConditioned = false;
};

// The counter error a calibration assumes when none is given, in hertz.
constexpr double DefaultCounterErrorHz = 10;

// Two readings give L7 and the stray exactly; three or more a least-squares fit of L7, the
// stray and C38's swing. Readings that no build of this circuit can give are refused.
Calibration Calibrate(const DesignRecord& design, const std::vector<CalibrationReading>& readings,
                      double counterErrorHz = DefaultCounterErrorHz);

}  // namespace calbrine
