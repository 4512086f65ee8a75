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

struct DesignRecord;

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

    // Each control keeps its layout-table name as its objectName ("Text10", "TxtIF", "lblSum"),
    // under which the schematic writes the component boxes.
    QLabel* title;
    QLabel* captionIF;
    QLineEdit* boxIF;
    QLabel* resultVfo;
    QLabel* resultSum;
    QLabel* resultDiff;
    QLabel* resultCoarseSpan;
    QLabel* resultFineSpan;
    QLineEdit* boxCcoarseMax;
    QLineEdit* boxCfineMax;
    QLineEdit* boxC39;
    QLineEdit* boxC37;
    QLineEdit* boxCcoarseMin;
    QLineEdit* boxC90;
    QLineEdit* boxC15;
    QLineEdit* boxC34;
    QLineEdit* boxC35;
    QLineEdit* boxL7;
    QLineEdit* boxCfineMin;
    QPushButton* cmdAccept;
    QPushButton* cmdDefaults;
    QPushButton* cmdReadFile;
    QPushButton* cmdSaveFile;
    QPushButton* cmdSpice;
    QPushButton* cmdPrint;
    QPushButton* cmdExit;
    QPushButton* cmdExplore;
    QPushButton* cmdSimulate;

    // Writes a design fitted by the explorer into the boxes, as the accept step writes them,
    // and runs the accept step.
    void TakeFittedDesign(const DesignRecord& fitted);

  public slots:
    void cmdAccept_Click();
    void cmdReadFile_Click();
    void cmdSaveFile_Click();
    void cmdDefaults_Click();
    void cmdSpice_Click();
    void cmdPrint_Click();
    void cmdExit_Click();
    void cmdExplore_Click();
    void cmdSimulate_Click();

  private:
    void CreateControls();
    void SaveSpiceSchematic();
    QLineEdit* BoxNamed(const std::string& name) const;

    WindowUnits units_;
};

// The one design window of the program: created, loaded and shown in the program frame on
// first show, released on unload.
frmDesign* ShowDesignWindow();
// Makes the next design window's controls ahead of its first show, as a hidden child of
// `holder`, so that showing it only loads it. Nothing the user sees changes: the loading,
// with whatever it reports, still happens when the window is shown.
void PrepareDesignWindow(QWidget* holder);
void UnloadDesignWindow();
frmDesign* DesignWindow();

// Rebuilds the design window around a file operation behind the blank window, so that every
// box, the schematic and the results come afresh from DesignValues.
void RebuildDesignWindowAround(const std::function<void()>& fileOperation);

}  // namespace calbrine
