// Answers to the program's dialogs and a scratch working directory for the window tests.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QTableWidget>
#include <QTest>
#include <deque>
#include <optional>

#include "../support/Fixtures.h"
#include "design/DesignSession.h"
#include "design/DesignValues.h"
#include "platform/FileDialogs.h"
#include "platform/QtPrinting.h"
#include "platform/QtRunTimeServices.h"
#include "services/RunTimeServices.h"
#include "windows/DesignPage.h"

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << text.toStdString();
}

namespace calbrine_test {

// Messages are recorded; file dialogs answer from a queue, where an empty answer (or none
// left) is a cancel.
class Answers : public RecordedServices, public calbrine::FileDialogs {
  public:
    std::optional<std::string> ShowOpen(const calbrine::FileDialogRequest& r) override {
        return Next(r);
    }
    std::optional<std::string> ShowSave(const calbrine::FileDialogRequest& r) override {
        return Next(r);
    }

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

// A window's child by its objectName; a missing one fails the test.
template <class T = QWidget>
T* Child(QObject* window, const char* name) {
    T* child = window->findChild<T*>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

// The texts of a table's cells as shown, row by row, and its column headings.
inline std::vector<std::vector<std::string>> Cells(const QTableWidget* table) {
    std::vector<std::vector<std::string>> rows(static_cast<std::size_t>(table->rowCount()));
    for (int r = 0; r < table->rowCount(); ++r) {
        for (int c = 0; c < table->columnCount(); ++c) {
            rows[r].push_back(table->item(r, c)->text().toStdString());
        }
    }
    return rows;
}
// What a program run to its end printed on its standard output.
inline QString ProgramOutput(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(20000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline std::vector<std::string> Headings(const QTableWidget* table) {
    std::vector<std::string> headings;
    for (int c = 0; c < table->columnCount(); ++c) {
        headings.push_back(table->horizontalHeaderItem(c)->text().toStdString());
    }
    return headings;
}

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        calbrine::InstallRunTimeServices(&answers);
        calbrine::InstallFileDialogs(&answers);
        calbrine::SetEndProgramAction([this] { ++programEnds; });
        calbrine::DesignValues = calbrine::DesignRecord{};
        calbrine::TuningResults = calbrine::TuningRecord{};
        calbrine::DesignFileName.clear();
        calbrine::ProgramSession().notes.clear();
        calbrine::SetProgramConstants();
    }
    void TearDown() override {
        QApplication::closeAllWindows();
        Settle();
        calbrine::SetEndProgramAction({});
        calbrine::SetModalRunner({});
        calbrine::SetPrintDialogRunner({});
        calbrine::InstallFileDialogs(nullptr);
        calbrine::InstallRunTimeServices(nullptr);
    }

    // Lets windows that were closed be deleted.
    static void Settle() {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // The design window once the events of its last rebuild have run.
    static calbrine::DesignPage* Design() {
        Settle();
        return calbrine::designPage();
    }
    static void Type(QLineEdit* box, const QString& text) {
        box->clear();
        QTest::keyClicks(box, text);
    }

    Answers answers;
    int programEnds = 0;

  private:
    ScratchFolder folder_;
};

}  // namespace calbrine_test
