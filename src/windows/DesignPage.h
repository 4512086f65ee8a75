// The design page: the oscillator schematic with the entry boxes beside their parts, the IF
// entry, the five result captions and the command buttons.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <memory>

#include "design/DesignSession.h"
#include "windows/PicturePage.h"
#include "windows/WindowUnits.h"

namespace calbrine {

struct DesignRecord;

class DesignPage : public PicturePage {
    Q_OBJECT

  public:
    // Shows and changes the design of `session`, the program's own unless another is given.
    explicit DesignPage(QWidget* parent = nullptr, DesignSession& session = ProgramSession());
    ~DesignPage() override;

    // Lays the page out from the screen size, fills the IF box, draws the schematic and
    // computes the results.
    void load();

    const WindowUnits& units() const { return units_; }

    // Writes a design fitted by the explorer into the boxes, as the accept step writes them,
    // and runs the accept step.
    void takeFittedDesign(const DesignRecord& fitted);

    // Each control keeps its layout-table name as its objectName ("Text10", "TxtIF", "lblSum",
    // "cmdAccept"), under which the schematic writes the component boxes.
    QLabel* title;
    QLabel* captionIF;
    QLineEdit* boxIF;
    QLabel* resultVfo;
    QLabel* resultSum;
    QLabel* resultDiff;
    QLabel* resultCoarseSpan;
    QLabel* resultFineSpan;
    // What the last file read or accept step said of what it took, or how to begin when the
    // page opens with no design; empty otherwise.
    QLabel* noteLine;
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
    QPushButton* acceptButton;
    QPushButton* defaultsButton;
    QPushButton* readFileButton;
    QPushButton* saveFileButton;
    QPushButton* spiceButton;
    QPushButton* printButton;
    QPushButton* exitButton;
    QPushButton* exploreButton;
    QPushButton* simulateButton;
    QPushButton* helpButton;

  private slots:
    // The accept step: reads every box into the session's design, rewrites the boxes in normalised
    // form, redraws the schematic and computes the results.
    void onAccept();
    void onReadFile();
    void onSaveFile();
    void onDefaults();
    void onSpice();
    void onPrint();
    void onExit();
    void onExplore();
    void onSimulate();
    // Puts the design before its last change back, or the one the last undo replaced.
    void onUndo();
    void onRedo();

  private:
    void createControls();
    void createBoxes();
    // Redraws the schematic and rewrites the eleven component boxes and CfineNom.
    void drawSchematic();
    // Fills the session's tuning and sets the five result captions.
    void computeTuning();
    QLineEdit* boxNamed(const std::string& name) const;
    // Whether a box was typed in since the accept step or the load last wrote it.
    bool entriesChanged() const;
    // Shows the session's notes in the note line (a hint when there is no design at all).
    void showNotes();

    WindowUnits units_;
    DesignSession& session_;
};

// The one design page of the program: made, loaded and shown in the program frame on first
// show, released on unload.
DesignPage* showDesignPage();
// Makes the next design page's controls ahead of its first show, as a hidden child of
// `holder`, so that showing it only loads it. Nothing the user sees changes: the loading,
// with whatever it reports, still happens when the page is shown.
void prepareDesignPage(QWidget* holder);
void unloadDesignPage();
// The design page on show, or null.
DesignPage* designPage();

// Rebuilds the design page around a file operation behind the blank page, so that every box,
// the schematic and the results come afresh from the session's design.
void rebuildDesignPageAround(const std::function<void()>& fileOperation);

}  // namespace calbrine
