// The oscillator's output over its last simulated periods: volts against time, with a grid
// labelled in engineering text.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

class QPainter;

namespace calbrine {

class WaveformPlot : public QWidget {
    Q_OBJECT
  public:
    explicit WaveformPlot(QWidget* parent = nullptr);

    // Samples at uneven times (seconds, rising) and their volts; an empty trace shows `caption`
    // alone.
    void setTrace(std::vector<double> time, std::vector<double> volts, QString caption);
    const std::vector<double>& volts() const { return volts_; }
    // Draws the whole plot into `area` of any painter.
    void render(QPainter& painter, const QRectF& area) const;

    QSize sizeHint() const override { return {720, 320}; }
    QSize minimumSizeHint() const override { return {320, 200}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<double> time_;
    std::vector<double> volts_;
    QString caption_;
};

}  // namespace calbrine
