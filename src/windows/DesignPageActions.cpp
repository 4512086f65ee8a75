// The design window's file, defaults, LTspice, print, exit, explore and simulate buttons.
#include <QCoreApplication>

#include "design/DesignValues.h"
#include "engineering/Characters.h"
#include "engineering/EngineeringText.h"
#include "files/DesignFiles.h"
#include "files/SpiceExport.h"
#include "platform/FileDialogs.h"
#include "platform/QtPrinting.h"
#include "windows/BlankPage.h"
#include "windows/DesignCompanions.h"
#include "windows/DesignPage.h"
#include "windows/ExitDialog.h"

namespace calbrine {

namespace {

const char* const designFilter = "Calbrine files (*.TXT)|*.TXT";
const char* const spiceFilter = "Spice schematic files (*.ASC)|*.ASC";

// The example design that ships with the program: installed under share/calbrine beside the
// program's bin folder, and copied to data/ beside the program in the build folder.
std::vector<std::string> ShippedDefaults() {
    const std::string here = QCoreApplication::applicationDirPath().toStdString();
    return {here + "/../share/calbrine/Defaults.TXT", here + "/data/Defaults.TXT"};
}

}  // namespace

void RebuildDesignWindowAround(const std::function<void()>& fileOperation) {
    ShowBlankWindow();
    UnloadDesignWindow();
    fileOperation();
    ShowDesignWindow();
    UnloadBlankWindow();
}

void frmDesign::cmdReadFile_Click() {
    // A cancelled dialog leaves the name it opened with: empty.
    DesignFileName = Dialogs().ShowOpen({"Read Calbrine file", designFilter, ""}).value_or("");
    const std::string name = DesignFileName;
    RebuildDesignWindowAround([name] { ReadDesignFile(name); });
}

void frmDesign::cmdSaveFile_Click() {
    const auto chosen = Dialogs().ShowSave({"Write Calbrine file", designFilter, DesignFileName});
    if (!chosen) {
        return;  // a cancelled save writes nothing and keeps the window as it is
    }
    DesignFileName = *chosen;
    const std::string name = DesignFileName;
    RebuildDesignWindowAround([name] { WriteDesignFile(name); });
}

void frmDesign::cmdDefaults_Click() {
    const std::string name = DefaultsFile(ShippedDefaults());
    RebuildDesignWindowAround([name] { ReadDesignFile(name); });
}

void frmDesign::cmdSpice_Click() {
    SaveSpiceSchematic();
}

void frmDesign::SaveSpiceSchematic() {
    SpiceFileName = Dialogs().ShowSave({"Write Spice schematic", spiceFilter, ""}).value_or("");
    if (CharacterCount(SpiceFileName) > 4) {
        WriteSpiceSchematic();
    }
}

void frmDesign::cmdPrint_Click() {
    PrintSchematic();
}

void frmDesign::cmdExit_Click() {
    ShowExitWindow();
}

// Explore and Simulate take the values of the last accept step, never the boxes' text.
void frmDesign::cmdExplore_Click() {
    ShowExplorer(DesignValues);
}

void frmDesign::cmdSimulate_Click() {
    ShowSimulation(DesignValues);
}

void frmDesign::TakeFittedDesign(const DesignRecord& fitted) {
    const std::pair<QLineEdit*, float> capacitors[] = {{boxCfineMin, fitted.CfineMin},
                                                       {boxCfineMax, fitted.CfineMax},
                                                       {boxC39, fitted.C39},
                                                       {boxC37, fitted.C37},
                                                       {boxCcoarseMin, fitted.CcoarseMin},
                                                       {boxCcoarseMax, fitted.CcoarseMax},
                                                       {boxC90, fitted.C90},
                                                       {boxC15, fitted.C15},
                                                       {boxC34, fitted.C34},
                                                       {boxC35, fitted.C35}};
    for (auto [box, value] : capacitors) {
        FormatCapacitance(value, WorkText);
        box->setText(QString::fromStdString(WorkText));
    }
    float inductance = fitted.L7;
    FormatInductance(inductance, WorkText);
    boxL7->setText(QString::fromStdString(WorkText));
    FormatEng(fitted.IF, WorkText);
    boxIF->setText(QString::fromStdString(WorkText));
    cmdAccept_Click();
}

}  // namespace calbrine
