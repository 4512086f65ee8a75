// The explorer's parts and coil tabs: the parts bought from a series as the command line buys
// them, used in the design through the design window's accept step and undone there; L7's
// coil on the cores at both ends of the table and in air, drawn to scale, its core kept
// beside the design and giving L7 its coefficient in the drift.
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <cmath>
#include <fstream>

#include "../support/ShippedTables.h"
#include "GuiTestSupport.h"
#include "analysis/BoughtParts.h"
#include "analysis/CoilWinding.h"
#include "windows/DesignCompanions.h"
#include "windows/DesignPage.h"
#include "windows/explorer/CoilDrawing.h"
#include "windows/explorer/ExplorerWindow.h"

using namespace calbrine;
using calbrine_test::Cells;
using calbrine_test::Child;
using calbrine_test::FileText;
using calbrine_test::Headings;
using calbrine_test::ShippedSeries;
using calbrine_test::ShippedWire;

namespace {

// The worked example as a fit leaves it: C37, C90 and C15 between stocked values.
DesignRecord Fitted() {
    DesignRecord d = calbrine_test::workedExample;
    d.C37 = 125e-12f;
    d.C90 = 95e-12f;
    d.C15 = 51e-12f;
    return d;
}

// The names of the first `count` controls Tab reaches from `from`, itself first.
std::string TabOrder(QWidget* from, int count) {
    QStringList names;
    for (QWidget* w = from; names.size() < count; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) != 0 && !w->objectName().startsWith("qt_")) {
            names << w->objectName();
        }
    }
    return names.join(' ').toStdString();
}

// The drift table's ppm/degC of L7.
std::string DriftPpmOfL7(QWidget* window) {
    for (const std::vector<std::string>& row : Cells(Child<QTableWidget>(window, "driftTable"))) {
        if (row[0] == "L7") {
            return row[1];
        }
    }
    return "no L7 row";
}

class BenchTabsTest : public calbrine_test::WindowTest {
  protected:
    ExplorerWindow window{Fitted()};
};

}  // namespace

// The parts list holds the rows `calbrine parts` prints, for each series chosen.
TEST_F(BenchTabsTest, PartsListShowsWhatTheCommandLineBuysInTheChosenSeries) {
    auto* series = Child<QComboBox>(&window, "series");
    auto* parts = Child<QTableWidget>(&window, "boughtParts");
    auto* ends = Child<QTableWidget>(&window, "boughtEnds");
    ASSERT_EQ(series->count(), 3);
    EXPECT_EQ(series->itemText(0), "E6");
    EXPECT_EQ(series->itemText(2), "E24");
    EXPECT_EQ(series->currentText(), "E12");
    EXPECT_EQ(Headings(parts),
              (std::vector<std::string>{"Part", "Designed", "Bought", "Parts", "Off"}));
    EXPECT_EQ(Headings(ends),
              (std::vector<std::string>{"Band end", "Designed", "As bought", "Moved Hz"}));
    for (const char* name : {"E12", "E6", "E24"}) {
        series->setCurrentText(name);
        const BoughtDesign b = BuyDesign(Fitted(), ShippedSeries(name));
        EXPECT_EQ(Cells(parts), BoughtPartsTable(b).TextRows()) << name;
        EXPECT_EQ(Cells(ends), BandEndsTable(b).TextRows()) << name;
        EXPECT_TRUE(Child<QLabel>(&window, "seriesNote")->text().contains(name));
    }
    EXPECT_EQ(TabOrder(series, 4), "series useBought boughtParts boughtEnds");
    series->setCurrentText("E12");
    ASSERT_EQ(parts->rowCount(), 6);
    EXPECT_EQ(parts->item(0, 0)->text(), "C39");
    EXPECT_EQ(parts->item(1, 3)->text(), "120p+4.7p");
    EXPECT_EQ(parts->item(5, 0)->text(), "C35");
    series->setCurrentText("E6");
    EXPECT_EQ(parts->item(1, 3)->text(), "100p+22p");
    EXPECT_EQ(ends->item(5, 0)->text(), "RF diff high");
    EXPECT_NE(ends->item(0, 3)->text(), "0");  // the VFO's low end moves
}

