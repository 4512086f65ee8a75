// The design explorer window: curve, dial table, picture files, the settings kept beside the
// design. Its fit is tried through the design window that opens it.
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <filesystem>

#include "../simulation/sim_test_support.h"
#include "GuiTestSupport.h"
#include "design/Tuning.h"
#include "windows/CurvePlot.h"
#include "windows/ExplorerWindow.h"

using namespace calbrine;
using calbrine_test::Child;
using calbrine_test::FileText;

namespace {

const DesignRecord example = calbrine_test::workedExample;

class ExplorerWindowTest : public calbrine_test::WindowTest {
  protected:
    ExplorerWindow window{example};
};

}  // namespace

TEST_F(ExplorerWindowTest, CurveAndDialTableFollowTheDesign) {
    window.show();
    DesignValues = example;
    EvaluateTuning();
    const auto& curve = window.Plot()->Curve();
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
    window.FollowDesign(smaller);
    EXPECT_GT(window.Plot()->Curve().back().vfo, before * 1.4f);
    EXPECT_EQ(table->rowCount(), 5);
}

TEST_F(ExplorerWindowTest, TableAndPicturesSaved) {
    answers.files = {std::string("dial.csv"), std::string("dial.pdf"), std::string("curve.png"),
                     std::string("curve.svg")};
    QTest::mouseClick(Child<QPushButton>(&window, "saveDialCsv"), Qt::LeftButton);
    for (const char* name : {"saveScalePdf", "savePng", "saveSvg"}) {
        QTest::mouseClick(Child<QPushButton>(&window, name), Qt::LeftButton);
    }
    EXPECT_EQ(FileText("dial.csv").rfind("step,ccoarse_f,vfo_hz,", 0), 0u);
    EXPECT_EQ(FileText("dial.pdf").rfind("%PDF", 0), 0u);
    EXPECT_EQ(FileText("curve.png").substr(1, 3), "PNG");
    EXPECT_NE(FileText("curve.svg").find("<svg"), std::string::npos);
}

TEST_F(ExplorerWindowTest, SettingsGoWithTheDesignFile) {
    auto* l7 =
        static_cast<QDoubleSpinBox*>(Child<QTableWidget>(&window, "partsTable")->cellWidget(8, 2));
    l7->setValue(2);  // no file name yet: kept in memory
    EXPECT_FALSE(std::filesystem::exists("a.txt.explore"));
    DesignFileName = "a.txt";  // saved: the settings go along
    window.FollowDesign(example);
    PartSettings read;
    EXPECT_EQ(ReadSettingsFile("a.txt.explore", read), "");
    EXPECT_EQ(read.Tolerance(Part::L7), 2);

    DesignRecord other = example;  // another design, with no settings beside it
    other.L7 = 2.2e-6f;
    DesignFileName = "b.txt";
    window.FollowDesign(other);
    EXPECT_EQ(l7->value(), 10);
    DesignFileName = "a.txt";
    window.FollowDesign(example);
    EXPECT_EQ(l7->value(), 2);
    EXPECT_FALSE(std::filesystem::exists("b.txt.explore"));
}
