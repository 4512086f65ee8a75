// The open and save file dialogs of the design window. The desktop program binds them to
// Qt's file dialog; tests install their own answers.
#pragma once

#include <optional>
#include <string>

namespace calbrine {

struct FileDialogRequest {
    std::string title;
    std::string filter;    // "description|pattern", e.g. "Calbrine files (*.TXT)|*.TXT"
    std::string fileName;  // the name the dialog opens with
    std::string folder;    // the folder it opens in; empty for the working folder
};

class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    // The chosen file name, or nothing when the user cancels.
    virtual std::optional<std::string> ShowOpen(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> ShowSave(const FileDialogRequest& request) = 0;
};

// The save dialog, with the suffix of the request's filter ("*.csv": ".csv") put after a name
// chosen without one, as a user expects of a file that a filter is to show again.
std::optional<std::string> AskSaveName(const FileDialogRequest& request);

// nullptr restores the Qt dialogs.
void InstallFileDialogs(FileDialogs* dialogs);
FileDialogs& Dialogs();

}  // namespace calbrine
