// The run panel that every long run of the simulator goes through: Cancel, a change of the
// inputs it follows, a failure, and the worker processes held by one run at a time. Its runs
// here are stand-ins on the panel's thread that end when told, so no worker process starts.
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <chrono>
#include <thread>

#include "GuiTestSupport.h"
#include "windows/RunPanel.h"

using namespace calbrine;
using calbrine_test::Child;

namespace {

struct CountOutcome : RunStatus {
    int count = 0;
};

using CountPanel = OutcomePanel<CountOutcome>;

// A run that reports half its progress, then ends with `outcome` once `release` is set, or
// as cancelled once Cancel reaches it.
CountOutcome HeldRun(CountOutcome outcome, const std::atomic<bool>* release, const Simulator&,
                     const SimulationProgress& progress, const std::atomic<bool>* cancel) {
    progress(0.5, "VfoMin, VfoMax");
    while (!*release && !*cancel) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (*cancel) {
        outcome.failure = SimulationFailure::Cancelled;
    }
    return outcome;
}

class RunPanelTest : public calbrine_test::WindowTest {
  protected:
    RunPanelTest() { panel.follow(runInputs(1), ""); }

    CountOutcome Counted(int count) {
        CountOutcome outcome;
        outcome.count = count;
        return outcome;
    }
    // Starts a run that ends with `outcome` when `release` is set, and waits for its progress.
    bool StartHeld(CountOutcome outcome) {
        release = false;
        return panel.start(HeldRun, outcome, &release) &&
               QTest::qWaitFor([this] { return Progress()->value() == 500; }, 5000);
    }
    bool Ended() {
        return QTest::qWaitFor([this] { return !panel.running(); }, 5000);
    }
    QProgressBar* Progress() { return Child<QProgressBar>(&panel, "testProgress"); }
    QPushButton* Button(const char* name) { return Child<QPushButton>(&panel, name); }
    QString Status() { return Child<QLabel>(&panel, "testStatus")->text(); }

    std::atomic<bool> release{false};
    CountPanel panel{"Start", "test", [](const CountOutcome& outcome, double) {
                         return QString("Counted %1.").arg(outcome.count);
                     }};
};

}  // namespace

// A run that succeeds is held and said; Cancel ends the next one, says so and holds nothing,
// and the panel runs again after it.
TEST_F(RunPanelTest, CancelEndsARunAndSaysSo) {
    ASSERT_TRUE(StartHeld(Counted(3)));
    EXPECT_TRUE(Progress()->text().startsWith("Simulating VfoMin, VfoMax ..."))
        << Progress()->text().toStdString();
    EXPECT_FALSE(Button("testStart")->isEnabled());
    release = true;
    ASSERT_TRUE(Ended());
    ASSERT_NE(panel.outcome(), nullptr);
    EXPECT_EQ(panel.outcome()->count, 3);
    EXPECT_EQ(Status(), "Counted 3.");

    ASSERT_TRUE(StartHeld(Counted(4)));
    EXPECT_EQ(panel.outcome(), nullptr);  // a new run drops the last one's results
    QTest::mouseClick(Button("testCancel"), Qt::LeftButton);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(Status(), "Cancelled.");
    EXPECT_EQ(panel.outcome(), nullptr);
    ASSERT_NE(panel.ended(), nullptr);
    EXPECT_EQ(panel.ended()->failure, SimulationFailure::Cancelled);
    EXPECT_TRUE(Button("testStart")->isEnabled());
    EXPECT_FALSE(Button("testCancel")->isEnabled());

    ASSERT_TRUE(StartHeld(Counted(5)));  // and it runs again
    release = true;
    ASSERT_TRUE(Ended());
    EXPECT_EQ(Status(), "Counted 5.");
    EXPECT_TRUE(answers.messages.empty());
}

// New inputs stop a run at once, say why and drop its results, and its end is never heard;
// the same inputs keep what the panel holds.
TEST_F(RunPanelTest, ANewDesignStopsARunAndDropsItsResults) {
    ASSERT_TRUE(StartHeld(Counted(3)));
    release = true;
    ASSERT_TRUE(Ended());
    EXPECT_FALSE(panel.follow(runInputs(1), "Stopped: the design changed."));
    ASSERT_NE(panel.outcome(), nullptr);

    EXPECT_TRUE(panel.follow(runInputs(2), "Stopped: the design changed."));
    EXPECT_EQ(panel.outcome(), nullptr);  // results of another design go without a run
    EXPECT_EQ(Status(), "");

    ASSERT_TRUE(StartHeld(Counted(4)));
    EXPECT_TRUE(panel.follow(runInputs(3), "Stopped: the design changed."));
    EXPECT_FALSE(panel.running());
    EXPECT_EQ(Status(), "Stopped: the design changed.");
    QTest::qWait(50);  // whatever the stopped run had queued is left unheard
    EXPECT_EQ(panel.ended(), nullptr);
    EXPECT_EQ(Status(), "Stopped: the design changed.");
    EXPECT_TRUE(Button("testStart")->isEnabled());
}

// A failure is said in the panel's line with the simulator's message, never in a message
// box, and nothing is held as a result.
TEST_F(RunPanelTest, AFailureIsSaidInThePanel) {
    CountOutcome lost = Counted(3);
    lost.failure = SimulationFailure::WorkerLost;
    lost.message = "The simulation of VfoMax was lost.";
    ASSERT_TRUE(StartHeld(lost));
    release = true;
    ASSERT_TRUE(Ended());
    EXPECT_EQ(Status(), "The simulation did not complete. The simulation of VfoMax was lost.");
    EXPECT_EQ(panel.outcome(), nullptr);
    ASSERT_NE(panel.ended(), nullptr);
    EXPECT_EQ(panel.ended()->count, 3);
    EXPECT_TRUE(answers.messages.empty());
}

// While one panel's run has the worker processes another's cannot start, and says why; the
// workers come back when the run ends, however it ends.
TEST_F(RunPanelTest, OneRunHasTheWorkersAtATime) {
    CountPanel other("Start", "other", [](const CountOutcome&, double) { return QString(); });
    ASSERT_TRUE(StartHeld(Counted(1)));
    EXPECT_FALSE(other.start(HeldRun, Counted(2), &release));
    EXPECT_FALSE(other.running());
    EXPECT_EQ(Child<QLabel>(&other, "otherStatus")->text(),
              "A simulation is already running; please wait for it to finish or cancel it.");
    panel.stop();
    EXPECT_EQ(Status(), "Cancelled.");
    release = false;
    ASSERT_TRUE(other.start(HeldRun, Counted(2), &release));
    EXPECT_FALSE(panel.start(HeldRun, Counted(3), &release));
    release = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !other.running(); }, 5000));
    EXPECT_TRUE(StartHeld(Counted(3)));
    panel.stop();
}
