// The explorer's Quality tab: its table is the command line's for the same design and options,
// a curve for each setting, Cancel that leaves no worker, and option boxes refused before any
// run. The simulation of the four settings takes some ten seconds, so it runs once.
#include <QDir>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include "../simulation/sim_test_support.h"
#include "GuiTestSupport.h"
#include "windows/explorer/ExplorerWindow.h"
#include "windows/explorer/QualityTab.h"

using namespace calbrine;
using calbrine_test::Cells;
using calbrine_test::Child;

namespace {

// The processes this test program started that still run, found without reaping them.
int ChildProcesses() {
    int count = 0;
    for (const QString& task :
         QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile children("/proc/self/task/" + task + "/children");
        if (children.open(QIODevice::ReadOnly)) {
            count += static_cast<int>(children.readAll().split(' ').size()) - 1;
        }
    }
    return count;
}

class QualityTabTest : public calbrine_test::WindowTest {
  protected:
    QualityTabTest() { window.setSimulatorOptions(calbrine_test::TestWorkers()); }

    void Press(const char* button) {
        QTest::mouseClick(Child<QPushButton>(&window, button), Qt::LeftButton);
    }
    QLineEdit* Box(const char* name) { return Child<QLineEdit>(&window, name); }
    QString Text(const char* label) { return Child<QLabel>(&window, label)->text(); }
    bool Finished() {
        return QTest::qWaitFor([this] { return !tab->panel()->running(); }, 180000);
    }

    ExplorerWindow window{calbrine_test::workedExample};
    QualityTab* tab = Child<QualityTab>(&window, "qualityTab");
};

}  // namespace

// With the parts tab's coil Q and options of its own: the command's rows, one of which the core
// gives again for its setting simulated alone, each setting's curve through its own figures,
// and the notes with the inputs. A new option drops it all.
TEST_F(QualityTabTest, RunGivesTheCommandsRowsAndEachSettingsCurve) {
    if (const std::string why = calbrine_test::NgspiceMissing(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    Child<QDoubleSpinBox>(&window, "coilQ")->setValue(100);
    for (const auto& [box, text] : {std::pair{"qualityLoad", "2.2k"},
                                    {"qualityNoiseFigure", "8"},
                                    {"qualityFlicker", "3k"},
                                    {"qualityBandwidth", "500"}}) {
        Box(box)->setText(text);
    }
    Press("qualityStart");
    ASSERT_TRUE(Finished());
    ASSERT_NE(tab->panel()->outcome(), nullptr) << Text("qualityStatus").toStdString();
    EXPECT_TRUE(Text("qualityStatus").startsWith("Simulated 4 settings in "));
    const QualityOutcome& outcome = *tab->panel()->outcome();
    auto* table = Child<QTableWidget>(&window, "qualityTable");
    EXPECT_EQ(calbrine_test::Headings(table), QualityTable(outcome).Titles());
    EXPECT_EQ(Cells(table), QualityTable(outcome).TextRows());
    QualityOptions options{2200, 8, 3e3f, 500, {TuningSetting::FineLow}};
    const QualityOutcome alone = SimulateQuality(calbrine_test::workedExample, 100, options,
                                                 Simulator(calbrine_test::TestWorkers()), {});
    ASSERT_EQ(table->rowCount(), 4);
    EXPECT_EQ(Cells(table)[2], QualityTable(alone).TextRows().at(0));

    const std::vector<PhaseNoiseLine>& lines = tab->plot()->lines();
    ASSERT_EQ(lines.size(), 4u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const SettingQuality& q = outcome.settings[i];
        EXPECT_EQ(lines[i].name, SettingName(q.setting));
        ASSERT_EQ(lines[i].points.size(), 101u);
        EXPECT_EQ(lines[i].points[40].offsetHz, 1e3f);
        EXPECT_EQ(lines[i].points[40].dbcPerHz, q.phaseNoiseDbc[1]);
        EXPECT_EQ(lines[i].points[80].dbcPerHz, q.phaseNoiseDbc[3]);
    }
    EXPECT_NE(lines[0].colour, lines[1].colour);
    const QString notes = Text("qualityNotes");
    for (const char* said : {"L7's Q at 100", "2200 ohm", "F 8 dB", "flicker corner 3kHz",
                             "T 290 K", "bandwidth 500Hz", "an estimate (a few dB)"}) {
        EXPECT_TRUE(notes.contains(said)) << said << "\n" << notes.toStdString();
    }
    EXPECT_FALSE(notes.contains("Tank power"));  // the table is the tab's, not the notes'

    Box("qualityLoad")->setText("1k");
    EXPECT_EQ(tab->panel()->outcome(), nullptr);
    EXPECT_EQ(table->rowCount(), 0);
    EXPECT_TRUE(tab->plot()->lines().empty());
    EXPECT_TRUE(Text("qualityNotes").contains("1000 ohm"));
}

// Cancel, or closing the window, ends the run with every worker it started; the workers never
// answer, so only a stop ends it.
TEST_F(QualityTabTest, CancelStopsTheRunAndLeavesNoWorker) {
    window.setSimulatorOptions(calbrine_test::TestWorkers("--hang"));
    for (bool cancel : {true, false}) {
        Press("qualityStart");
        ASSERT_TRUE(QTest::qWaitFor([] { return ChildProcesses() > 0; }, 10000));
        cancel ? Press("qualityCancel") : static_cast<void>(window.close());
        ASSERT_TRUE(Finished());
        EXPECT_EQ(Text("qualityStatus"), "Cancelled.");
        EXPECT_EQ(ChildProcesses(), 0) << cancel;
    }
    EXPECT_TRUE(answers.messages.empty());
}

// A box that does not read starts no run: the tab says why and hands the box the keys; the
// next edit takes the refusal away. Alt and a caption's letter reach its box. A run whose
// workers are lost says so in the tab, not in a message box.
TEST_F(QualityTabTest, ABadBoxIsRefusedBeforeAnyRun) {
    window.setSimulatorOptions(calbrine_test::TestWorkers("--crash"));
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.findChild<QTabWidget*>()->setCurrentWidget(tab);
    QTest::keyClick(window.windowHandle(), Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), Box("qualityFlicker"));
    Box("qualityFlicker")->setText("1,5k");
    QTest::keyClick(window.windowHandle(), Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), Box("qualityNoiseFigure"));
    Press("qualityStart");
    EXPECT_FALSE(tab->panel()->running());
    EXPECT_EQ(Text("qualityRefused"),
              "Flicker corner: \"1,5k\" has a comma: write the decimal "
              "point as \".\", such as 7.2M.");
    EXPECT_EQ(QApplication::focusWidget(), Box("qualityFlicker"));
    Box("qualityFlicker")->setText("1.5k");
    EXPECT_EQ(Text("qualityRefused"), "");
    Press("qualityStart");
    ASSERT_TRUE(Finished());
    EXPECT_TRUE(
        Text("qualityStatus").startsWith("The simulation did not complete. The simulation of VfoM"))
        << Text("qualityStatus").toStdString();
    EXPECT_TRUE(answers.messages.empty());
}

