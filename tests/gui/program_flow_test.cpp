// The program's flows: opening window, the design window's file, defaults, LTspice and exit
// buttons, the last session kept from one start to the next, and the start with a design file.
#include <QDialog>

#include "GuiTestSupport.h"
#include "files/DesignFiles.h"
#include "windows/frmBlank.h"
#include "windows/frmDesign.h"
#include "windows/frmExit.h"
#include "windows/frmOpening.h"

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
    void ExitAnswering(std::function<void(frmExit&)> answer) {
        SetModalRunner([answer](QDialog& dialog) {
            dialog.show();
            answer(static_cast<frmExit&>(dialog));
            return dialog.result();
        });
        Click(Design()->cmdExit);
    }
};

}  // namespace

TEST_F(ProgramFlowTest, ReadSaveAndCancel) {
    WriteDesignFile("first.TXT");
    DesignValues = DesignRecord{};
    ShowDesignWindow();
    answers.files = {std::string("first.TXT")};
    Click(Design()->cmdReadFile);
    EXPECT_EQ(DesignFileName, "first.TXT");
    EXPECT_EQ(answers.requests.back().title, "Read Calbrine file");
    EXPECT_EQ(answers.requests.back().filter, "Calbrine files (*.TXT)|*.TXT");
    // The rebuilt window shows the file's values and their results; the blank window is gone.
    EXPECT_EQ(Design()->boxL7->text(), "2.2uH");
    EXPECT_EQ(Design()->boxIF->text(), " 9M");
    EXPECT_GT(TuningResults.VfoMax, 0.0f);
    EXPECT_EQ(BlankWindow(), nullptr);

    // The save dialog proposes the path read; a cancelled save writes and rebuilds nothing.
    const std::string before = FileText("first.TXT");
    Type(Design()->boxL7, "1u");
    Click(Design()->cmdSaveFile);
    EXPECT_EQ(answers.requests.back().fileName, "first.TXT");
    EXPECT_EQ(answers.requests.back().title, "Write Calbrine file");
    EXPECT_EQ(FileText("first.TXT"), before);
    EXPECT_EQ(Design()->boxL7->text(), "1u");

    // A cancelled read empties the name, so the next save proposes none.
    Click(Design()->cmdReadFile);
    EXPECT_EQ(DesignFileName, "");
    EXPECT_TRUE(answers.messages.empty());
    Click(Design()->cmdSaveFile);
    EXPECT_EQ(answers.requests.back().fileName, "");
}

TEST_F(ProgramFlowTest, SaveWritesTheAcceptedValuesNotTheBoxes) {
    ShowDesignWindow();
    Type(Design()->boxL7, "10u");  // typed, never accepted
    answers.files = {std::string("saved.TXT")};
    Click(Design()->cmdSaveFile);
    EXPECT_NE(FileText("saved.TXT").find("L7: 2.2E-06\r\n"), std::string::npos);
    EXPECT_EQ(Design()->boxL7->text(), "2.2uH");  // the edit is gone
}

TEST_F(ProgramFlowTest, DefaultsWithoutAFileLoadTheBuiltInValues) {
    DesignFileName = "mine.TXT";
    ShowDesignWindow();
    Click(Design()->cmdDefaults);
    EXPECT_EQ(answers.messages,
              std::vector<std::string>{"Calbrine: The file 'Defaults.TXT' was not found."});
    EXPECT_EQ(DesignFileName, "mine.TXT");
    EXPECT_EQ(Design()->boxIF->text(), " 11M");
    EXPECT_EQ(Design()->boxCfineMin->text(), "200pF");
    EXPECT_EQ(Design()->boxL7->text(), "7.7uH");
}

TEST_F(ProgramFlowTest, SpiceNamesOfFourCharactersWriteNothing) {
    ShowDesignWindow();
    answers.files = {std::string("a.AS"), std::string("vfo.ASC")};
    Click(Design()->cmdSpice);
    EXPECT_FALSE(fs::exists("a.AS"));
    EXPECT_EQ(answers.requests.back().title, "Write Spice schematic");
    EXPECT_EQ(answers.requests.back().filter, "Spice schematic files (*.ASC)|*.ASC");
    EXPECT_EQ(answers.requests.back().fileName, "");
    Click(Design()->cmdSpice);
    EXPECT_EQ(FileText("vfo.ASC").rfind("Version 4\r\n", 0), 0u);
    EXPECT_TRUE(answers.messages.empty());
}

TEST_F(ProgramFlowTest, ExitQuitWritesTheLastSessionAndCancelDoesNot) {
    ShowDesignWindow();
    ExitAnswering([](frmExit& w) { QTest::keyClick(&w, Qt::Key_Return); });  // Enter: Cancel
    ExitAnswering([](frmExit& w) { w.close(); });  // the close box acts like Cancel
    EXPECT_FALSE(fs::exists("LastSession.TXT"));
    EXPECT_EQ(programEnds, 0);
    ExitAnswering([](frmExit& w) {
        EXPECT_EQ(w.windowTitle(), "Calbrine - exit ?");
        QTest::mouseClick(w.cmdExit, Qt::LeftButton);
    });
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(FileText("LastSession.TXT").rfind("Calbrine last-session file\r\n", 0), 0u);
}

TEST_F(ProgramFlowTest, NextStartShowsTheLastSession) {
    WriteLastSession();
    DesignValues = DesignRecord{};
    frmOpening* opening = ShowOpeningWindow();
    EXPECT_EQ(opening->windowTitle(), "Welcome to Calbrine !");
    EXPECT_EQ(opening->lblVersion->text(), "Version 2.04");
    const QImage gradient = opening->Picture();
    // On the offscreen 800 x 800 screen the gradient's 9000 lines take 758 rows.
    EXPECT_EQ(gradient.pixelColor(0, 0), QColor(0, 0, 1));        // the gradient's top line
    EXPECT_EQ(gradient.pixelColor(799, 757), QColor(0, 0, 191));  // its last, line 9000
    EXPECT_EQ(gradient.pixelColor(0, 758), QColor(0, 0, 255));    // the background below it
    EXPECT_EQ(GradientBlue(400), 8);                              // 8.5, to the even 8
    QWidget* frame = opening->window();
    opening->cmdStart_Click();
    // Start turns the picture white, gradient and schematic gone, as the window closes.
    QImage white(gradient.size(), gradient.format());
    white.fill(Qt::white);
    EXPECT_TRUE(opening->Picture() == white);
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
    frmOpening* opening = ShowOpeningWindow();
    // Painted, and the design window's controls made meanwhile, without Start; on a busy
    // machine that can take longer than a frame.
    EXPECT_TRUE(QTest::qWaitFor([&] { return opening->findChild<frmDesign*>() != nullptr; }, 5000));
    EXPECT_TRUE(answers.messages.empty());
    opening->cmdStart_Click();
    EXPECT_EQ(answers.messages, std::vector<std::string>{"Calbrine: We had a schematic error"});
}

TEST_F(ProgramFlowTest, OpeningExitAndTheCloseBoxEndWithoutWriting) {
    Click(ShowOpeningWindow()->cmdExit);
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(DesignWindow(), nullptr);
    ShowDesignWindow()->window()->close();  // the close box
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
    UnloadDesignWindow();

    StartWithDesignFile("gone.TXT");
    EXPECT_EQ(answers.messages,
              std::vector<std::string>{"Calbrine: The file 'gone.TXT' was not found."});
    EXPECT_EQ(Design()->boxL7->text(), "2.2uH");  // the last session's, not the built-in values
    EXPECT_EQ(DesignFileName, "gone.TXT");
}
