// Screen-relative window units: every window lays out its controls and its drawing in units
// that make the whole screen about 12100 by 9500 units at any resolution.
#pragma once

namespace calbrine {

struct WindowUnits {
    double pixelsPerUnitX;
    double pixelsPerUnitY;
    double screenWidthTwips;   // S_w
    double screenHeightTwips;  // S_h
    // The size of every scaled text: S_h x 0.0008 points.
    double fontPoints() const { return screenHeightTwips * 0.0008; }
    double x(double units) const { return units * pixelsPerUnitX; }
    double y(double units) const { return units * pixelsPerUnitY; }
};

constexpr double TwipsPerPixel = 15.0;  // 1440 twips an inch at 96 pixels an inch

// The design client size (in twips) sets how many units span the client area: its width
// spans 12000 x (12000 / S_w) units and its height 9000 x (9000 / S_h) units, each span held
// as a single as the window system keeps it.
inline WindowUnits computeWindowUnits(double screenWidthPixels, double screenHeightPixels,
                                      double designClientWidthTwips,
                                      double designClientHeightTwips) {
    const double sw = screenWidthPixels * TwipsPerPixel;
    const double sh = screenHeightPixels * TwipsPerPixel;
    const float spanX = 12000.0f * static_cast<float>(12000.0 / sw);
    const float spanY = 9000.0f * static_cast<float>(9000.0 / sh);
    return WindowUnits{designClientWidthTwips / spanX / TwipsPerPixel,
                       designClientHeightTwips / spanY / TwipsPerPixel, sw, sh};
}

// Design client sizes of the windows, in twips.
constexpr double DesignWindowClientWidth = 11880;
constexpr double DesignWindowClientHeight = 8490;
constexpr double OpeningWindowClientWidth = 11910;
constexpr double OpeningWindowClientHeight = 8520;

}  // namespace calbrine
