// The program's flows: opening window, the design window's file, defaults, LTspice and exit
// buttons, the last session kept from one start to the next, and the start with a design file.
#include <fstream>
#include <QDialog>

#include "GuiTestSupport.h"
#include "files/DesignFiles.h"
#include "windows/BlankPage.h"
#include "windows/DesignPage.h"
#include "windows/ExitDialog.h"
#include "windows/OpeningPage.h"

using namespace calbrine;
using calbrine_test::FileText;
namespace fs = std::filesystem;

namespace {

class ProgramFlowTest : public calbrine_test::WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        DesignValues = DesignRecord{33e-12f, 66e-12f, 15e-12f,  150e-12f, 12e-12f, 120e-12f,
                                    68e-12f, 56e-12f, 390e-12f, 680e-12f, 2.2e-6f, 9e6f};
    }
    void Click(QPushButton* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        Settle();
    }
    // The design window's Exit, with the exit window answered as soon as it shows.
    void ExitAnswering(std::function<void(ExitDialog&)> answer) {
        SetModalRunner([answer](QDialog& dialog) {
            dialog.show();
            answer(static_cast<ExitDialog&>(dialog));
            return dialog.result();
        });
        Click(Design()->exitButton);
    }
};

}  // namespace

TEST_F(ProgramFlowTest, ReadSaveAndCancel) {
    WriteDesignFile("first.TXT");
    DesignValues = DesignRecord{};
    showDesignPage();
    answers.files = {std::string("first.TXT")};
    Click(Design()->readFileButton);
    EXPECT_EQ(DesignFileName, "first.TXT");
    EXPECT_EQ(answers.requests.back().title, "Read Calbrine file");
    EXPECT_EQ(answers.requests.back().filter, "Calbrine files (*.TXT)|*.TXT");
    // The rebuilt window shows the file's values and their results; the blank window is gone.
    EXPECT_EQ(Design()->boxL7->text(), "2.2uH");
    EXPECT_EQ(Design()->boxIF->text(), " 9M");
    EXPECT_GT(TuningResults.VfoMax, 0.0f);
    EXPECT_EQ(Design()->window()->findChild<BlankPage*>(), nullptr);

    // The save dialog proposes the path read; a cancelled save writes and rebuilds nothing.
    const std::string before = FileText("first.TXT");
    Type(Design()->boxL7, "1u");
    answers.choices = {1};  // the design last read, not the box
    Click(Design()->saveFileButton);
    EXPECT_EQ(answers.requests.back().fileName, "first.TXT");
    EXPECT_EQ(answers.requests.back().title, "Write Calbrine file");
    EXPECT_EQ(FileText("first.TXT"), before);
    EXPECT_EQ(Design()->boxL7->text(), "1u");

    // A cancelled read empties the name, so the next save proposes none.
    Click(Design()->readFileButton);
    EXPECT_EQ(DesignFileName, "");
    EXPECT_TRUE(answers.messages.empty());
    Click(Design()->saveFileButton);
    EXPECT_EQ(answers.requests.back().fileName, "");
}

TEST_F(ProgramFlowTest, SavingTheDesignLastReadWritesTheAcceptedValuesNotTheBoxes) {
    showDesignPage();
    Type(Design()->boxL7, "10u");  // typed, never accepted
    answers.choices = {1};         // asked, the design last read is saved
    answers.files = {std::string("saved.TXT")};
    Click(Design()->saveFileButton);
    EXPECT_NE(FileText("saved.TXT").find("L7: 2.2E-06\r\n"), std::string::npos);
    EXPECT_EQ(Design()->boxL7->text(), "2.2uH");  // the edit is gone
}

TEST_F(ProgramFlowTest, DefaultsWithoutAFileLoadTheBuiltInValues) {
    DesignFileName = "mine.TXT";
    showDesignPage();
    Click(Design()->defaultsButton);
    EXPECT_EQ(answers.messages,
              std::vector<std::string>{"Calbrine: The file 'Defaults.TXT' was not found."});
    EXPECT_EQ(DesignFileName, "mine.TXT");
    EXPECT_EQ(Design()->boxIF->text(), " 11M");
    EXPECT_EQ(Design()->boxCfineMin->text(), "200pF");
    EXPECT_EQ(Design()->boxL7->text(), "7.7uH");
}

TEST_F(ProgramFlowTest, SpiceNamesOfFourCharactersWriteNothing) {
    showDesignPage();
    answers.files = {std::string("a.AS"), std::string("vfo.ASC")};
    Click(Design()->spiceButton);
    EXPECT_FALSE(fs::exists("a.AS"));
    EXPECT_EQ(answers.requests.back().title, "Write Spice schematic");
    EXPECT_EQ(answers.requests.back().filter, "Spice schematic files (*.ASC)|*.ASC");
    EXPECT_EQ(answers.requests.back().fileName, "");
    Click(Design()->spiceButton);
    EXPECT_EQ(FileText("vfo.ASC").rfind("Version 4\r\n", 0), 0u);
    EXPECT_TRUE(answers.messages.empty());
}

