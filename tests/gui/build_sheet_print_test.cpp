// "Print build sheet…" in the design explorer: the sheet of the explorer's design and part
// settings, printed through the print dialog that the test answers with a PDF file.
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QStandardPaths>

#include "../support/ShippedTables.h"
#include "GuiTestSupport.h"
#include "analysis/BuildSheet.h"
#include "analysis/ReportText.h"
#include "platform/QtPrinting.h"
#include "windows/explorer/ExplorerWindow.h"

using namespace calbrine;
using calbrine_test::Child;

namespace {

class BuildSheetPrintTest : public calbrine_test::WindowTest {
  protected:
    // Clicks the button with the print dialog answered: a PDF file, or Cancel.
    void Click(const char* pdf, bool print) {
        SetPrintDialogRunner([this, pdf, print](QPrinter& printer) {
            ++dialogs;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return print;
        });
        QTest::mouseClick(Child<QPushButton>(&window, "printBuildSheet"), Qt::LeftButton);
    }
    // The sheet the window's design gives with `settings` and the defaults.
    BuildSheet Expected(const PartSettings& settings) const {
        SheetInput in;
        in.design = window.design();
        in.settings = settings;
        in.settingsFrom = "set in the explorer";
        in.series = calbrine_test::ShippedSeries("E12");
        in.coil.core = calbrine_test::ShippedCore("T50-6");
        in.wires = calbrine_test::Shipped().wires;
        BuildSheet sheet;
        EXPECT_EQ(MakeBuildSheet(in, sheet), "");
        return sheet;
    }

    ExplorerWindow window{calbrine_test::distinctValues};
    int dialogs = 0;
};

}  // namespace

// The coefficient set in the explorer reaches the sheet's drift; every part, the coil and the
// ranges are printed on one page.
TEST_F(BuildSheetPrintTest, SheetOfTheExplorersDesignAndSettings) {
    EXPECT_EQ(Child<QPushButton>(&window, "printBuildSheet")->text(),
              QString::fromUtf8("Print build sheet\u2026"));
    auto* c39 =
        static_cast<QComboBox*>(Child<QTableWidget>(&window, "partsTable")->cellWidget(1, 1));
    c39->setCurrentText("N750");
    Click("sheet.pdf", true);
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(answers.messages.empty());
    ASSERT_TRUE(QFile::exists("sheet.pdf"));
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) {
        GTEST_SKIP() << "poppler-utils are not installed";
    }
    PartSettings set;
    set.Tc(Part::C39) = -750;
    const BuildSheet sheet = Expected(set);
    // The drift's lines after its first: the compensation advice, changed by the N750.
    const std::vector<std::string> advice(sheet.sections.at(3).lines.begin() + 1,
                                          sheet.sections.at(3).lines.end());
    const std::vector<std::string> defaults = Expected(PartSettings{}).sections.at(3).lines;
    ASSERT_NE(advice, std::vector<std::string>(defaults.begin() + 1, defaults.end()));
    const QString text =
        calbrine_test::ProgramOutput("pdftotext", {"-layout", "sheet.pdf", "-"}).simplified();
    std::vector<std::string> wanted = {"Build sheet: a design not saved",
                                       "coefficients set in the explorer", "Turns 29"};
    wanted.insert(wanted.end(), advice.begin(), advice.end());
    for (const BoughtCapacitor& c : sheet.bought.capacitors) {
        wanted.push_back(std::string(c.field->name) + " " + CapacitanceText(c.designed) + " " +
                         CapacitanceText(c.bought) + " " + PartsText(c.choice));
    }
    for (const auto& row : sheet.sections.at(4).table.TextRows()) {
        wanted.push_back(row[0] + " " + row[1] + " " + row[2]);
    }
    for (const std::string& expected : wanted) {
        EXPECT_TRUE(text.contains(QString::fromStdString(expected))) << expected;
    }
}

// Cancel prints nothing; a coil that cannot be wound is said, and no dialog is shown.
TEST_F(BuildSheetPrintTest, CancelOrACoilThatCannotBeWound) {
    Click("never.pdf", false);
    EXPECT_EQ(dialogs, 1);
    EXPECT_FALSE(QFile::exists("never.pdf"));
    EXPECT_TRUE(answers.messages.empty());
    DesignRecord huge = window.design();
    huge.L7 = 2e-3f;
    window.followDesign(huge);
    Click("never.pdf", true);
    EXPECT_EQ(dialogs, 1);
    EXPECT_FALSE(QFile::exists("never.pdf"));
    EXPECT_EQ(answers.messages,
              (std::vector<std::string>{"Calbrine: The build sheet cannot be made: cannot wind L7 "
                                        "on T50-6: the inductance must be above 0 H and at most 1 "
                                        "mH."}));
}
