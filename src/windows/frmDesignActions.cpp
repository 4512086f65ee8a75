// The design window's file, defaults, LTspice, print and exit buttons.
#include <QCoreApplication>

#include "design/DesignValues.h"
#include "engineering/Characters.h"
#include "files/DesignFiles.h"
#include "files/SpiceExport.h"
#include "platform/FileDialogs.h"
#include "platform/QtPrinting.h"
#include "windows/frmBlank.h"
#include "windows/frmDesign.h"
#include "windows/frmExit.h"

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

}  // namespace calbrine
