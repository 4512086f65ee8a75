#include "platform/QtSchematicSurface.h"

#include <QFontMetricsF>

namespace calbrine {

QtSchematicSurface::QtSchematicSurface(double pixelsPerUnitX, double pixelsPerUnitY,
                                       std::function<void(const QRectF&)> changed)
    : sx_(pixelsPerUnitX), sy_(pixelsPerUnitY), changed_(std::move(changed)) {}

void QtSchematicSurface::SetBackground(const QColor& colour) {
    background_ = colour;
    backdrop_ = QImage();
    steps_.clear();
    bounds_.clear();
    extent_ = QRectF();
    changed_(QRectF());
}

void QtSchematicSurface::SetBackdrop(const QImage& image, const QRectF& place) {
    backdrop_ = image;
    backdropPlace_ = place;
    changed_(place);
}

void QtSchematicSurface::Clear() {
    if (!backdrop_.isNull()) {
        backdrop_ = QImage();
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
    painter.fillRect(area, background_);
    if (!backdrop_.isNull()) {
        painter.drawImage(backdropPlace_, backdrop_);
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
