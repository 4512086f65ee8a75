// The explorer's drift and tolerance tab: the parts' coefficients and tolerances, kept in the
// settings file beside the design, and what they do to the band as tables, largest first.
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
#include <filesystem>

#include "analysis/ReportText.h"
#include "analysis/Reports.h"
#include "design/DesignValues.h"
#include "services/RunTimeServices.h"
#include "windows/ExplorerCalibrateTab.h"
#include "windows/ExplorerDriftSimulation.h"
#include "windows/ExplorerMonteCarloTab.h"
#include "windows/ExplorerWindow.h"

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

}  // namespace

QWidget* ExplorerWindow::buildPartsTab() {
    partsTable_ = namedTable("partsTable", "Temperature coefficients and tolerances of the parts",
                             {"Part", "ppm/degC", "Tolerance %"});
    partsTable_->setRowCount(static_cast<int>(PartCount));
    compensated_ = new QComboBox;
    compensated_->setObjectName("compensated");
    compensated_->setAccessibleName("Cancel mid-band drift with");
    for (Part part : AllParts) {
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
                settingsEdited();
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
                    settingsEdited();
                });
        partsTable_->setCellWidget(row, 2, tolerance);
        compensated_->addItem(PartName(part));
    }
    compensated_->setCurrentText("C37");
    connect(compensated_, &QComboBox::currentTextChanged, this, [this] { refreshDrift(); });
    driftTable_ = namedTable("driftTable", "Drift of each part", {});
    driftSummary_ = new QLabel;
    toleranceTable_ = namedTable("toleranceTable", "Tolerance share of each part", {});
    toleranceSummary_ = new QLabel;
    auto* results = new QTabWidget;
    driftSimulation_ = new DriftSimulation;
    results->addTab(resultPage(driftTable_, driftSummary_, driftSimulation_),
                    "Drift, largest first");
    results->addTab(resultPage(toleranceTable_, toleranceSummary_), "Tolerance, largest first");

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Cancel mid-band drift with:"));
    row->addWidget(compensated_);
    row->addStretch(1);
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(partsTable_, 1);
    layout->addLayout(row);
    layout->addWidget(results, 1);
    showSettings();
    return tab;
}

void ExplorerWindow::showSettings() {
    for (Part part : AllParts) {
        const int row = static_cast<int>(part);
        auto* tc = static_cast<QComboBox*>(partsTable_->cellWidget(row, 1));
        auto* tolerance = static_cast<QDoubleSpinBox*>(partsTable_->cellWidget(row, 2));
        const QSignalBlocker blockTc(tc);
        const QSignalBlocker blockTolerance(tolerance);
        tc->setCurrentText(QString::fromStdString(PlainNumber(settings_.Tc(part))));
        tolerance->setValue(settings_.Tolerance(part));
    }
    if (calibrate_ != nullptr) {
        calibrate_->setReadings(settings_.readings);
    }
}

void ExplorerWindow::settingsEdited() {
    refreshParts();
    if (settingsFor_ && !settingsFor_->empty() &&
        !WriteSettingsFile(SettingsPath(*settingsFor_), settings_)) {
        Services().ShowMessage("Could not write " + SettingsPath(*settingsFor_), "Calbrine");
    }
}

void ExplorerWindow::followSettingsFile(bool sameDesign) {
    settingsFor_ = DesignFileName;
    if (DesignFileName.empty()) {
        return;
    }
    const std::string path = SettingsPath(DesignFileName);
    if (std::filesystem::exists(path)) {
        PartSettings read;
        const std::string error = ReadSettingsFile(path, read);
        if (!error.empty()) {
            Services().ShowMessage(path + ": " + error, "Calbrine");
        }
        settings_ = read;
    } else if (sameDesign) {
        settingsEdited();
    } else {
        settings_ = PartSettings{};
    }
    showSettings();
}

void ExplorerWindow::refreshParts() {
    refreshDrift();
    refreshTolerance();
    // The simulations drop results of another design or other settings.
    driftSimulation_->setDesign(design_, settings_);
    monteCarlo_->setDesign(design_, settings_);
}

void ExplorerWindow::refreshDrift() {
    const Part compensated =
        PartFromName(compensated_->currentText().toStdString()).value_or(Part::C37);
    const DriftAnalysis a = AnalyseDrift(design_, settings_, compensated);
    showTable(driftTable_, DriftTable(a));
    driftSummary_->setText(QString::fromStdString(DriftSummary(a)).trimmed());
}

void ExplorerWindow::refreshTolerance() {
    const ToleranceAnalysis t = AnalyseTolerance(design_, settings_);
    showTable(toleranceTable_, ToleranceTable(t, settings_));
    toleranceSummary_->setText(QString::fromStdString(ToleranceSummary(t)));
}

}  // namespace calbrine
