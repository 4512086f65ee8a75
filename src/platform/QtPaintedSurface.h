// The drawing operations that a window's picture and the printer share: lines, arcs, points
// and texts painted with QPainter, in logical units that each surface maps to its pixels.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <cmath>
#include <functional>
#include <string>

#include "schematic/SchematicSurface.h"

namespace calbrine {

inline QColor ToQColor(Colour colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

template <class Surface>
class QtPaintedSurface : public Surface {
  public:
    void SetLineWidth(int pixels) override { lineWidth_ = pixels < 1 ? 1 : pixels; }

    void DrawLine(float x1, float y1, float x2, float y2, Colour colour) override {
        Paint([&](QPainter& painter) {
            painter.setPen(Pen(colour));
            painter.drawLine(Map(x1, y1), Map(x2, y2));
        });
        pen_ = QPointF(x2, y2);
    }

    void DrawLineTo(float x, float y, Colour colour) override {
        DrawLine(pen_.x(), pen_.y(), x, y, colour);
    }

    // Qt measures angles counterclockwise on the page, as the schematics do; the radius
    // follows each axis's unit so that the arc meets the leads drawn in the same units.
    void DrawArc(float cx, float cy, float r, Colour colour, float start, float end) override {
        constexpr double turn = 2 * 3.14159265358979323846;
        double span = std::fmod(static_cast<double>(end) - start, turn);
        if (span <= 0) {
            span += turn;
        }
        const auto sixteenths = [](double radians) {
            return static_cast<int>(std::lround(radians * 360 / turn * 16));
        };
        Paint([&](QPainter& painter) {
            painter.setPen(Pen(colour));
            painter.drawArc(QRectF(Map(cx - r, cy - r), Map(cx + r, cy + r)), sixteenths(start),
                            sixteenths(span));
        });
    }

    void PlotPoint(float x, float y, Colour colour) override {
        Paint([&](QPainter& painter) {
            painter.setPen(Pen(colour));
            painter.drawPoint(Map(x, y));
        });
        text_ = QPointF(x, y);
    }

    // The text's top-left corner sits at the text position.
    void PrintText(const std::string& text) override {
        if (text.empty()) {
            return;
        }
        Paint([&](QPainter& painter) {
            painter.setFont(font_);
            painter.setPen(textColour_);
            painter.drawText(Map(text_.x(), text_.y()) + QPointF(0, painter.fontMetrics().ascent()),
                             QString::fromStdString(text));
        });
    }

  protected:
    // Device position of a point in logical units.
    virtual QPointF Map(float x, float y) const = 0;
    // Runs one drawing step on the surface's painter.
    virtual void Paint(const std::function<void(QPainter&)>& step) = 0;

    QPen Pen(Colour colour) const {
        return QPen(ToQColor(colour), lineWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    }

    QFont font_;
    QColor textColour_{Qt::black};
    QPointF text_;  // logical units

  private:
    int lineWidth_ = 1;
    QPointF pen_;  // logical units
};

}  // namespace calbrine
