#include "platform/QtSchematicSurface.h"

namespace calbrine {

QtSchematicSurface::QtSchematicSurface(QImage& image, double pixelsPerUnitX, double pixelsPerUnitY,
                                       std::function<void()> changed)
    : image_(image), sx_(pixelsPerUnitX), sy_(pixelsPerUnitY), changed_(std::move(changed)) {}

void QtSchematicSurface::Clear() {
    image_.fill(background_);
    changed_();
}

void QtSchematicSurface::Paint(const std::function<void(QPainter&)>& step) {
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing);
    step(painter);
    painter.end();
    changed_();
}

}  // namespace calbrine
