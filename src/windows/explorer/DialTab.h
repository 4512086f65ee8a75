// The explorer's dial table tab: the dial table at the chosen steps of rotation, copied as the
// command line prints it or saved as CSV, and the tuning curve simulated at those steps, whose
// column the table shows and whose curve it can follow.
#pragma once

#include <QWidget>
#include <string>

#include "design/DesignRecord.h"

class QSpinBox;
class QTableWidget;

namespace calbrine {

class CurveSimulation;
struct ReportTable;

class DialTab : public QWidget {
    Q_OBJECT
  public:
    explicit DialTab(QWidget* parent = nullptr);

    // The design tabulated; the simulated curve of another design is dropped.
    void setDesign(const DesignRecord& design);
    CurveSimulation* simulation() const { return simulation_; }
    // The dial table's report as copied and printed, with the table as shown.
    std::string dialText() const;

  signals:
    // The steps, the simulated points or whether the dial follows them changed; the table
    // shows them already.
    void curveChanged();

  private:
    // The dial table as shown: with the simulated column, or following the simulated curve.
    ReportTable shownDialTable() const;
    void refreshDial();
    void copyDialTable();
    void saveDialCsv();

    DesignRecord design_{};

    QSpinBox* steps_ = nullptr;
    QTableWidget* dialTable_ = nullptr;
    CurveSimulation* simulation_ = nullptr;
};

}  // namespace calbrine
