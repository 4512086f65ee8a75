// Printing the design into a PDF file through the print path the "Print" button takes.
#include <QFile>
#include <QStandardPaths>

#include "GuiTestSupport.h"
#include "design/DesignSession.h"
#include "design/Tuning.h"
#include "platform/QtPrinting.h"

using namespace calbrine;

namespace {

class PrintTest : public calbrine_test::WindowTest {
  protected:
    // Answers the print dialog with a PDF file.
    void PrintToPdf(const QString& name) {
        SetPrintDialogRunner([name](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(name);
            return true;
        });
        PrintSchematic(ProgramSession().design, ProgramSession().tuning);
    }
};

}  // namespace

TEST_F(PrintTest, OneLandscapePageWithTheDesign) {
    // The frequencies are those of an independent calculation.
    DesignValues = calbrine_test::distinctValues;
    DesignValues.CfineNom = 22.9e-12f;
    EvaluateTuning();
    PrintToPdf("page.pdf");
    EXPECT_TRUE(answers.messages.empty());
    ASSERT_TRUE(QFile::exists("page.pdf"));
    if (QStandardPaths::findExecutable("pdfinfo").isEmpty()) {
        GTEST_SKIP() << "poppler-utils are not installed";
    }
    const QString info = calbrine_test::ProgramOutput("pdfinfo", {"page.pdf"});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    // Landscape: wider than high.
    const QRegularExpression size("Page size:\\s+([\\d.]+) x ([\\d.]+)");
    const auto match = size.match(info);
    ASSERT_TRUE(match.hasMatch());
    EXPECT_GT(match.captured(1).toDouble(), match.captured(2).toDouble());
    // pdftotext does not keep runs of blanks, so texts are compared with single blanks.
    const QString text =
        calbrine_test::ProgramOutput("pdftotext", {"-layout", "page.pdf", "-"}).simplified();
    for (const char* expected : {"Calbrine Utility", "Intermediate frequency: 9M",
                                 "VFO from 5.941M to 6.1702M", "RF sum from 14.941M to 15.17M",
                                 "680pF", "3.3uH", "4.7 k", "2N3904", "24.12.2025 18:30:05"}) {
        EXPECT_TRUE(text.contains(QLatin1String(expected))) << expected;
    }
}

TEST_F(PrintTest, CancelPrintsNothingAndAFailedPrintReportsAPrinterError) {
    SetPrintDialogRunner([](QPrinter& printer) {
        printer.setOutputFileName("never.pdf");
        return false;
    });
    PrintSchematic(ProgramSession().design, ProgramSession().tuning);
    EXPECT_FALSE(QFile::exists("never.pdf"));
    EXPECT_TRUE(answers.messages.empty());
    PrintToPdf("no-such-folder/page.pdf");
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0].rfind("Printer Error: ", 0), 0u) << answers.messages[0];
    EXPECT_FALSE(QFile::exists("no-such-folder/page.pdf"));
    // The next print starts afresh and succeeds.
    PrintToPdf("again.pdf");
    EXPECT_EQ(answers.messages.size(), 1u);
    EXPECT_TRUE(QFile::exists("again.pdf"));
}
