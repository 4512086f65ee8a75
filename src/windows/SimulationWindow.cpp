#include "windows/SimulationWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <charconv>

#include "analysis/ReportText.h"
#include "engineering/EngineeringText.h"
#include "services/RunTimeServices.h"
#include "windows/WaveformPlot.h"

namespace calbrine {

namespace {

// The window whose simulation holds ngspice, if any.
const SimulationWindow* runningWindow = nullptr;

const char* const columns[] = {"Setting",          "Calculated (Hz)", "Simulated (Hz)",
                               "Difference",       "Emitter (V p-p)", "Output (V p-p)",
                               "Start-up time (s)"};
constexpr int SimulatedColumn = 2;

std::string Seconds(double value) {
    std::string text;
    FormatEngSmall(value, text);
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

std::string Percent(double value) {
    char buffer[32];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3).ptr;
    return (value >= 0 ? "+" : "") + std::string(buffer, end) + " %";
}

// The seven cells of a setting's row; without oscillation the simulated frequency and the
// difference give way to what was seen.
std::vector<std::string> RowCells(const SettingReport& s) {
    const OscillationMeasure& m = s.measure;
    if (!m.oscillates) {
        return {SettingName(s.setting),
                FrequencyText(s.calculatedHz),
                "no oscillation: " + m.observation,
                "",
                FrequencyText(m.emitterVpp),
                FrequencyText(m.outputVpp),
                ""};
    }
    return {SettingName(s.setting),       FrequencyText(s.calculatedHz),
            FrequencyText(m.frequencyHz), Percent((m.frequencyHz / s.calculatedHz - 1) * 100),
            FrequencyText(m.emitterVpp),  FrequencyText(m.outputVpp),
            Seconds(m.startupSeconds)};
}

}  // namespace

SimulationWindow::SimulationWindow(QWidget* parent) : QWidget(parent) {
    setWindowTitle("Calbrine - Simulation");
    setObjectName("SimulationWindow");
    status_ = new QLabel;
    status_->setObjectName("status");
    progress_ = new QProgressBar;
    progress_->setObjectName("progress");
    progress_->setRange(0, 1000);
    cancelButton_ = new QPushButton("Cancel");
    cancelButton_->setObjectName("cancel");
    connect(cancelButton_, &QPushButton::clicked, this, [this] { cancel_ = true; });

    table_ = new QTableWidget(0, std::size(columns));
    table_->setObjectName("results");
    for (int c = 0; c < table_->columnCount(); ++c) {
        table_->setHorizontalHeaderItem(c, new QTableWidgetItem(columns[c]));
    }
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    waveSetting_ = new QComboBox;
    waveSetting_->setObjectName("waveSetting");
    plot_ = new WaveformPlot;
    connect(waveSetting_, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int index) { ShowWaveform(index); });
    connect(table_, &QTableWidget::cellClicked, waveSetting_, &QComboBox::setCurrentIndex);

    auto* run = new QHBoxLayout;
    run->addWidget(progress_, 1);
    run->addWidget(cancelButton_);
    auto* wave = new QHBoxLayout;
    wave->addWidget(new QLabel("Output waveform of"));
    wave->addWidget(waveSetting_);
    wave->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(status_);
    layout->addLayout(run);
    layout->addWidget(table_);
    layout->addLayout(wave);
    layout->addWidget(plot_, 1);
    SetRunning(false);
    resize(960, 680);
}

SimulationWindow::~SimulationWindow() {
    StopWorker();
}

void SimulationWindow::StopWorker() {
    cancel_ = true;
    if (worker_.joinable()) {
        worker_.join();
    }
    if (runningWindow == this) {
        runningWindow = nullptr;
    }
}

void SimulationWindow::closeEvent(QCloseEvent* event) {
    // Halted here, not later: at the end of the program the window may never be deleted.
    StopWorker();
    SetRunning(false);
    event->accept();
}

