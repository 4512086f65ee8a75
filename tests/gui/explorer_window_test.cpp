// The design explorer window: curve, dial table, fit with its Apply signal, picture files,
// the settings kept beside the design.
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <filesystem>
#include <fstream>

#include "GuiTestSupport.h"
#include "design/Tuning.h"
#include "windows/CurvePlot.h"
#include "windows/ExplorerWindow.h"

using namespace calbrine;

namespace {

const DesignRecord example{10e-12f, 40e-12f,  10e-12f,  100e-12f, 20e-12f, 100e-12f, 100e-12f,
                           47e-12f, 470e-12f, 470e-12f, 4.7e-6f,  12e6f,   25e-12f};

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

class ExplorerWindowTest : public calbrine_test::WindowTest {
  protected:
    ExplorerWindow window{example};
    template <class T>
    T* Find(const char* name) {
        T* child = window.findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
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
    auto* table = Find<QTableWidget>("dialTable");
    EXPECT_EQ(table->rowCount(), 11);
    EXPECT_EQ(table->item(10, 2)->text(), "5.4698M");
    Find<QSpinBox>("steps")->setValue(5);
    EXPECT_EQ(table->rowCount(), 5);

    const float before = curve.back().vfo;
    DesignRecord smaller = example;
    smaller.L7 = 2.2e-6f;
    window.FollowDesign(smaller);
    EXPECT_GT(window.Plot()->Curve().back().vfo, before * 1.4f);
    EXPECT_EQ(table->rowCount(), 5);
}

TEST_F(ExplorerWindowTest, FitAppliesOnlyAReachedBand) {
    QSignalSpy applied(&window, &ExplorerWindow::ApplyFit);
    auto* apply = Find<QPushButton>("applyFit");
    Type(Find<QLineEdit>("bandLow"), "6.3M");
    Type(Find<QLineEdit>("bandHigh"), "6.5M");
    QTest::mouseClick(Find<QPushButton>("solveFit"), Qt::LeftButton);
    ASSERT_TRUE(apply->isEnabled())
        << Find<QPlainTextEdit>("fitReport")->toPlainText().toStdString();
    QTest::mouseClick(apply, Qt::LeftButton);
    ASSERT_EQ(applied.count(), 1);
    DesignValues = applied.at(0).at(0).value<DesignRecord>();
    DesignValues.CfineNom = (DesignValues.CfineMax + DesignValues.CfineMin) / 2;
    EvaluateTuning();
    EXPECT_NEAR(12e6 - TuningResults.VfoMin, 6.5e6, 650);
    EXPECT_NEAR(12e6 - TuningResults.VfoMax, 6.3e6, 630);

    Type(Find<QLineEdit>("bandLow"), "3.5M");
    QTest::mouseClick(Find<QPushButton>("solveFit"), Qt::LeftButton);
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_TRUE(Find<QPlainTextEdit>("fitReport")->toPlainText().startsWith("Cannot reach"));
}

TEST_F(ExplorerWindowTest, TableAndPicturesSaved) {
    answers.files = {std::string("dial.csv"), std::string("dial.pdf"), std::string("curve.png"),
                     std::string("curve.svg")};
    QTest::mouseClick(Find<QPushButton>("saveDialCsv"), Qt::LeftButton);
    for (const char* name : {"saveScalePdf", "savePng", "saveSvg"}) {
        QTest::mouseClick(Find<QPushButton>(name), Qt::LeftButton);
    }
    EXPECT_EQ(FileText("dial.csv").rfind("step,ccoarse_f,vfo_hz,", 0), 0u);
    EXPECT_EQ(FileText("dial.pdf").rfind("%PDF", 0), 0u);
    EXPECT_EQ(FileText("curve.png").substr(1, 3), "PNG");
    EXPECT_NE(FileText("curve.svg").find("<svg"), std::string::npos);
}

TEST_F(ExplorerWindowTest, SettingsGoWithTheDesignFile) {
    auto* l7 = static_cast<QDoubleSpinBox*>(Find<QTableWidget>("partsTable")->cellWidget(8, 2));
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
