// The simulation window with ngspice, and the explorer and simulation windows as the design
// window opens them: the fit taken into the boxes, refusals.
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>

#include "../simulation/sim_test_support.h"
#include "GuiTestSupport.h"
#include "design/Tuning.h"
#include "engineering/EngineeringText.h"
#include "simulation/SimulatedNetlist.h"
#include "simulation/SimulationText.h"
#include "windows/DesignCompanions.h"
#include "windows/DesignPage.h"
#include "windows/ExplorerWindow.h"
#include "windows/HarmonicsPlot.h"
#include "windows/SimulationWindow.h"
#include "windows/WaveformPlot.h"

using namespace calbrine;
using calbrine_test::Child;
using calbrine_test::NgspiceMissing;
using calbrine_test::workedExample;

namespace {

using CompanionWindowsTest = calbrine_test::WindowTest;

}  // namespace

TEST_F(CompanionWindowsTest, WorkedExampleSimulatedNearTheCalculationOneRunAtATime) {
    if (const std::string why = NgspiceMissing(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    DesignValues = calbrine_test::WithDivider(1e-6f);  // the program's design, left alone
    SimulationWindow window, second;
    window.show();
    ASSERT_TRUE(window.simulate(workedExample));
    EXPECT_FALSE(second.simulate(workedExample));  // one run keeps every processor busy
    EXPECT_FALSE(Child<QSpinBox>(&window, "jobs")->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.running(); }, 120000));
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_NE(answers.messages[0].find("already running"), std::string::npos);

    // The table shows the rows the command line prints, and copies them as it prints them.
    auto* table = Child<QTableWidget>(&window, "results");
    const SimulationRows rows = SimulationTableRows(window.report());
    EXPECT_EQ(calbrine_test::Headings(table), rows.columns);
    ASSERT_EQ(calbrine_test::Cells(table), rows.rows);
    EXPECT_EQ(table->item(1, 1)->text(), "5 758 925 Hz");
    EXPECT_NE(table->item(3, 2)->text().indexOf(" \u00b1 "), -1);
    QTest::mouseClick(Child<QPushButton>(&window, "copyResults"), Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), SimulationTable(window.report()));

    // The waveform and spectrum follow the setting chosen, and its netlist is saved.
    Child<QComboBox>(&window, "waveSetting")->setCurrentIndex(2);
    EXPECT_EQ(window.plot()->volts(), window.report().settings[2].outputVolts);
    EXPECT_EQ(window.spectrum()->levels().dbc, window.report().settings[2].harmonics.dbc);
    answers.files = {std::string("FineLow.cir")};
    QTest::mouseClick(Child<QPushButton>(&window, "saveNetlist"), Qt::LeftButton);
    EXPECT_EQ(answers.requests.back().fileName, "FineLow.cir");
    EXPECT_EQ(calbrine_test::FileText("FineLow.cir"),
              SimulatedNetlist(workedExample, TuningSetting::FineLow));
    EXPECT_EQ(DesignValues.C34, 1e-6f);
}

TEST_F(CompanionWindowsTest, ALostWorkerLeavesTheWindowUsable) {
    SimulationWindow window;
    window.show();
    window.setWorkerCommand(calbrine_test::TestWorkers("--crash").worker);
    ASSERT_TRUE(window.simulate(workedExample));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.running(); }, 10000));
    ASSERT_EQ(answers.messages.size(), 1u);
    // Both workers crash; the message names the setting whose loss was seen first.
    EXPECT_NE(answers.messages[0].find(" was lost: its worker process was killed by signal 6"),
              std::string::npos)
        << answers.messages[0];
    EXPECT_EQ(Child<QLabel>(&window, "status")->text(), "The simulation did not complete.");
    EXPECT_TRUE(Child<QSpinBox>(&window, "jobs")->isEnabled());
    ASSERT_TRUE(window.simulate(workedExample));  // and runs again
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.running(); }, 10000));
    EXPECT_EQ(answers.messages.size(), 2u);
}

