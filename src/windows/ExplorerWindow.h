// The design explorer: the tuning curve, the dial table, fitting the design to a band, and
// the drift and tolerance of the parts, for one design. Opened beside the design window.
#pragma once

#include <QWidget>
#include <optional>
#include <string>

#include "analysis/Parts.h"
#include "design/DesignRecord.h"

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

class CalibrateTab;
class CurvePlot;
class DialScaleView;

struct ReportTable;

// A right-aligned, read-only cell of the explorer's tables.
QTableWidgetItem* Cell(const std::string& text);
// A band edge typed in engineering text, in hertz: empty text when it reads, otherwise why
// not, naming the edge ("low" or "high").
std::string BandEdge(const QString& typed, const char* which, double& hz);
// Shows a report's table: its headings and the texts of its rows.
void ShowTable(QTableWidget* table, const ReportTable& report);

class ExplorerWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ExplorerWindow(const DesignRecord& design, QWidget* parent = nullptr);

    const DesignRecord& Design() const { return design_; }

    CurvePlot* Plot() const { return plot_; }
    // The plot and the dial table on one page.
    void PrintOn(QPrinter& printer) const;

  public slots:
    // Follows the design window after each of its accept steps; a design under another file
    // name brings the settings kept beside it, or the defaults. The same values under a new
    // name are the design saved as: its settings go along to the new name.
    void FollowDesign(const calbrine::DesignRecord& design);

  signals:
    // The solved design of the fit tab; the design window takes its values into its boxes.
    void ApplyFit(const calbrine::DesignRecord& fitted);

  private:
    QWidget* BuildDialTab();
    QWidget* BuildScaleTab();
    QWidget* BuildFitTab();
    QWidget* BuildPartsTab();
    QWidget* BuildButtons();
    void RefreshCurve();
    void RefreshDial();
    void RefreshScale();
    void RefreshParts();
    void FollowSettingsFile(bool sameDesign);
    void ShowSettings();
    void SettingsEdited();
    void RefreshDrift();
    void RefreshTolerance();
    void Solve();
    void CopyDialTable();
    void SaveDialCsv();
    void SavePicture(bool svg);
    void Print();
    void PrintScale();
    void SaveScalePdf();

    DesignRecord design_;
    // Coefficients and tolerances. They are kept in the settings file beside the design while
    // it has a file name (DesignFileName), and in memory without one.
    PartSettings settings_;
    std::optional<std::string> settingsFor_;  // the design file name they belong to
    DesignRecord fitted_;

    CurvePlot* plot_ = nullptr;
    QSpinBox* steps_ = nullptr;
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
    QTableWidget* toleranceTable_ = nullptr;
    QLabel* toleranceSummary_ = nullptr;
    CalibrateTab* calibrate_ = nullptr;
};

}  // namespace calbrine
