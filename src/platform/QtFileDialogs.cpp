#include <QApplication>
#include <QFileDialog>
#include <QRegularExpression>
#include <filesystem>

#include "platform/FileDialogs.h"

namespace calbrine {
namespace {

// "Calbrine files (*.TXT)|*.TXT" becomes a Qt name filter whose pattern matches without
// regard to case (*.[Tt][Xx][Tt]), so that files saved as .txt by other tools show too.
QString NameFilter(const std::string& filter) {
    const QString text = QString::fromStdString(filter);
    const int bar = text.indexOf('|');
    const QString description = bar < 0 ? text : text.left(bar);
    const QString pattern = bar < 0 ? QStringLiteral("*") : text.mid(bar + 1);
    QString anyCase;
    for (const QChar c : pattern) {
        if (c.isLetter()) {
            anyCase += QLatin1Char('[') + c.toUpper() + c.toLower() + QLatin1Char(']');
        } else {
            anyCase += c;
        }
    }
    return description + QStringLiteral(" (") + anyCase + QLatin1Char(')');
}

std::optional<std::string> Run(QFileDialog::AcceptMode mode, const FileDialogRequest& request) {
    QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(request.title));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(NameFilter(request.filter));
    if (!request.folder.empty()) {
        dialog.setDirectory(QString::fromStdString(request.folder));
    }
    if (!request.fileName.empty()) {
        dialog.selectFile(QString::fromStdString(request.fileName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first().toStdString();
}

class QtFileDialogs final : public FileDialogs {
  public:
    std::optional<std::string> ShowOpen(const FileDialogRequest& request) override {
        return Run(QFileDialog::AcceptOpen, request);
    }
    std::optional<std::string> ShowSave(const FileDialogRequest& request) override {
        return Run(QFileDialog::AcceptSave, request);
    }
};

QtFileDialogs qtDialogs;
FileDialogs* installed = &qtDialogs;

}  // namespace

void InstallFileDialogs(FileDialogs* dialogs) {
    installed = dialogs ? dialogs : &qtDialogs;
}

FileDialogs& Dialogs() {
    return *installed;
}

std::optional<std::string> AskSaveName(const FileDialogRequest& request) {
    std::optional<std::string> chosen = Dialogs().ShowSave(request);
    const std::size_t star = request.filter.rfind("*.");
    if (!chosen || chosen->empty() || star == std::string::npos) {
        return chosen;
    }
    const std::string suffix = request.filter.substr(star + 1);
    if (!std::filesystem::path(*chosen).filename().has_extension()) {
        *chosen += suffix;
    }
    return chosen;
}

}  // namespace calbrine
