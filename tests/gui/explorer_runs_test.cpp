// The explorer's simulations of many runs: the Monte Carlo tab, the drift simulated and the
// tuning curve simulated for the dial, each on a thread of its own with progress and Cancel.
// Each runs few settings: every simulated setting costs about a second of a processor.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextBlock>
#include <cmath>
#include <numeric>

#include "../simulation/sim_test_support.h"
#include "GuiTestSupport.h"
#include "analysis/Reports.h"
#include "windows/explorer/CurvePlot.h"
#include "windows/explorer/CurveSimulation.h"
#include "windows/explorer/DialScaleView.h"
#include "windows/explorer/ExplorerWindow.h"
#include "windows/explorer/FitTab.h"
#include "windows/explorer/MonteCarloTab.h"
#include "windows/explorer/PartsTab.h"
#include "windows/explorer/RunHistogram.h"

using namespace calbrine;
using calbrine_test::Cells;
using calbrine_test::Child;
using calbrine_test::Headings;
using calbrine_test::NgspiceMissing;

namespace {

const DesignRecord example = calbrine_test::workedExample;

class ExplorerRunsTest : public calbrine_test::WindowTest {
  protected:
    ExplorerRunsTest() { window.setSimulatorOptions(calbrine_test::TestWorkers()); }

    void Press(const char* button) {
        QTest::mouseClick(Child<QPushButton>(&window, button), Qt::LeftButton);
    }
    // Waits for the run of `panel` to end; false when it did not within the time.
    static bool Finished(const RunPanel* panel, int milliseconds = 120000) {
        return QTest::qWaitFor([panel] { return !panel->running(); }, milliseconds);
    }
    QString Status(const char* name) { return Child<QLabel>(&window, name)->text(); }

    ExplorerWindow window{example};
};

// The angles of the dial's ticks, as the face draws them.
std::vector<double> Angles(const DialFace& face) {
    std::vector<double> angles;
    for (const DialTick& tick : face.ticks) {
        angles.push_back(std::atan2(tick.from.y, -tick.from.x));
    }
    return angles;
}

}  // namespace

// A few runs fill the table with the spread of their own runs, drawn with the tab's seed and
// the parts tab's tolerances, and the histograms count every run that oscillates. The results
// stay while the design does and go with a change of the design or of a tolerance.
TEST_F(ExplorerRunsTest, MonteCarloOfAFewRunsFillsTheTableAndTheHistograms) {
    if (const std::string why = NgspiceMissing(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    auto* tolerances = Child<QTableWidget>(&window, "partsTable");
    static_cast<QDoubleSpinBox*>(tolerances->cellWidget(static_cast<int>(Part::L7), 2))
        ->setValue(3);
    PartSettings settings;
    settings.Tolerance(Part::L7) = 3;
    Child<QSpinBox>(&window, "monteCarloRuns")->setValue(3);
    Child<QDoubleSpinBox>(&window, "monteCarloSeed")->setValue(7);
    Press("monteCarloStart");
    const auto* tab = Child<MonteCarloTab>(&window, "monteCarloTab");
    ASSERT_TRUE(Finished(tab->panel()));
    EXPECT_TRUE(Status("monteCarloStatus").startsWith("Simulated 3 runs in "))
        << Status("monteCarloStatus").toStdString();

    ASSERT_NE(tab->panel()->outcome(), nullptr);
    const std::vector<MonteCarloRun>& runs = tab->panel()->outcome()->runs;
    ASSERT_EQ(runs.size(), 3u);
    const std::vector<PartFactors> drawn = DrawFactors(settings, 3, 7);
    for (std::size_t r = 0; r < runs.size(); ++r) {
        EXPECT_EQ(runs[r].factors, drawn[r]) << r;
    }
    const auto spreads = MonteCarloSpreads(example, settings, runs);
    auto* table = Child<QTableWidget>(&window, "monteCarloTable");
    EXPECT_EQ(Cells(table), MonteCarloTable(spreads).TextRows());
    EXPECT_EQ(Headings(table), MonteCarloTable(spreads).Titles());
    for (std::size_t s = 0; s < 2; ++s) {
        // Every run of its own setting in its bin, the span reaching the worst case's ends.
        const RunHistogram* histogram = tab->histogram(s);
        std::vector<double> hz;
        for (const MonteCarloRun& run : runs) {
            if (run.settings[s].measure.oscillates) {
                hz.push_back(run.settings[s].measure.frequencyHz);
            }
        }
        EXPECT_EQ(hz.size(), 3u) << s;  // the worked example starts however its parts fall
        const std::vector<int>& counts = histogram->counts();
        EXPECT_EQ(std::accumulate(counts.begin(), counts.end(), 0), 3) << s;
        EXPECT_EQ(counts, binCounts(hz, histogram->from(), histogram->to(),
                                    static_cast<int>(counts.size())));
        EXPECT_LT(histogram->from(), spreads[s].worstLowHz);
        EXPECT_GT(histogram->to(), spreads[s].worstHighHz);
    }
    EXPECT_EQ(Status("monteCarloMissing"), "Every run oscillates at VfoMin and at VfoMax.");
    // Saved as the command line prints the same runs; a file that cannot be written is said.
    answers.files = {"runs.csv", "no/such/folder/runs.csv"};
    Press("saveMonteCarloCsv");
    EXPECT_EQ(calbrine_test::FileText("runs.csv"), MonteCarloCsv(runs));
    Press("saveMonteCarloCsv");
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0], "Calbrine: Could not write no/such/folder/runs.csv");

    window.followDesign(example);  // the same design: the runs stay
    EXPECT_NE(tab->panel()->outcome(), nullptr);
    EXPECT_EQ(table->rowCount(), 2);
    static_cast<QDoubleSpinBox*>(tolerances->cellWidget(static_cast<int>(Part::C37), 2))
        ->setValue(1);
    EXPECT_EQ(tab->panel()->outcome(), nullptr);
    EXPECT_EQ(table->rowCount(), 0);
    EXPECT_TRUE(tab->histogram(0)->counts().empty());
    EXPECT_EQ(Status("monteCarloMissing"), "");
    EXPECT_FALSE(Child<QPushButton>(&window, "saveMonteCarloCsv")->isEnabled());
}

