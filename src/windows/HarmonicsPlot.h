// The output's spectrum beside its waveform: the fundamental and its harmonics up to the
// fifth as bars, in dB below the fundamental.
#pragma once

#include <QString>
#include <QWidget>

#include "simulation/Harmonics.h"

class QPainter;

namespace calbrine {

class HarmonicsPlot : public QWidget {
    Q_OBJECT
  public:
    explicit HarmonicsPlot(QWidget* parent = nullptr);

    // Levels not measured show the caption alone.
    void setLevels(const HarmonicLevels& levels, QString caption);
    const HarmonicLevels& levels() const { return levels_; }
    void render(QPainter& painter, const QRectF& area) const;

    QSize sizeHint() const override { return {240, 320}; }
    QSize minimumSizeHint() const override { return {160, 200}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    HarmonicLevels levels_;
    QString caption_;
};

}  // namespace calbrine
