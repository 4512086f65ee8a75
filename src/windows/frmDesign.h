// The design window: the oscillator schematic with the entry boxes beside their parts, the
// IF entry, the five result captions and the command buttons.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <memory>

#include "windows/PictureWindow.h"
#include "windows/WindowUnits.h"

namespace calbrine {

class frmDesign : public PictureWindow {
    Q_OBJECT

  public:
    explicit frmDesign(QWidget* parent = nullptr);
    ~frmDesign() override;

    // Lays the window out from the screen size, fills the IF box, draws the schematic and
    // computes the results.
    void Form_Load();
    // Redraws the schematic and rewrites the eleven component boxes and CfineNom.
    void Schematic();
    // Fills TuningResults and sets the five result captions.
    void ComputeTuning();

    const WindowUnits& Units() const { return units_; }

    QLabel* Label1;
    QLabel* lblIF;
    QLineEdit* TxtIF;
    QLabel* lblFreqMin;
    QLabel* lblSum;
    QLabel* lblDiff;
    QLabel* lblSpan;
    QLabel* lblFineSpan;
    QLineEdit* Text0;
    QLineEdit* Text1;
    QLineEdit* Text2;
    QLineEdit* Text3;
    QLineEdit* Text4;
    QLineEdit* Text5;
    QLineEdit* Text6;
    QLineEdit* Text7;
    QLineEdit* Text8;
    QLineEdit* Text9;
    QLineEdit* Text10;
    QPushButton* cmdAccept;
    QPushButton* cmdDefaults;
    QPushButton* cmdReadFile;
    QPushButton* cmdSaveFile;
    QPushButton* cmdSpice;
    QPushButton* cmdPrint;
    QPushButton* cmdExit;

  public slots:
    void cmdAccept_Click();
    void cmdReadFile_Click();
    void cmdSaveFile_Click();
    void cmdDefaults_Click();
    void cmdSpice_Click();
    void cmdPrint_Click();
    void cmdExit_Click();

  private:
    void CreateControls();
    void SaveSpiceSchematic();
    QLineEdit* BoxNamed(const std::string& name) const;

    WindowUnits units_;
};

// The one design window of the program: created, loaded and shown maximized on first show,
// released on unload.
frmDesign* ShowDesignWindow();
void UnloadDesignWindow();
frmDesign* DesignWindow();

// Rebuilds the design window around a file operation behind the blank window, so that every
// box, the schematic and the results come afresh from DesignValues.
void RebuildDesignWindowAround(const std::function<void()>& fileOperation);

}  // namespace calbrine
