// The design window: its layout from the screen size, the accept step and the schematic.
#include <QLabel>

#include "GuiTestSupport.h"
#include "windows/WindowUnits.h"
#include "windows/frmDesign.h"

using namespace calbrine;

namespace {

class DesignWindowTest : public calbrine_test::WindowTest {
  protected:
    frmDesign* Open() {
        frmDesign* window = ShowDesignWindow();
        Settle();
        return window;
    }
    void TypeWorkedExample(frmDesign* w) {
        const std::pair<QLineEdit*, const char*> entries[] = {
            {w->TxtIF, "12M"},  {w->Text10, "10p"}, {w->Text1, "40p"},    {w->Text2, "10p"},
            {w->Text3, "100p"}, {w->Text4, "20p"},  {w->Text0, "100p"},   {w->Text5, "100p"},
            {w->Text6, "47p"},  {w->Text7, "470p"}, {w->Text8, "470 pF"}, {w->Text9, "4.7u"}};
        for (const auto& [box, text] : entries) {
            Type(box, QString::fromLatin1(text));
        }
    }
};

}  // namespace

TEST(WindowUnits, LayoutCoversTheSameFractionOfEveryScreen) {
    const std::pair<int, int> screens[] = {{800, 600}, {1024, 768}, {1920, 1080}};
    for (const auto& [width, height] : screens) {
        const WindowUnits u =
            ComputeWindowUnits(width, height, DesignWindowClientWidth, DesignWindowClientHeight);
        // The title spans 12000 units, about 99 % of the width; the button row ends at 8270
        // units, about 87 % of the way down; texts are S_h x 0.0008 points.
        EXPECT_NEAR(u.X(12000) / width, 0.99, 0.005) << width;
        EXPECT_NEAR(u.Y(8270) / height, 0.867, 0.005) << height;
        EXPECT_NEAR(u.FontPoints(), height * 15 * 0.0008, 1e-9);
    }
    const WindowUnits u = ComputeWindowUnits(1024, 768, 11880, 8490);
    EXPECT_NEAR(u.FontPoints(), 9.216, 1e-9);
    EXPECT_NEAR(1024 / u.pixelsPerUnitX, 12121.2, 1.0);
    EXPECT_NEAR(768 / u.pixelsPerUnitY, 9540.6, 1.0);
}

TEST_F(DesignWindowTest, OpensLaidOutWithItsSchematicAndResults) {
    DesignValues.IF = 11e6f;
    DesignValues.CfineMin = 10e-12f;
    DesignValues.CfineMax = 30e-12f;
    frmDesign* w = Open();
    EXPECT_EQ(w->windowTitle(), "Calbrine - Design page");
    EXPECT_EQ(w->TxtIF->text(), " 11M");
    EXPECT_EQ(w->Text1->text(), "30pF");
    EXPECT_EQ(DesignValues.CfineNom, 20e-12f);
    EXPECT_TRUE(w->lblFreqMin->text().startsWith("VFO from"));
    EXPECT_DOUBLE_EQ(w->Label1->font().pointSizeF() * w->logicalDpiY() / 96.0, 24.0);
    const WindowUnits& u = w->Units();
    EXPECT_NEAR(w->cmdExit->x(), u.X(9000), 1);
    EXPECT_NEAR(w->cmdExit->y(), u.Y(8000), 1);
    EXPECT_NEAR(w->Text9->width(), u.X(700), 1);
    EXPECT_EQ(w->Text9->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(w->Text2->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(w->Text6->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    // Wire 2 runs blue along y 6000; the varicap boxes stand left of D9, C15's right of it.
    const QImage& picture = w->Picture();
    const QPoint onWire(static_cast<int>(u.X(4500)), static_cast<int>(u.Y(6000)));
    EXPECT_EQ(picture.pixelColor(onWire * picture.devicePixelRatio()), QColor(0, 0, 255));
    EXPECT_LT(w->Text10->geometry().right(), u.X(2500));
    EXPECT_GT(w->Text6->geometry().left(), u.X(7000));
}

TEST_F(DesignWindowTest, AcceptShowsTheWorkedExampleAndTypingAloneChangesNothing) {
    frmDesign* w = Open();
    TypeWorkedExample(w);
    QTest::mouseClick(w->cmdAccept, Qt::LeftButton);
    EXPECT_EQ(w->TxtIF->text(), " 12M");
    EXPECT_EQ(w->Text8->text(), "470pF");
    EXPECT_EQ(w->Text9->text(), "4.7uH");
    EXPECT_EQ(w->lblFreqMin->text(), "VFO from 5.4698M to 5.7589M");
    EXPECT_EQ(w->lblSum->text(), "RF sum:  17.47M to 17.759M");
    EXPECT_EQ(w->lblDiff->text(), "RF diff:  6.2411M to 6.5302M");
    EXPECT_EQ(w->lblSpan->text(), "Coarse-tune span:  289.13k");
    EXPECT_EQ(w->lblFineSpan->text(), "Fine-tune span:   8.587k");
    EXPECT_EQ(DesignValues.CfineNom, 25e-12f);
    EXPECT_TRUE(answers.messages.empty());

    const float vfoMin = TuningResults.VfoMin;
    Type(w->Text9, "1u");
    EXPECT_EQ(DesignValues.L7, static_cast<float>(static_cast<double>(4.7f) * 1e-6f));
    EXPECT_EQ(TuningResults.VfoMin, vfoMin);
    EXPECT_EQ(w->lblFreqMin->text(), "VFO from 5.4698M to 5.7589M");
}

TEST_F(DesignWindowTest, AcceptFloorsComponentsButNotTheIf) {
    frmDesign* w = Open();
    TypeWorkedExample(w);
    Type(w->Text3, "0");
    Type(w->Text9, "-5p");
    Type(w->TxtIF, "-10M");
    Type(w->Text4, "-47p");                     // floored, not turned round
    QTest::keyClick(w->Text4, Qt::Key_Return);  // Enter in a box reads the entries too
    EXPECT_EQ(DesignValues.C37, 9.99999982e-15f);
    EXPECT_EQ(w->Text3->text(), "");
    EXPECT_EQ(DesignValues.L7, 9.99999996e-13f);
    EXPECT_EQ(w->Text9->text(), "");
    EXPECT_EQ(DesignValues.CcoarseMin, CapacitanceFloor);
    EXPECT_EQ(DesignValues.IF, -1e7f);
    EXPECT_EQ(w->TxtIF->text(), "-1E+10m");
}

TEST_F(DesignWindowTest, OverflowInTheNominalValueIsASchematicError) {
    DesignValues.CfineMin = 3e38f;
    DesignValues.CfineMax = 3e38f;
    DesignValues.C39 = 5e-12f;
    frmDesign* w = Open();
    EXPECT_EQ(answers.messages, std::vector<std::string>{"Calbrine: We had a schematic error"});
    // Boxes written before the failure keep their texts; later ones are not written.
    EXPECT_EQ(w->Text1->text(), "3E+32MEG");
    EXPECT_EQ(w->Text2->text(), "");
    EXPECT_EQ(DesignValues.CfineNom, 0.0f);
    // The results are still computed, and show no "nan" or "inf".
    EXPECT_FALSE(w->lblFreqMin->text().contains(QRegularExpression("nan|inf")));
}
