// The explorer's calibrate tab: the counter readings of the built VFO, the real L7, stray and
// C38 swing solved from them with each reading's residual, what to change on the bench to
// land a band, and the dial scale of the built VFO.
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

class CalibrateTab : public QWidget {
    Q_OBJECT
  public:
    explicit CalibrateTab(QWidget* parent = nullptr);

    // The design the readings are solved against; solves again.
    void SetDesign(const DesignRecord& design);
    // Readings kept beside the design: shown and solved, without ReadingsEdited.
    void SetReadings(const std::vector<CalibrationReading>& readings);
    const std::vector<CalibrationReading>& Readings() const { return readings_; }
    const Calibration& Result() const { return result_; }

  signals:
    // The table holds a new set of readings that all read.
    void ReadingsEdited();
    // "Apply to design": the calibrated design, for the design window's accept step.
    void ApplyCalibration(const calbrine::DesignRecord& calibrated);

  private:
    QWidget* BuildReadings();
    QWidget* BuildScale();
    void AddReading();
    void RemoveReading();
    void TableEdited();
    void Solve();
    void ShowFits();
    Mix SelectedMix() const;
    void RefreshBench();
    void RefreshScale();
    void PrintScale();
    void SaveScalePdf();

    DesignRecord design_;
    std::vector<CalibrationReading> readings_;
    Calibration result_;
    bool filling_ = false;  // the table is being filled, not edited

    QTableWidget* table_ = nullptr;
    QPlainTextEdit* report_ = nullptr;
    QPushButton* apply_ = nullptr;
    QLineEdit* bandLow_ = nullptr;
    QLineEdit* bandHigh_ = nullptr;
    QComboBox* mix_ = nullptr;
    QLabel* bench_ = nullptr;
    QSpinBox* radius_ = nullptr;
    DialScaleView* scale_ = nullptr;
};

}  // namespace calbrine