// The tabs follow the design they run for: a new design stops a Monte Carlo run and says why,
// and closing the window ends a run at once. The workers never answer, so only a stop ends it.
TEST_F(ExplorerRunsTest, ANewDesignOrClosingTheWindowStopsARun) {
    window.setSimulatorOptions(calbrine_test::TestWorkers("--hang"));
    const auto* panel = Child<MonteCarloTab>(&window, "monteCarloTab")->panel();
    Press("monteCarloStart");
    ASSERT_TRUE(panel->running());
    window.followDesign(example);  // the same design: the run goes on
    EXPECT_TRUE(panel->running());
    DesignRecord other = example;
    other.L7 = 2.2e-6f;
    window.followDesign(other);
    EXPECT_FALSE(panel->running());
    EXPECT_EQ(Status("monteCarloStatus"),
              "Stopped: the design, the tolerances or the coil's Q changed.");
    EXPECT_EQ(Child<QTableWidget>(&window, "monteCarloTable")->rowCount(), 0);
    Press("monteCarloStart");
    ASSERT_TRUE(panel->running());
    window.close();
    EXPECT_FALSE(panel->running());
    EXPECT_TRUE(answers.messages.empty());
}

// The runs' lines and bins: each frequency counts once, in the bin it falls in, the upper end
// in the last bin; the runs that did not oscillate are counted at each setting.
TEST(ExplorerRunsText, BinsAndTheRunsThatDidNotOscillate) {
    EXPECT_EQ(binCounts({0, 0.99, 1, 2.5, 10, 10.01, -0.1}, 0, 10, 4),
              std::vector<int>({3, 1, 0, 1}));
    EXPECT_EQ(binCounts({5}, 5, 5, 3), std::vector<int>({0, 0, 0}));
    std::array<SettingSpread, 2> spreads;
    spreads[0] = {TuningSetting::VfoMin, 100, 98};
    spreads[1] = {TuningSetting::VfoMax, 100, 100};
    EXPECT_EQ(oscillationLine(spreads),
              "Runs that did not oscillate: 2 of 100 at VfoMin, 0 of 100 at VfoMax.");
    spreads[0].oscillating = 100;
    EXPECT_EQ(oscillationLine(spreads), "Every run oscillates at VfoMin and at VfoMax.");
    spreads[1].oscillating = 0;
    EXPECT_EQ(oscillationLine(spreads),
              "Runs that did not oscillate: 0 of 100 at VfoMin, 100 of 100 at VfoMax.");
}

