// Draws a schematic into a window's persistent picture with QPainter, mapping the window's
// logical units to pixels.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <functional>

#include "schematic/SchematicSurface.h"

namespace calbrine {

QColor ToQColor(Colour colour);

class QtSchematicSurface final : public SchematicSurface {
  public:
    // `changed` is called after every operation so that the window can repaint.
    QtSchematicSurface(QImage& image, double pixelsPerUnitX, double pixelsPerUnitY,
                       std::function<void()> changed);

    void SetBackground(const QColor& colour) { background_ = colour; }
    void SetFont(const QFont& font) { font_ = font; }
    void SetTextColour(const QColor& colour) { textColour_ = colour; }

    void Clear() override;
    void SetLineWidth(int pixels) override;
    void DrawLine(float x1, float y1, float x2, float y2, Colour colour) override;
    void DrawLineTo(float x, float y, Colour colour) override;
    void DrawArc(float cx, float cy, float r, Colour colour, float start, float end) override;
    void PlotPoint(float x, float y, Colour colour) override;
    void PrintText(const std::string& text) override;

  private:
    QPointF Map(float x, float y) const;
    QPen Pen(Colour colour) const;

    QImage& image_;
    double sx_;
    double sy_;
    std::function<void()> changed_;
    QColor background_{Qt::white};
    QColor textColour_{Qt::black};
    QFont font_;
    int lineWidth_ = 1;
    QPointF pen_;   // logical units
    QPointF text_;  // logical units
};

}  // namespace calbrine
