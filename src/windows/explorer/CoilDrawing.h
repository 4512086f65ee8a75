// L7's coil drawn at true proportions, scaled to fit the widget: a toroid seen from above (the
// ring from its OD and ID, each turn a crossing of the wire's overall diameter, spread round
// it), or an air coil seen from the side (its form, its length and its turns), with a scale
// bar and a line saying what is drawn.
#pragma once

#include <QWidget>

#include "analysis/CoilWinding.h"

namespace calbrine {

class CoilDrawing : public QWidget {
    Q_OBJECT
  public:
    explicit CoilDrawing(QWidget* parent = nullptr);

    void showToroid(const ToroidWinding& winding);
    void showAirCoil(const AirCoil& coil);
    void showNothing();

    // Pixels to the millimetre, the same across and down; 0 with nothing to draw.
    double pixelsPerMm() const;
    // Where a point of the coil lands in the widget, given in mm from the coil's centre, x to
    // the right and y up.
    QPointF placeOf(QPointF mm) const;
    // The angles of the turns round a toroid in degrees, anticlockwise from the top.
    const std::vector<double>& turnAngles() const { return angles_; }

    QSize sizeHint() const override { return {420, 300}; }
    QSize minimumSizeHint() const override { return {200, 150}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    enum class Kind { Nothing, Toroid, Air };
    QSizeF extentMm() const;
    QRectF drawingArea() const;
    void drawToroid(QPainter& p) const;
    void drawAirCoil(QPainter& p) const;
    void drawScaleBar(QPainter& p) const;

    Kind kind_ = Kind::Nothing;
    double outerMm_ = 0, innerMm_ = 0;  // the toroid
    double formMm_ = 0, lengthMm_ = 0;  // the air coil: its form and its winding's length
    double wireMm_ = 0;                 // over the enamel
    int turns_ = 0;
    std::vector<double> angles_;
    QString caption_;
};

}  // namespace calbrine
