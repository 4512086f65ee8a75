// The oscillator simulated with ngspice at the four settings of the tuning capacitors: the
// run (in worker processes, driven from a thread of the window's own) with its progress and
// Cancel, then the results table beside the calculation, and the output waveform and spectrum
// of one setting.
#pragma once

#include <QWidget>
#include <atomic>
#include <chrono>
#include <thread>

#include "design/DesignValues.h"
#include "simulation/Simulator.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace calbrine {

class HarmonicsPlot;
class WaveformPlot;

class SimulationWindow : public QWidget {
    Q_OBJECT
  public:
    explicit SimulationWindow(QWidget* parent = nullptr);
    // Cancels a run and waits for its thread.
    ~SimulationWindow() override;

    // Starts simulating `design`; the window never waits for it. False, after a message, when
    // the design cannot be simulated or a simulation is already running (one at a time, as
    // one run already keeps every processor busy).
    bool simulate(const DesignRecord& design);
    bool running() const { return running_; }
    const SimulationReport& report() const { return report_; }
    WaveformPlot* plot() const { return plot_; }
    HarmonicsPlot* spectrum() const { return spectrum_; }
    // The workers of the next run come from this command (tests give their own).
    void setWorkerCommand(WorkerCommand command) { workerCommand_ = std::move(command); }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void makeControls();
    void showProgress(int permille, const QString& phase);
    void finish(const SimulationOutcome& outcome);
    void setRunning(bool running);
    void fillTable();
    void showWaveform(int index);
    void copyAsText();
    void saveNetlist();
    void stopWorker();

    DesignRecord design_{};
    bool hasDesign_ = false;
    WorkerCommand workerCommand_;
    SimulationReport report_;
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    std::chrono::steady_clock::time_point started_;
    bool running_ = false;

    QLabel* status_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QSpinBox* jobs_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* notes_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    QPushButton* saveNetlistButton_ = nullptr;
    QComboBox* waveSetting_ = nullptr;
    WaveformPlot* plot_ = nullptr;
    HarmonicsPlot* spectrum_ = nullptr;
};

}  // namespace calbrine
