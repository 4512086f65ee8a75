// The calibrate tab's "Heat run" section: the counter read at one setting of the dial at two or
// more temperatures, the measured line drawn through the readings, the pair of stocked
// capacitors (NP0 and a negative coefficient) that cancels the drift, and "Apply".
#pragma once

#include <QWidget>

#include "analysis/HeatRun.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace calbrine {

class HeatRunPlot;

class HeatRunSection : public QWidget {
    Q_OBJECT
  public:
    explicit HeatRunSection(QWidget* parent = nullptr);

    // The design and the parts' coefficients the compensation starts from; works out again.
    void setDesign(const DesignRecord& design, const PartSettings& settings);
    // The setting and readings kept beside the design: shown and worked out, without
    // recordEdited.
    void setRecord(const HeatRunRecord& record);
    const HeatRunRecord& record() const { return record_; }
    const HeatRun& result() const { return result_; }

  signals:
    // The setting or the readings were edited, and all of them read.
    void recordEdited();
    // "Apply": the compensation of result(), for the design window's accept step and the
    // parts' settings.
    void applyCompensation();

  private:
    QWidget* buildChoices();
    void addReading();
    void removeReading();
    void tableEdited();
    void settingEdited();
    void workOut();
    void showResult(const std::string& refusal);

    DesignRecord design_;
    PartSettings settings_;
    HeatRunRecord record_;
    HeatRun result_;
    std::string applied_;   // what Apply did, said until new readings come
    bool filling_ = false;  // the table is being filled, not edited

    QLineEdit* setting_ = nullptr;
    QComboBox* part_ = nullptr;
    QComboBox* kind_ = nullptr;
    QComboBox* series_ = nullptr;
    QTableWidget* table_ = nullptr;
    HeatRunPlot* plot_ = nullptr;
    QPlainTextEdit* report_ = nullptr;
    QPushButton* apply_ = nullptr;
};

}  // namespace calbrine
