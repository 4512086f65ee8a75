// The design explorer: the tuning curve, the dial table, the dial scale, fitting the design to
// a band, the drift and tolerance of the parts, the simulations of many runs (Monte Carlo,
// drift, tuning curve) and the quality of each setting, the calibration, the parts as bought and
// L7's coil, for one design. Opened beside the design window. The window holds the design it
// follows and the parts' settings kept beside it; each tab is a widget of its own.
#pragma once

#include <QWidget>
#include <optional>
#include <string>

#include "analysis/Parts.h"
#include "design/DesignRecord.h"
#include "design/DesignSession.h"
#include "simulation/Simulator.h"

class QPrinter;

namespace calbrine {

class BoughtPartsTab;
class CalibrateTab;
class CoilTab;
class CurvePlot;
class DialTab;
class FitTab;
class MonteCarloTab;
class PartsTab;
class QualityTab;
class ScaleTab;

class ExplorerWindow : public QWidget {
    Q_OBJECT
  public:
    // Explores `design` of `session` (the program's own unless another is given), whose design
    // file name tells where the parts' settings are kept.
    explicit ExplorerWindow(const DesignRecord& design, QWidget* parent = nullptr,
                            const DesignSession& session = ProgramSession());

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
    // The solved design of the fit tab, the calibrated one of the calibrate tab, or the design
    // as bought of the parts tab; the design window takes its values into its boxes.
    void applyFit(const calbrine::DesignRecord& fitted);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QWidget* buildButtons();
    void refreshCurve();
    void refreshScale();
    void refreshParts();
    void followSettingsFile(bool sameDesign);
    void settingsEdited();
    void applyHeatRun();
    void savePicture(bool svg);
    void print();
    void printBuildSheet();

    const DesignSession& session_;
    DesignRecord design_;
    // Coefficients and tolerances. They are kept in the settings file beside the design while
    // it has a file name (the session's), and in memory without one.
    PartSettings settings_;
    std::optional<std::string> settingsFor_;  // the design file name they belong to

    CurvePlot* plot_ = nullptr;
    DialTab* dial_ = nullptr;
    ScaleTab* scale_ = nullptr;
    FitTab* fit_ = nullptr;
    PartsTab* parts_ = nullptr;
    MonteCarloTab* monteCarlo_ = nullptr;
    QualityTab* quality_ = nullptr;
    CalibrateTab* calibrate_ = nullptr;
    BoughtPartsTab* bought_ = nullptr;
    CoilTab* coil_ = nullptr;
};

}  // namespace calbrine
