#include "windows/explorer/CurveSimulation.h"

#include <QCheckBox>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

namespace calbrine {

namespace {

QString curveSaid(const SimulatedCurveOutcome& outcome, double) {
    const auto steps = outcome.points.size();
    if (outcome.Complete()) {
        return QString("Simulated %1 steps; the rings on the curve show them.").arg(steps);
    }
    const auto missing = std::count_if(outcome.points.begin(), outcome.points.end(),
                                       [](const SimulatedCurvePoint& p) { return !p.oscillates; });
    return QString(
               "Simulated %1 steps; %2 did not oscillate, so the dial stays with the calculation.")
        .arg(steps)
        .arg(missing);
}

}  // namespace

CurveSimulation::CurveSimulation(QWidget* parent) : QWidget(parent) {
    setObjectName("curveSimulation");
    panel_ = new OutcomePanel<SimulatedCurveOutcome>("Simulate", "curve", curveSaid);
    connect(panel_, &RunPanel::startPressed, this,
            [this] { panel_->start(SimulateCurve, design_, steps_, coilQ_); });
    connect(panel_, &RunPanel::outcomeChanged, this, [this] { outcomeChanged(); });
    dialFromCurve_ = new QCheckBox("Dial from the simulated curve");
    dialFromCurve_->setObjectName("dialFromSimulation");
    dialFromCurve_->setToolTip(
        "The dial table and the dial scale follow the simulated curve, once every step "
        "oscillates");
    dialFromCurve_->setEnabled(false);
    connect(dialFromCurve_, &QCheckBox::toggled, this, [this] { emit curveChanged(); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel_);
    layout->addWidget(dialFromCurve_);
}

void CurveSimulation::setDesign(const DesignRecord& design, int steps) {
    design_ = design;
    steps_ = steps;
    panel_->follow(runInputs(design, steps, coilQ_),
                   "Stopped: the design, the steps or the coil's Q changed.");
}

void CurveSimulation::setCoilQ(double q) {
    coilQ_ = q;
    setDesign(design_, steps_);
}

VfoCurve CurveSimulation::dialCurve() const {
    const SimulatedCurveOutcome* outcome = panel_->outcome();
    if (outcome == nullptr || !outcome->Complete() || !dialFromCurve_->isChecked()) {
        return nullptr;
    }
    return SimulatedVfo(design_, *outcome);
}

// A complete curve may carry the dial; without one the dial goes back to the calculation.
void CurveSimulation::outcomeChanged() {
    const SimulatedCurveOutcome* outcome = panel_->outcome();
    const bool complete = outcome != nullptr && outcome->Complete();
    if (!complete) {
        const QSignalBlocker quiet(dialFromCurve_);
        dialFromCurve_->setChecked(false);
    }
    dialFromCurve_->setEnabled(complete);
    emit curveChanged();
}

}  // namespace calbrine
