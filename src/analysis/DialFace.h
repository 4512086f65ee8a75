// The half-circle dial scale that a builder cuts out and glues behind the tuning knob, laid
// out in millimetres around the shaft centre, x to the right and y up. Rotation runs from
// 0 deg at the left end (C38 at CcoarseMin) over the top to 180 deg at the right end.
#pragma once

#include <string>
#include <vector>

#include "analysis/TuningCurve.h"
#include "design/DesignRecord.h"

namespace calbrine {

struct DialPoint {
    double x = 0;
    double y = 0;
};

// The point `radiusMm` from the shaft at `angleDegrees` of rotation.
DialPoint DialPosition(double angleDegrees, double radiusMm);
// A length on paper in the device units of a printer or picture of `dotsPerInch`.
double DeviceUnits(double mm, double dotsPerInch);

struct DialTick {
    DialPoint from;  // on the scale's arc, or inside it at the ends of rotation
    DialPoint to;
    bool major = false;
};

// Text centred across its baseline, which runs at `baselineDegrees` (counter-clockwise from +x)
// and starts, is centred or ends at `at`.
enum class DialAnchor { Start, Centre, End };
struct DialText {
    DialPoint at;
    double baselineDegrees = 0;
    DialAnchor anchor = DialAnchor::Centre;
    double heightMm = 0;
    std::string text;
};

struct DialFace {
    double radiusMm = 0;  // the arc the ticks stand on
    std::vector<DialTick> ticks;
    std::vector<DialText> texts;  // the frequency labels, then the title lines
    double shaftRadiusMm = 3;
    // The cut line: a half circle of `cutRadiusMm` closed by a straight edge at `cutBaseMm`.
    double cutRadiusMm = 0;
    double cutBaseMm = 0;
};

DialFace LayOutDial(const DesignRecord& design, Mix mix, double radiusMm);
// The dial of the VFO curve `vfo` (the simulated one), which its note line names as
// `curveName` ("simulated").
DialFace LayOutDial(const DesignRecord& design, Mix mix, double radiusMm, const VfoCurve& vfo,
                    const std::string& curveName);

}  // namespace calbrine
