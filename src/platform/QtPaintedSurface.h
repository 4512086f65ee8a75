// The drawing operations that a window's picture and the printer share: lines, arcs, points
// and texts painted with QPainter, in logical units that each surface maps to its pixels.
// Each operation becomes a PaintStep in logical units, which the printer paints at once and
// a window keeps to paint again whenever it is shown.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QString>
#include <cmath>
#include <cstdint>
#include <string>

#include "schematic/SchematicSurface.h"

namespace calbrine {

inline QColor ToQColor(Colour colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// One drawing operation in the surface's logical units.
struct PaintStep {
    enum class Kind : std::uint8_t { Line, Arc, Point, Text };
    PaintStep(Kind k, float ax, float ay, float bx = 0, float by = 0)
        : kind(k), x1(ax), y1(ay), x2(bx), y2(by) {}

    Kind kind;
    float x1, y1;              // line start, arc centre, point, text's top-left corner
    float x2, y2;              // line end; x2 is an arc's radius
    float start = 0, end = 0;  // arc angles
    QPen pen;                  // lines, arcs and points
    QString text;
    QFont font;
    QColor textColour;
};

// Paints one step; `map` takes logical units to the painter's coordinates.
template <class Map>
void PaintStepOn(QPainter& painter, const PaintStep& step, const Map& map) {
    switch (step.kind) {
        case PaintStep::Kind::Line:
            painter.setPen(step.pen);
            painter.drawLine(map(step.x1, step.y1), map(step.x2, step.y2));
            break;
        case PaintStep::Kind::Arc: {
            // Qt measures angles counterclockwise on the page, as the schematics do; the
            // radius follows each axis's unit so that the arc meets the leads drawn in the
            // same units.
            constexpr double turn = 2 * 3.14159265358979323846;
            double span = std::fmod(static_cast<double>(step.end) - step.start, turn);
            if (span <= 0) {
                span += turn;
            }
            const auto sixteenths = [](double radians) {
                return static_cast<int>(std::lround(radians * 360 / turn * 16));
            };
            const float r = step.x2;
            painter.setPen(step.pen);
            painter.drawArc(QRectF(map(step.x1 - r, step.y1 - r), map(step.x1 + r, step.y1 + r)),
                            sixteenths(step.start), sixteenths(span));
            break;
        }
        case PaintStep::Kind::Point:
            painter.setPen(step.pen);
            painter.drawPoint(map(step.x1, step.y1));
            break;
        case PaintStep::Kind::Text:
            // The text's top-left corner sits at the text position.
            painter.setFont(step.font);
            painter.setPen(step.textColour);
            painter.drawText(map(step.x1, step.y1) + QPointF(0, painter.fontMetrics().ascent()),
                             step.text);
            break;
    }
}

template <class Surface>
class QtPaintedSurface : public Surface {
  public:
    void SetLineWidth(int pixels) override { lineWidth_ = pixels < 1 ? 1 : pixels; }

    void DrawLine(float x1, float y1, float x2, float y2, Colour colour) override {
        PaintStep step(PaintStep::Kind::Line, x1, y1, x2, y2);
        step.pen = Pen(colour);
        Emit(std::move(step));
        pen_ = QPointF(x2, y2);
    }

    void DrawLineTo(float x, float y, Colour colour) override {
        DrawLine(static_cast<float>(pen_.x()), static_cast<float>(pen_.y()), x, y, colour);
    }

    void DrawArc(float cx, float cy, float r, Colour colour, float start, float end) override {
        PaintStep step(PaintStep::Kind::Arc, cx, cy, r);
        step.start = start;
        step.end = end;
        step.pen = Pen(colour);
        Emit(std::move(step));
    }

    void PlotPoint(float x, float y, Colour colour) override {
        PaintStep step(PaintStep::Kind::Point, x, y);
        step.pen = Pen(colour);
        Emit(std::move(step));
        text_ = QPointF(x, y);
    }

    void PrintText(const std::string& text) override {
        if (text.empty()) {
            return;
        }
        PaintStep step(PaintStep::Kind::Text, static_cast<float>(text_.x()),
                       static_cast<float>(text_.y()));
        step.text = QString::fromStdString(text);
        step.font = font_;
        step.textColour = textColour_;
        Emit(std::move(step));
    }

  protected:
    // Paints the step or keeps it.
    virtual void Emit(PaintStep step) = 0;

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