TEST_F(ProgramFlowTest, ExitQuitWritesTheLastSessionAndCancelDoesNot) {
    showDesignPage();
    ExitAnswering([](ExitDialog& w) { QTest::keyClick(&w, Qt::Key_Return); });  // Enter: Cancel
    ExitAnswering([](ExitDialog& w) { w.close(); });  // the close box acts like Cancel
    EXPECT_FALSE(fs::exists("LastSession.TXT"));
    EXPECT_EQ(programEnds, 0);
    ExitAnswering([](ExitDialog& w) {
        EXPECT_EQ(w.windowTitle(), "Calbrine - exit ?");
        QTest::mouseClick(w.exitButton, Qt::LeftButton);
    });
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(FileText("LastSession.TXT").rfind("Calbrine last-session file\r\n", 0), 0u);
}

TEST_F(ProgramFlowTest, NextStartShowsTheLastSession) {
    WriteLastSession();
    DesignValues = DesignRecord{};
    OpeningPage* opening = showOpeningPage();
    EXPECT_EQ(opening->windowTitle(), "Welcome to Calbrine !");
    EXPECT_EQ(opening->versionLabel->text(), "Version 2.04");
    const QImage gradient = opening->picture();
    // On the offscreen 800 x 800 screen the gradient's 9000 lines take 758 rows.
    EXPECT_EQ(gradient.pixelColor(0, 0), QColor(0, 0, 1));        // the gradient's top line
    EXPECT_EQ(gradient.pixelColor(799, 757), QColor(0, 0, 191));  // its last, line 9000
    EXPECT_EQ(gradient.pixelColor(0, 758), QColor(0, 0, 255));    // the background below it
    EXPECT_EQ(GradientBlue(400), 8);                              // 8.5, to the even 8
    QWidget* frame = opening->window();
    opening->startButton->click();
    // Start turns the picture white, gradient and schematic gone, as the window closes.
    QImage white(gradient.size(), gradient.format());
    white.fill(Qt::white);
    EXPECT_TRUE(opening->picture() == white);
    Settle();
    ASSERT_NE(Design(), nullptr);
    EXPECT_EQ(Design()->boxC35->text(), "680pF");
    EXPECT_EQ(Design()->boxIF->text(), " 9M");
    EXPECT_EQ(programEnds, 0);
    // The design window takes the opening window's place on the screen, caption and all.
    EXPECT_EQ(Design()->window(), frame);
    EXPECT_EQ(frame->windowTitle(), "Calbrine - Design page");
}

TEST_F(ProgramFlowTest, TheDesignWindowIsMadeAheadButLoadedOnlyByStart) {
    DesignValues.CfineMin = DesignValues.CfineMax = 3e38f;  // its schematic reports an overflow
    OpeningPage* opening = showOpeningPage();
    // Painted, and the design window's controls made meanwhile.
    EXPECT_TRUE(QTest::qWaitFor([opening] { return opening->findChild<DesignPage*>(); }));
    EXPECT_TRUE(answers.messages.empty());
    opening->startButton->click();
    EXPECT_EQ(answers.messages, std::vector<std::string>{"Calbrine: We had a schematic error"});
}

// The frame follows its pages as they come and go: a page that closes hands the caption and
// the keys back to the page shown before it, at once.
TEST_F(ProgramFlowTest, ThePageUnderAClosedOneComesBackWithCaptionAndKeys) {
    QWidget* frame = showDesignPage()->window();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    showBlankPage();
    EXPECT_EQ(frame->windowTitle(), "Form1");
    EXPECT_EQ(frame->focusWidget(), nullptr);  // no keys for the page under the blank one
    unloadBlankPage();
    EXPECT_EQ(frame->windowTitle(), "Calbrine - Design page");
    EXPECT_TRUE(designPage()->isVisible());
    EXPECT_EQ(frame->focusWidget(), designPage()->boxIF);
    EXPECT_EQ(designPage()->boxIF->selectedText(), " 9M");
}

TEST_F(ProgramFlowTest, OpeningExitAndTheCloseBoxEndWithoutWriting) {
    Click(showOpeningPage()->exitButton);
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(designPage(), nullptr);
    showDesignPage()->window()->close();  // the close box
    Settle();
    EXPECT_EQ(programEnds, 2);
    EXPECT_FALSE(fs::exists("LastSession.TXT"));
}

TEST_F(ProgramFlowTest, StartWithADesignFileReadsItOrKeepsTheLastSession) {
    WriteLastSession();
    DesignValues.L7 = 4.7e-6f;
    WriteDesignFile("vfo.TXT");
    DesignValues = DesignRecord{};

    StartWithDesignFile("vfo.TXT");
    EXPECT_EQ(Design()->boxL7->text(), "4.7uH");
    EXPECT_EQ(DesignFileName, "vfo.TXT");  // "Save file" proposes it
    EXPECT_TRUE(answers.messages.empty());
    EXPECT_TRUE(Design()->noteLine->text().isEmpty());
    unloadDesignPage();
    // What the reader says of a hand-edited file is on the page it opens.
    std::string text = calbrine_test::FileText("vfo.TXT");
    text.replace(text.find("IF: "), std::string::npos, "IF: 12M\n");
    std::ofstream("vfo.TXT", std::ios::binary) << text;
    StartWithDesignFile("vfo.TXT");
    EXPECT_EQ(Design()->noteLine->toolTip(), "IF: '12M' read as 12 Hz: write 1.2E7");
    unloadDesignPage();

    StartWithDesignFile("gone.TXT");
    EXPECT_EQ(answers.messages,
              std::vector<std::string>{"Calbrine: The file 'gone.TXT' was not found."});
    EXPECT_EQ(Design()->boxL7->text(), "2.2uH");  // the last session's, not the built-in values
    EXPECT_EQ(DesignFileName, "gone.TXT");
}
