#include "windows/explorer/DriftSimulation.h"

#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "windows/explorer/TabHelpers.h"

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
    panel_ = new OutcomePanel<SimulatedDriftOutcome>(
        "Simulate", "drift", [](const SimulatedDriftOutcome&, double) {
            return QString("Simulated at 15, 25 and 35 degC with every part's coefficient.");
        });
    connect(panel_, &RunPanel::startPressed, this, [this] { start(); });
    connect(panel_, &RunPanel::outcomeChanged, this, [this] { showResults(); });
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
    layout->addWidget(panel_);
    layout->addWidget(table_);
    layout->addWidget(share_);
    showResults();
}

void DriftSimulation::setDesign(const DesignRecord& design, const PartSettings& settings) {
    design_ = design;
    settings_ = settings;
    panel_->follow(runInputs(design, settings.tcPpm),
                   "Stopped: the design or the coefficients changed.");
}

void DriftSimulation::start() {
    panel_->start([design = design_, settings = settings_, options = options_](
                      const SimulationProgress& progress, const std::atomic<bool>* cancel) {
        return SimulateDrift(design, settings, Simulator(options), progress, cancel);
    });
}

void DriftSimulation::showResults() {
    const SimulatedDriftOutcome* outcome = panel_->outcome();
    table_->setVisible(outcome != nullptr);
    share_->setVisible(outcome != nullptr);
    if (outcome == nullptr) {
        return;
    }
    showTable(table_, SimulatedDriftTable(*outcome));
    share_->setText(shareSentence(*outcome));
    table_->resizeRowsToContents();
    int height = table_->horizontalHeader()->sizeHint().height() + 2 * table_->frameWidth() +
                 table_->horizontalScrollBar()->sizeHint().height();
    for (int row = 0; row < table_->rowCount(); ++row) {
        height += table_->rowHeight(row);
    }
    table_->setFixedHeight(height);
}

}  // namespace calbrine
