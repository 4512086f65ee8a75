// How the Monte Carlo runs spread at one setting: the simulated frequency of each run that
// oscillates, counted in equal bins, beside the calculated worst case of the tolerances.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

class QPainter;

namespace calbrine {

// Equal bins from `from` to `to` and the count of `values` in each; a value on `to` counts in
// the last bin, one outside the span in none.
std::vector<int> binCounts(const std::vector<double>& values, double from, double to, int bins);

class RunHistogram : public QWidget {
    Q_OBJECT
  public:
    explicit RunHistogram(QWidget* parent = nullptr);

    // The frequencies of the runs, and the worst case's low and high ends (0: not marked).
    void setRuns(std::vector<double> hz, double worstLowHz, double worstHighHz, QString caption);
    const std::vector<int>& counts() const { return counts_; }
    // The span of the bins.
    double from() const { return from_; }
    double to() const { return to_; }
    void render(QPainter& painter, const QRectF& area) const;

    QSize sizeHint() const override { return {320, 240}; }
    QSize minimumSizeHint() const override { return {200, 150}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<double> hz_;
    double worstLowHz_ = 0, worstHighHz_ = 0;
    double from_ = 0, to_ = 0;  // the span of the bins
    std::vector<int> counts_;
    QString caption_;
};

}  // namespace calbrine
