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
#include "platform/RunTimeServices.h"

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace calbrine_test {

namespace fs = std::filesystem;

class AnsweringServices : public calbrine::RunTimeServices {
  public:
    void ShowMessage(const std::string& text, const std::string& title) override {
        messages.push_back(title + ": " + text);
    }
    void Beep() override { ++beeps; }
    std::string GeneralDateText() override { return "06/12/2026 12:00:00"; }

    std::vector<std::string> messages;
    int beeps = 0;
};

// File dialogs that answer from a queue; an empty answer is a cancel.
class AnsweringDialogs : public calbrine::FileDialogs {
  public:
    std::optional<std::string> ShowOpen(const calbrine::FileDialogRequest& r) override {
        return Answer(r);
    }
    std::optional<std::string> ShowSave(const calbrine::FileDialogRequest& r) override {
        return Answer(r);
    }

    std::deque<std::optional<std::string>> answers;
    std::vector<calbrine::FileDialogRequest> requests;

  private:
    std::optional<std::string> Answer(const calbrine::FileDialogRequest& request) {
        requests.push_back(request);
        if (answers.empty()) {
            return std::nullopt;
        }
        auto answer = answers.front();
        answers.pop_front();
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
        calbrine::InstallRunTimeServices(&services);
        calbrine::InstallFileDialogs(&dialogs);
        calbrine::SetEndProgramAction([this] { ++programEnds; });
        calbrine::DesignValues = calbrine::DesignRecord{};
        calbrine::TuningResults = calbrine::TuningRecord{};
        calbrine::DesignFileName.clear();
        calbrine::SetProgramConstants();
    }
    void TearDown() override {
        QApplication::closeAllWindows();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        calbrine::SetEndProgramAction({});
        calbrine::SetModalRunner({});
        calbrine::InstallFileDialogs(nullptr);
        calbrine::InstallRunTimeServices(nullptr);
        fs::current_path(original_);
        fs::remove_all(folder_);
    }

  public:
    // Lets windows that were closed be deleted.
    static void Settle() {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static void Type(QLineEdit* box, const QString& text) {
        box->selectAll();
        box->clear();
        QTest::keyClicks(box, text);
    }

  protected:
    AnsweringServices services;
    AnsweringDialogs dialogs;
    int programEnds = 0;

  private:
    fs::path original_ = fs::current_path();
    fs::path folder_;
};

}  // namespace calbrine_test
