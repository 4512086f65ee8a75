// The oscillator simulated with ngspice at the four settings of the tuning capacitors: the
// run in a worker thread with its progress and Cancel, then a table of what it found beside
// the calculation and the output waveform of one setting.
#pragma once

#include <QWidget>
#include <atomic>
#include <thread>

#include "design/DesignValues.h"
#include "simulation/Simulator.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace calbrine {

class WaveformPlot;

class SimulationWindow : public QWidget {
    Q_OBJECT
  public:
    explicit SimulationWindow(QWidget* parent = nullptr);
    // Cancels a run and waits for its thread.
    ~SimulationWindow() override;

    // Starts simulating `design`; the window never waits for it. False, after a message, when
    // the design cannot be simulated or a simulation is already running (ngspice runs one
    // circuit per program).
    bool Simulate(const DesignRecord& design);
    bool Running() const { return running_; }
    const SimulationReport& Report() const { return report_; }
    WaveformPlot* Plot() const { return plot_; }

  signals:
    // The run has ended: done, cancelled or failed.
    void Finished();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void ShowProgress(int permille, const QString& phase);
    void Finish(const SimulationOutcome& outcome);
    void SetRunning(bool running);
    void FillTable();
    void ShowWaveform(int index);
    void StopWorker();

    SimulationReport report_;
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    bool running_ = false;

    QLabel* status_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QTableWidget* table_ = nullptr;
    QComboBox* waveSetting_ = nullptr;
    WaveformPlot* plot_ = nullptr;
};

}  // namespace calbrine
