// The design page's file, defaults, LTspice, print, exit, explore and simulate buttons.
#include <QCoreApplication>
#include <algorithm>
#include <filesystem>

#include "design/DesignFields.h"
#include "engineering/Characters.h"
#include "engineering/EngineeringText.h"
#include "files/DesignFiles.h"
#include "files/SpiceExport.h"
#include "platform/FileDialogs.h"
#include "platform/QtPrinting.h"
#include "services/RunTimeServices.h"
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
std::vector<std::string> shippedDefaults() {
    const std::string here = QCoreApplication::applicationDirPath().toStdString();
    return {here + "/../share/calbrine/Defaults.TXT", here + "/data/Defaults.TXT"};
}

// The file dialogs open in the folder of the design or schematic file used last.
FileDialogRequest inLastFolder(const DesignSession& session, const char* title, const char* filter,
                               const std::string& name) {
    return {title, filter, name, session.lastFolder};
}

// The folder of a chosen file becomes the one the dialogs open in next.
void remember(DesignSession& session, const std::string& chosen) {
    if (!chosen.empty()) {
        session.lastFolder = std::filesystem::absolute(chosen).parent_path().string();
    }
}

// A chosen name without a suffix gets the filter's, so that Read file's filter shows the file.
std::string usedName(DesignSession& session, const std::string& chosen, const char* suffix) {
    std::filesystem::path path(chosen);
    if (!chosen.empty() && !path.filename().has_extension()) {
        path += suffix;
    }
    remember(session, path.string());
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
    DesignSession& session = session_;
    session.fileName = Dialogs()
                           .ShowOpen(inLastFolder(session, "Read Calbrine file", designFilter, ""))
                           .value_or("");
    // A name typed without its suffix finds the file that Save file wrote with it.
    const std::filesystem::path typed(session.fileName);
    if (!typed.empty() && !typed.filename().has_extension() && !std::filesystem::exists(typed) &&
        std::filesystem::exists(session.fileName + ".TXT")) {
        session.fileName += ".TXT";
    }
    remember(session, session.fileName);
    const std::string name = session.fileName;
    const DesignRecord before = session.design;
    rebuildDesignPageAround([&session, name] {
        session.design = LoadDesignFile(name, session.design, session.notes);
    });
    session.history.Note(before, session.design);
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
    DesignSession& session = session_;
    const auto chosen = Dialogs().ShowSave(
        inLastFolder(session, "Write Calbrine file", designFilter, session.fileName));
    if (!chosen) {
        return;  // a cancelled save writes nothing and keeps the page as it is
    }
    session.fileName = usedName(session, *chosen, ".TXT");
    const std::string name = session.fileName;
    rebuildDesignPageAround([&session, name] { SaveDesignFile(session.design, name); });
}

void DesignPage::onDefaults() {
    const std::string name = DefaultsFile(shippedDefaults());
    DesignSession& session = session_;
    const DesignRecord before = session.design;
    rebuildDesignPageAround([&session, name] {
        session.design = LoadDesignFile(name, session.design, session.notes);
    });
    session.history.Note(before, session.design);
}

void DesignPage::onUndo() {
    if (session_.history.Undo(session_.design)) {
        rebuildDesignPageAround([] {});
    }
}

void DesignPage::onRedo() {
    if (session_.history.Redo(session_.design)) {
        rebuildDesignPageAround([] {});
    }
}

void DesignPage::onSpice() {
    session_.spiceFileName =
        usedName(session_,
                 Dialogs()
                     .ShowSave(inLastFolder(session_, "Write Spice schematic", spiceFilter, ""))
                     .value_or(""),
                 ".ASC");
    if (CharacterCount(session_.spiceFileName) > 4) {
        ExportSpiceSchematic(session_.design, session_.tuning, session_.spiceFileName);
    }
}

void DesignPage::onPrint() {
    PrintSchematic(session_.design, session_.tuning);
}

void DesignPage::onExit() {
    showExitDialog();
}

// Explore and Simulate take the values of the last accept step, never the boxes' text.
void DesignPage::onExplore() {
    showExplorer(session_);
}

void DesignPage::onSimulate() {
    showSimulation(session_.design);
}

void DesignPage::takeFittedDesign(const DesignRecord& fitted) {
    for (const DesignField& field : DesignFields) {
        boxNamed(field.box)->setText(
            QString::fromStdString(FieldText(field, fitted.*field.member)));
    }
    onAccept();
}

}  // namespace calbrine
