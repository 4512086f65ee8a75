#include "platform/QtSchematicSurface.h"

#include <QPainter>
#include <QPen>
#include <cmath>

namespace calbrine {

QColor ToQColor(Colour colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

QtSchematicSurface::QtSchematicSurface(QImage& image, double pixelsPerUnitX, double pixelsPerUnitY,
                                       std::function<void()> changed)
    : image_(image), sx_(pixelsPerUnitX), sy_(pixelsPerUnitY), changed_(std::move(changed)) {}

QPointF QtSchematicSurface::Map(float x, float y) const {
    return QPointF(x * sx_, y * sy_);
}

QPen QtSchematicSurface::Pen(Colour colour) const {
    return QPen(ToQColor(colour), lineWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void QtSchematicSurface::Clear() {
    image_.fill(background_);
    changed_();
}

void QtSchematicSurface::SetLineWidth(int pixels) {
    lineWidth_ = pixels < 1 ? 1 : pixels;
}

void QtSchematicSurface::DrawLine(float x1, float y1, float x2, float y2, Colour colour) {
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Pen(colour));
    painter.drawLine(Map(x1, y1), Map(x2, y2));
    pen_ = QPointF(x2, y2);
    changed_();
}

void QtSchematicSurface::DrawLineTo(float x, float y, Colour colour) {
    DrawLine(pen_.x(), pen_.y(), x, y, colour);
}

void QtSchematicSurface::DrawArc(float cx, float cy, float r, Colour colour, float start,
                                 float end) {
    constexpr double degreesPerRadian = 180.0 / 3.14159265358979323846;
    double span = std::fmod(static_cast<double>(end) - start, 2 * 3.14159265358979323846);
    if (span <= 0) {
        span += 2 * 3.14159265358979323846;
    }
    // Qt measures angles counterclockwise on the screen, as the schematics do; the radius
    // follows each axis's unit so that the arc meets the leads drawn in the same units.
    const QRectF box(Map(cx - r, cy - r), Map(cx + r, cy + r));
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Pen(colour));
    painter.drawArc(box, static_cast<int>(std::lround(start * degreesPerRadian * 16)),
                    static_cast<int>(std::lround(span * degreesPerRadian * 16)));
    changed_();
}

void QtSchematicSurface::PlotPoint(float x, float y, Colour colour) {
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Pen(colour));
    painter.drawPoint(Map(x, y));
    text_ = QPointF(x, y);
    changed_();
}

void QtSchematicSurface::PrintText(const std::string& text) {
    if (text.empty()) {
        return;
    }
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font_);
    painter.setPen(textColour_);
    const QPointF topLeft = Map(text_.x(), text_.y());
    painter.drawText(topLeft + QPointF(0, painter.fontMetrics().ascent()),
                     QString::fromStdString(text));
    changed_();
}

}  // namespace calbrine
