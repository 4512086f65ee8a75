// A window's drawing that survives being covered: the window paints a picture of the
// screen's size and the schematic surface draws into it.
#pragma once

#include <QImage>
#include <QWidget>
#include <memory>

#include "platform/QtSchematicSurface.h"
#include "windows/WindowUnits.h"

namespace calbrine {

class PersistentPicture {
  public:
    PersistentPicture(QWidget& window, const WindowUnits& units, const QColor& background);

    QtSchematicSurface& Surface() { return *surface_; }
    const QImage& Image() const { return image_; }
    QImage& MutableImage() { return image_; }
    // Fills the picture with a colour, as setting a window's background colour does.
    void Fill(const QColor& colour);
    void Paint(QWidget& window);

  private:
    QImage image_;
    std::unique_ptr<QtSchematicSurface> surface_;
};

// The primary screen's size in device-independent pixels.
QSize ScreenSize();
// The units of a window with the given design client size, from the primary screen.
WindowUnits ScreenUnits(double designClientWidthTwips, double designClientHeightTwips);
// Shows a window maximized; without a window manager to do it, the window is given the
// screen's available area itself.
void ShowMaximized(QWidget& window);
// A font of `points` points as the window units mean them: at 96 pixels an inch.
QFont ScaledFont(const QString& family, double points, bool bold = true);

}  // namespace calbrine
