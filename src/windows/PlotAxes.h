// What the explorer's tuning curve and the simulation's waveform share: the white frame with
// its caption, and a light grid with engineering-text labels along both axes.
#pragma once

#include <QPainter>
#include <QRectF>
#include <QString>
#include <functional>
#include <vector>

namespace calbrine {

// Round values (steps of 1, 2 or 5 times a power of ten) from lo to hi, about `count` of them.
std::vector<double> gridValues(double lo, double hi, int count);

// Fills `area` white, writes the caption (two lines or more) along its top and returns the
// plot's own rectangle,
// leaving room for y labels as wide as `widestY` and x labels as wide as `widestX`.
QRectF plotFrame(QPainter& p, const QRectF& area, const QString& caption, const QString& widestY,
                 const QString& widestX);

// One axis of the grid: the span it shows, the values to mark and how to write them.
struct GridAxis {
    double from, to;
    std::vector<double> values;
    std::function<QString(double)> text;
};

// Grid lines and labels of both axes; `x` runs left to right, `y` bottom to top.
void drawGrid(QPainter& p, const QRectF& plot, const GridAxis& x, const GridAxis& y);

}  // namespace calbrine
