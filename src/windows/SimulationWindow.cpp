#include "windows/SimulationWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <chrono>
#include <fstream>

#include "platform/FileDialogs.h"
#include "services/RunTimeServices.h"
#include "simulation/SimulatedNetlist.h"
#include "simulation/SimulationText.h"
#include "windows/BackgroundRun.h"
#include "windows/HarmonicsPlot.h"
#include "windows/WaveformPlot.h"

namespace calbrine {

namespace {

QPushButton* namedButton(const char* caption, const char* name) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    return button;
}

}  // namespace

SimulationWindow::SimulationWindow(QWidget* parent) : QWidget(parent) {
    setWindowTitle("Calbrine - Simulation");
    setObjectName("SimulationWindow");
    makeControls();
    auto* run = new QHBoxLayout;
    run->addWidget(progress_, 1);
    run->addWidget(cancelButton_);
    run->addStretch(0);
    run->addWidget(new QLabel("Processes:"));
    run->addWidget(jobs_);
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
    layout->addWidget(status_);
    layout->addLayout(run);
    layout->addWidget(table_);
    layout->addWidget(notes_);
    layout->addLayout(actions);
    layout->addLayout(pictures, 1);
    setRunning(false);
    fillTable();
    resize(1100, 700);
}

void SimulationWindow::makeControls() {
    status_ = new QLabel;
    status_->setObjectName("status");
    progress_ = new QProgressBar;
    progress_->setObjectName("progress");
    progress_->setRange(0, 1000);
    cancelButton_ = namedButton("Cancel", "cancel");
    connect(cancelButton_, &QPushButton::clicked, this, [this] { cancel_ = true; });
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
    notes_ = new QLabel;
    notes_->setObjectName("notes");
    notes_->setWordWrap(true);
    copyButton_ = namedButton("Copy as text", "copyResults");
    connect(copyButton_, &QPushButton::clicked, this, &SimulationWindow::copyAsText);
    saveNetlistButton_ = namedButton("Save netlist\u2026", "saveNetlist");
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

SimulationWindow::~SimulationWindow() {
    stopWorker();
}

void SimulationWindow::stopWorker() {
    cancel_ = true;
    if (worker_.joinable()) {
        worker_.join();
    }
    releaseWorkers(this);
}

void SimulationWindow::closeEvent(QCloseEvent* event) {
    // Halted here, not later: at the end of the program the window may never be deleted.
    stopWorker();
    setRunning(false);
    event->accept();
}

bool SimulationWindow::simulate(const DesignRecord& design) {
    if (workersTaken()) {
        Services().ShowMessage(WorkersBusyText, "Calbrine");
        return false;
    }
    const SimulationRequest request{design};
    const std::string refusal = Simulator::Refusal(request);
    if (!refusal.empty()) {
        Services().ShowMessage("This design cannot be simulated. " + refusal, "Calbrine");
        return false;
    }
    stopWorker();
    cancel_ = false;
    takeWorkers(this);
    design_ = design;
    hasDesign_ = true;
    report_ = {};
    started_ = std::chrono::steady_clock::now();
    setRunning(true);
    fillTable();
    showProgress(0, "starting ngspice");
    SimulatorOptions options;
    options.jobs = jobs_->value();
    options.worker = workerCommand_;
    worker_ = std::thread([this, request, options] {
        int shown = -1;
        const auto progress = [this, &shown](double fraction, const std::string& phase) {
            const int permille = static_cast<int>(fraction * 1000);
            if (permille != shown) {
                shown = permille;
                QMetaObject::invokeMethod(
                    this,
                    [this, permille, p = QString::fromStdString(phase)] {
                        showProgress(permille, p);
                    },
                    Qt::QueuedConnection);
            }
        };
        const SimulationOutcome outcome = Simulator(options).Run(request, progress, &cancel_);
        QMetaObject::invokeMethod(
            this, [this, outcome] { finish(outcome); }, Qt::QueuedConnection);
    });
    return true;
}

void SimulationWindow::showProgress(int permille, const QString& phase) {
    if (running_) {
        progress_->setValue(permille);
        status_->setText("Simulating " + phase + " ...");
    }
}

void SimulationWindow::finish(const SimulationOutcome& outcome) {
    stopWorker();
    setRunning(false);
    report_ = outcome.report;
    fillTable();
    if (outcome.Succeeded()) {
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
        status_->setText(QString("Simulated %1 settings with ngspice in %2 s.")
                             .arg(report_.settings.size())
                             .arg(seconds, 0, 'f', 1));
    } else if (outcome.failure == SimulationFailure::Cancelled) {
        status_->setText("Cancelled.");
    } else {
        status_->setText("The simulation did not complete.");
        Services().ShowMessage(outcome.message, "Calbrine");
    }
}

void SimulationWindow::setRunning(bool running) {
    running_ = running;
    cancelButton_->setVisible(running);
    progress_->setVisible(running);
    jobs_->setEnabled(!running);
    saveNetlistButton_->setEnabled(hasDesign_);
    copyButton_->setEnabled(!running && !report_.settings.empty());
}

void SimulationWindow::fillTable() {
    const SimulationRows rows = SimulationTableRows(report_);
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
    copyButton_->setEnabled(!running_ && !report_.settings.empty());
    showWaveform(waveSetting_->currentIndex());
}

void SimulationWindow::showWaveform(int index) {
    const SettingReport* shown = nullptr;
    for (const SettingReport& s : report_.settings) {
        if (index >= 0 && index < static_cast<int>(AllTuningSettings.size()) &&
            s.setting == AllTuningSettings[index]) {
            shown = &s;
        }
    }
    if (shown == nullptr) {
        const QString none = running_ ? "" : "No waveform";
        plot_->setTrace({}, {}, none);
        spectrum_->setLevels({}, running_ ? "" : "No spectrum");
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
    QApplication::clipboard()->setText(QString::fromStdString(SimulationTable(report_)));
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
    out << SimulatedNetlist(design_, setting);
    out.close();
    if (!out) {
        Services().ShowMessage("The netlist could not be written to " + *file + ".", "Calbrine");
    }
}

}  // namespace calbrine
