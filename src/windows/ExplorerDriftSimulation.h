// The drift simulated, on the explorer's drift page: every part with its coefficient from the
// parts tab and the transistor at 15, 25 and 35 degC, beside the parts' calculated drift.
#pragma once

#include <QWidget>
#include <optional>

#include "analysis/Parts.h"
#include "design/DesignRecord.h"
#include "runs/SimulatedDrift.h"

class QLabel;
class QTableWidget;

namespace calbrine {

class RunControls;

class DriftSimulation : public QWidget {
    Q_OBJECT
  public:
    explicit DriftSimulation(QWidget* parent = nullptr);

    // The design and coefficients simulated. Results of others are cleared, and a run for
    // others is stopped.
    void setDesign(const DesignRecord& design, const PartSettings& settings);
    void setSimulatorOptions(SimulatorOptions options) { options_ = std::move(options); }
    void stop();
    bool running() const;
    // The last simulation that succeeded for the design, if any.
    const std::optional<SimulatedDriftOutcome>& outcome() const { return outcome_; }

  private:
    void start();
    void finish(const SimulatedDriftOutcome& outcome);
    void showResults();

    DesignRecord design_{};
    PartSettings settings_;
    SimulatorOptions options_;
    std::optional<SimulatedDriftOutcome> outcome_;

    RunControls* controls_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* share_ = nullptr;
};

}  // namespace calbrine