// "Use these values" goes through the design window's accept step; Undo there brings the
// designed values back, and the explorer follows both ways.
TEST_F(BenchTabsTest, UseTheseValuesChangesTheDesignAndUndoRestoresIt) {
    showDesignPage();
    DesignValues = Fitted();
    answers.files = {std::string("fitted.TXT")};
    QTest::mouseClick(Design()->saveFileButton, Qt::LeftButton);
    QTest::mouseClick(Design()->exploreButton, Qt::LeftButton);
    ExplorerWindow* explorer = openExplorer();
    ASSERT_NE(explorer, nullptr);
    auto* use = Child<QPushButton>(explorer, "useBought");
    ASSERT_TRUE(use->isEnabled());
    QTest::mouseClick(use, Qt::LeftButton);
    const DesignRecord bought = BuyDesign(Fitted(), ShippedSeries("E12")).bought;
    EXPECT_EQ(DesignValues.C37, bought.C37);
    EXPECT_EQ(DesignValues.C37, 124.7e-12f);
    EXPECT_EQ(DesignValues.C15, bought.C15);
    EXPECT_EQ(DesignValues.C90, bought.C90);
    EXPECT_EQ(DesignValues.L7, Fitted().L7);
    EXPECT_EQ(Design()->boxC37->text(), "124.7pF");
    EXPECT_EQ(explorer->design().C37, bought.C37);
    EXPECT_FALSE(use->isEnabled());  // bought as designed now
    EXPECT_EQ(Child<QTableWidget>(explorer, "boughtParts")->item(1, 4)->text(), "0 %");

    Design()->activateWindow();  // Ctrl+Alt+Z in the design window
    ASSERT_TRUE(QTest::qWaitForWindowActive(Design()));
    QTest::keyClick(Design()->boxIF, Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier);
    Settle();
    EXPECT_EQ(DesignValues.C37, 125e-12f);
    EXPECT_EQ(DesignValues.C15, 51e-12f);
    EXPECT_EQ(explorer->design().C37, 125e-12f);
    EXPECT_TRUE(use->isEnabled());
}

// The coil's figures are the command line's for the core chosen, at both ends of the core
// table and in air, drawn to scale.
TEST_F(BenchTabsTest, CoilFiguresOnBothEndsOfTheCoreTableAndInAir) {
    auto* core = Child<QComboBox>(&window, "core");
    auto* wire = Child<QComboBox>(&window, "wire");
    auto* figures = Child<QTableWidget>(&window, "coilFigures");
    auto* drawing = Child<CoilDrawing>(&window, "coilDrawing");
    EXPECT_EQ(TabOrder(core, 4), "core wire form coilFigures");
    EXPECT_EQ(core->currentIndex(), -1);  // none chosen yet
    EXPECT_TRUE(figures->isHidden());
    ASSERT_EQ(core->count(), 32);
    EXPECT_EQ(core->itemText(0), "T37-0");
    EXPECT_EQ(core->itemText(30), "T130-7");
    EXPECT_EQ(core->itemText(31), "air");
    const float l7 = Fitted().L7;
    struct Case {
        const char* core;
        const char* wire;  // the thickest that fits
        const char* turns;
    };
    for (const Case& c : {Case{"T37-0", "AWG36", "98"}, Case{"T130-7", "AWG18", "21"}}) {
        core->setCurrentText(c.core);
        ToroidWinding w;
        ASSERT_EQ(WindToroid(l7, calbrine_test::ShippedCore(c.core), ShippedWire(c.wire), w), "");
        EXPECT_EQ(Cells(figures), ToroidTable(w).TextRows()) << c.core;
        EXPECT_EQ(figures->item(0, 1)->text(), c.turns);
        EXPECT_TRUE(Child<QLabel>(&window, "coilNote")->text().contains(c.wire));
        EXPECT_TRUE(Child<QLabel>(&window, "coilWarning")->isHidden());
        EXPECT_EQ(drawing->turnAngles().size(), w.turns);
    }
    // The biggest core at 1 px a wire's width or more: the ring and its turns where their
    // millimetres say, the hole and the gap for the leads clear.
    window.findChild<QTabWidget*>()->setCurrentWidget(Child<QWidget>(&window, "coilTab"));
    window.resize(1600, 1000);
    window.show();
    QApplication::processEvents();
    const QImage picture = drawing->grab().toImage();
    const double k = drawing->pixelsPerMm();
    ASSERT_GT(k * 1.11, 4);
    auto colour = [&](double mmRadius, double degrees) {
        const double a = (90 + degrees) * 3.14159265358979 / 180;
        const QPointF at = drawing->placeOf({mmRadius * std::cos(a), mmRadius * std::sin(a)});
        return picture.pixelColor(at.toPoint());
    };
    const QColor base = drawing->palette().base().color();
    const double ring = (33.02 + 19.81) / 4;  // mid-way between OD and ID of T130
    EXPECT_EQ(colour(0, 0), base);
    EXPECT_EQ(colour(19.81 / 2 - 1.11 - 0.5, 0), base);   // inside the hole, in the leads' gap
    EXPECT_EQ(colour(33.02 / 2 + 1.11 + 0.5, 90), base);  // beyond the turns
    EXPECT_EQ(colour(ring, 0), QColor(128, 128, 136));    // the bare core in the gap
    for (double angle : {drawing->turnAngles().front(), drawing->turnAngles()[10]}) {
        EXPECT_EQ(colour(ring, angle), QColor(184, 115, 51)) << angle;
        EXPECT_EQ(colour(33.02 / 2 + 1.11 / 2, angle), QColor(184, 115, 51)) << angle;
    }

    core->setCurrentText("T37-0");
    wire->setCurrentText("AWG22");  // too thick for 98 turns: the warning
    EXPECT_TRUE(Child<QLabel>(&window, "coilWarning")->isVisible());
    EXPECT_TRUE(Child<QLabel>(&window, "coilWarning")
                    ->text()
                    .startsWith("Warning: 98 turns of AWG22 do not fit in one layer on T37-0"));

    core->setCurrentText("air");
    auto* form = Child<QDoubleSpinBox>(&window, "form");
    EXPECT_TRUE(form->isEnabled());
    form->setValue(12.5);
    AirCoil air;
    ASSERT_EQ(WindAirCoil(l7, 12.5, ShippedWire("AWG22"), air), "");
    EXPECT_EQ(Cells(figures), AirCoilTable(air).TextRows());
    EXPECT_TRUE(drawing->turnAngles().empty());
    EXPECT_NEAR(drawing->placeOf({air.lengthM * 500, 0}).x() -
                    drawing->placeOf({-air.lengthM * 500, 0}).x(),
                air.lengthM * 1000 * drawing->pixelsPerMm(), 1e-9);
    core->setCurrentText("T50-6");
    EXPECT_FALSE(form->isEnabled());
}

