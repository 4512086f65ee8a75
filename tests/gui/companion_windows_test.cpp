// The simulation window with ngspice, and the explorer and simulation windows as the design
// window opens them: the fit taken into the boxes, refusals.
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <filesystem>
#include <fstream>

#include "../simulation/sim_test_support.h"
#include "GuiTestSupport.h"
#include "analysis/Drift.h"
#include "analysis/HeatRun.h"
#include "design/Tuning.h"
#include "engineering/EngineeringText.h"
#include "simulation/SimulatedNetlist.h"
#include "simulation/SimulationText.h"
#include "windows/DesignCompanions.h"
#include "windows/DesignPage.h"
#include "windows/HarmonicsPlot.h"
#include "windows/RunPanel.h"
#include "windows/SimulationWindow.h"
#include "windows/WaveformPlot.h"
#include "windows/explorer/ExplorerWindow.h"
#include "windows/explorer/HeatRunPlot.h"
#include "windows/explorer/TabHelpers.h"

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
    // A simulator start-up file in the working folder runs nothing and changes no figure.
    std::ofstream(".spiceinit") << "shell touch spiceinit_ran\noption reltol=0.2 method=gear\n";
    SimulationWindow window, second;
    window.show();
    ASSERT_TRUE(window.simulate(workedExample));
    ASSERT_TRUE(second.simulate(workedExample));  // one run keeps every processor busy
    EXPECT_FALSE(second.panel()->running());
    EXPECT_NE(second.panel()->status().indexOf("already running"), -1);
    EXPECT_FALSE(Child<QSpinBox>(&window, "jobs")->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.panel()->running(); }, 120000));
    EXPECT_TRUE(window.panel()->status().startsWith("Simulated 4 settings with ngspice in "));
    EXPECT_TRUE(answers.messages.empty());

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
    EXPECT_FALSE(std::filesystem::exists("spiceinit_ran"));
}

// A lost worker is said in the window's panel, with the setting it cost, and the window runs
// again: after a failure, after Cancel and with another number of processes.
TEST_F(CompanionWindowsTest, ALostWorkerIsSaidInThePanelAndTheWindowRunsAgain) {
    SimulationWindow window;
    window.show();
    window.setWorkerCommand(calbrine_test::TestWorkers("--crash").worker);
    const RunPanel* panel = window.panel();
    ASSERT_TRUE(window.simulate(workedExample));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !panel->running(); }, 10000));
    // Both workers crash; the panel names the setting whose loss was seen first.
    EXPECT_TRUE(panel->status().startsWith("The simulation did not complete. The simulation of "))
        << panel->status().toStdString();
    EXPECT_NE(panel->status().indexOf(" was lost: its worker process was killed by signal 6"), -1);
    EXPECT_TRUE(answers.messages.empty());
    EXPECT_TRUE(Child<QSpinBox>(&window, "jobs")->isEnabled());

    window.setWorkerCommand(calbrine_test::TestWorkers("--hang").worker);
    auto* start = Child<QPushButton>(&window, "start");
    QTest::mouseClick(start, Qt::LeftButton);  // runs again
    ASSERT_TRUE(panel->running());
    QTest::mouseClick(Child<QPushButton>(&window, "cancel"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !panel->running(); }, 10000));
    EXPECT_EQ(panel->status(), "Cancelled.");
    EXPECT_EQ(Child<QTableWidget>(&window, "results")->rowCount(), 0);
    Child<QSpinBox>(&window, "jobs")->setValue(1);
    QTest::mouseClick(start, Qt::LeftButton);  // and after Cancel, with one process
    ASSERT_TRUE(panel->running());
    EXPECT_FALSE(Child<QSpinBox>(&window, "jobs")->isEnabled());
    DesignRecord other = workedExample;
    other.L7 = 2.2e-6f;
    ASSERT_TRUE(window.simulate(other));  // another design: the run for the last one stops
    EXPECT_TRUE(panel->running());
    window.close();
    EXPECT_FALSE(panel->running());
    EXPECT_TRUE(answers.messages.empty());
}

