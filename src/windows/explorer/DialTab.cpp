#include "windows/explorer/DialTab.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/Reports.h"
#include "platform/FileDialogs.h"
#include "runs/SimulatedCurve.h"
#include "windows/Controls.h"
#include "windows/explorer/CurveSimulation.h"
#include "windows/explorer/TabHelpers.h"

namespace calbrine {

DialTab::DialTab(QWidget* parent) : QWidget(parent) {
    setObjectName("dialTab");
    steps_ = new QSpinBox;
    steps_->setObjectName("steps");
    steps_->setAccessibleName("Steps of rotation");
    steps_->setRange(2, 101);
    steps_->setValue(11);
    dialTable_ = reportTable("dialTable", "Dial table");
    dialTable_->horizontalHeader()->setStretchLastSection(true);
    auto* copy = namedButton("Copy as text", "copyDial");
    auto* save = namedButton("Save CSV...", "saveDialCsv");
    simulation_ = new CurveSimulation;
    // The simulated points belong to the steps they were simulated at.
    connect(steps_, qOverload<int>(&QSpinBox::valueChanged), this,
            [this](int steps) { simulation_->setDesign(design_, steps); });
    connect(simulation_, &CurveSimulation::curveChanged, this, [this] {
        refreshDial();
        emit curveChanged();
    });
    connect(copy, &QPushButton::clicked, this, [this] { copyDialTable(); });
    connect(save, &QPushButton::clicked, this, [this] { saveDialCsv(); });

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Steps of rotation:"));
    top->addWidget(steps_);
    top->addStretch(1);
    top->addWidget(copy);
    top->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(simulation_);
    layout->addWidget(dialTable_, 1);
    // The keys go through the controls as they stand: the top row, the simulation's, the table.
    QWidget* previous = steps_;
    std::vector<QWidget*> order{copy, save};
    for (QAbstractButton* button : simulation_->findChildren<QAbstractButton*>()) {
        order.push_back(button);
    }
    order.push_back(dialTable_);
    for (QWidget* next : order) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

void DialTab::setDesign(const DesignRecord& design) {
    design_ = design;
    simulation_->setDesign(design_, steps_->value());
    refreshDial();
}

ReportTable DialTab::shownDialTable() const {
    const int steps = steps_->value();
    const SimulatedCurveOutcome* simulated = simulation_->panel()->outcome();
    if (const VfoCurve vfo = simulation_->dialCurve()) {
        return DialTable(design_, steps, vfo);
    }
    return simulated ? SimulatedDialTable(design_, steps, *simulated) : DialTable(design_, steps);
}

std::string DialTab::dialText() const {
    const int steps = steps_->value();
    const SimulatedCurveOutcome* simulated = simulation_->panel()->outcome();
    if (!simulation_->dialCurve()) {
        return simulated ? SimulatedDialReport(design_, steps, *simulated)
                         : DialReport(design_, steps);
    }
    std::string text = DialReport(design_, steps);
    const std::string calculated = DialTable(design_, steps).Text();
    text.replace(text.size() - calculated.size(), calculated.size(), shownDialTable().Text());
    return text + "Frequencies from the simulated curve.\n";
}

void DialTab::refreshDial() {
    showTable(dialTable_, shownDialTable());
}

void DialTab::copyDialTable() {
    QApplication::clipboard()->setText(QString::fromStdString(dialText()));
}

void DialTab::saveDialCsv() {
    const auto path = AskSaveName({"Save dial table", "CSV files (*.csv)|*.csv", "dial.csv", ""});
    if (path) {
        saveExplorerText(*path, shownDialTable().Csv());
    }
}

}  // namespace calbrine
