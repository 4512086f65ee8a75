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
    void SetDesign(const DesignRecord& design, int steps);
    void SetSimulatorOptions(SimulatorOptions options) { options_ = std::move(options); }
    void Stop();
    bool Running() const;
    // The last simulation that succeeded for the design and steps, if any.
    const std::optional<SimulatedCurveOutcome>& Outcome() const { return outcome_; }
    // The simulated curve when the dial follows it, otherwise none.
    VfoCurve DialCurve() const;

  signals:
    // The simulated points, or whether the dial follows them, changed.
    void CurveChanged();

  private:
    void Start();
    void Finish(const SimulatedCurveOutcome& outcome);
    void Clear();

    DesignRecord design_{};
    int steps_ = 0;
    SimulatorOptions options_;
    std::optional<SimulatedCurveOutcome> outcome_;

    RunControls* controls_ = nullptr;
    QCheckBox* dialFromCurve_ = nullptr;
};

}  // namespace calbrine
