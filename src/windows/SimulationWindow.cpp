#include "windows/SimulationWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <fstream>

#include "platform/FileDialogs.h"
#include "services/RunTimeServices.h"
#include "simulation/SimulatedNetlist.h"
#include "simulation/SimulationText.h"
#include "windows/Controls.h"
#include "windows/HarmonicsPlot.h"
#include "windows/WaveformPlot.h"

namespace calbrine {

namespace {

SimulationOutcome simulateRequest(const SimulationRequest& request, const Simulator& simulator,
                                  const SimulationProgress& progress,
                                  const std::atomic<bool>* cancel) {
    return simulator.Run(request, progress, cancel);
}

QString simulationSaid(const SimulationOutcome& outcome, double seconds) {
    return QString("Simulated %1 settings with ngspice in %2 s.")
        .arg(outcome.report.settings.size())
        .arg(seconds, 0, 'f', 1);
}

}  // namespace

SimulationWindow::SimulationWindow(QWidget* parent) : QWidget(parent) {
    setWindowTitle("Calbrine - Simulation");
    setObjectName("SimulationWindow");
    makeControls();
    panel_->addInput(new QLabel("Processes:"));
    panel_->addInput(jobs_);
    auto* actions = new QHBoxLayout;
    actions->addWidget(new QLabel("Output of"));
    actions->addWidget(waveSetting_);
    actions->addStretch(1);
    actions->addWidget(copyButton_);
    actions->addWidget(saveNetlistButton_);
    auto* pictures = new QHBoxLayout;
    pictures->addWidget(plot_, 3);
    pictures->addWidget(spectrum_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel_);
    layout->addWidget(table_);
    layout->addWidget(notes_);
    layout->addLayout(actions);
    layout->addLayout(pictures, 1);
    fillTable();
    resize(1100, 700);
}

void SimulationWindow::makeControls() {
    // Its controls keep the window's names: start, cancel, progress and status.
    panel_ = new OutcomePanel<SimulationOutcome>("Simulate", "", simulationSaid);
    connect(panel_, &RunPanel::startPressed, this, [this] { start(); });
    connect(panel_, &RunPanel::outcomeChanged, this, [this] { fillTable(); });
    jobs_ = new QSpinBox;
    jobs_->setObjectName("jobs");
    jobs_->setRange(1, MostWorkers);
    jobs_->setValue(ProcessorCount());
    jobs_->setAccessibleName("Worker processes");
    jobs_->setToolTip("Simulations run side by side, one per process");

    const SimulationRows empty = SimulationTableRows({});
    table_ = new QTableWidget(0, static_cast<int>(empty.columns.size()));
    table_->setObjectName("results");
    for (int c = 0; c < table_->columnCount(); ++c) {
        table_->setHorizontalHeaderItem(c, new QTableWidgetItem(empty.columns[c].c_str()));
    }
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    notes_ = wrappedLabel("notes");
    copyButton_ = namedButton("Copy as text", "copyResults");
    connect(copyButton_, &QPushButton::clicked, this, &SimulationWindow::copyAsText);
    saveNetlistButton_ = namedButton("Save netlist\u2026", "saveNetlist");
    saveNetlistButton_->setEnabled(false);  // until there is a design
    connect(saveNetlistButton_, &QPushButton::clicked, this, &SimulationWindow::saveNetlist);
    waveSetting_ = new QComboBox;
    waveSetting_->setObjectName("waveSetting");
    waveSetting_->setAccessibleName("Setting shown");
    for (TuningSetting setting : AllTuningSettings) {
        waveSetting_->addItem(SettingName(setting));
    }
    plot_ = new WaveformPlot;
    spectrum_ = new HarmonicsPlot;
    spectrum_->setObjectName("spectrum");
    connect(waveSetting_, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int index) { showWaveform(index); });
    connect(table_, &QTableWidget::cellClicked, waveSetting_, &QComboBox::setCurrentIndex);
}

void SimulationWindow::closeEvent(QCloseEvent* event) {
    // Stopped here, not later: at the end of the program the window may never be deleted.
    panel_->stop();
    event->accept();
}

