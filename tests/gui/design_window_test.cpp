// The windows against their tables in tests/data/windows: the design window's layout, every
// floor of the accept step, and the fixed captions of the four windows.
#include <QDialog>
#include <QLabel>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "GuiTestSupport.h"
#include "files/DesignFiles.h"
#include "windows/BlankPage.h"
#include "windows/DesignPage.h"
#include "windows/ExitDialog.h"
#include "windows/OpeningPage.h"
#include "windows/WindowUnits.h"

using namespace calbrine;
using calbrine_test::Child;

namespace {

struct Row {
    std::vector<std::string> words;  // the words before the quoted text
    std::string text;                // the quoted text
};

std::vector<Row> Table(const std::string& name) {
    std::vector<Row> rows;
    for (const std::string& line : calbrine_test::DataLines("windows/" + name)) {
        const std::size_t quote = line.find('"');
        std::istringstream words(line.substr(0, quote));
        Row row{{std::istream_iterator<std::string>(words), {}}, {}};
        row.text = line.substr(quote + 1, line.rfind('"') - quote - 1);
        rows.push_back(row);
    }
    return rows;
}

// Line edits, labels and buttons all carry their caption as "text"; boxes and labels have an
// "alignment".
Qt::Alignment Alignment(QWidget* control) {
    return Qt::Alignment(control->property("alignment").toInt()) & Qt::AlignHorizontal_Mask;
}
QString Text(QWidget* control) {
    return control->property("text").toString();
}

class DesignWindowTest : public calbrine_test::WindowTest {
  protected:
    DesignPage* Open() {
        showDesignPage();
        return Design();
    }
    void TypeWorkedExample(DesignPage* w) {
        const std::pair<const char*, const char*> entries[] = {
            {"TxtIF", "12M"},  {"Text10", "10p"}, {"Text1", "40p"},    {"Text2", "10p"},
            {"Text3", "100p"}, {"Text4", "20p"},  {"Text0", "100p"},   {"Text5", "100p"},
            {"Text6", "47p"},  {"Text7", "470p"}, {"Text8", "470 pF"}, {"Text9", "4.7u"}};
        for (const auto& [box, text] : entries) {
            Type(Child<QLineEdit>(w, box), QString::fromLatin1(text));
        }
    }
};

}  // namespace

TEST_F(DesignWindowTest, EveryControlWhereItsTableSays) {
    DesignPage* w = Open();
    const WindowUnits& u = w->units();
    const std::map<std::string, Qt::Alignment> alignments = {
        {"left", Qt::AlignLeft}, {"right", Qt::AlignRight}, {"centred", Qt::AlignHCenter}};
    const std::vector<Row> rows = Table("design-window-controls.txt");
    ASSERT_EQ(rows.size(), 30u);
    for (const Row& row : rows) {
        const std::string& name = row.words[0];
        QWidget* control = w->findChild<QWidget*>(QString::fromStdString(name));
        ASSERT_NE(control, nullptr) << name;
        const double left = std::stod(row.words[1]), top = std::stod(row.words[2]);
        const double width = std::stod(row.words[3]), height = std::stod(row.words[4]);
        const QRect g = control->geometry();
        EXPECT_NEAR(g.x(), u.x(left), 1) << name;
        EXPECT_NEAR(g.y(), u.y(top), 1) << name;
        EXPECT_NEAR(g.width(), u.x(width), 1.5) << name;
        EXPECT_NEAR(g.height(), u.y(height), 1.5) << name;
        if (row.words[5] != "-") {
            EXPECT_EQ(Alignment(control), alignments.at(row.words[5])) << name;
        }
        if (row.text != "*") {
            EXPECT_EQ(Text(control), QString::fromStdString(row.text)) << name;
        }
        const double points = name == "Label1" ? 24 : u.fontPoints();
        EXPECT_NEAR(control->font().pointSizeF() * w->logicalDpiY() / 96.0, points, 0.01) << name;
        EXPECT_TRUE(control->font().bold()) << name;
    }
}

