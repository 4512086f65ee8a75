// The explorer's drift and tolerance tab: the parts' coefficients and tolerances, and what
// they do to the band as tables, largest first, with the drift simulated under the drift
// table: every part with its coefficient and the transistor at 15, 25 and 35 degC.
#pragma once

#include <QWidget>

#include "analysis/Parts.h"
#include "design/DesignRecord.h"
#include "runs/SimulatedDrift.h"
#include "windows/RunPanel.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QTableWidget;

namespace calbrine {

class PartsTab : public QWidget {
    Q_OBJECT
  public:
    explicit PartsTab(QWidget* parent = nullptr);

    // The design and settings the tables are worked out for; the drift simulated for another
    // design or other coefficients is dropped, and a run for them stopped.
    void setDesign(const DesignRecord& design, const PartSettings& settings);
    // Writes the coefficients, tolerances and coil Q of `settings` into the tab, as read from a
    // file.
    void showSettings(const PartSettings& settings);
    // The drift's run, and the last simulation that succeeded for the design, if any.
    OutcomePanel<SimulatedDriftOutcome>* driftPanel() const { return driftPanel_; }

  signals:
    // A coefficient or tolerance was edited: the settings with the edit.
    void settingsEdited(const calbrine::PartSettings& settings);

  private:
    void addPartRow(Part part);
    QWidget* buildDriftSimulation();
    void refreshDrift();
    void refreshTolerance();
    void showSimulatedDrift();

    QTableWidget* partsTable_ = nullptr;
    QComboBox* compensated_ = nullptr;
    QDoubleSpinBox* coilQ_ = nullptr;
    QTableWidget* driftTable_ = nullptr;
    QLabel* driftSummary_ = nullptr;
    OutcomePanel<SimulatedDriftOutcome>* driftPanel_ = nullptr;
    QTableWidget* simulatedDrift_ = nullptr;
    QLabel* transistorShare_ = nullptr;
    QTableWidget* toleranceTable_ = nullptr;
    QLabel* toleranceSummary_ = nullptr;

    DesignRecord design_{};
    PartSettings settings_;  // as shown in the table
};

}  // namespace calbrine
