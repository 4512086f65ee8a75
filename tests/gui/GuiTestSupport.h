// Answers to the program's dialogs and a scratch working directory for the window tests.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "design/DesignValues.h"
#include "platform/FileDialogs.h"
#include "platform/QtRunTimeServices.h"
#include "services/RunTimeServices.h"

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << text.toStdString();
}

namespace calbrine_test {

namespace fs = std::filesystem;

// Messages are recorded as "title: text"; file dialogs answer from a queue, where an empty
// answer (or none left) is a cancel.
class Answers : public calbrine::RunTimeServices, public calbrine::FileDialogs {
  public:
    void ShowMessage(const std::string& text, const std::string& title) override {
        messages.push_back(title + ": " + text);
    }
    void Beep() override {}
    std::string GeneralDateText() override { return "06/12/2026 12:00:00"; }
    std::optional<std::string> ShowOpen(const calbrine::FileDialogRequest& r) override {
        return Next(r);
    }
    std::optional<std::string> ShowSave(const calbrine::FileDialogRequest& r) override {
        return Next(r);
    }

    std::vector<std::string> messages;
    std::deque<std::optional<std::string>> files;
    std::vector<calbrine::FileDialogRequest> requests;

  private:
    std::optional<std::string> Next(const calbrine::FileDialogRequest& request) {
        requests.push_back(request);
        std::optional<std::string> answer;
        if (!files.empty()) {
            answer = files.front();
            files.pop_front();
        }
        return answer;
    }
};

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "calbrine-gui-XXXXXX").string();
        ASSERT_NE(mkdtemp(&pattern[0]), nullptr);
        folder_ = pattern;
        fs::current_path(folder_);
        calbrine::InstallRunTimeServices(&answers);
        calbrine::InstallFileDialogs(&answers);
        calbrine::SetEndProgramAction([this] { ++programEnds; });
        calbrine::DesignValues = calbrine::DesignRecord{};
        calbrine::TuningResults = calbrine::TuningRecord{};
        calbrine::DesignFileName.clear();
        calbrine::SetProgramConstants();
    }
    void TearDown() override {
        QApplication::closeAllWindows();
        Settle();
        calbrine::SetEndProgramAction({});
        calbrine::SetModalRunner({});
        calbrine::InstallFileDialogs(nullptr);
        calbrine::InstallRunTimeServices(nullptr);
        fs::current_path(original_);
        fs::remove_all(folder_);
    }

    // Lets windows that were closed be deleted.
    static void Settle() {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static void Type(QLineEdit* box, const QString& text) {
        box->clear();
        QTest::keyClicks(box, text);
    }

    Answers answers;
    int programEnds = 0;

  private:
    fs::path original_ = fs::current_path();
    fs::path folder_;
};

}  // namespace calbrine_test