// A design that cannot be simulated is refused in a message, before any run.
TEST_F(CompanionWindowsTest, RefusedDesignNeverRuns) {
    DesignRecord slow = workedExample;
    slow.L7 = 1e10f;  // 0.3 Hz
    SimulationWindow window;
    window.show();
    EXPECT_FALSE(window.simulate(slow));
    EXPECT_FALSE(window.panel()->running());
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_NE(answers.messages[0].find("outside the simulated range"), std::string::npos);
    EXPECT_FALSE(Child<QPushButton>(&window, "saveNetlist")->isEnabled());
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

// The heat run's readings, made from the worked example's own calculated drift at VfoMin, are
// kept beside the design; "Apply" puts the pair's sum through the design window's accept step,
// where it can be undone, and its coefficient into the settings.
TEST_F(CompanionWindowsTest, HeatRunAppliesThePairThroughTheAcceptStepAndItsCoefficient) {
    showDesignPage();
    DesignValues = workedExample;
    answers.files = {std::string("heat.TXT")};
    QTest::mouseClick(Design()->saveFileButton, Qt::LeftButton);
    QTest::mouseClick(Design()->exploreButton, Qt::LeftButton);
    ExplorerWindow* explorer = openExplorer();
    ASSERT_NE(explorer, nullptr);
    const double drift = DriftAt(workedExample, PartSettings{}, workedExample.CcoarseMax);
    const double f25 = VfoAtCoarse(workedExample, workedExample.CcoarseMax);
    auto* table = Child<QTableWidget>(explorer, "heatRunTable");
    for (int row = 0; row < 2; ++row) {
        QTest::mouseClick(Child<QPushButton>(explorer, "addHeatReading"), Qt::LeftButton);
        const double t = row == 0 ? 20 : 45;
        table->item(row, 0)->setText(QString::number(t));
        table->item(row, 1)->setText(QString::number(f25 + drift * (t - 25), 'f', 4));
    }
    EXPECT_NEAR(Child<HeatRunPlot>(explorer, "heatRunPlot")->drift().hzPerC, drift, 0.01);
    EXPECT_NEAR(table->item(1, 2)->text().toDouble(), 0, 1e-3);
    PartSettings kept;
    ASSERT_EQ(ReadSettingsFile("heat.TXT.explore", kept), "");
    ASSERT_EQ(kept.heatRun.readings.size(), 2u);
    EXPECT_EQ(kept.heatRun.readings[1].temperatureC, 45);
    ExplorerWindow again(workedExample);
    EXPECT_EQ(Child<QTableWidget>(&again, "heatRunTable")->rowCount(), 2);

    HeatRunRequest request;
    request.series = *SeriesNamed(shippedValueSeries(), "E12");
    const Compensation want =
        AnalyseHeatRun(workedExample, PartSettings{}, kept.heatRun.readings, request).compensation;
    ASSERT_TRUE(want.possible) << want.reason;
    auto* report = Child<QPlainTextEdit>(explorer, "heatRunReport");
    EXPECT_TRUE(report->toPlainText().contains(QString::fromStdString(PairText(want))))
        << report->toPlainText().toStdString();
    auto* apply = Child<QPushButton>(explorer, "applyHeatRun");
    // A reading or a setting that does not read stops the compensation.
    const QString measured = table->item(1, 1)->text();
    table->item(1, 1)->setText("5,4M");
    EXPECT_TRUE(report->toPlainText().startsWith("Row 2: \"45=5,4M\" is not TEMP=HZ"));
    EXPECT_FALSE(apply->isEnabled());
    table->item(1, 1)->setText(measured);
    EXPECT_TRUE(apply->isEnabled());
    auto* setting = Child<QLineEdit>(explorer, "heatRunSetting");
    Type(setting, "FineLow");
    EXPECT_TRUE(report->toPlainText().startsWith("Setting: \"FineLow\" is not"));
    EXPECT_FALSE(apply->isEnabled());
    Type(setting, "vfomin");
    EXPECT_TRUE(apply->isEnabled());

    QTest::mouseClick(apply, Qt::LeftButton);
    EXPECT_EQ(DesignValues.C37, want.design.C37);
    EXPECT_EQ(explorer->design().C37, want.design.C37);
    PartSettings after;
    ASSERT_EQ(ReadSettingsFile("heat.TXT.explore", after), "");
    EXPECT_NEAR(after.Tc(Part::C37), want.effectivePpm, 1e-6);
    EXPECT_TRUE(after.heatRun.readings.empty());
    EXPECT_EQ(table->rowCount(), 0);
    EXPECT_TRUE(
        report->toPlainText().startsWith("Applied: C37 " + QString::fromStdString(PairText(want))));
    QMetaObject::invokeMethod(designPage(), "onUndo");  // the design page's undo, Ctrl+Alt+Z
    EXPECT_EQ(DesignValues.C37, workedExample.C37);
    EXPECT_EQ(explorer->design().C37, workedExample.C37);
}
