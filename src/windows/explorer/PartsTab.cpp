#include "windows/explorer/PartsTab.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/ReportText.h"
#include "analysis/Reports.h"
#include "windows/Controls.h"
#include "windows/explorer/TabHelpers.h"

namespace calbrine {

namespace {

QTableWidget* namedTable(const char* name, const char* spoken, const QStringList& headers) {
    auto* table = new QTableWidget(0, static_cast<int>(headers.size()));
    table->setObjectName(name);
    table->setAccessibleName(spoken);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    return table;
}

QWidget* resultPage(QTableWidget* table, QLabel* summary, QWidget* below = nullptr) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    summary->setWordWrap(true);
    layout->addWidget(table, 1);
    layout->addWidget(summary);
    if (below != nullptr) {
        layout->addWidget(below);
    }
    return page;
}

// The last line of the simulated drift's report: what the transistor's share is.
QString shareSentence(const SimulatedDriftOutcome& outcome) {
    QString report = QString::fromStdString(SimulatedDriftReport(outcome)).trimmed();
    return report.mid(report.lastIndexOf('\n') + 1);
}

}  // namespace

// A row of the parts table: the part's name, its coefficient (a preset or a number) and its
// tolerance, each edit handed on at once.
void PartsTab::addPartRow(Part part) {
    const int row = static_cast<int>(part);
    partsTable_->setItem(row, 0, cell(PartName(part)));
    const QString name = QString::fromLatin1(PartName(part));
    auto* tc = new QComboBox;
    tc->setEditable(true);
    tc->setAccessibleName(name + " temperature coefficient");
    tc->lineEdit()->setAccessibleName(tc->accessibleName());
    for (const TcPreset& preset : TcPresets) {
        tc->addItem(preset.name);
    }
    connect(tc, &QComboBox::currentTextChanged, this, [this, part](const QString& text) {
        if (const auto ppm = TcFromText(text.toStdString())) {
            settings_.Tc(part) = *ppm;
            emit settingsEdited(settings_);
        }
    });
    partsTable_->setCellWidget(row, 1, tc);
    auto* tolerance = new QDoubleSpinBox;
    tolerance->setLocale(QLocale::c());
    tolerance->setRange(0, 50);
    tolerance->setAccessibleName(name + " tolerance");
    connect(tolerance, qOverload<double>(&QDoubleSpinBox::valueChanged), this,
            [this, part](double value) {
                settings_.Tolerance(part) = value;
                emit settingsEdited(settings_);
            });
    partsTable_->setCellWidget(row, 2, tolerance);
}

PartsTab::PartsTab(QWidget* parent) : QWidget(parent) {
    setObjectName("partsTab");
    partsTable_ = namedTable("partsTable", "Temperature coefficients and tolerances of the parts",
                             {"Part", "ppm/degC", "Tolerance %"});
    partsTable_->setRowCount(static_cast<int>(PartCount));
    compensated_ = new QComboBox;
    compensated_->setObjectName("compensated");
    compensated_->setAccessibleName("Cancel mid-band drift with");
    for (Part part : AllParts) {
        addPartRow(part);
        compensated_->addItem(PartName(part));
    }
    compensated_->setCurrentText("C37");
    connect(compensated_, &QComboBox::currentTextChanged, this, [this] { refreshDrift(); });
    driftTable_ = namedTable("driftTable", "Drift of each part", {});
    driftSummary_ = new QLabel;
    toleranceTable_ = namedTable("toleranceTable", "Tolerance share of each part", {});
    toleranceSummary_ = new QLabel;
    auto* results = new QTabWidget;
    results->addTab(resultPage(driftTable_, driftSummary_, buildDriftSimulation()),
                    "Drift, largest first");
    results->addTab(resultPage(toleranceTable_, toleranceSummary_), "Tolerance, largest first");

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Cancel mid-band drift with:"));
    row->addWidget(compensated_);
    row->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(partsTable_, 1);
    layout->addLayout(row);
    layout->addWidget(results, 1);
    showSettings(settings_);
}

QWidget* PartsTab::buildDriftSimulation() {
    driftPanel_ = new OutcomePanel<SimulatedDriftOutcome>(
        "Simulate", "drift", [](const SimulatedDriftOutcome&, double) {
            return QString("Simulated at 15, 25 and 35 degC with every part's coefficient.");
        });
    connect(driftPanel_, &RunPanel::startPressed, this,
            [this] { driftPanel_->start(SimulateDrift, design_, settings_); });
    connect(driftPanel_, &RunPanel::outcomeChanged, this, [this] { showSimulatedDrift(); });
    simulatedDrift_ = reportTable("simulatedDriftTable", "Drift simulated");
    transistorShare_ = wrappedLabel("transistorShare");
    auto* simulation = new QWidget;
    simulation->setObjectName("driftSimulation");
    auto* layout = new QVBoxLayout(simulation);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(driftPanel_);
    layout->addWidget(simulatedDrift_);
    layout->addWidget(transistorShare_);
    showSimulatedDrift();
    return simulation;
}

void PartsTab::setDesign(const DesignRecord& design, const PartSettings& settings) {
    design_ = design;
    settings_ = settings;
    refreshDrift();
    refreshTolerance();
    driftPanel_->follow(runInputs(design, settings.tcPpm),
                        "Stopped: the design or the coefficients changed.");
}

void PartsTab::showSettings(const PartSettings& settings) {
    for (Part part : AllParts) {
        const int row = static_cast<int>(part);
        auto* tc = static_cast<QComboBox*>(partsTable_->cellWidget(row, 1));
        auto* tolerance = static_cast<QDoubleSpinBox*>(partsTable_->cellWidget(row, 2));
        const QSignalBlocker blockTc(tc);
        const QSignalBlocker blockTolerance(tolerance);
        tc->setCurrentText(QString::fromStdString(PlainNumber(settings.Tc(part))));
        tolerance->setValue(settings.Tolerance(part));
    }
}

void PartsTab::refreshDrift() {
    const Part compensated =
        PartFromName(compensated_->currentText().toStdString()).value_or(Part::C37);
    const DriftAnalysis a =
        AnalyseDrift(design_, settings_, compensated, SeriesNamed(shippedValueSeries(), "E12"));
    showTable(driftTable_, DriftTable(a));
    driftSummary_->setText(QString::fromStdString(DriftSummary(a)).trimmed());
}

void PartsTab::refreshTolerance() {
    const ToleranceAnalysis t = AnalyseTolerance(design_, settings_);
    showTable(toleranceTable_, ToleranceTable(t, settings_));
    toleranceSummary_->setText(QString::fromStdString(ToleranceSummary(t)));
}

void PartsTab::showSimulatedDrift() {
    const SimulatedDriftOutcome* outcome = driftPanel_->outcome();
    simulatedDrift_->setVisible(outcome != nullptr);
    transistorShare_->setVisible(outcome != nullptr);
    if (outcome == nullptr) {
        return;
    }
    showTable(simulatedDrift_, SimulatedDriftTable(*outcome));
    transistorShare_->setText(shareSentence(*outcome));
    fitTableHeight(simulatedDrift_, simulatedDrift_->rowCount());
}

}  // namespace calbrine
