// The explorer's dial scale tab: the half-circle scale for a chosen mix and radius, from the
// calculated curve or the simulated one, printed or saved as PDF at true size.
#pragma once

#include <QWidget>

#include "analysis/TuningCurve.h"
#include "design/DesignRecord.h"

class QComboBox;
class QSpinBox;

namespace calbrine {

class DialScaleView;

class ScaleTab : public QWidget {
    Q_OBJECT
  public:
    explicit ScaleTab(QWidget* parent = nullptr);

    // The design the scale is drawn for, from `simulated` when there is one.
    void setCurve(const DesignRecord& design, VfoCurve simulated);

  private:
    void refreshScale();
    void printScale();
    void saveScalePdf();

    DesignRecord design_{};
    VfoCurve simulated_;

    QComboBox* mix_ = nullptr;
    QSpinBox* radius_ = nullptr;
    DialScaleView* view_ = nullptr;
};

}  // namespace calbrine
