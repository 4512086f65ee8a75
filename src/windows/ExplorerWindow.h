// The design explorer: the tuning curve, the dial table, fitting the design to a band, the
// drift and tolerance of the parts, and the simulations of many runs (Monte Carlo, drift,
// tuning curve), for one design. Opened beside the design window.
#pragma once

#include <QWidget>
#include <optional>
#include <string>

#include "analysis/Parts.h"
#include "analysis/TuningCurve.h"
#include "design/DesignRecord.h"
#include "simulation/Simulator.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTableWidgetItem;

namespace calbrine {

// Writes a table the explorer saves; says so and returns false when the file cannot be written.
bool saveExplorerText(const std::string& path, const std::string& text);
// Says that a file the explorer saves could not be written.
void sayNotWritten(const std::string& path);

class CalibrateTab;
class CurvePlot;
class CurveSimulation;
class DialScaleView;
class DriftSimulation;
class MonteCarloTab;

struct ReportTable;

// A right-aligned, read-only cell of the explorer's tables.
QTableWidgetItem* cell(const std::string& text);
// A band edge typed in engineering text, in hertz: empty text when it reads, otherwise why
// not, naming the edge ("low" or "high").
std::string bandEdge(const QString& typed, const char* which, double& hz);
// Shows a report's table: its headings and the texts of its rows.
void showTable(QTableWidget* table, const ReportTable& report);

class ExplorerWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ExplorerWindow(const DesignRecord& design, QWidget* parent = nullptr);

    const DesignRecord& design() const { return design_; }

    CurvePlot* plot() const { return plot_; }
    // The plot and the dial table on one page; false when the printer took nothing.
    bool printOn(QPrinter& printer) const;
    // The simulations' workers come from these options (tests give their own).
    void setSimulatorOptions(const SimulatorOptions& options);

  public slots:
    // Follows the design window after each of its accept steps; a design under another file
    // name brings the settings kept beside it, or the defaults. The same values under a new
    // name are the design saved as: its settings go along to the new name.
    void followDesign(const calbrine::DesignRecord& design);

  signals:
    // The solved design of the fit tab; the design window takes its values into its boxes.
    void applyFit(const calbrine::DesignRecord& fitted);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QWidget* buildDialTab();
    QWidget* buildScaleTab();
    QWidget* buildFitTab();
    QWidget* buildPartsTab();
    QWidget* buildButtons();
    void refreshCurve();
    void stepsChanged();
    void curveSimulated();
    // The dial table as shown: with the simulated column, or following the simulated curve.
    ReportTable shownDialTable() const;
    // The dial table's report as copied and printed, with the table as shown.
    std::string dialText() const;
    void refreshDial();
    void refreshScale();
    void refreshParts();
    void followSettingsFile(bool sameDesign);
    void showSettings();
    void settingsEdited();
    void refreshDrift();
    void refreshTolerance();
    void solve();
    void copyDialTable();
    void saveDialCsv();
    void savePicture(bool svg);
    void print();
    void printScale();
    void saveScalePdf();

    DesignRecord design_;
    // Coefficients and tolerances. They are kept in the settings file beside the design while
    // it has a file name (DesignFileName), and in memory without one.
    PartSettings settings_;
    std::optional<std::string> settingsFor_;  // the design file name they belong to
    DesignRecord fitted_;

    CurvePlot* plot_ = nullptr;
    QSpinBox* steps_ = nullptr;
    CurveSimulation* curveSimulation_ = nullptr;
    QTableWidget* dialTable_ = nullptr;
    QComboBox* scaleMix_ = nullptr;
    QSpinBox* scaleRadius_ = nullptr;
    DialScaleView* scaleView_ = nullptr;
    QLineEdit* bandLow_ = nullptr;
    QLineEdit* bandHigh_ = nullptr;
    QComboBox* mix_ = nullptr;
    QComboBox* solve_ = nullptr;
    QPlainTextEdit* fitReport_ = nullptr;
    QPushButton* apply_ = nullptr;
    QTableWidget* partsTable_ = nullptr;
    QComboBox* compensated_ = nullptr;
    QTableWidget* driftTable_ = nullptr;
    QLabel* driftSummary_ = nullptr;
    DriftSimulation* driftSimulation_ = nullptr;
    QTableWidget* toleranceTable_ = nullptr;
    QLabel* toleranceSummary_ = nullptr;
    CalibrateTab* calibrate_ = nullptr;
    MonteCarloTab* monteCarlo_ = nullptr;
};

}  // namespace calbrine
