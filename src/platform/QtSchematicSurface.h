// A window's persistent drawing, kept as a display list: the background colour, a picture
// under the drawing (the opening window's gradient) and the drawing operations in window
// units. The window paints it again, at its own resolution, whenever it is painted.
#pragma once

#include <QImage>
#include <QRectF>
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
    // An image shown stretched over `place` (window pixels) under the drawing, until the
    // drawing is erased.
    void SetBackdrop(const QImage& image, const QRectF& place);
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
    QImage backdrop_;
    QRectF backdropPlace_;
    std::vector<PaintStep> steps_;
    std::vector<QRectF> bounds_;  // one for each step
    QRectF extent_;               // all the steps together
};

}  // namespace calbrine
