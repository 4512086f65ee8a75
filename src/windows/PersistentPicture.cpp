#include "windows/PersistentPicture.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace calbrine {

QSize ScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(1024, 768);
}

WindowUnits ScreenUnits(double designClientWidthTwips, double designClientHeightTwips) {
    const QSize size = ScreenSize();
    return ComputeWindowUnits(size.width(), size.height(), designClientWidthTwips,
                              designClientHeightTwips);
}

void ShowMaximized(QWidget& window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window.setGeometry(screen->availableGeometry());
    }
    window.showMaximized();
}

QFont ScaledFont(const QString& family, double points, bool bold) {
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
                                     const QColor& background) {
    const qreal ratio = window.devicePixelRatioF();
    image_ = QImage(ScreenSize() * ratio, QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    image_.fill(background);
    QWidget* target = &window;
    surface_ = std::make_unique<QtSchematicSurface>(
        image_, units.pixelsPerUnitX, units.pixelsPerUnitY, [target] { target->update(); });
    surface_->SetBackground(background);
}

void PersistentPicture::Fill(const QColor& colour) {
    surface_->SetBackground(colour);
    image_.fill(colour);
}

void PersistentPicture::Paint(QWidget& window) {
    QPainter painter(&window);
    painter.drawImage(QPointF(0, 0), image_);
}

}  // namespace calbrine
