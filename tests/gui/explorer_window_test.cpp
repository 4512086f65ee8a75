// The design explorer window: curve, dial table, picture files, the settings kept beside the
// design. Its fit is tried through the design window that opens it.
#include <QApplication>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <cmath>
#include <filesystem>

#include "../simulation/sim_test_support.h"
#include "GuiTestSupport.h"
#include "analysis/Reports.h"
#include "design/DesignSession.h"
#include "design/Tuning.h"
#include "platform/QtPrinting.h"
#include "windows/explorer/CurvePlot.h"
#include "windows/explorer/DialScaleView.h"
#include "windows/explorer/ExplorerWindow.h"

using namespace calbrine;
using calbrine_test::Cells;
using calbrine_test::Child;
using calbrine_test::FileText;
using calbrine_test::Headings;

namespace {

const DesignRecord example = calbrine_test::workedExample;

class ExplorerWindowTest : public calbrine_test::WindowTest {
  protected:
    ExplorerWindow window{example};
};

}  // namespace

// The dial and drift tables hold, cell for cell, the rows the command line prints under the
// same headings, and "Copy as text" copies what `calbrine curve` prints.
TEST_F(ExplorerWindowTest, TablesShowWhatTheCommandLinePrints) {
    const auto* dial = Child<QTableWidget>(&window, "dialTable");
    EXPECT_EQ(Headings(dial), (std::vector<std::string>{"Step", "C38", "VFO", "RF sum", "RF diff",
                                                        "Fine span", "Hz/step"}));
    EXPECT_EQ(Cells(dial), DialTable(example, 11).TextRows());
    EXPECT_EQ(dial->item(0, 6)->text(), "-");
    QTest::mouseClick(Child<QPushButton>(&window, "copyDial"), Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), DialReport(example, 11));

    const auto* drift = Child<QTableWidget>(&window, "driftTable");
    EXPECT_EQ(Headings(drift),
              (std::vector<std::string>{"Part", "ppm/degC", "Low end", "High end"}));
    EXPECT_EQ(Cells(drift), DriftTable(AnalyseDrift(example, PartSettings{})).TextRows());
}

TEST_F(ExplorerWindowTest, CurveAndDialTableFollowTheDesign) {
    window.show();
    DesignValues = example;
    EvaluateTuning();
    const auto& curve = window.plot()->curve();
    ASSERT_EQ(curve.size(), 101u);
    EXPECT_EQ(curve.front().vfo, TuningResults.VfoMax);
    EXPECT_EQ(curve.back().vfo, TuningResults.VfoMin);
    auto* table = Child<QTableWidget>(&window, "dialTable");
    EXPECT_EQ(table->rowCount(), 11);
    EXPECT_EQ(table->item(10, 2)->text(), "5.4698M");
    Child<QSpinBox>(&window, "steps")->setValue(5);
    EXPECT_EQ(table->rowCount(), 5);

    const float before = curve.back().vfo;
    DesignRecord smaller = example;
    smaller.L7 = 2.2e-6f;
    window.followDesign(smaller);
    EXPECT_GT(window.plot()->curve().back().vfo, before * 1.4f);
    EXPECT_EQ(table->rowCount(), 5);
}

