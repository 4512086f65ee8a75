// The settings file kept beside a design.
#include <gtest/gtest.h>

#include <clocale>

#include "../support/Fixtures.h"
#include "analysis/Parts.h"
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
