// The explorer's Monte Carlo tab: copies of the design with every part drawn within its
// tolerance from the Drift and tolerance tab, each simulated at both ends of the coarse range; the spread of
// their frequencies and swings as a table, and their frequencies as two histograms.
#pragma once

#include <QWidget>

#include "analysis/Parts.h"
#include "design/DesignRecord.h"
#include "runs/MonteCarlo.h"
#include "simulation/Simulator.h"
#include "windows/RunPanel.h"

class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace calbrine {

class RunHistogram;

// "Every run oscillates at VfoMin and at VfoMax.", or how many of the runs did not at each.
QString oscillationLine(const std::array<SettingSpread, 2>& spreads);

class MonteCarloTab : public QWidget {
    Q_OBJECT
  public:
    explicit MonteCarloTab(QWidget* parent = nullptr);

    // The design and tolerances the runs draw from. Results of others are dropped, and a run
    // for others is stopped.
    void setDesign(const DesignRecord& design, const PartSettings& settings);
    // The run, and the runs of the last one that succeeded for the design, if any.
    OutcomePanel<MonteCarloOutcome>* panel() const { return panel_; }
    RunHistogram* histogram(std::size_t setting) const { return histograms_[setting]; }

  private:
    void start();
    void showResults();
    void saveCsv();

    DesignRecord design_{};
    PartSettings settings_;

    QSpinBox* runs_ = nullptr;
    QDoubleSpinBox* seed_ = nullptr;
    OutcomePanel<MonteCarloOutcome>* panel_ = nullptr;
    // The spread of the runs: a table, two histograms, the runs that did not oscillate.
    QTableWidget* table_ = nullptr;
    std::array<RunHistogram*, 2> histograms_{};
    QLabel* missing_ = nullptr;
    QPushButton* save_ = nullptr;
};

}  // namespace calbrine