// Each save and print makes its file (the prints as PDF, through the print dialog's answer),
// a save's name given its suffix; a file that cannot be written is said, whichever button
// wrote it.
TEST_F(ExplorerWindowTest, TableAndPicturesSavedAndPrinted) {
    const char* buttons[] = {"saveDialCsv", "saveScalePdf",           "savePng",
                             "saveSvg",     "saveCalibratedScalePdf", "printCurve",
                             "printScale",  "printCalibratedScale"};
    const char* files[] = {"dial.csv",         "dial.pdf",         "curve.png",
                           "curve.svg",        "built.pdf",        "curve-printed.pdf",
                           "dial-printed.pdf", "built-printed.pdf"};
    std::string printing;
    SetPrintDialogRunner([&printing](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(printing));
        return true;
    });
    for (const std::string folder : {"", "no/such/folder/"}) {
        for (std::size_t i = 0; i < std::size(buttons); ++i) {
            // A save's name typed without its suffix gets the one its filter shows.
            const std::string typed = folder.empty() && i < 5
                                          ? std::filesystem::path(files[i]).stem().string()
                                          : folder + files[i];
            answers.files = {typed};
            printing = folder + files[i];
            QTest::mouseClick(Child<QPushButton>(&window, buttons[i]), Qt::LeftButton);
        }
    }
    SetPrintDialogRunner({});
    EXPECT_EQ(FileText("dial.csv").rfind("step,ccoarse_f,vfo_hz,", 0), 0u);
    for (const char* pdf :
         {"dial.pdf", "built.pdf", "curve-printed.pdf", "dial-printed.pdf", "built-printed.pdf"}) {
        EXPECT_EQ(FileText(pdf).rfind("%PDF", 0), 0u) << pdf;
    }
    EXPECT_EQ(FileText("curve.png").substr(1, 3), "PNG");
    EXPECT_NE(FileText("curve.svg").find("<svg"), std::string::npos);
    std::vector<std::string> said;
    for (std::size_t i = 0; i < std::size(files); ++i) {
        said.push_back(i < 5 ? "Calbrine: Could not write no/such/folder/" + std::string(files[i])
                             : "Printer Error: The file no/such/folder/" + std::string(files[i]) +
                                   " could not be written.");
    }
    EXPECT_EQ(answers.messages, said);
}

TEST_F(ExplorerWindowTest, SettingsGoWithTheDesignFile) {
    auto* l7 =
        static_cast<QDoubleSpinBox*>(Child<QTableWidget>(&window, "partsTable")->cellWidget(8, 2));
    l7->setValue(2);  // no file name yet: kept in memory
    EXPECT_FALSE(std::filesystem::exists("a.txt.explore"));
    DesignFileName = "a.txt";  // saved: the settings go along
    window.followDesign(example);
    PartSettings read;
    EXPECT_EQ(ReadSettingsFile("a.txt.explore", read), "");
    EXPECT_EQ(read.Tolerance(Part::L7), 2);

    DesignRecord other = example;  // another design, with no settings beside it
    other.L7 = 2.2e-6f;
    DesignFileName = "b.txt";
    window.followDesign(other);
    EXPECT_EQ(l7->value(), 10);
    DesignFileName = "a.txt";
    window.followDesign(example);
    EXPECT_EQ(l7->value(), 2);
    EXPECT_FALSE(std::filesystem::exists("b.txt.explore"));
}

// The fit speaks for itself: a band edge it cannot read in its own words, the mix it chose,
// and a result that follows the design, so that Apply never applies a fit of a design gone.
TEST_F(ExplorerWindowTest, FitFollowsTheDesignAndSaysWhatItRead) {
    auto* low = Child<QLineEdit>(&window, "bandLow");
    auto* report = Child<QPlainTextEdit>(&window, "fitReport");
    auto* apply = Child<QPushButton>(&window, "applyFit");
    auto solve = [&] {
        QTest::mouseClick(Child<QPushButton>(&window, "solveFit"), Qt::LeftButton);
    };
    low->setText("7,0M");
    solve();
    EXPECT_EQ(report->toPlainText().toStdString(),
              "The band's low edge: \"7,0M\" has a comma: write the decimal point as \".\", such "
              "as 7.2M.");
    EXPECT_FALSE(apply->isEnabled());

    low->setText("7M");
    solve();
    EXPECT_TRUE(report->toPlainText().startsWith(
        "Mix: the difference, the product that reaches the band\nBand 7M to 7.2M"));
    ASSERT_TRUE(apply->isEnabled());

    DesignRecord other = example;
    other.C15 = 68e-12f;
    window.followDesign(other);
    QSignalSpy applied(&window, &ExplorerWindow::applyFit);
    QTest::mouseClick(apply, Qt::LeftButton);
    ASSERT_EQ(applied.count(), 1);
    const DesignRecord fitted = applied.at(0).at(0).value<DesignRecord>();
    EXPECT_EQ(fitted.C15, 68e-12f);
    EXPECT_EQ(fitted.L7, SolveFit(other, {{7e6, 7.2e6}, Mix::Difference}).design.L7);
}

