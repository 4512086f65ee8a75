#include "platform/QtSchematicSurface.h"

#include <QFontMetricsF>
#include <cmath>

namespace calbrine {

QtSchematicSurface::QtSchematicSurface(double pixelsPerUnitX, double pixelsPerUnitY,
                                       std::function<void(const QRectF&)> changed)
    : sx_(pixelsPerUnitX), sy_(pixelsPerUnitY), changed_(std::move(changed)) {}

void QtSchematicSurface::SetBackground(const QColor& colour) {
    background_ = colour;
    backdrop_.clear();
    covered_ = QRegion();
    steps_.clear();
    bounds_.clear();
    extent_ = QRectF();
    changed_(QRectF());
}

void QtSchematicSurface::SetBackdrop(std::vector<Band> bands) {
    backdrop_ = std::move(bands);
    QRectF area;
    covered_ = QRegion();
    for (const Band& band : backdrop_) {
        area |= band.place;
        const QRectF& p = band.place;
        covered_ += QRect(QPoint(std::ceil(p.left()), std::ceil(p.top())),
                          QPoint(std::floor(p.right()) - 1, std::floor(p.bottom()) - 1));
    }
    changed_(area);
}

void QtSchematicSurface::Clear() {
    if (!backdrop_.empty()) {
        backdrop_.clear();
        covered_ = QRegion();
        changed_(QRectF());
    } else if (!steps_.empty()) {
        changed_(extent_);
    }
    steps_.clear();
    bounds_.clear();
    extent_ = QRectF();
}

void QtSchematicSurface::Emit(PaintStep step) {
    const QRectF bounds = Bounds(step);
    steps_.push_back(std::move(step));
    bounds_.push_back(bounds);
    extent_ |= bounds;
    changed_(bounds);
}

QRectF QtSchematicSurface::Bounds(const PaintStep& step) const {
    const QPointF at = Map(step.x1, step.y1);
    switch (step.kind) {
        case PaintStep::Kind::Line:
        case PaintStep::Kind::Point: {
            const double reach = step.pen.widthF() + 2;
            const QPointF to = step.kind == PaintStep::Kind::Line ? Map(step.x2, step.y2) : at;
            return QRectF(at, to).normalized().adjusted(-reach, -reach, reach, reach);
        }
        case PaintStep::Kind::Arc: {
            const float r = step.x2;
            const double reach = step.pen.widthF() + 2;
            return QRectF(Map(step.x1 - r, step.y1 - r), Map(step.x1 + r, step.y1 + r))
                .normalized()
                .adjusted(-reach, -reach, reach, reach);
        }
        case PaintStep::Kind::Text: {
            const QFontMetricsF metrics(step.font);
            const double reach = metrics.height();
            return QRectF(at, QSizeF(metrics.horizontalAdvance(step.text), metrics.height()))
                .adjusted(-reach, -2, reach, 2);
        }
    }
    return QRectF();
}

void QtSchematicSurface::Replay(QPainter& painter, const QRect& area) const {
    for (const QRect& part : QRegion(area).subtracted(covered_)) {
        painter.fillRect(part, background_);
    }
    for (const Band& band : backdrop_) {
        painter.fillRect(band.place, band.colour);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const auto map = [this](float x, float y) { return Map(x, y); };
    for (std::size_t i = 0; i < steps_.size(); ++i) {
        if (bounds_[i].intersects(area)) {
            PaintStepOn(painter, steps_[i], map);
        }
    }
}

}  // namespace calbrine
