// The program's flows: opening window, the design window's file, defaults, LTspice and exit
// buttons, and the last session kept from one start to the next.
#include <QDialog>
#include <fstream>
#include <iterator>

#include "GuiTestSupport.h"
#include "files/modReadWrite.h"
#include "windows/frmBlank.h"
#include "windows/frmDesign.h"
#include "windows/frmExit.h"
#include "windows/frmOpening.h"

using namespace calbrine;
using calbrine_test::WindowTest;
namespace fs = std::filesystem;

namespace {

std::string Contents(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class ProgramFlowTest : public WindowTest {
  protected:
    frmDesign* Design() {
        Settle();
        return DesignWindow();
    }
    void Click(QPushButton* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        Settle();
    }
    // Answers the exit window with a key or a button as soon as it shows.
    void AnswerExitWindow(std::function<void(frmExit&)> answer) {
        SetModalRunner([answer](QDialog& dialog) {
            dialog.show();
            answer(static_cast<frmExit&>(dialog));
            return dialog.result();
        });
    }
};

void LoadSomeValues() {
    DesignValues = DesignRecord{33e-12f, 66e-12f,  15e-12f,  150e-12f, 12e-12f, 120e-12f, 68e-12f,
                                56e-12f, 390e-12f, 680e-12f, 2.2e-6f,  9e6f,    0};
}

}  // namespace

TEST(OpeningWindow, GradientBlueRoundsHalvesToEven) {
    EXPECT_EQ(GradientBlue(1), 1);
    EXPECT_EQ(GradientBlue(400), 8);  // 8.5 goes to the even 8
    EXPECT_EQ(GradientBlue(424), 9);
    EXPECT_EQ(GradientBlue(9000), 191);
}

TEST_F(ProgramFlowTest, ReadThenSaveProposesTheReadPath) {
    LoadSomeValues();
    WriteDesignFile("first.TXT");
    DesignValues = DesignRecord{};
    ShowDesignWindow();
    dialogs.answers = {std::string("first.TXT")};
    Click(Design()->cmdReadFile);
    EXPECT_EQ(DesignFileName, "first.TXT");
    EXPECT_EQ(dialogs.requests.back().title, "Read Calbrine file");
    EXPECT_EQ(dialogs.requests.back().filter, "Calbrine files (*.TXT)|*.TXT");
    // The rebuilt window shows the file's values and their results.
    EXPECT_EQ(Design()->Text9->text(), "2.2uH");
    EXPECT_EQ(Design()->TxtIF->text(), " 9M");
    EXPECT_GT(TuningResults.VfoMax, 0.0f);
    EXPECT_EQ(BlankWindow(), nullptr);

    dialogs.answers = {std::nullopt};  // a cancelled save writes nothing
    const std::string before = Contents("first.TXT");
    Type(Design()->Text9, "1u");
    Click(Design()->cmdSaveFile);
    EXPECT_EQ(dialogs.requests.back().fileName, "first.TXT");
    EXPECT_EQ(dialogs.requests.back().title, "Write Calbrine file");
    EXPECT_EQ(Contents("first.TXT"), before);
    EXPECT_EQ(Design()->Text9->text(), "1u");  // nothing was rebuilt
}

TEST_F(ProgramFlowTest, CancelledReadEmptiesTheFileName) {
    LoadSomeValues();
    DesignFileName = "earlier.TXT";
    ShowDesignWindow();
    dialogs.answers = {std::nullopt};
    Click(Design()->cmdReadFile);
    EXPECT_EQ(DesignFileName, "");
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(DesignValues.L7, 2.2e-6f);
    dialogs.answers = {std::nullopt};
    Click(Design()->cmdSaveFile);
    EXPECT_EQ(dialogs.requests.back().fileName, "");
}

TEST_F(ProgramFlowTest, DefaultsWithoutAFileLoadTheBuiltInValues) {
    DesignFileName = "mine.TXT";
    ShowDesignWindow();
    Click(Design()->cmdDefaults);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0], "Calbrine: The file 'Defaults.TXT' was not found.");
    EXPECT_EQ(DesignFileName, "mine.TXT");
    EXPECT_EQ(DesignValues.IF, 11e6f);
    EXPECT_EQ(Design()->TxtIF->text(), " 11M");
    EXPECT_EQ(Design()->Text10->text(), "200pF");
    EXPECT_EQ(Design()->Text9->text(), "7.7uH");
}