TEST_F(ExplorerWindowTest, CalibrateTabSolvesReadingsKeepsThemAndAppliesTheBuild) {
    DesignFileName = "c.txt";
    window.followDesign(example);
    DesignRecord built = example;
    built.L7 = example.L7 * 1.03f;
    built.C90 = example.C90 + 4.7e-12f;
    const float cfine = (example.CfineMax + example.CfineMin) / 2;
    auto* table = Child<QTableWidget>(&window, "readingsTable");
    auto* report = Child<QPlainTextEdit>(&window, "calibrationReport");
    for (int row = 0; row < 2; ++row) {
        QTest::mouseClick(Child<QPushButton>(&window, "addReading"), Qt::LeftButton);
        const float coarse = row == 0 ? built.CcoarseMin : built.CcoarseMax;
        table->item(row, 0)->setText(row == 0 ? "0" : "100");
        table->item(row, 1)->setText(
            QString::number(ResonanceFrequency(built, cfine, coarse), 'f', 1));
    }
    EXPECT_LT(std::fabs(table->item(1, 3)->text().toDouble()), 1)
        << table->item(1, 3)->text().toStdString();
    EXPECT_NEAR(table->item(0, 2)->text().toDouble(), table->item(0, 1)->text().toDouble(), 1);
    EXPECT_TRUE(report->toPlainText().contains("+3 %")) << report->toPlainText().toStdString();
    PartSettings kept;
    EXPECT_EQ(ReadSettingsFile("c.txt.explore", kept), "");
    ASSERT_EQ(kept.readings.size(), 2u);
    EXPECT_EQ(kept.readings[1].positionPercent, 100);

    // The built VFO's scale and the parts that land a band on it.
    const DialFace want = LayOutDial(built, Mix::Difference, 50);
    const DialFace& face = Child<DialScaleView>(&window, "calibratedScale")->face();
    ASSERT_EQ(face.texts.size(), want.texts.size());
    for (std::size_t i = 0; i < want.texts.size(); ++i) {
        EXPECT_EQ(face.texts[i].text, want.texts[i].text);
        EXPECT_NEAR(face.texts[i].at.x, want.texts[i].at.x, 0.1) << want.texts[i].text;
    }
    Type(Child<QLineEdit>(&window, "calibrationBandLow"), "6.3M");
    Type(Child<QLineEdit>(&window, "calibrationBandHigh"), "6.5M");
    EXPECT_TRUE(
        Child<QLabel>(&window, "benchChange")->text().startsWith("To land 6.3M to 6.5M: C37"));

    QSignalSpy applied(&window, &ExplorerWindow::applyFit);
    auto* apply = Child<QPushButton>(&window, "applyCalibration");
    QTest::mouseClick(apply, Qt::LeftButton);
    ASSERT_EQ(applied.count(), 1);
    const auto calibrated = applied.at(0).at(0).value<DesignRecord>();
    EXPECT_NEAR(calibrated.L7 / built.L7, 1, 2e-4);
    EXPECT_NEAR(calibrated.C90, built.C90, 0.02e-12);

    // A cell that does not read stops the solve and keeps the file as it was.
    table->item(1, 1)->setText("5,4M");
    EXPECT_TRUE(report->toPlainText().startsWith("Cannot calibrate: Row 2: \"100=5,4M\""));
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_EQ(table->item(1, 3)->text(), "");
    table->setCurrentCell(1, 0);
    QTest::mouseClick(Child<QPushButton>(&window, "removeReading"), Qt::LeftButton);
    EXPECT_TRUE(report->toPlainText().contains("two or more readings"));
    EXPECT_EQ(ReadSettingsFile("c.txt.explore", kept), "");
    EXPECT_EQ(kept.readings.size(), 1u);
    ExplorerWindow again(example);
    EXPECT_EQ(Child<QTableWidget>(&again, "readingsTable")->rowCount(), 1);
}

