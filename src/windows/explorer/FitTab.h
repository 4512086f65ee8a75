// The explorer's fit to band tab: the band, the mix and what to solve for, the design solved
// to land the band with its report, and "Apply to design" for the design window's accept step;
// "Fit by simulation" fits again until the simulated ends land on the band, with an "Apply" of
// its own.
#pragma once

#include <QWidget>

#include "analysis/Parts.h"
#include "analysis/Reports.h"
#include "design/DesignRecord.h"
#include "runs/SimulatedFit.h"
#include "windows/RunPanel.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace calbrine {

class FitTab : public QWidget {
    Q_OBJECT
  public:
    explicit FitTab(QWidget* parent = nullptr);

    // The design the band is fitted from. A fit of another design is solved again for this
    // one, so that Apply never applies a fit of a design that is gone.
    void setDesign(const DesignRecord& design);
    // L7's quality factor the fit by simulation runs with (the parts' settings).
    void setCoilQ(double q);
    // The fit by simulation, and its last outcome for the design and the boxes.
    OutcomePanel<SimulatedFitOutcome>* simulation() const { return simulation_; }

  signals:
    // The solved design; the design window takes its values into its boxes.
    void applyFit(const calbrine::DesignRecord& fitted);

  private:
    // The fit the boxes ask for, the mix taken when the box leaves it to the fit; empty text
    // when it is reached, otherwise what to show instead.
    std::string calculate(FitOutcome& fit) const;
    std::string calculatedReport(const FitOutcome& fit) const;
    void solve();
    void followInputs();
    void startSimulation();
    void showSimulation();

    DesignRecord design_{};
    DesignRecord fitted_{};

    QLineEdit* bandLow_ = nullptr;
    QLineEdit* bandHigh_ = nullptr;
    QComboBox* mix_ = nullptr;
    QComboBox* solve_ = nullptr;
    QPlainTextEdit* fitReport_ = nullptr;
    QPushButton* apply_ = nullptr;
    OutcomePanel<SimulatedFitOutcome>* simulation_ = nullptr;
    QPushButton* applySimulated_ = nullptr;
    FitOutcome simulated_;  // the calculated fit the simulation started from
    bool showingSimulation_ = false;
    double coilQ_ = DefaultCoilQ;
};

}  // namespace calbrine