TEST_F(ProgramFlowTest, SaveWritesTheAcceptedValuesNotTheBoxes) {
    LoadSomeValues();
    ShowDesignWindow();
    Type(Design()->Text9, "10u");  // typed, never accepted
    dialogs.answers = {std::string("saved.TXT")};
    Click(Design()->cmdSaveFile);
    EXPECT_NE(Contents("saved.TXT").find("L7: 2.2E-06\r\n"), std::string::npos);
    EXPECT_EQ(Design()->Text9->text(), "2.2uH");  // the edit is gone
    EXPECT_EQ(DesignFileName, "saved.TXT");
}

TEST_F(ProgramFlowTest, SpiceNamesOfFourCharactersWriteNothing) {
    LoadSomeValues();
    ShowDesignWindow();
    dialogs.answers = {std::string("a.AS")};
    Click(Design()->cmdSpice);
    EXPECT_FALSE(fs::exists("a.AS"));
    EXPECT_EQ(dialogs.requests.back().title, "Write Spice schematic");
    EXPECT_EQ(dialogs.requests.back().filter, "Spice schematic files (*.ASC)|*.ASC");
    EXPECT_EQ(dialogs.requests.back().fileName, "");
    dialogs.answers = {std::string("vfo.ASC")};
    Click(Design()->cmdSpice);
    EXPECT_EQ(Contents("vfo.ASC").rfind("Version 4\r\n", 0), 0u);
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(ProgramFlowTest, ExitQuitWritesTheLastSessionAndCancelDoesNot) {
    LoadSomeValues();
    ShowDesignWindow();
    AnswerExitWindow([](frmExit& w) { QTest::keyClick(&w, Qt::Key_Return); });
    Click(Design()->cmdExit);
    EXPECT_FALSE(fs::exists("LastSession.TXT"));  // Enter chooses "Cancel / Continue"
    EXPECT_EQ(programEnds, 0);
    ASSERT_NE(Design(), nullptr);

    AnswerExitWindow([](frmExit& w) { w.close(); });  // the close box acts like Cancel
    Click(Design()->cmdExit);
    EXPECT_FALSE(fs::exists("LastSession.TXT"));
    EXPECT_EQ(programEnds, 0);

    AnswerExitWindow([](frmExit& w) {
        EXPECT_EQ(w.windowTitle(), "Calbrine - exit ?");
        QTest::mouseClick(w.cmdExit, Qt::LeftButton);
    });
    Click(Design()->cmdExit);
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(Contents("LastSession.TXT").rfind("Calbrine last-session file\r\n", 0), 0u);
}

TEST_F(ProgramFlowTest, NextStartShowsTheLastSession) {
    LoadSomeValues();
    WriteLastSession();
    DesignValues = DesignRecord{};
    frmOpening* opening = ShowOpeningWindow();
    EXPECT_EQ(opening->windowTitle(), "Welcome to Calbrine !");
    EXPECT_EQ(opening->lblVersion->text(), "Version 2.04");
    EXPECT_EQ(DesignValues.C35, 680e-12f);
    // The top line of the gradient is blue 1.
    EXPECT_EQ(opening->Picture().pixelColor(0, 0), QColor(0, 0, 1));
    Click(opening->cmdStart);
    ASSERT_NE(Design(), nullptr);
    EXPECT_EQ(Design()->Text8->text(), "680pF");
    EXPECT_EQ(Design()->TxtIF->text(), " 9M");
    EXPECT_EQ(programEnds, 0);
}

TEST_F(ProgramFlowTest, OpeningExitEndsWithoutWriting) {
    frmOpening* opening = ShowOpeningWindow();
    Click(opening->cmdExit);
    EXPECT_EQ(programEnds, 1);
    EXPECT_FALSE(fs::exists("LastSession.TXT"));
    EXPECT_EQ(DesignWindow(), nullptr);
}

TEST_F(ProgramFlowTest, ClosingTheDesignWindowEndsTheProgram) {
    ShowDesignWindow();
    Design()->close();
    Settle();
    EXPECT_EQ(programEnds, 1);
    EXPECT_FALSE(fs::exists("LastSession.TXT"));
}