// The core chosen is kept beside the design and gives L7 its coefficient in the drift table
// and in the settings the drift is simulated with; air gives the air-core preset back.
TEST_F(BenchTabsTest, CoreChoiceIsKeptBesideTheDesignAndGivesL7ItsCoefficient) {
    DesignFileName = "coil.TXT";
    window.followDesign(Fitted());
    EXPECT_EQ(DriftPpmOfL7(&window), "20");
    Child<QComboBox>(&window, "core")->setCurrentText("T50-6");
    EXPECT_EQ(DriftPpmOfL7(&window), "35");
    auto* l7Tc =
        static_cast<QComboBox*>(Child<QTableWidget>(&window, "partsTable")->cellWidget(8, 1));
    EXPECT_EQ(l7Tc->currentText(), "35");
    Child<QComboBox>(&window, "wire")->setCurrentText("AWG28");
    const std::string kept = FileText("coil.TXT.explore");
    EXPECT_NE(kept.find("\ncore.L7: T50-6\n"), std::string::npos) << kept;
    EXPECT_NE(kept.find("\nwire.L7: AWG28\n"), std::string::npos) << kept;
    EXPECT_NE(kept.find("\ntc.L7: 35\n"), std::string::npos) << kept;

    ExplorerWindow again(Fitted());  // read back
    EXPECT_EQ(Child<QComboBox>(&again, "core")->currentText(), "T50-6");
    EXPECT_EQ(Child<QComboBox>(&again, "wire")->currentText(), "AWG28");
    EXPECT_EQ(DriftPpmOfL7(&again), "35");
    EXPECT_TRUE(Child<QLabel>(&again, "coilNote")->text().contains("AWG28"));

    Child<QComboBox>(&window, "core")->setCurrentText("air");
    EXPECT_EQ(DriftPpmOfL7(&window), "20");
    EXPECT_NE(FileText("coil.TXT.explore").find("\ncore.L7: air\n"), std::string::npos);

    // A file without the coil's lines: no core chosen, the coefficient the file's.
    std::ofstream("plain.TXT.explore") << "tc.L7: 7\n";
    DesignFileName = "plain.TXT";
    ExplorerWindow plain(Fitted());
    EXPECT_EQ(Child<QComboBox>(&plain, "core")->currentIndex(), -1);
    EXPECT_EQ(Child<QComboBox>(&plain, "wire")->currentIndex(), 0);
    EXPECT_EQ(DriftPpmOfL7(&plain), "7");
    EXPECT_TRUE(answers.messages.empty());
}
