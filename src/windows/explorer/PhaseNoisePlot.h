// The phase noise of each setting drawn against the offset from the carrier: dBc/Hz on a
// logarithmic axis of offsets, one line per setting with a legend, by Leeson's model (an
// estimate, as the caption says).
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>
#include <vector>

#include "runs/PhaseNoise.h"

class QPainter;

namespace calbrine {

struct PhaseNoiseLine {
    QString name;  // in the legend
    QColor colour;
    std::vector<PhaseNoisePoint> points;  // offsets rising
};

class PhaseNoisePlot : public QWidget {
    Q_OBJECT
  public:
    explicit PhaseNoisePlot(QWidget* parent = nullptr);

    // Without lines the frame shows the caption alone.
    void setLines(std::vector<PhaseNoiseLine> lines, QString caption);
    const std::vector<PhaseNoiseLine>& lines() const { return lines_; }
    void render(QPainter& painter, const QRectF& area) const;

    QSize sizeHint() const override { return {480, 300}; }
    QSize minimumSizeHint() const override { return {320, 180}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<PhaseNoiseLine> lines_;
    QString caption_;
};

}  // namespace calbrine
