// The explorer's coil tab: L7 wound on an iron-powder toroid of the core table or as an air
// coil, with the wire, the figures the command line prints for it and a drawing of the wound
// coil at true proportions. The core chosen gives L7 its temperature coefficient.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "analysis/CoilWinding.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QTableWidget;

namespace calbrine {

class CoilDrawing;

class CoilTab : public QWidget {
    Q_OBJECT
  public:
    // Reads the core and wire tables shipped beside the program in `programFolder`; a table
    // that cannot be read is said in the tab.
    explicit CoilTab(const std::string& programFolder, QWidget* parent = nullptr);

    // L7 of the design, which the coil is wound for.
    void setInductance(float henry);
    // The coil kept in the settings, shown without coilChosen; a core or wire the tables do
    // not hold shows as none chosen.
    void showChoice(const CoilChoice& choice);
    const std::vector<ToroidCore>& cores() const { return cores_; }
    CoilDrawing* drawing() const { return drawing_; }

  signals:
    // The user chose a core, a wire or an air coil's form.
    void coilChosen(const calbrine::CoilChoice& choice);

  private:
    QLayout* buildChoices();
    CoilChoice choiceShown() const;
    void refresh();
    void showToroid(const ToroidCore& core);
    void showAirCoil();
    void showFailure(const std::string& why);

    std::vector<ToroidCore> cores_;
    std::vector<Wire> wires_;
    float henry_ = 0;

    QComboBox* core_ = nullptr;
    QComboBox* wire_ = nullptr;
    QDoubleSpinBox* form_ = nullptr;
    QLabel* note_ = nullptr;
    QTableWidget* figures_ = nullptr;
    QLabel* warning_ = nullptr;
    CoilDrawing* drawing_ = nullptr;
    QLabel* assumptions_ = nullptr;
};

}  // namespace calbrine