TEST_F(DesignWindowTest, AcceptShowsTheWorkedExampleAndTypingAloneChangesNothing) {
    DesignPage* w = Open();
    TypeWorkedExample(w);
    QTest::mouseClick(w->acceptButton, Qt::LeftButton);
    EXPECT_EQ(w->boxIF->text(), " 12M");
    EXPECT_EQ(Child<QLineEdit>(w, "Text8")->text(), "470pF");
    EXPECT_EQ(Child<QLineEdit>(w, "Text9")->text(), "4.7uH");
    EXPECT_EQ(w->resultVfo->text(), "VFO from 5.4698M to 5.7589M");
    EXPECT_EQ(w->resultSum->text(), "RF sum:  17.47M to 17.759M");
    EXPECT_EQ(w->resultDiff->text(), "RF diff:  6.2411M to 6.5302M");
    EXPECT_EQ(w->resultCoarseSpan->text(), "Coarse-tune span:  289.13k");
    EXPECT_EQ(w->resultFineSpan->text(), "Fine-tune span:   8.587k");
    EXPECT_EQ(DesignValues.CfineNom, 25e-12f);
    EXPECT_TRUE(answers.messages.empty());

    const float vfoMin = TuningResults.VfoMin;
    Type(Child<QLineEdit>(w, "Text9"), "1u");
    EXPECT_EQ(DesignValues.L7, static_cast<float>(static_cast<double>(4.7f) * 1e-6f));
    EXPECT_EQ(TuningResults.VfoMin, vfoMin);
    EXPECT_EQ(w->resultVfo->text(), "VFO from 5.4698M to 5.7589M");
}

// The window keeps its schematic and paints it again: piece by piece it is the same picture
// as painted whole, and the accept step, which draws it afresh, leaves it as it was.
TEST_F(DesignWindowTest, TheSchematicPaintsTheSameInPiecesAndAfterAccept) {
    DesignPage* w = Open();
    const QImage whole = w->picture();
    QImage blank(whole.size(), whole.format());
    blank.fill(whole.pixel(0, 0));
    EXPECT_FALSE(whole == blank);  // the schematic's lines and captions are there
    QImage pieces(whole.size(), whole.format());
    constexpr int piece = 40;
    for (int y = 0; y < whole.height(); y += piece) {
        for (int x = 0; x < whole.width(); x += piece) {
            w->render(&pieces, QPoint(x, y), QRegion(x, y, piece, piece), {});
        }
    }
    EXPECT_TRUE(pieces == whole);
    QTest::mouseClick(w->acceptButton, Qt::LeftButton);
    EXPECT_TRUE(w->picture() == whole);
}

// Each component box, entered as zero and as a negative value, takes its floor and shows
// empty; the IF box takes what it reads, zero and negative values alike.
TEST_F(DesignWindowTest, EveryFloorOfTheAcceptStep) {
    const std::pair<const char*, float DesignRecord::*> boxes[] = {
        {"Text10", &DesignRecord::CfineMin},  {"Text1", &DesignRecord::CfineMax},
        {"Text2", &DesignRecord::C39},        {"Text3", &DesignRecord::C37},
        {"Text4", &DesignRecord::CcoarseMin}, {"Text0", &DesignRecord::CcoarseMax},
        {"Text5", &DesignRecord::C90},        {"Text6", &DesignRecord::C15},
        {"Text7", &DesignRecord::C34},        {"Text8", &DesignRecord::C35},
        {"Text9", &DesignRecord::L7}};
    DesignPage* w = Open();
    for (const auto& [name, field] : boxes) {
        const float floor = field == &DesignRecord::L7 ? 9.99999996e-13f : 9.99999982e-15f;
        for (const char* entry : {"0", "-47p"}) {
            TypeWorkedExample(w);
            Type(Child<QLineEdit>(w, name), QLatin1String(entry));
            QTest::keyClick(Child<QLineEdit>(w, name),
                            Qt::Key_Return);  // Enter in a box reads the entries
            EXPECT_EQ(DesignValues.*field, floor) << name << " " << entry;
            EXPECT_EQ(Child<QLineEdit>(w, name)->text(), "") << name;
            const std::string floorText = field == &DesignRecord::L7 ? "1pH" : "0.01pF";
            const std::string read = std::string(entry[0] == '0' ? "0" : "-47p") +
                                     (field == &DesignRecord::L7 ? "H:" : "F:");
            EXPECT_EQ(Child<QLineEdit>(w, name)->toolTip().toStdString(),
                      "read as " + read + " the smallest value, " + floorText + ", taken")
                << name << " " << entry;
            EXPECT_EQ(DesignValues.IF, 12e6f);
        }
    }
    for (const auto& [entry, value, shown] :
         {std::tuple{"0", 0.0f, "0.0 "}, std::tuple{"-10M", -1e7f, "-1E+10m"}}) {
        Type(w->boxIF, QLatin1String(entry));
        QTest::mouseClick(w->acceptButton, Qt::LeftButton);
        EXPECT_EQ(DesignValues.IF, value);
        EXPECT_EQ(w->boxIF->text(), QLatin1String(shown));
    }
}

