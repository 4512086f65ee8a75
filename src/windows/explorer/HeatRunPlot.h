// The heat run drawn: each reading as a dot, frequency against temperature, and the measured
// line through them, the frequencies shown as hertz from the line's mean so that a drift of a
// few hertz stays visible beside megahertz.
#pragma once

#include <QWidget>
#include <vector>

#include "analysis/HeatRun.h"

class QPainter;

namespace calbrine {

class HeatRunPlot : public QWidget {
    Q_OBJECT
  public:
    explicit HeatRunPlot(QWidget* parent = nullptr);

    // The readings and their line; a drift that was not measured draws an empty frame.
    void setRun(std::vector<HeatReading> readings, const MeasuredDrift& drift);
    const MeasuredDrift& drift() const { return drift_; }
    void render(QPainter& painter, const QRectF& area) const;

    QSize sizeHint() const override { return {260, 180}; }
    QSize minimumSizeHint() const override { return {160, 110}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<HeatReading> readings_;
    MeasuredDrift drift_;
};

}  // namespace calbrine