bool SimulationWindow::simulate(const DesignRecord& design, double coilQ) {
    const std::string refusal = Simulator::Refusal(SimulationRequest{design});
    if (!refusal.empty()) {
        Services().ShowMessage("This design cannot be simulated. " + refusal, "Calbrine");
        return false;
    }
    design_ = design;
    coilQ_ = coilQ;
    saveNetlistButton_->setEnabled(true);
    panel_->follow(runInputs(design, coilQ), "Stopped: the design or the coil's Q changed.");
    if (!panel_->running()) {
        start();
    }
    return true;
}

void SimulationWindow::setWorkerCommand(WorkerCommand command) {
    panel_->simulatorOptions().worker = std::move(command);
}

void SimulationWindow::start() {
    panel_->simulatorOptions().jobs = jobs_->value();
    SimulationRequest request{design_};
    request.conditions.coilQ = coilQ_;
    panel_->start(simulateRequest, request);
}

const SimulationReport& SimulationWindow::report() const {
    static const SimulationReport none;
    const SimulationOutcome* ended = panel_->ended();
    return ended != nullptr ? ended->report : none;
}

void SimulationWindow::fillTable() {
    const SimulationRows rows = SimulationTableRows(report());
    table_->setRowCount(static_cast<int>(rows.rows.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        for (int c = 0; c < table_->columnCount(); ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(rows.rows[row][c]));
            item->setTextAlignment((c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            table_->setItem(row, c, item);
        }
    }
    QString notes;
    for (const std::string& note : rows.notes) {
        notes += (notes.isEmpty() ? "" : "\n") + QString::fromStdString(note);
    }
    notes_->setText(notes);
    notes_->setVisible(!notes.isEmpty());
    // Tall enough for four rows, each as high as its text.
    table_->resizeRowsToContents();
    int height = table_->horizontalHeader()->sizeHint().height() + 2 * table_->frameWidth();
    for (int row = 0; row < 4; ++row) {
        height += row < table_->rowCount() ? table_->rowHeight(row)
                                           : table_->verticalHeader()->defaultSectionSize();
    }
    table_->setFixedHeight(height);
    copyButton_->setEnabled(!report().settings.empty());
    showWaveform(waveSetting_->currentIndex());
}

void SimulationWindow::showWaveform(int index) {
    const SettingReport* shown = nullptr;
    for (const SettingReport& s : report().settings) {
        if (index >= 0 && index < static_cast<int>(AllTuningSettings.size()) &&
            s.setting == AllTuningSettings[index]) {
            shown = &s;
        }
    }
    if (shown == nullptr) {
        const bool running = panel_->running();
        plot_->setTrace({}, {}, running ? "" : "No waveform");
        spectrum_->setLevels({}, running ? "" : "No spectrum");
        return;
    }
    const QString name = SettingName(shown->setting);
    plot_->setTrace(
        shown->outputTime, shown->outputVolts,
        QString("Output at %1: the last %2 periods of the run").arg(name).arg(KeptPeriods));
    spectrum_->setLevels(shown->harmonics,
                         (shown->harmonics.measured ? "Spectrum at " : "No spectrum at ") + name);
}

// Exactly what `calbrine simulate FILE` prints.
void SimulationWindow::copyAsText() {
    QApplication::clipboard()->setText(QString::fromStdString(SimulationTable(report())));
}

// The netlist of the setting shown, as the simulation runs it.
void SimulationWindow::saveNetlist() {
    const TuningSetting setting = AllTuningSettings[std::max(0, waveSetting_->currentIndex())];
    const std::optional<std::string> file =
        Dialogs().ShowSave({"Save netlist", "ngspice netlists (*.cir)|*.cir",
                            std::string(SettingName(setting)) + ".cir", ""});
    if (!file) {
        return;
    }
    std::ofstream out(*file, std::ios::binary);
    CircuitConditions conditions;
    conditions.coilQ = coilQ_;
    out << SimulatedNetlist(design_, SettingCapacitors(design_, setting), conditions);
    out.close();
    if (!out) {
        Services().ShowMessage("The netlist could not be written to " + *file + ".", "Calbrine");
    }
}

}  // namespace calbrine
