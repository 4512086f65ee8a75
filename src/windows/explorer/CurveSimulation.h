// The tuning curve simulated at the dial table's steps, on the explorer's dial table tab: the
// points go on the curve plot and into the table's "Simulated" column, and a complete curve
// can carry the dial table and the dial scale instead of the calculation.
#pragma once

#include <QWidget>

#include "analysis/Parts.h"
#include "design/DesignRecord.h"
#include "runs/SimulatedCurve.h"
#include "windows/RunPanel.h"

class QCheckBox;

namespace calbrine {

class CurveSimulation : public QWidget {
    Q_OBJECT
  public:
    explicit CurveSimulation(QWidget* parent = nullptr);

    // The design and the number of steps simulated. Results of others are dropped, the dial
    // goes back to the calculation and a run for others is stopped.
    void setDesign(const DesignRecord& design, int steps);
    // L7's quality factor in the runs; results for another are dropped.
    void setCoilQ(double q);
    // The run, and the last simulation that succeeded for the design and steps, if any.
    OutcomePanel<SimulatedCurveOutcome>* panel() const { return panel_; }
    // The simulated curve when the dial follows it, otherwise none.
    VfoCurve dialCurve() const;

  signals:
    // The simulated points, or whether the dial follows them, changed.
    void curveChanged();

  private:
    void outcomeChanged();

    DesignRecord design_{};
    int steps_ = 0;
    double coilQ_ = DefaultCoilQ;

    OutcomePanel<SimulatedCurveOutcome>* panel_ = nullptr;
    QCheckBox* dialFromCurve_ = nullptr;
};

}  // namespace calbrine
