#include "windows/PersistentPicture.h"

#include <QGuiApplication>
#include <QScreen>

namespace calbrine {

QSize screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(1024, 768);
}

WindowUnits screenUnits(double designClientWidthTwips, double designClientHeightTwips) {
    const QSize size = screenSize();
    return computeWindowUnits(size.width(), size.height(), designClientWidthTwips,
                              designClientHeightTwips);
}

QFont scaledFont(const QString& family, double points, bool bold) {
    QFont font(family);
    font.setBold(bold);
    // The layout is measured at 96 pixels an inch; a screen that reports another logical
    // resolution would otherwise grow or shrink the texts against their boxes.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    font.setPointSizeF(points * 96.0 / (dpi > 0 ? dpi : 96.0));
    return font;
}

PersistentPicture::PersistentPicture(QWidget& window, const WindowUnits& units,
                                     const QColor& background)
    : window_(window) {
    surface_ = std::make_unique<QtSchematicSurface>(units.pixelsPerUnitX, units.pixelsPerUnitY,
                                                    [this](const QRectF& area) { changed(area); });
    surface_->SetBackground(background);
}

void PersistentPicture::changed(const QRectF& area) {
    if (!window_.isVisible()) {
        return;  // showing the window paints all of it
    }
    if (area.isEmpty()) {
        whole_ = true;
    } else {
        dirty_ |= area;
    }
    if (pending_) {
        return;
    }
    pending_ = true;
    QMetaObject::invokeMethod(
        &repaints_,
        [this] {
            if (whole_) {
                window_.update();
            } else {
                window_.update(dirty_.toAlignedRect());
            }
            pending_ = whole_ = false;
            dirty_ = QRectF();
        },
        Qt::QueuedConnection);
}

}  // namespace calbrine
