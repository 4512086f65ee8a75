// A window's drawing that survives being covered: the schematic surface keeps it and the
// window paints it whenever it is painted. Whatever the drawing changes is painted again
// once the current event has run, in one repaint however many steps it took.
#pragma once

#include <QObject>
#include <QWidget>
#include <memory>

#include "platform/QtSchematicSurface.h"
#include "windows/WindowUnits.h"

namespace calbrine {

class PersistentPicture {
  public:
    PersistentPicture(QWidget& window, const WindowUnits& units, const QColor& background);

    QtSchematicSurface& surface() { return *surface_; }
    // Erases the picture to a colour, as setting a window's background colour does.
    void fill(const QColor& colour) { surface_->SetBackground(colour); }
    // Paints the part of the picture in `area` (window pixels).
    void paint(QPainter& painter, const QRect& area) const { surface_->Replay(painter, area); }

  private:
    void changed(const QRectF& area);

    QWidget& window_;
    QObject repaints_;  // carries the pending repaint; it goes with the picture
    QRectF dirty_;
    bool whole_ = false;
    bool pending_ = false;
    std::unique_ptr<QtSchematicSurface> surface_;
};

// The primary screen's size in device-independent pixels.
QSize screenSize();
// The units of a window with the given design client size, from the primary screen.
WindowUnits screenUnits(double designClientWidthTwips, double designClientHeightTwips);
// A font of `points` points as the window units mean them: at 96 pixels an inch.
QFont scaledFont(const QString& family, double points, bool bold = true);

}  // namespace calbrine
