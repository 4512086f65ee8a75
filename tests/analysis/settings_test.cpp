// The settings file kept beside a design.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

#include "../support/Fixtures.h"
#include "analysis/Parts.h"
#include "design/DesignFields.h"
#include "engineering/Characters.h"
#include "files/DesignFiles.h"

using namespace calbrine;

TEST(PartSettings, FileBesideADesignLeavesTheDesignFileAsItWas) {
    const calbrine_test::ScratchFolder folder;
    const std::string design = "vfo40m.txt";
    DesignValues = calbrine_test::workedExample;
    WriteDesignFile(design);

    PartSettings s;
    s.Tc(Part::C37) = -150.5;
    s.Tolerance(Part::L7) = 2.5;
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    ASSERT_TRUE(WriteSettingsFile(SettingsPath(design), s));
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(SettingsPath(design), design + ".explore");

    PartSettings back;
    EXPECT_EQ(ReadSettingsFile(SettingsPath(design), back), "");
    EXPECT_EQ(back.tcPpm, s.tcPpm);
    EXPECT_EQ(back.tolerancePercent, s.tolerancePercent);
    const std::string text = calbrine_test::FileText(SettingsPath(design));
    EXPECT_NE(text.find("tc.C37: -150.5\n"), std::string::npos) << text;

    DesignValues = DesignRecord{};
    ReadDesignFile(design);
    EXPECT_EQ(DesignValues.C37, calbrine_test::workedExample.C37);
    EXPECT_EQ(DesignValues.L7, calbrine_test::workedExample.L7);

    // A missing file gives the defaults; a bad line is named and stops reading.
    PartSettings defaults;
    EXPECT_EQ(ReadSettingsFile("none.explore", defaults), "");
    EXPECT_EQ(defaults.Tc(Part::L7), 20);
    EXPECT_EQ(ReadSettingsText("# note\ntc.c15: 50\ntc.C99: 1\n", defaults), "line 3: tc.C99: 1");
    EXPECT_EQ(defaults.Tc(Part::C15), 50);
    EXPECT_NE(ReadSettingsText("tolerance.L7: 5,5\n", defaults), "");
}

// Counter readings keep the design they were taken against, read back exactly; a design
// changed since is named field by field at the boxes' precision, which the accept step keeps.
TEST(PartSettings, ReadingsKeepTheirDesign) {
    PartSettings s;
    s.readings = {{10, 7012345.5}, {90, 7198000}};
    s.readingsDesign = calbrine_test::workedExample;
    PartSettings back;
    ASSERT_EQ(ReadSettingsText(SettingsText(s), back), "");
    ASSERT_TRUE(back.readingsDesign.has_value());
    for (const DesignField& field : DesignFields) {
        EXPECT_EQ(*back.readingsDesign.*field.member, calbrine_test::workedExample.*field.member)
            << field.name;
    }
    EXPECT_EQ(ReadingsDesignChange(back, calbrine_test::workedExample), "");
    DesignRecord changed = calbrine_test::workedExample;
    changed.L7 = std::nextafter(changed.L7, 1.0F);  // below what the box shows
    EXPECT_EQ(ReadingsDesignChange(back, changed), "");
    changed.L7 = 7.5e-6F;
    changed.IF = 9e6F;
    EXPECT_EQ(ReadingsDesignChange(back, changed),
              "L7 " + WithoutBlanks(FieldText(*FieldNamed("L7"), calbrine_test::workedExample.L7)) +
                  " then, 7.5uH now; IF 12M then, 9M now");
    // A file from before the design was kept says nothing; a line missing a field is refused.
    PartSettings old;
    ASSERT_EQ(ReadSettingsText("reading: 10=7012345\n", old), "");
    EXPECT_EQ(ReadingsDesignChange(old, changed), "");
    EXPECT_EQ(ReadSettingsText("readings.design: CfineMin=1e-11 IF=9e6\n", old),
              "line 1: readings.design: CfineMin=1e-11 IF=9e6");
}

// L7's coil goes into the file once chosen and comes back; a file without it leaves the coil
// as it was, and a coil line that cannot be taken is named.
TEST(PartSettings, TheCoilIsKeptOnceChosen) {
    PartSettings s;
    EXPECT_EQ(SettingsText(s).find("L7: T"), std::string::npos);
    EXPECT_EQ(SettingsText(s).find("form."), std::string::npos);
    s.coil = {"T50-6", "AWG26", 12.5};
    s.Tc(Part::L7) = 35;
    const std::string text = SettingsText(s);
    for (const char* line : {"\ncore.L7: T50-6\n", "\nwire.L7: AWG26\n", "\nform.L7: 12.5\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
    PartSettings back;
    EXPECT_EQ(ReadSettingsText(text, back), "");
    EXPECT_EQ(back.coil.core, "T50-6");
    EXPECT_EQ(back.coil.wire, "AWG26");
    EXPECT_EQ(back.coil.formMm, 12.5);
    EXPECT_EQ(back.Tc(Part::L7), 35);
    EXPECT_EQ(ReadSettingsText("tc.L7: 20\nCORE.l: air\nform.L7: 100\n", back), "");
    EXPECT_EQ(back.coil.core, "air");
    EXPECT_EQ(back.coil.wire, "AWG26");  // the file without it leaves it
    EXPECT_EQ(back.coil.formMm, 100);
    EXPECT_EQ(ReadSettingsText("form.L7: 1\n", back), "");
    EXPECT_EQ(back.coil.formMm, 1);

    for (const char* bad : {"core.C37: T50-6", "core.L7:", "wire.L7: ", "form.L7: 0.99",
                            "form.L7: 100.1", "form.L7: 10mm", "coil.L7: T50-6"}) {
        PartSettings read;
        EXPECT_EQ(ReadSettingsText(std::string("tc.C15: 1\n") + bad + "\n", read),
                  "line 2: " + calbrine::Trimmed(bad))
            << bad;
    }
}