TEST_F(DesignWindowTest, OverflowInTheNominalValueIsASchematicError) {
    DesignValues.CfineMin = 3e38f;
    DesignValues.CfineMax = 3e38f;
    DesignValues.C39 = 5e-12f;
    DesignPage* w = Open();
    EXPECT_EQ(answers.messages, std::vector<std::string>{"Calbrine: We had a schematic error"});
    // Boxes written before the failure keep their texts; later ones are not written.
    EXPECT_EQ(Child<QLineEdit>(w, "Text1")->text(), "3E+32MEG");
    EXPECT_EQ(Child<QLineEdit>(w, "Text2")->text(), "");
    EXPECT_EQ(DesignValues.CfineNom, 0.0f);
    // The results are still computed, and show no "nan" or "inf".
    EXPECT_FALSE(w->resultVfo->text().contains(QRegularExpression("nan|inf")));
}

TEST_F(DesignWindowTest, FixedCaptionsOfTheFourWindows) {
    std::vector<std::string> failures;
    const auto check = [&](const std::string& window, QWidget* w) {
        for (const Row& row : Table("window-captions.txt")) {
            if (row.words[0] != window) {
                continue;
            }
            const QString shown =  // a caption as the window on the screen shows it
                row.words[1] == "-"
                    ? w->window()->windowTitle()
                    : Text(w->findChild<QWidget*>(QString::fromStdString(row.words[1])));
            if (shown != QString::fromStdString(row.text)) {
                failures.push_back(window + " " + row.words[1] + ": " + shown.toStdString());
            }
        }
    };
    check("frmOpening", showOpeningPage());
    check("frmDesign", Open());
    check("frmBlank", showBlankPage());
    SetModalRunner([&](QDialog& dialog) {
        check("frmExit", &dialog);
        return 0;
    });
    showExitDialog();
    EXPECT_EQ(failures, std::vector<std::string>{});
}

// A name typed without a suffix is saved with the filter's, and the dialogs then open in the
// folder of the file used last; a suffix typed stays.
TEST_F(DesignWindowTest, SavedNamesGetTheirSuffixAndTheDialogsTheLastFolder) {
    namespace fs = std::filesystem;
    fs::create_directories("designs");
    fs::create_directories("spice");
    DesignValues = calbrine_test::workedExample;
    showDesignPage();
    answers.files = {std::string("designs/my40m")};
    QTest::mouseClick(Design()->saveFileButton, Qt::LeftButton);
    EXPECT_TRUE(fs::exists("designs/my40m.TXT"));
    answers.files = {std::string("spice/osc"), std::string("spice/osc.v2.asc")};
    QTest::mouseClick(Design()->spiceButton, Qt::LeftButton);
    EXPECT_TRUE(fs::exists("spice/osc.ASC"));
    QTest::mouseClick(Design()->spiceButton, Qt::LeftButton);
    EXPECT_TRUE(fs::exists("spice/osc.v2.asc"));
    QTest::mouseClick(Design()->readFileButton, Qt::LeftButton);
    ASSERT_EQ(answers.requests.size(), 4u);
    EXPECT_EQ(answers.requests[1].folder, fs::absolute("designs").string());
    EXPECT_EQ(answers.requests[3].folder, fs::absolute("spice").string());
    // Read file finds "my40m" as Save file wrote it, with its suffix.
    DesignValues = calbrine_test::reversedExample;
    answers.files = {std::string("designs/my40m")};
    QTest::mouseClick(Design()->readFileButton, Qt::LeftButton);
    EXPECT_EQ(DesignValues.C37, calbrine_test::workedExample.C37);
    EXPECT_EQ(DesignFileName, "designs/my40m.TXT");
}

