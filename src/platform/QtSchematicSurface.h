// A window's persistent drawing, kept as a display list: the background colour, filled
// bands under the drawing (the opening window's gradient) and the drawing operations in
// window units. The window paints it again, at its own resolution, whenever it is painted.
#pragma once

#include <QRectF>
#include <QRegion>
#include <functional>
#include <vector>

#include "platform/QtPaintedSurface.h"

namespace calbrine {

class QtSchematicSurface final : public QtPaintedSurface<SchematicSurface> {
  public:
    // `changed` is told which area, in window pixels, shows something new; an empty
    // rectangle stands for the whole window.
    QtSchematicSurface(double pixelsPerUnitX, double pixelsPerUnitY,
                       std::function<void(const QRectF&)> changed);

    // A new background colour erases the drawing, as on any window.
    void SetBackground(const QColor& colour);
    // A rectangle of window pixels filled with one colour.
    struct Band {
        QRectF place;
        QColor colour;
    };
    // Bands shown under the drawing until it is erased.
    void SetBackdrop(std::vector<Band> bands);
    void SetFont(const QFont& font) { font_ = font; }
    void SetTextColour(const QColor& colour) { textColour_ = colour; }

    void Clear() override;
    // Paints the part of the drawing that falls in `area` (window pixels).
    void Replay(QPainter& painter, const QRect& area) const;

  protected:
    void Emit(PaintStep step) override;

  private:
    QPointF Map(float x, float y) const { return QPointF(x * sx_, y * sy_); }
    // The pixels a step may touch, antialiasing included.
    QRectF Bounds(const PaintStep& step) const;

    double sx_;
    double sy_;
    std::function<void(const QRectF&)> changed_;
    QColor background_{Qt::white};
    std::vector<Band> backdrop_;
    QRegion covered_;  // the whole pixels the bands cover, which need no background
    std::vector<PaintStep> steps_;
    std::vector<QRectF> bounds_;  // one for each step
    QRectF extent_;               // all the steps together
};

}  // namespace calbrine
