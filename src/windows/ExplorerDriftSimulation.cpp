#include "windows/ExplorerDriftSimulation.h"

#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cstring>

#include "windows/ExplorerWindow.h"
#include "windows/RunControls.h"

namespace calbrine {

namespace {

// The last line of the simulated drift's report: what the transistor's share is.
QString shareSentence(const SimulatedDriftOutcome& outcome) {
    QString report = QString::fromStdString(SimulatedDriftReport(outcome)).trimmed();
    return report.mid(report.lastIndexOf('\n') + 1);
}

}  // namespace

DriftSimulation::DriftSimulation(QWidget* parent) : QWidget(parent) {
    setObjectName("driftSimulation");
    controls_ = new RunControls("Simulate", "drift");
    connect(controls_, &RunControls::startPressed, this, [this] { start(); });
    table_ = new QTableWidget;
    table_->setObjectName("simulatedDriftTable");
    table_->setAccessibleName("Drift simulated");
    table_->verticalHeader()->hide();
    table_->setWordWrap(false);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    share_ = new QLabel;
    share_->setObjectName("transistorShare");
    share_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(controls_);
    layout->addWidget(table_);
    layout->addWidget(share_);
    showResults();
}

void DriftSimulation::setDesign(const DesignRecord& design, const PartSettings& settings) {
    const bool same =
        std::memcmp(&design, &design_, sizeof design) == 0 && settings.tcPpm == settings_.tcPpm;
    design_ = design;
    settings_ = settings;
    if (!same) {
        controls_->stop("Stopped: the design or the coefficients changed.");
        outcome_.reset();
        showResults();
    }
}

void DriftSimulation::stop() {
    controls_->stop("Cancelled.");
}

bool DriftSimulation::running() const {
    return controls_->running();
}

void DriftSimulation::start() {
    outcome_.reset();
    showResults();
    controls_->start([this, design = design_, settings = settings_, options = options_](
                         const SimulationProgress& progress, const std::atomic<bool>* cancel) {
        const SimulatedDriftOutcome outcome =
            SimulateDrift(design, settings, Simulator(options), progress, cancel);
        return std::function<void()>([this, outcome] { finish(outcome); });
    });
}

void DriftSimulation::finish(const SimulatedDriftOutcome& outcome) {
    if (outcome.Succeeded()) {
        outcome_ = outcome;
    }
    showResults();
    controls_->sayEnd(outcome.failure, outcome.message,
                      "Simulated at 15, 25 and 35 degC with every part's coefficient.");
}

void DriftSimulation::showResults() {
    table_->setVisible(outcome_.has_value());
    share_->setVisible(outcome_.has_value());
    if (!outcome_) {
        return;
    }
    showTable(table_, SimulatedDriftTable(*outcome_));
    share_->setText(shareSentence(*outcome_));
    table_->resizeRowsToContents();
    int height = table_->horizontalHeader()->sizeHint().height() + 2 * table_->frameWidth() +
                 table_->horizontalScrollBar()->sizeHint().height();
    for (int row = 0; row < table_->rowCount(); ++row) {
        height += table_->rowHeight(row);
    }
    table_->setFixedHeight(height);
}

}  // namespace calbrine
