// The tuning curve simulated at the dial table's steps, on the explorer's dial table tab: the
// points go on the curve plot and into the table's "Simulated" column, and a complete curve
// can carry the dial table and the dial scale instead of the calculation.
#pragma once

#include <QWidget>
#include <optional>

#include "design/DesignRecord.h"
#include "runs/SimulatedCurve.h"

class QCheckBox;

namespace calbrine {

class RunControls;

class CurveSimulation : public QWidget {
    Q_OBJECT
  public:
    explicit CurveSimulation(QWidget* parent = nullptr);

    // The design and the number of steps simulated. Results of others are cleared, the dial
    // goes back to the calculation and a run for others is stopped.
    void setDesign(const DesignRecord& design, int steps);
    void setSimulatorOptions(SimulatorOptions options) { options_ = std::move(options); }
    void stop();
    bool running() const;
    // The last simulation that succeeded for the design and steps, if any.
    const std::optional<SimulatedCurveOutcome>& outcome() const { return outcome_; }
    // The simulated curve when the dial follows it, otherwise none.
    VfoCurve dialCurve() const;

  signals:
    // The simulated points, or whether the dial follows them, changed.
    void curveChanged();

  private:
    void start();
    void finish(const SimulatedCurveOutcome& outcome);
    void clear();

    DesignRecord design_{};
    int steps_ = 0;
    SimulatorOptions options_;
    std::optional<SimulatedCurveOutcome> outcome_;

    RunControls* controls_ = nullptr;
    QCheckBox* dialFromCurve_ = nullptr;
};

}  // namespace calbrine
