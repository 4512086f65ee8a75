// Draws a schematic into a window's persistent picture, mapping the window's logical units
// to pixels.
#pragma once

#include <QImage>

#include "platform/QtPaintedSurface.h"

namespace calbrine {

class QtSchematicSurface final : public QtPaintedSurface<SchematicSurface> {
  public:
    // `changed` is called after every operation so that the window can repaint.
    QtSchematicSurface(QImage& image, double pixelsPerUnitX, double pixelsPerUnitY,
                       std::function<void()> changed);

    void SetBackground(const QColor& colour) { background_ = colour; }
    void SetFont(const QFont& font) { font_ = font; }
    void SetTextColour(const QColor& colour) { textColour_ = colour; }

    void Clear() override;

  protected:
    QPointF Map(float x, float y) const override { return QPointF(x * sx_, y * sy_); }
    void Paint(const std::function<void(QPainter&)>& step) override;

  private:
    QImage& image_;
    double sx_;
    double sy_;
    std::function<void()> changed_;
    QColor background_{Qt::white};
};

}  // namespace calbrine
