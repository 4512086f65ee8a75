// The design page's file, defaults, LTspice, print, exit, explore and simulate buttons.
#include <QCoreApplication>
#include <algorithm>
#include <filesystem>

#include "design/DesignFields.h"
#include "design/DesignValues.h"
#include "engineering/Characters.h"
#include "engineering/EngineeringText.h"
#include "files/DesignFiles.h"
#include "files/SpiceExport.h"
#include "platform/FileDialogs.h"
#include "platform/QtPrinting.h"
#include "services/RunTimeServices.h"
#include "windows/BlankPage.h"
#include "windows/DesignCompanions.h"
#include "windows/DesignHistory.h"
#include "windows/DesignPage.h"
#include "windows/ExitDialog.h"

namespace calbrine {

namespace {

const char* const designFilter = "Calbrine files (*.TXT)|*.TXT";
const char* const spiceFilter = "Spice schematic files (*.ASC)|*.ASC";

// The example design that ships with the program: installed under share/calbrine beside the
// program's bin folder, and copied to data/ beside the program in the build folder.
std::vector<std::string> shippedDefaults() {
    const std::string here = QCoreApplication::applicationDirPath().toStdString();
    return {here + "/../share/calbrine/Defaults.TXT", here + "/data/Defaults.TXT"};
}

// The folder of the design or schematic file used last; the file dialogs open there.
std::string lastFolder;

FileDialogRequest inLastFolder(const char* title, const char* filter, const std::string& name) {
    return {title, filter, name, lastFolder};
}

// The folder of a chosen file becomes the one the dialogs open in next.
void remember(const std::string& chosen) {
    if (!chosen.empty()) {
        lastFolder = std::filesystem::absolute(chosen).parent_path().string();
    }
}

// A chosen name without a suffix gets the filter's, so that Read file's filter shows the file.
std::string usedName(const std::string& chosen, const char* suffix) {
    std::filesystem::path path(chosen);
    if (!chosen.empty() && !path.filename().has_extension()) {
        path += suffix;
    }
    remember(path.string());
    return path.string();
}

}  // namespace

void rebuildDesignPageAround(const std::function<void()>& fileOperation) {
    showBlankPage();
    unloadDesignPage();
    fileOperation();
    showDesignPage();
    unloadBlankPage();
}

void DesignPage::onReadFile() {
    // A cancelled dialog leaves the name it opened with: empty.
    DesignFileName =
        Dialogs().ShowOpen(inLastFolder("Read Calbrine file", designFilter, "")).value_or("");
    remember(DesignFileName);
    const std::string name = DesignFileName;
    const DesignRecord before = DesignValues;
    rebuildDesignPageAround([name] { ReadDesignFile(name); });
    noteDesignChange(before);
}

bool DesignPage::entriesChanged() const {
    const QList<QLineEdit*> boxes = findChildren<QLineEdit*>();
    return std::any_of(boxes.begin(), boxes.end(),
                       [](QLineEdit* box) { return box->isModified(); });
}

void DesignPage::onSaveFile() {
    // Typing is not lost without a word: the entries not yet read are read, or left, on request.
    if (entriesChanged()) {
        const std::size_t answer = Services().AskChoice(
            "Some entries have changed since they were last read.", "Save file",
            {"Read the entries and save", "Save the design last read", "Cancel"});
        if (answer == 0) {
            onAccept();
        } else if (answer != 1) {
            return;
        }
    }
    const auto chosen =
        Dialogs().ShowSave(inLastFolder("Write Calbrine file", designFilter, DesignFileName));
    if (!chosen) {
        return;  // a cancelled save writes nothing and keeps the page as it is
    }
    DesignFileName = usedName(*chosen, ".TXT");
    const std::string name = DesignFileName;
    rebuildDesignPageAround([name] { WriteDesignFile(name); });
}

void DesignPage::onDefaults() {
    const std::string name = DefaultsFile(shippedDefaults());
    const DesignRecord before = DesignValues;
    rebuildDesignPageAround([name] { ReadDesignFile(name); });
    noteDesignChange(before);
}

void DesignPage::onUndo() {
    if (undoDesignChange()) {
        rebuildDesignPageAround([] {});
    }
}

void DesignPage::onRedo() {
    if (redoDesignChange()) {
        rebuildDesignPageAround([] {});
    }
}

void DesignPage::onSpice() {
    SpiceFileName = usedName(
        Dialogs().ShowSave(inLastFolder("Write Spice schematic", spiceFilter, "")).value_or(""),
        ".ASC");
    if (CharacterCount(SpiceFileName) > 4) {
        WriteSpiceSchematic();
    }
}

void DesignPage::onPrint() {
    PrintSchematic();
}

void DesignPage::onExit() {
    showExitDialog();
}

// Explore and Simulate take the values of the last accept step, never the boxes' text.
void DesignPage::onExplore() {
    showExplorer(DesignValues);
}

void DesignPage::onSimulate() {
    showSimulation(DesignValues);
}

void DesignPage::takeFittedDesign(const DesignRecord& fitted) {
    for (const DesignField& field : DesignFields) {
        boxNamed(field.box)->setText(
            QString::fromStdString(FieldText(field, fitted.*field.member)));
    }
    onAccept();
}

}  // namespace calbrine