// A lost worker is said in the tab, not in a message box; while a run has the workers,
// another tab's run waits its turn. Ctrl+R starts the run of the tab on show only.
TEST_F(ExplorerRunsTest, LostWorkerIsSaidInTheTabAndOneRunHasTheWorkersAtATime) {
    window.setSimulatorOptions(calbrine_test::TestWorkers("--crash"));
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* start = Child<QPushButton>(&window, "monteCarloStart");
    EXPECT_EQ(start->toolTip(), "Start (Ctrl+R)");
    const auto* tab = Child<MonteCarloTab>(&window, "monteCarloTab")->panel();
    const auto* drift = Child<PartsTab>(&window, "partsTab")->driftPanel();
    const auto* curve = Child<CurveSimulation>(&window, "curveSimulation")->panel();
    Child<QSpinBox>(&window, "monteCarloRuns")->setValue(2);
    // The dial table's tab is on show: its Simulate takes the keys.
    QTest::keyClick(window.windowHandle(), Qt::Key_R, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return curve->running(); }, 2000));
    EXPECT_FALSE(tab->running());
    EXPECT_FALSE(drift->running());
    Press("driftStart");  // the workers are taken
    EXPECT_FALSE(drift->running());
    EXPECT_EQ(Status("driftStatus").toStdString(),
              "A simulation is already running; please wait for it to finish or cancel it.");
    ASSERT_TRUE(Finished(curve, 10000));

    Press("monteCarloStart");
    ASSERT_TRUE(Finished(tab, 10000));
    const QString said = Status("monteCarloStatus");
    // The nominal design runs first: every copy starts from its settled state.
    EXPECT_TRUE(said.startsWith("The simulation did not complete. The simulation of the nominal "
                                "design, ") &&
                said.contains(" was lost: its worker process was killed"))
        << said.toStdString();
    EXPECT_EQ(tab->outcome(), nullptr);
    EXPECT_TRUE(answers.messages.empty());
}

