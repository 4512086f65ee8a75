// The explorer's Quality tab: each tuning setting simulated for its pushing, pulling, loaded Q
// and tank power, with the phase noise by Leeson's model from them (an estimate); the table
// `calbrine quality` prints, the phase-noise curve of each setting, and what the figures assume.
#pragma once

#include <QWidget>
#include <array>

#include "design/DesignRecord.h"
#include "runs/Quality.h"
#include "windows/RunPanel.h"
#include "windows/explorer/PhaseNoisePlot.h"

class QLabel;
class QLineEdit;
class QTableWidget;

namespace calbrine {

// The option boxes in their order: the load, the noise figure, the flicker corner and the
// receiver's bandwidth.
constexpr std::size_t QualityOptionBoxes = 4;

// Reads the boxes' texts (engineering text, each within the range the command line's --load,
// --nf, --flicker and --bandwidth take) into `options`: empty text when every one reads,
// otherwise why the first that does not is refused, naming its box, with its index in `bad`.
std::string readQualityOptions(const std::array<QString, QualityOptionBoxes>& typed,
                               QualityOptions& options, std::size_t& bad);
// What the figures of `outcome` assume, as the command line's report says it, and a line for
// each setting that does not oscillate: the report without its table.
QString qualityNotes(const QualityOutcome& outcome);
// The phase-noise curve of each setting that has Leeson's inputs, named by its setting.
std::vector<PhaseNoiseLine> phaseNoiseLines(const QualityOutcome& outcome);

class QualityTab : public QWidget {
    Q_OBJECT
  public:
    explicit QualityTab(QWidget* parent = nullptr);

    // The design simulated and L7's quality factor (the parts' settings). The outcome of
    // others is dropped, and a run for others is stopped.
    void setDesign(const DesignRecord& design, double coilQ);
    // The run, and the outcome of the last one that succeeded for the design and the boxes.
    OutcomePanel<QualityOutcome>* panel() const { return panel_; }
    PhaseNoisePlot* plot() const { return plot_; }

  private:
    QLayout* buildOptions();
    std::array<QString, QualityOptionBoxes> typed() const;
    void sayRefusal(const QString& text);
    void followInputs();
    void start();
    void showResults();

    DesignRecord design_{};
    double coilQ_ = 0;

    std::array<QLineEdit*, QualityOptionBoxes> boxes_{};
    QLabel* refused_ = nullptr;
    OutcomePanel<QualityOutcome>* panel_ = nullptr;
    QTableWidget* table_ = nullptr;
    PhaseNoisePlot* plot_ = nullptr;
    QLabel* notes_ = nullptr;
};

}  // namespace calbrine
