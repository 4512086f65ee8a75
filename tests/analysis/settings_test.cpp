// The settings file kept beside a design, and the command-line option values.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <clocale>
#include <filesystem>
#include <fstream>

#include "ExampleDesigns.h"
#include "analysis/ExplorerCommands.h"
#include "analysis/Parts.h"
#include "files/DesignFiles.h"

using namespace calbrine;
namespace fs = std::filesystem;

TEST(PartSettings, FileBesideADesignLeavesTheDesignFileAsItWas) {
    std::string pattern = (fs::temp_directory_path() / "calbrine-explore-XXXXXX").string();
    ASSERT_NE(mkdtemp(&pattern[0]), nullptr);
    const fs::path folder = pattern;
    const std::string design = (folder / "vfo40m.txt").string();
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
    std::ifstream in(SettingsPath(design));
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(text.find("tc.C37: -150.5\n"), std::string::npos) << text;

    DesignValues = DesignRecord{};
    ReadDesignFile(design);
    EXPECT_EQ(DesignValues.C37, calbrine_test::workedExample.C37);
    EXPECT_EQ(DesignValues.L7, calbrine_test::workedExample.L7);
    fs::remove_all(folder);

    // A missing file gives the defaults; a bad line is named and stops reading.
    PartSettings defaults;
    EXPECT_EQ(ReadSettingsFile((folder / "none.explore").string(), defaults), "");
    EXPECT_EQ(defaults.Tc(Part::L7), 20);
    EXPECT_EQ(ReadSettingsText("# note\ntc.c15: 50\ntc.C99: 1\n", defaults), "line 3: tc.C99: 1");
    EXPECT_EQ(defaults.Tc(Part::C15), 50);
    EXPECT_NE(ReadSettingsText("tolerance.L7: 5,5\n", defaults), "");
}

TEST(CommandOptions, ValuesInEngineeringText) {
    RfBand band;
    EXPECT_EQ(ParseBand("7M:7.2M", band), "");
    EXPECT_EQ(band.lowHz, 7e6);
    EXPECT_EQ(band.highHz, 7.2e6f);
    EXPECT_NE(ParseBand("7.2M:7M", band), "");
    EXPECT_NE(ParseBand("7M-7.2M", band), "");
    EXPECT_NE(ParseBand("M:7M", band), "");

    Mix mix = Mix::Sum;
    EXPECT_EQ(ParseMix("diff", mix), "");
    EXPECT_EQ(mix, Mix::Difference);
    EXPECT_NE(ParseMix("product", mix), "");

    FitSolve solve = FitSolve::InductorAndPadding;
    EXPECT_EQ(ParseSolve("coarse", solve), "");
    EXPECT_EQ(solve, FitSolve::CoarseCapacitor);
    EXPECT_EQ(ParseSolve("C37,L7", solve), "");
    EXPECT_EQ(solve, FitSolve::InductorAndPadding);
    EXPECT_NE(ParseSolve("L7", solve), "");

    int steps = 0;
    EXPECT_EQ(ParseSteps("101", steps), "");
    EXPECT_EQ(steps, 101);
    EXPECT_NE(ParseSteps("1", steps), "");
    EXPECT_NE(ParseSteps("ten", steps), "");

    PartSettings s;
    EXPECT_EQ(ParseTc("C37=N750", s), "");
    EXPECT_EQ(ParseTc("l7=silver mica", s), "");
    EXPECT_EQ(ParseTc("C15=-1.5k", s), "");
    EXPECT_EQ(s.Tc(Part::C37), -750);
    EXPECT_EQ(s.Tc(Part::L7), 50);
    EXPECT_EQ(s.Tc(Part::C15), -1500);
    EXPECT_NE(ParseTc("C37", s), "");
    EXPECT_NE(ParseTc("R1=0", s), "");
    EXPECT_NE(ParseTc("C37=warm", s), "");
}