// Save with an entry typed but not read asks first: read it and save, save the design last
// read, or cancel; with nothing typed it saves without asking.
TEST_F(DesignWindowTest, SaveWithEntriesNotReadAsksFirst) {
    const std::pair<std::size_t, float> rows[] = {{0, 33e-12f}, {1, 0}, {2, -1}};
    for (const auto& [choice, savedC15] : rows) {
        SCOPED_TRACE(choice);
        DesignValues = calbrine_test::workedExample;
        showDesignPage();
        const float readC15 = DesignValues.C15;
        Type(Design()->boxC15, "33p");
        answers.choices = {choice};
        answers.questions.clear();
        answers.files = {std::string("asked.TXT")};
        std::filesystem::remove("asked.TXT");
        QTest::mouseClick(Design()->saveFileButton, Qt::LeftButton);
        EXPECT_EQ(answers.questions.size(), 1u);
        ASSERT_EQ(std::filesystem::exists("asked.TXT"), choice != 2);
        if (choice != 2) {
            DesignValues = DesignRecord{};
            ReadDesignFile("asked.TXT");
            EXPECT_EQ(DesignValues.C15, savedC15 > 0 ? savedC15 : readC15);
        } else {
            EXPECT_EQ(Design()->boxC15->text(), "33p");  // the typing stays for another go
        }
        answers.files.clear();
        unloadDesignPage();
    }
    DesignValues = calbrine_test::workedExample;
    showDesignPage();
    answers.questions.clear();
    answers.files = {std::string("asked.TXT")};
    QTest::mouseClick(Design()->saveFileButton, Qt::LeftButton);
    EXPECT_TRUE(answers.questions.empty());
}

// A box whose text was not taken in full says what it read until the user edits it; a box
// taken in full says nothing.
TEST_F(DesignWindowTest, BoxesSayWhatTheyRead) {
    DesignPage* w = Open();
    TypeWorkedExample(w);
    Type(w->boxC15, "22o");
    Type(w->boxC37, "2,2n");
    Type(w->boxIF, "12MHz");
    QTest::mouseClick(w->acceptButton, Qt::LeftButton);
    EXPECT_EQ(DesignValues.C15, 22.0f);
    EXPECT_EQ(w->boxC15->toolTip(), QString("read as 22F: 'o' ignored"));
    EXPECT_EQ(w->boxC15->accessibleDescription(), w->boxC15->toolTip());
    EXPECT_EQ(w->boxC37->toolTip(), QString("read as 22nF: ',' ignored"));
    EXPECT_TRUE(w->boxIF->toolTip().isEmpty());
    EXPECT_TRUE(w->boxC34->toolTip().isEmpty());
    // The note line says the same where it is seen, with the mend of a decimal comma.
    EXPECT_EQ(w->noteLine->toolTip(), QString("C37: '2,2n' read as 22nF: ',' ignored: write "
                                              "2.2n; C15: '22o' read as 22F: 'o' ignored"));
    EXPECT_FALSE(w->noteLine->text().isEmpty());
    QTest::keyClick(w->boxC15, Qt::Key_Backspace);
    EXPECT_TRUE(w->boxC15->toolTip().isEmpty());
    EXPECT_EQ(w->boxC37->toolTip(), QString("read as 22nF: ',' ignored"));
    // A floor and a value beyond what its box shows are said too; a clean accept clears it.
    Type(w->boxC15, "0");
    Type(w->boxC37, "2.2n");
    Type(w->boxIF, "1e99");
    QTest::mouseClick(w->acceptButton, Qt::LeftButton);
    EXPECT_EQ(w->noteLine->toolTip().toStdString(),
              "C15: '0' read as 0F: the smallest value, 0.01pF, taken; IF: '1e99' read as "
              "10GHz, the most a box takes");
    TypeWorkedExample(w);
    QTest::mouseClick(w->acceptButton, Qt::LeftButton);
    EXPECT_TRUE(w->noteLine->text().isEmpty());
}

TEST_F(DesignWindowTest, TheNoteLineSaysWhatAFileHeldAndHowToBeginWithoutADesign) {
    DesignPage* w = Open();
    EXPECT_TRUE(w->noteLine->text().contains("\"Get defaults\" (Ctrl+D) loads the example"));
    std::ofstream("odd.TXT") << "Calbrine design file\n8 Dec 2026\n10\n40\nC37: 9M\n";
    answers.files.push_back("odd.TXT");
    QTest::mouseClick(w->readFileButton, Qt::LeftButton);
    w = Design();
    EXPECT_EQ(w->noteLine->toolTip().toStdString(),
              "line 5 'C37:' holds C39's place: design files are read by position; C39: '9M' "
              "read as 9 F: write 9E6; the file ends before C37's line: C37, CcoarseMin, "
              "CcoarseMax, C90, C15, C34, C35, L7 and IF are not in it");
}
