#include "windows/explorer/FitTab.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>

#include "analysis/Reports.h"
#include "windows/Controls.h"
#include "windows/explorer/TabHelpers.h"

namespace calbrine {

namespace {

QString simulationSaid(const SimulatedFitOutcome& outcome, double seconds) {
    if (!outcome.reached) {
        return QString::fromStdString("Not fitted: " + outcome.reason + ".");
    }
    return QString("Fitted in %1 %2 in %3 s: both simulated band edges within %4 Hz.")
        .arg(outcome.rounds.size())
        .arg(outcome.rounds.size() == 1 ? "round" : "rounds")
        .arg(seconds, 0, 'f', 1)
        .arg(SimulatedFitToleranceHz);
}

SimulatedFitOutcome fitBySimulation(const DesignRecord& design, const FitRequest& request,
                                    double coilQ, const Simulator& simulator,
                                    const SimulationProgress& progress,
                                    const std::atomic<bool>* cancel) {
    return FitBySimulation(design, request, simulator, progress, cancel, coilQ);
}

}  // namespace

FitTab::FitTab(QWidget* parent) : QWidget(parent) {
    setObjectName("fitTab");
    bandLow_ = new QLineEdit("7M");
    bandLow_->setObjectName("bandLow");
    bandHigh_ = new QLineEdit("7.2M");
    bandHigh_->setObjectName("bandHigh");
    mix_ = new QComboBox;
    mix_->setObjectName("mix");
    mix_->addItems(
        {"The product that reaches the band", "RF difference (IF - VFO)", "RF sum (IF + VFO)"});
    solve_ = new QComboBox;
    solve_->setObjectName("solve");
    solve_->addItems({"L7 and padding C37", "Coarse capacitor C38 ends"});
    auto* solveButton = namedButton("Solve", "solveFit");
    apply_ = namedButton("Apply to design", "applyFit");
    apply_->setEnabled(false);
    fitReport_ = reportBox("fitReport", "Fit to band report");
    connect(solveButton, &QPushButton::clicked, this, [this] { solve(); });
    connect(apply_, &QPushButton::clicked, this, [this] { emit applyFit(fitted_); });
    simulation_ =
        new OutcomePanel<SimulatedFitOutcome>("Fit by simulation", "fitSimulation", simulationSaid);
    simulation_->setToolTip(
        "Simulates the fitted band's two ends with ngspice and fits again until both lie within "
        "200 Hz of the band's edges");
    applySimulated_ = namedButton("Apply simulated fit", "applySimulatedFit");
    applySimulated_->setEnabled(false);
    connect(simulation_, &RunPanel::startPressed, this, [this] { startSimulation(); });
    connect(simulation_, &RunPanel::outcomeChanged, this, [this] { showSimulation(); });
    connect(applySimulated_, &QPushButton::clicked, this, [this] {
        if (const SimulatedFitOutcome* outcome = simulation_->outcome()) {
            emit applyFit(outcome->Fitted());
        }
    });
    for (QLineEdit* edge : {bandLow_, bandHigh_}) {
        connect(edge, &QLineEdit::textChanged, this, [this] { followInputs(); });
    }
    for (QComboBox* box : {mix_, solve_}) {
        connect(box, &QComboBox::currentIndexChanged, this, [this] { followInputs(); });
    }

    auto* form = new QFormLayout;
    form->addRow("Band low edge:", bandLow_);
    form->addRow("Band high edge:", bandHigh_);
    form->addRow("Mix:", mix_);
    form->addRow("Solve for:", solve_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(solveButton);
    buttons->addWidget(apply_);
    buttons->addWidget(applySimulated_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(simulation_);
    layout->addWidget(fitReport_, 1);
    followInputs();
}

void FitTab::setCoilQ(double q) {
    coilQ_ = q;
    followInputs();
}

void FitTab::setDesign(const DesignRecord& design) {
    const bool changed = std::memcmp(&design, &design_, sizeof design) != 0;
    design_ = design;
    followInputs();
    if (changed && apply_->isEnabled()) {
        solve();
    }
}

std::string FitTab::calculate(FitOutcome& fit) const {
    FitRequest request;
    std::string error = bandEdge(bandLow_->text(), "low", request.band.lowHz);
    if (error.empty()) {
        error = bandEdge(bandHigh_->text(), "high", request.band.highHz);
    }
    request.mix = mix_->currentIndex() == 1 ? Mix::Difference : Mix::Sum;
    request.solve =
        solve_->currentIndex() == 0 ? FitSolve::InductorAndPadding : FitSolve::CoarseCapacitor;
    fit = FitOutcome{request, {}, "", false};
    if (!error.empty()) {
        return error;
    }
    fit = mix_->currentIndex() == 0 ? SolveFitEitherMix(design_, request)
                                    : FitOutcome{request, SolveFit(design_, request), ""};
    return fit.result.reached ? "" : fit.failure.empty() ? FitFailure(fit.result) : fit.failure;
}

std::string FitTab::calculatedReport(const FitOutcome& fit) const {
    const std::string chosen = mix_->currentIndex() == 0 ? MixLine(fit) : "";
    return chosen + FitReport(design_, fit.request, fit.result);
}

void FitTab::solve() {
    FitOutcome fit;
    const std::string error = calculate(fit);
    const bool reached = error.empty();
    fitted_ = reached ? fit.result.design : design_;
    apply_->setEnabled(reached);
    showingSimulation_ = false;
    fitReport_->setPlainText(QString::fromStdString(reached ? calculatedReport(fit) : error));
}

// A fit by simulation holds for the design and the boxes it was started from.
void FitTab::followInputs() {
    double low = 0;
    double high = 0;
    bandEdge(bandLow_->text(), "low", low);
    bandEdge(bandHigh_->text(), "high", high);
    simulation_->follow(
        runInputs(design_, low, high, mix_->currentIndex(), solve_->currentIndex(), coilQ_),
        "Stopped: the design or the band changed.");
}

void FitTab::startSimulation() {
    FitOutcome fit;
    const std::string error = calculate(fit);
    if (!error.empty()) {
        showingSimulation_ = false;
        fitReport_->setPlainText(QString::fromStdString(error));
        return;
    }
    if (simulation_->start(fitBySimulation, design_, fit.request, coilQ_)) {
        simulated_ = fit;
    }
}

// The calculated fit the simulation started from, then each round; a dropped outcome takes
// the report back to the calculation of the boxes as they are.
void FitTab::showSimulation() {
    const SimulatedFitOutcome* ended = simulation_->ended();
    applySimulated_->setEnabled(ended != nullptr && ended->Succeeded() && ended->reached);
    if (ended != nullptr && ended->Succeeded()) {
        showingSimulation_ = true;
        const std::string calculated = calculatedReport(simulated_) + "\n";
        fitReport_->setPlainText(QString::fromStdString(calculated + SimulatedFitReport(*ended)));
        // The simulation's rounds on show, below the calculated fit's standard values.
        fitReport_->verticalScrollBar()->setValue(
            static_cast<int>(std::count(calculated.begin(), calculated.end(), '\n')));
    } else if (ended == nullptr && showingSimulation_) {
        solve();
    }
}

}  // namespace calbrine