// The simulated drift beside the calculation: with C37 at -3000 ppm/degC both ends drift as
// the parts say, give or take the transistor's share; the coefficients reach the simulation.
// A new coefficient clears the result, a new tolerance keeps it.
TEST_F(ExplorerRunsTest, DriftSimulatedWithThePartsCoefficients) {
    if (const std::string why = NgspiceMissing(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    auto* parts = Child<QTableWidget>(&window, "partsTable");
    static_cast<QComboBox*>(parts->cellWidget(static_cast<int>(Part::C37), 1))
        ->setCurrentText("-3000");
    PartSettings settings;
    settings.Tc(Part::C37) = -3000;
    Press("driftStart");
    const auto* drift = Child<PartsTab>(&window, "partsTab")->driftPanel();
    ASSERT_TRUE(Finished(drift));
    ASSERT_NE(drift->outcome(), nullptr);
    const SimulatedDriftOutcome& outcome = *drift->outcome();
    auto* table = Child<QTableWidget>(&window, "simulatedDriftTable");
    EXPECT_EQ(Headings(table), SimulatedDriftTable(outcome).Titles());
    EXPECT_EQ(Cells(table), SimulatedDriftTable(outcome).TextRows());
    for (const SettingDrift& d : outcome.settings) {
        const double calculated = CalculatedDrift(example, settings, d.setting);
        EXPECT_GT(calculated, 500);
        ASSERT_TRUE(d.oscillates);
        EXPECT_NEAR(d.simulatedHzPerC, calculated, 0.3 * calculated);
    }
    const std::string report = SimulatedDriftReport(outcome);
    EXPECT_EQ(Status("transistorShare").toStdString() + "\n",
              report.substr(report.rfind('\n', report.size() - 2) + 1));

    static_cast<QDoubleSpinBox*>(parts->cellWidget(static_cast<int>(Part::C37), 2))->setValue(2);
    EXPECT_NE(drift->outcome(), nullptr);
    static_cast<QComboBox*>(parts->cellWidget(static_cast<int>(Part::C37), 1))
        ->setCurrentText("N750");
    EXPECT_EQ(drift->outcome(), nullptr);
    EXPECT_TRUE(table->isHidden());
}

// The simulated curve at three steps: the rings on the plot, the "Simulated" column, and a
// dial that follows the simulated curve on demand, its marks elsewhere than the calculated
// dial's; new steps take it all back to the calculation.
TEST_F(ExplorerRunsTest, CurveSimulatedGivesTheColumnAndTheDialOnDemand) {
    if (const std::string why = NgspiceMissing(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    auto* steps = Child<QSpinBox>(&window, "steps");
    steps->setValue(3);
    auto* dialFromCurve = Child<QCheckBox>(&window, "dialFromSimulation");
    EXPECT_FALSE(dialFromCurve->isEnabled());
    Press("curveStart");
    const auto* curve = Child<CurveSimulation>(&window, "curveSimulation")->panel();
    ASSERT_TRUE(Finished(curve));
    ASSERT_NE(curve->outcome(), nullptr);
    const SimulatedCurveOutcome& outcome = *curve->outcome();
    ASSERT_TRUE(outcome.Complete());
    EXPECT_EQ(window.plot()->simulated().size(), 3u);
    auto* table = Child<QTableWidget>(&window, "dialTable");
    EXPECT_EQ(Headings(table).back(), "Simulated");
    EXPECT_EQ(Cells(table), SimulatedDialTable(example, 3, outcome).TextRows());
    Press("copyDial");  // as the command line prints it
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
              SimulatedDialReport(example, 3, outcome));

    const DialFace calculated = LayOutDial(example, Mix::Difference, 50);
    const auto* scale = Child<DialScaleView>(&window, "dialScale");
    EXPECT_EQ(Angles(scale->face()), Angles(calculated));
    ASSERT_TRUE(dialFromCurve->isEnabled());
    dialFromCurve->setChecked(true);
    const VfoCurve vfo = SimulatedVfo(example, outcome);
    EXPECT_EQ(Cells(table), DialTable(example, 3, vfo).TextRows());
    EXPECT_NE(Cells(table), DialTable(example, 3).TextRows());
    const DialFace simulated = LayOutDial(example, Mix::Difference, 50, vfo, "simulated curve");
    EXPECT_EQ(Angles(scale->face()), Angles(simulated));
    EXPECT_NE(Angles(scale->face()), Angles(calculated));
    answers.files = {std::string("dial.csv")};
    Press("saveDialCsv");
    EXPECT_EQ(calbrine_test::FileText("dial.csv"), DialTable(example, 3, vfo).Csv());

    steps->setValue(4);
    EXPECT_FALSE(dialFromCurve->isChecked());
    EXPECT_FALSE(dialFromCurve->isEnabled());
    EXPECT_TRUE(window.plot()->simulated().empty());
    EXPECT_EQ(Cells(table), DialTable(example, 4).TextRows());
    EXPECT_EQ(Angles(scale->face()), Angles(calculated));
}

// The fit by simulation runs in the fit tab's panel: the calculated fit and each round in the
// report, its Apply the simulated design's, both gone with a change of the band; a band that
// does not read starts nothing, and a lost worker is said in the tab.
TEST_F(ExplorerRunsTest, FitBySimulationShowsItsRoundsAndAppliesTheSimulatedDesign) {
    auto* low = Child<QLineEdit>(&window, "bandLow");
    auto* report = Child<QPlainTextEdit>(&window, "fitReport");
    auto* apply = Child<QPushButton>(&window, "applySimulatedFit");
    const auto* panel = Child<FitTab>(&window, "fitTab")->simulation();
    low->setText("7,0M");
    Press("fitSimulationStart");
    EXPECT_FALSE(panel->running());
    EXPECT_TRUE(report->toPlainText().startsWith("The band's low edge: \"7,0M\" has a comma"));
    low->setText("7M");
    window.setSimulatorOptions(calbrine_test::TestWorkers("--crash"));
    Press("fitSimulationStart");
    ASSERT_TRUE(Finished(panel, 10000));
    EXPECT_TRUE(Status("fitSimulationStatus")
                    .startsWith("The simulation did not complete. The simulation of VfoM"))
        << Status("fitSimulationStatus").toStdString();
    EXPECT_FALSE(apply->isEnabled());
    if (const std::string why = NgspiceMissing(); !why.empty()) {
        GTEST_SKIP() << why;
    }

    window.setSimulatorOptions(calbrine_test::TestWorkers());
    Press("fitSimulationStart");
    ASSERT_TRUE(Finished(panel));
    ASSERT_NE(panel->outcome(), nullptr);
    const SimulatedFitOutcome& outcome = *panel->outcome();
    ASSERT_TRUE(outcome.reached) << outcome.reason;
    EXPECT_TRUE(Status("fitSimulationStatus")
                    .startsWith(QString("Fitted in %1 round").arg(outcome.rounds.size())))
        << Status("fitSimulationStatus").toStdString();
    const FitRequest request{{7e6, 7.2e6}, Mix::Difference};
    const FitOutcome calculated{request, SolveFit(example, request), "", false};
    const std::string before = MixLine(calculated) + FitReport(example, request, calculated.result);
    EXPECT_EQ(report->toPlainText().toStdString(), before + "\n" + SimulatedFitReport(outcome));
    // Scrolled to the rounds: the first line on show is the fit by simulation's.
    EXPECT_EQ(report->cursorForPosition({2, 2}).block().text().toStdString().rfind(
                  "Fit by simulation: ", 0),
              0u);
    QSignalSpy applied(&window, &ExplorerWindow::applyFit);
    ASSERT_TRUE(apply->isEnabled());
    Press("applySimulatedFit");
    ASSERT_EQ(applied.count(), 1);
    const auto fitted = applied.at(0).at(0).value<DesignRecord>();
    EXPECT_EQ(fitted.L7, outcome.Fitted().L7);
    EXPECT_EQ(fitted.C37, outcome.Fitted().C37);
    EXPECT_NE(fitted.L7, calculated.result.design.L7);

    Child<QLineEdit>(&window, "bandHigh")->setText("7.3M");
    EXPECT_EQ(panel->outcome(), nullptr);
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_TRUE(report->toPlainText().contains("Band 7M to 7.3M"));
    EXPECT_FALSE(report->toPlainText().contains("Fit by simulation"));
}