// Two explorers on two sessions: each keeps the settings of its own session's design file and
// sees nothing of the other's, or of the program's.
TEST_F(ExplorerWindowTest, TwoSessionsInTwoExplorersDoNotSeeEachOther) {
    OwnDesignSession first, second;
    first.Session().fileName = "first.TXT";
    second.Session().fileName = "second.TXT";
    DesignFileName = "program.TXT";
    ExplorerWindow a(example, nullptr, first.Session());
    ExplorerWindow b(example, nullptr, second.Session());
    a.followDesign(example);
    b.followDesign(example);
    const auto l7Of = [](ExplorerWindow& w) {
        return static_cast<QDoubleSpinBox*>(
            Child<QTableWidget>(&w, "partsTable")->cellWidget(8, 2));
    };
    l7Of(a)->setValue(3);
    PartSettings read;
    EXPECT_EQ(ReadSettingsFile("first.TXT.explore", read), "");
    EXPECT_EQ(read.Tolerance(Part::L7), 3);
    EXPECT_FALSE(std::filesystem::exists("second.TXT.explore"));
    EXPECT_FALSE(std::filesystem::exists("program.TXT.explore"));
    b.followDesign(example);
    EXPECT_EQ(l7Of(b)->value(), 10);
    EXPECT_EQ(l7Of(a)->value(), 3);
}

// Readings kept beside a design that has changed since are shown, not solved, until the user
// takes them for it; applying their calibration ties them to the calibrated design.
TEST_F(ExplorerWindowTest, ReadingsOfAnotherDesignAreNotSolvedSilently) {
    PartSettings kept;
    const float cfine = (example.CfineMax + example.CfineMin) / 2;
    kept.readings = {{0, ResonanceFrequency(example, cfine, example.CcoarseMin) * 1.01},
                     {100, ResonanceFrequency(example, cfine, example.CcoarseMax) * 1.01}};
    kept.readingsDesign = example;
    ASSERT_TRUE(WriteSettingsFile("r.txt.explore", kept));
    DesignFileName = "r.txt";
    DesignRecord changed = example;
    changed.L7 = 7.5e-6f;
    window.followDesign(changed);
    auto* report = Child<QPlainTextEdit>(&window, "calibrationReport");
    auto* apply = Child<QPushButton>(&window, "applyCalibration");
    auto* keep = Child<QPushButton>(&window, "keepReadings");
    EXPECT_TRUE(report->toPlainText().startsWith(
        "Cannot calibrate: these readings were taken against another design (L7 "))
        << report->toPlainText().toStdString();
    EXPECT_TRUE(report->toPlainText().contains(" then, 7.5uH now)"));
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_FALSE(keep->isHidden());

    window.followDesign(example);  // back to the readings' own design
    EXPECT_FALSE(report->toPlainText().startsWith("Cannot calibrate"));
    EXPECT_TRUE(keep->isHidden());
    window.followDesign(changed);
    QTest::mouseClick(keep, Qt::LeftButton);
    EXPECT_TRUE(apply->isEnabled());
    EXPECT_TRUE(keep->isHidden());
    ASSERT_EQ(ReadSettingsFile("r.txt.explore", kept), "");
    EXPECT_EQ(ReadingsDesignChange(kept, changed), "");

    QSignalSpy applied(&window, &ExplorerWindow::applyFit);
    QTest::mouseClick(apply, Qt::LeftButton);
    ASSERT_EQ(applied.count(), 1);
    window.followDesign(applied.at(0).at(0).value<DesignRecord>());
    EXPECT_TRUE(keep->isHidden());
    EXPECT_TRUE(apply->isEnabled());
}
