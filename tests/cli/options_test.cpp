// The subcommands' option values: refusals and the other spellings the command line's own
// script does not try.
#include <gtest/gtest.h>

#include "cli/CommandDesign.h"
#include "cli/CommandOptions.h"

using namespace calbrine;

// What the command line's own script does not try: refusals, and the other spellings.
TEST(CommandOptions, ValuesInEngineeringText) {
    RfBand band;
    EXPECT_EQ(ParseBand("7M:7.2M", band), "");
    EXPECT_EQ(band.highHz, 7.2e6f);
    for (const char* wrong : {"7.2M:7M", "7M-7.2M", "M:7M"}) {
        EXPECT_NE(ParseBand(wrong, band), "") << wrong;
    }
    FitSolve solve = FitSolve::InductorAndPadding;
    EXPECT_EQ(ParseSolve("coarse", solve), "");
    EXPECT_EQ(solve, FitSolve::CoarseCapacitor);
    EXPECT_NE(ParseSolve("L7", solve), "");
    int steps = 0;
    EXPECT_NE(ParseSteps("1", steps), "");
    PartSettings s;
    EXPECT_EQ(ParseTc("l7=silver mica", s), "");
    EXPECT_EQ(ParseTc("C15=-1.5k", s), "");
    EXPECT_EQ(s.Tc(Part::L7), 50);
    EXPECT_EQ(s.Tc(Part::C15), -1500);
    for (const char* wrong : {"C37", "R1=0", "C37=warm"}) {
        EXPECT_NE(ParseTc(wrong, s), "") << wrong;
    }
}

// The last guard of every command: a figure that could not be formed is found in its output.
TEST(CommandOutput, NonFiniteFiguresAreFound) {
    const std::pair<const char*, const char*> texts[] = {{"VFO from 5.4698M to 5.7589M\n", ""},
                                                         {"Mid-band drift: nan Hz/degC\n", "nan"},
                                                         {"C37,-inf\n", "-inf"},
                                                         {"gives at most NaN:1", "NaN"},
                                                         {"5,Infinity,6\n", "Infinity"},
                                                         {"finance information\n", ""}};
    for (const auto& [text, word] : texts) {
        EXPECT_EQ(NonFiniteWord(text), word) << text;
    }
}

// The ranges of the many-run options taken at both ends; the command line's script tries the
// values just beyond them.
TEST(CommandOptions, RangesTakeBothEnds) {
    int runs = 0;
    for (const char* text : {"1", "100000"}) {
        EXPECT_EQ(ParseRuns(text, runs), "") << text;
        EXPECT_EQ(runs, std::stoi(text));
    }
    std::uint32_t seed = 1;
    EXPECT_EQ(ParseSeed("0", seed), "");
    EXPECT_EQ(seed, 0u);
    EXPECT_EQ(ParseSeed("4294967295", seed), "");
    EXPECT_EQ(seed, 4294967295u);
    PartSettings s;
    EXPECT_EQ(ParseTol("L7=0", s) + ParseTol("C37=99.99", s), "");
    EXPECT_EQ(s.Tolerance(Part::L7), 0);
    EXPECT_EQ(s.Tolerance(Part::C37), 99.99);
}
