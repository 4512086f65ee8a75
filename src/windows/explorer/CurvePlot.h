// The tuning curve drawn for the screen, the printer and picture files: VFO frequency across
// the coarse-tune capacitor, with the fine-tune band shaded around it and the points of a
// simulation with their error bars.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "analysis/TuningCurve.h"
#include "runs/SimulatedCurve.h"

class QPainter;

namespace calbrine {

class CurvePlot : public QWidget {
    Q_OBJECT
  public:
    explicit CurvePlot(QWidget* parent = nullptr);

    void setCurve(std::vector<CurvePoint> curve, QString caption);
    const std::vector<CurvePoint>& curve() const { return curve_; }
    // The simulated points drawn over the curve; those that do not oscillate are left out.
    void setSimulated(std::vector<SimulatedCurvePoint> points);
    const std::vector<SimulatedCurvePoint>& simulated() const { return simulated_; }
    // Draws the whole plot into `area` of any painter (widget, printer, image, SVG).
    void render(QPainter& painter, const QRectF& area) const;

    bool savePng(const QString& path) const;
    bool saveSvg(const QString& path) const;

    QSize sizeHint() const override { return {640, 440}; }
    QSize minimumSizeHint() const override { return {320, 240}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<CurvePoint> curve_;
    std::vector<SimulatedCurvePoint> simulated_;
    QString caption_;
};

}  // namespace calbrine
