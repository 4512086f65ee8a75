// The settings file kept beside a design.
#include <gtest/gtest.h>

#include <clocale>

#include "../support/Fixtures.h"
#include "analysis/Parts.h"
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

// The coil's Q: written and read back, 150 when a file does not say, 0 (an ideal coil) kept;
// only L7 has one, and never a negative one.
TEST(PartSettings, KeepTheCoilsQualityFactor) {
    PartSettings s;
    EXPECT_EQ(s.coilQ, 150);
    s.coilQ = 87.5;
    const std::string text = SettingsText(s);
    EXPECT_NE(text.find("\ncoilq.L7: 87.5\n"), std::string::npos) << text;
    PartSettings back;
    EXPECT_EQ(ReadSettingsText(text, back), "");
    EXPECT_EQ(back.coilQ, 87.5);
    PartSettings older;
    EXPECT_EQ(ReadSettingsText("tc.C37: -150\n", older), "");
    EXPECT_EQ(older.coilQ, 150);
    EXPECT_EQ(ReadSettingsText("CoilQ.l7: 0\n", older), "");
    EXPECT_EQ(older.coilQ, 0);
    for (const char* bad : {"coilq.C37: 100", "coilq.L7: -1", "coilq.L7: 1e999", "coilq: 100"}) {
        PartSettings kept;
        EXPECT_EQ(ReadSettingsText(std::string(bad) + "\n", kept), "line 1: " + std::string(bad));
        EXPECT_EQ(kept.coilQ, 150) << bad;
    }
}
