#include "windows/ExplorerCurveSimulation.h"

#include <QCheckBox>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <cstring>

#include "windows/RunControls.h"

namespace calbrine {

CurveSimulation::CurveSimulation(QWidget* parent) : QWidget(parent) {
    setObjectName("curveSimulation");
    controls_ = new RunControls("Simulate", "curve");
    connect(controls_, &RunControls::startPressed, this, [this] { start(); });
    dialFromCurve_ = new QCheckBox("Dial from the simulated curve");
    dialFromCurve_->setObjectName("dialFromSimulation");
    dialFromCurve_->setToolTip(
        "The dial table and the dial scale follow the simulated curve, once every step "
        "oscillates");
    dialFromCurve_->setEnabled(false);
    connect(dialFromCurve_, &QCheckBox::toggled, this, [this] { emit curveChanged(); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(controls_);
    layout->addWidget(dialFromCurve_);
}

void CurveSimulation::setDesign(const DesignRecord& design, int steps) {
    const bool same = std::memcmp(&design, &design_, sizeof design) == 0 && steps == steps_;
    design_ = design;
    steps_ = steps;
    if (!same) {
        controls_->stop("Stopped: the design or the steps changed.");
        clear();
    }
}

void CurveSimulation::stop() {
    controls_->stop("Cancelled.");
}

bool CurveSimulation::running() const {
    return controls_->running();
}

VfoCurve CurveSimulation::dialCurve() const {
    if (!outcome_ || !outcome_->Complete() || !dialFromCurve_->isChecked()) {
        return nullptr;
    }
    return SimulatedVfo(design_, *outcome_);
}

void CurveSimulation::start() {
    clear();
    emit curveChanged();
    controls_->start([this, design = design_, steps = steps_, options = options_](
                         const SimulationProgress& progress, const std::atomic<bool>* cancel) {
        const SimulatedCurveOutcome outcome =
            SimulateCurve(design, steps, Simulator(options), progress, cancel);
        return std::function<void()>([this, outcome] { finish(outcome); });
    });
}

void CurveSimulation::finish(const SimulatedCurveOutcome& outcome) {
    if (outcome.Succeeded()) {
        outcome_ = outcome;
    }
    const bool complete = outcome.Complete();
    dialFromCurve_->setEnabled(complete);
    int missing = 0;
    for (const SimulatedCurvePoint& p : outcome.points) {
        missing += p.oscillates ? 0 : 1;
    }
    controls_->sayEnd(outcome.failure, outcome.message,
                      complete
                          ? QString("Simulated %1 steps; the rings on the curve show them.")
                                .arg(outcome.points.size())
                          : QString("Simulated %1 steps; %2 did not oscillate, so the dial stays "
                                    "with the calculation.")
                                .arg(outcome.points.size())
                                .arg(missing));
    emit curveChanged();
}

void CurveSimulation::clear() {
    outcome_.reset();
    const QSignalBlocker quiet(dialFromCurve_);
    dialFromCurve_->setChecked(false);
    dialFromCurve_->setEnabled(false);
}

}  // namespace calbrine
