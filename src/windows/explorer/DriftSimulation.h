// The drift simulated, on the explorer's drift page: every part with its coefficient from the
// parts tab and the transistor at 15, 25 and 35 degC, beside the parts' calculated drift.
#pragma once

#include <QWidget>

#include "analysis/Parts.h"
#include "design/DesignRecord.h"
#include "runs/SimulatedDrift.h"
#include "windows/RunPanel.h"

class QLabel;
class QTableWidget;

namespace calbrine {

class DriftSimulation : public QWidget {
    Q_OBJECT
  public:
    explicit DriftSimulation(QWidget* parent = nullptr);

    // The design and coefficients simulated. Results of others are dropped, and a run for
    // others is stopped.
    void setDesign(const DesignRecord& design, const PartSettings& settings);
    void setSimulatorOptions(SimulatorOptions options) { options_ = std::move(options); }
    // The run, and the last simulation that succeeded for the design, if any.
    OutcomePanel<SimulatedDriftOutcome>* panel() const { return panel_; }

  private:
    void start();
    void showResults();

    DesignRecord design_{};
    PartSettings settings_;
    SimulatorOptions options_;

    OutcomePanel<SimulatedDriftOutcome>* panel_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* share_ = nullptr;
};

}  // namespace calbrine