bool SimulationWindow::Simulate(const DesignRecord& design) {
    if (runningWindow != nullptr) {
        Services().ShowMessage(
            "A simulation is already running; please wait for it to finish or cancel it.",
            "Calbrine");
        return false;
    }
    const SimulationRequest request{design};
    const std::string refusal = Simulator::Refusal(request);
    if (!refusal.empty()) {
        Services().ShowMessage("This design cannot be simulated. " + refusal, "Calbrine");
        return false;
    }
    StopWorker();
    cancel_ = false;
    runningWindow = this;
    report_ = {};
    SetRunning(true);
    FillTable();
    ShowProgress(0, "starting ngspice");
    worker_ = std::thread([this, request] {
        int shown = -1;
        const auto progress = [this, &shown](double fraction, const std::string& phase) {
            const int permille = static_cast<int>(fraction * 1000);
            if (permille != shown) {
                shown = permille;
                QMetaObject::invokeMethod(
                    this,
                    [this, permille, p = QString::fromStdString(phase)] {
                        ShowProgress(permille, p);
                    },
                    Qt::QueuedConnection);
            }
        };
        const SimulationOutcome outcome = Simulator().Run(request, progress, &cancel_);
        QMetaObject::invokeMethod(
            this, [this, outcome] { Finish(outcome); }, Qt::QueuedConnection);
    });
    return true;
}

void SimulationWindow::ShowProgress(int permille, const QString& phase) {
    if (running_) {
        progress_->setValue(permille);
        status_->setText("Simulating " + phase + " ...");
    }
}

void SimulationWindow::Finish(const SimulationOutcome& outcome) {
    StopWorker();
    SetRunning(false);
    report_ = outcome.report;
    FillTable();
    if (outcome.Succeeded()) {
        double seconds = 0;
        for (const SettingReport& s : report_.settings) {
            seconds += s.seconds;
        }
        status_->setText(QString("Simulated %1 settings with ngspice in %2 s.")
                             .arg(report_.settings.size())
                             .arg(seconds, 0, 'f', 1));
    } else if (outcome.failure == SimulationFailure::Cancelled) {
        status_->setText("Cancelled.");
    } else {
        status_->setText("The simulation did not complete.");
        Services().ShowMessage(outcome.message, "Calbrine");
    }
    emit Finished();
}

void SimulationWindow::SetRunning(bool running) {
    running_ = running;
    cancelButton_->setVisible(running);
    progress_->setVisible(running);
}

void SimulationWindow::FillTable() {
    table_->setRowCount(static_cast<int>(report_.settings.size()));
    table_->clearSpans();
    const QSignalBlocker quiet(waveSetting_);
    waveSetting_->clear();
    for (int row = 0; row < table_->rowCount(); ++row) {
        const SettingReport& s = report_.settings[row];
        const std::vector<std::string> cells = RowCells(s);
        for (int c = 0; c < table_->columnCount(); ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(cells[c]));
            item->setTextAlignment((c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            table_->setItem(row, c, item);
        }
        if (!s.measure.oscillates) {
            QTableWidgetItem* seen = table_->item(row, SimulatedColumn);
            seen->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            seen->setToolTip(seen->text());
            table_->setSpan(row, SimulatedColumn, 1, 2);
        }
        waveSetting_->addItem(SettingName(s.setting));
    }
    // Tall enough for four rows, each as high as its text.
    table_->resizeRowsToContents();
    int height = table_->horizontalHeader()->sizeHint().height() + 2 * table_->frameWidth();
    for (int row = 0; row < 4; ++row) {
        height += row < table_->rowCount() ? table_->rowHeight(row)
                                           : table_->verticalHeader()->defaultSectionSize();
    }
    table_->setFixedHeight(height);
    ShowWaveform(report_.settings.empty() ? -1 : 0);
}

void SimulationWindow::ShowWaveform(int index) {
    if (index < 0 || index >= static_cast<int>(report_.settings.size())) {
        plot_->SetTrace({}, {}, running_ ? "" : "No waveform");
        return;
    }
    const SettingReport& s = report_.settings[index];
    plot_->SetTrace(s.outputTime, s.outputVolts,
                    QString("Output at %1: the last %2 periods of the run")
                        .arg(SettingName(s.setting))
                        .arg(KeptPeriods));
}

}  // namespace calbrine