// Each box at both ends of its range, and just beyond them, named when refused.
TEST(QualityOptionsRead, EachBoxTakesItsRangeAndNoMore) {
    const std::array<std::array<const char*, 5>, QualityOptionBoxes> cases{{
        {"1", "0.99", "1G", "1.01G", "Load wants a resistance of 1 to 1G ohm"},
        {"0", "-0.1", "40", "40.1", "Noise figure wants a noise figure of 0 to 40 dB"},
        {"0", "-1", "10M", "10.1M", "Flicker corner wants a flicker corner of 0 to 10M Hz"},
        {"1", "0.9", "1M", "1.1M", "Receiver bandwidth wants a bandwidth of 1 to 1M Hz"},
    }};
    for (std::size_t box = 0; box < cases.size(); ++box) {
        const auto& [low, belowLow, high, aboveHigh, wants] = cases[box];
        std::array<QString, QualityOptionBoxes> typed{"1k", "6", "1k", "2.4k"};
        QualityOptions read;
        std::size_t bad = 9;
        for (const char* edge : {low, high}) {
            typed[box] = edge;
            EXPECT_EQ(readQualityOptions(typed, read, bad), "") << edge;
        }
        const double highs[] = {read.loadOhms, read.noiseFigureDb, read.flickerHz,
                                read.bandwidthHz};
        EXPECT_EQ(highs[box], box == 0 ? 1e9 : box == 1 ? 40 : box == 2 ? 1e7 : 1e6);
        for (const char* beyond : {belowLow, aboveHigh}) {
            typed[box] = beyond;
            EXPECT_EQ(readQualityOptions(typed, read, bad),
                      std::string(wants) + ", not \"" + beyond + "\".");
            EXPECT_EQ(bad, box);
        }
    }
    QualityOptions read;
    std::size_t bad = 9;
    EXPECT_EQ(readQualityOptions({"x", "6", "1k", "-1"}, read, bad),
              "Load: \"x\" is not a number such as 7.2M, 4.7p or -750.");
    EXPECT_EQ(bad, 0u);
    EXPECT_EQ(read.loadOhms, 1000);  // unchanged
}
