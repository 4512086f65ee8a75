// The explorer's calibrate tab: the counter readings of the built VFO, the real L7, stray and
// C38 swing solved from them with each reading's residual, what to change on the bench to
// land a band, the dial scale of the built VFO, and the heat run that finds its drift.
#pragma once

#include <QWidget>
#include <vector>

#include "analysis/Calibration.h"
#include "analysis/TuningCurve.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace calbrine {

class DialScaleView;
class HeatRunSection;

class CalibrateTab : public QWidget {
    Q_OBJECT
  public:
    explicit CalibrateTab(QWidget* parent = nullptr);

    // The design the readings are solved against; solves again.
    void setDesign(const DesignRecord& design);
    // Readings kept beside the design: shown and solved, without ReadingsEdited.
    void setReadings(const std::vector<CalibrationReading>& readings);
    const std::vector<CalibrationReading>& readings() const { return readings_; }
    // How the design the readings were taken against differs from this one
    // (ReadingsDesignChange); readings of another design are shown, not solved, until the user
    // edits them or takes them for this design.
    void setReadingsChange(const std::string& change);
    const Calibration& result() const { return result_; }
    // The "Heat run" section: the drift measured at temperatures and its compensation.
    HeatRunSection* heatRun() const { return heatRun_; }

  signals:
    // The table holds a new set of readings that all read, taken against this design.
    void readingsEdited();
    // "Apply to design": the calibrated design, for the design window's accept step.
    void applyCalibration(const calbrine::DesignRecord& calibrated);

  private:
    QWidget* buildReadings();
    QWidget* buildScale();
    void addReading();
    void removeReading();
    void tableEdited();
    void solve();
    void showFits();
    Mix selectedMix() const;
    void refreshBench();
    void refreshScale();
    void printScale();
    void saveScalePdf();

    DesignRecord design_;
    std::vector<CalibrationReading> readings_;
    Calibration result_;
    std::string otherDesign_;  // how the readings' design differs; empty: they are this one's
    bool filling_ = false;  // the table is being filled, not edited

    QTableWidget* table_ = nullptr;
    QPlainTextEdit* report_ = nullptr;
    QPushButton* apply_ = nullptr;
    QPushButton* keep_ = nullptr;
    QLineEdit* bandLow_ = nullptr;
    QLineEdit* bandHigh_ = nullptr;
    QComboBox* mix_ = nullptr;
    QLabel* bench_ = nullptr;
    QSpinBox* radius_ = nullptr;
    DialScaleView* scale_ = nullptr;
    HeatRunSection* heatRun_ = nullptr;
};

}  // namespace calbrine