TEST_F(CompanionWindowsTest, RefusedDesignNeverRunsAndCancelStopsARunPromptly) {
    DesignRecord slow = workedExample;
    slow.L7 = 1e10f;  // 0.3 Hz
    SimulationWindow window;
    window.show();
    EXPECT_FALSE(window.simulate(slow));
    EXPECT_FALSE(window.running());
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_NE(answers.messages[0].find("outside the simulated range"), std::string::npos);
    if (const std::string why = NgspiceMissing(); !why.empty()) {
        GTEST_SKIP() << why;
    }

    ASSERT_TRUE(window.simulate(workedExample));
    auto* progress = Child<QProgressBar>(&window, "progress");
    ASSERT_TRUE(QTest::qWaitFor([&] { return progress->value() > 0; }, 30000));
    QElapsedTimer stopping;
    stopping.start();
    QTest::mouseClick(Child<QPushButton>(&window, "cancel"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.running(); }, 5000));
    EXPECT_LT(stopping.elapsed(), 500);
    EXPECT_EQ(Child<QTableWidget>(&window, "results")->rowCount(), 0);
    EXPECT_EQ(answers.messages.size(), 1u);  // a cancel is no error
}

TEST_F(CompanionWindowsTest, DesignWindowOpensThemAndTakesTheFitThroughItsAcceptStep) {
    showDesignPage();
    DesignPage* w = Design();
    // The first start's all-zero design cannot be simulated: a message and no window.
    QTest::mouseClick(w->simulateButton, Qt::LeftButton);
    EXPECT_EQ(openSimulation(), nullptr);
    ASSERT_EQ(answers.messages.size(), 1u);

    DesignValues = workedExample;
    answers.files = {std::string("worked.TXT")};
    QTest::mouseClick(w->saveFileButton, Qt::LeftButton);  // rebuilds the window from the example
    w = designPage();
    QTest::mouseClick(w->exploreButton, Qt::LeftButton);
    ExplorerWindow* explorer = openExplorer();
    ASSERT_NE(explorer, nullptr);
    Type(Child<QLineEdit>(explorer, "bandLow"), "6.3M");
    Type(Child<QLineEdit>(explorer, "bandHigh"), "6.5M");
    QSignalSpy applied(explorer, &ExplorerWindow::applyFit);
    QTest::mouseClick(Child<QPushButton>(explorer, "solveFit"), Qt::LeftButton);
    QTest::mouseClick(Child<QPushButton>(explorer, "applyFit"), Qt::LeftButton);
    ASSERT_EQ(applied.count(), 1);
    float fittedL7 = applied.at(0).at(0).value<DesignRecord>().L7;
    FormatInductance(fittedL7, WorkText);
    EXPECT_EQ(w->boxL7->text().toStdString(), WorkText);
    EXPECT_NE(WorkText, "4.7uH");
    // The accept step read the boxes: the results show the band, and the explorer follows.
    EXPECT_NEAR(12e6 - TuningResults.VfoMin, 6.5e6, 6.5e3);
    EXPECT_NEAR(12e6 - TuningResults.VfoMax, 6.3e6, 6.3e3);
    EXPECT_EQ(explorer->design().L7, DesignValues.L7);
    Type(Child<QLineEdit>(explorer, "bandLow"), "3.5M");  // beyond the design's swing
    QTest::mouseClick(Child<QPushButton>(explorer, "solveFit"), Qt::LeftButton);
    EXPECT_FALSE(Child<QPushButton>(explorer, "applyFit")->isEnabled());

    // Reading the file back rebuilds the design window; the explorer stays and follows it.
    answers.files = {std::string("worked.TXT")};
    QTest::mouseClick(w->readFileButton, Qt::LeftButton);
    Settle();
    ASSERT_EQ(openExplorer(), explorer);
    EXPECT_EQ(explorer->design().L7, workedExample.L7);
    DesignRecord fitted = workedExample;
    fitted.C37 = 68e-12f;
    emit explorer->applyFit(fitted);
    EXPECT_EQ(designPage()->boxC37->text(), "68pF");
    EXPECT_EQ(DesignValues.C37, 68e-12f);
}
