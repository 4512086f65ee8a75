// The explorer's drift and tolerance tab: the parts' coefficients and tolerances, and what
// they do to the band as tables, largest first, with the drift simulated beside them.
#pragma once

#include <QWidget>

#include "analysis/Parts.h"
#include "design/DesignRecord.h"

class QComboBox;
class QLabel;
class QTableWidget;

namespace calbrine {

class DriftSimulation;

class PartsTab : public QWidget {
    Q_OBJECT
  public:
    explicit PartsTab(QWidget* parent = nullptr);

    // The design and settings the tables are worked out for; the simulated drift of others is
    // dropped.
    void setDesign(const DesignRecord& design, const PartSettings& settings);
    // Writes the coefficients and tolerances of `settings` into the table, as read from a file.
    void showSettings(const PartSettings& settings);
    DriftSimulation* driftSimulation() const { return driftSimulation_; }

  signals:
    // A coefficient or tolerance was edited: the settings with the edit.
    void settingsEdited(const calbrine::PartSettings& settings);

  private:
    void addPartRow(Part part);
    void refreshDrift();
    void refreshTolerance();

    DesignRecord design_{};
    PartSettings settings_;

    QTableWidget* partsTable_ = nullptr;
    QComboBox* compensated_ = nullptr;
    QTableWidget* driftTable_ = nullptr;
    QLabel* driftSummary_ = nullptr;
    DriftSimulation* driftSimulation_ = nullptr;
    QTableWidget* toleranceTable_ = nullptr;
    QLabel* toleranceSummary_ = nullptr;
};

}  // namespace calbrine
