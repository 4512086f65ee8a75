#include "analysis/DialFace.h"

#include <algorithm>
#include <cmath>

#include "analysis/ReportText.h"

namespace calbrine {

namespace {

constexpr double MajorTickMm = 6;
constexpr double MinorTickMm = 3;
constexpr double LabelGapMm = 2;
constexpr double LabelHeightMm = 3.5;
// Width of a character of the label font, as a share of its height, with some room to spare.
constexpr double CharacterWidth = 0.62;

// The RF range at the ends of C38 as `vfo` gives it, so that a dial of the simulated curve
// is titled with the range its marks span.
std::string TitleLine(const DesignRecord& design, Mix mix, const VfoCurve& vfo) {
    const double a = RfFrequency(design.IF, vfo(design.CcoarseMin), mix);
    const double b = RfFrequency(design.IF, vfo(design.CcoarseMax), mix);
    return "RF " + FrequencyText(std::min(a, b)) + " to " + FrequencyText(std::max(a, b)) +
           (mix == Mix::Sum ? "   IF + VFO" : "   IF - VFO");
}

void AddLabel(DialFace& face, const DialMark& mark) {
    const double inner = face.radiusMm + MajorTickMm + LabelGapMm;
    // Labels run along the radius and read from below: outward on the right half, inward on
    // the left.
    DialText label;
    label.at = DialPosition(mark.angleDegrees, inner);
    const bool left = mark.angleDegrees < 90;
    label.anchor = left ? DialAnchor::End : DialAnchor::Start;
    label.baselineDegrees = left ? -mark.angleDegrees : 180 - mark.angleDegrees;
    label.heightMm = LabelHeightMm;
    label.text = mark.label;
    face.texts.push_back(label);
    const double reach = inner + CharacterWidth * LabelHeightMm * mark.label.size();
    face.cutRadiusMm = std::max(face.cutRadiusMm, reach + 3);
}

}  // namespace

DialPoint DialPosition(double angleDegrees, double radiusMm) {
    const double a = angleDegrees * 3.14159265358979323846 / 180;
    return {-radiusMm * std::cos(a), radiusMm * std::sin(a)};
}

double DeviceUnits(double mm, double dotsPerInch) {
    return mm * dotsPerInch / 25.4;
}

DialFace LayOutDial(const DesignRecord& design, Mix mix, double radiusMm) {
    return LayOutDial(design, mix, radiusMm, CalculatedVfo(design), "");
}

DialFace LayOutDial(const DesignRecord& design, Mix mix, double radiusMm, const VfoCurve& vfo,
                    const std::string& curveName) {
    DialFace face;
    const double r = radiusMm;
    face.radiusMm = r;
    face.cutRadiusMm = r + MajorTickMm + 3;
    for (const DialMark& mark : DialScale(design, mix, vfo)) {
        face.ticks.push_back({DialPosition(mark.angleDegrees, r),
                              DialPosition(mark.angleDegrees, r + MajorTickMm), true});
        AddLabel(face, mark);
    }
    for (double angle : DialMinorAngles(design, mix, vfo)) {
        face.ticks.push_back({DialPosition(angle, r), DialPosition(angle, r + MinorTickMm), false});
    }
    for (double end : {0.0, 180.0}) {
        face.ticks.push_back({DialPosition(end, r - 4), DialPosition(end, r + MajorTickMm), true});
    }
    // The title sits inside the arc, clear of a knob of up to 0.4 r; on a small dial, which the
    // knob covers more of, below the straight edge.
    const bool inside = r >= 40;
    const double titleY = inside ? 0.55 * r : -face.shaftRadiusMm - 10;
    const double noteY = titleY - 5.5;
    face.texts.push_back({{0, titleY}, 0, DialAnchor::Centre, 4, TitleLine(design, mix, vfo)});
    face.texts.push_back({{0, noteY},
                          0,
                          DialAnchor::Centre,
                          2.8,
                          "IF " + FrequencyText(design.IF) + "   dial radius " + PlainNumber(r, 4) +
                              " mm   0 deg at C38 " + CapacitanceText(design.CcoarseMin) +
                              (curveName.empty() ? "" : "   " + curveName)});
    face.cutBaseMm = inside ? -6 : noteY - 5;
    return face;
}

}  // namespace calbrine
