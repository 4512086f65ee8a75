// The oscillator simulated with ngspice at the four settings of the tuning capacitors: the
// run (in worker processes, driven from a thread of its own) in a run panel with its progress,
// Cancel and how it ended, then the results table beside the calculation, and the output
// waveform and spectrum of one setting.
#pragma once

#include <QWidget>

#include "analysis/Parts.h"
#include "design/DesignRecord.h"
#include "simulation/Simulator.h"
#include "windows/RunPanel.h"

class QComboBox;
class QLabel;
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

    // Takes `design` and starts simulating it; the window never waits for it. A run for
    // another design is stopped; while another window's run has the worker processes, the
    // panel says so and its start button runs the design later. False, after a message, when
    // the design cannot be simulated.
    // `coilQ`: L7's quality factor in the runs (CircuitConditions::coilQ).
    bool simulate(const DesignRecord& design, double coilQ = DefaultCoilQ);
    // The run, and how the last one for the design ended.
    OutcomePanel<SimulationOutcome>* panel() const { return panel_; }
    // The settings the last run simulated, also when another failed.
    const SimulationReport& report() const;
    WaveformPlot* plot() const { return plot_; }
    HarmonicsPlot* spectrum() const { return spectrum_; }
    // The workers of the next run come from this command (tests give their own).
    void setWorkerCommand(WorkerCommand command);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void makeControls();
    void start();
    void fillTable();
    void showWaveform(int index);
    void copyAsText();
    void saveNetlist();

    DesignRecord design_{};
    double coilQ_ = DefaultCoilQ;

    OutcomePanel<SimulationOutcome>* panel_ = nullptr;
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
