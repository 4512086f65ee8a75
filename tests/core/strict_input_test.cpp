// What the commands make of what they are given: typed numbers taken in full or refused, a
// design file's values as the accept step takes them, and files of another kind told apart.
#include <clocale>

#include "design/Acceptance.h"
#include "engineering/EntryNote.h"
#include "engineering/StrictNumber.h"
#include "file_test_support.h"
#include "files/DesignFiles.h"

using namespace calbrine;
using namespace calbrine_test;

TEST(StrictNumber, TakesTheWholeTextOrQuotesWhatIsWrong) {
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    const std::pair<const char*, double> taken[] = {
        {"7.2M", 7.2e6}, {" 7M ", 7e6},       {"4.7p", 4.7e-12}, {"4.7pF", 4.7e-12},
        {"22nH", 22e-9}, {"7.05MHz", 7.05e6}, {"-750", -750},    {"+1.5e-6", 1.5e-6},
        {"1.5k", 1500},  {"3m", 3e-3},        {"2G", 2e9},       {".5u", 0.5e-6},
        {"12", 12},      {"1E3", 1000},       {"5.", 5},         {"10uF", 10e-6}};
    for (const auto& [text, value] : taken) {
        double read = -1;
        EXPECT_EQ(ReadStrictNumber(text, read), "") << text;
        EXPECT_DOUBLE_EQ(read, value) << text;
    }
    const std::pair<const char*, const char*> refused[] = {{"7,2M", "\"7,2M\" has a comma"},
                                                           {"5.01Mx", "\"x\" is not understood"},
                                                           {"22o", "\"o\" is not understood"},
                                                           {"7M2", "\"2\" is not understood"},
                                                           {"1e999", "too large"},
                                                           {"", "\"\" is not a number"},
                                                           {"M", "\"M\" is not a number"},
                                                           {"-", "\"-\" is not a number"},
                                                           {"1.2.3", "\".3\" is not understood"},
                                                           {"4.7 p", "\" p\" is not understood"}};
    for (const auto& [text, why] : refused) {
        double read = -1;
        const std::string error = ReadStrictNumber(text, read);
        EXPECT_NE(error.find(why), std::string::npos) << text << ": " << error;
        EXPECT_EQ(read, -1) << text;
    }
    std::setlocale(LC_ALL, "C");
}

TEST(Acceptance, MagnitudesAndFloorsAsTheWindowTakesThem) {
    DesignRecord read = workedExample;
    read.C37 = -150e-12f;  // the box shows 150pF
    read.C15 = 0;          // an empty box: the floor
    read.L7 = 5e-11f;      // too small for the box to show: the floor
    read.IF = -9e6f;       // the IF is taken as it is
    const AcceptedDesign a = AcceptDesign(read);
    EXPECT_EQ(a.design.C37, 150e-12f);
    EXPECT_EQ(a.design.C15, CapacitanceFloor);
    EXPECT_EQ(a.design.L7, InductanceFloor);
    EXPECT_EQ(a.design.IF, -9e6f);
    EXPECT_EQ(a.design.CfineNom, (read.CfineMax + read.CfineMin) / 2);
    EXPECT_EQ(a.notes, (std::vector<std::string>{"C37 is -150pF in the file; taken as 150pF",
                                                 "C15 is 0 in the file; taken as 0.01pF",
                                                 "L7 is 5E-11 in the file; taken as 1pH"}));
    const AcceptedDesign same = AcceptDesign(workedExample);
    EXPECT_TRUE(same.notes.empty());
    EXPECT_EQ(Stored(same.design), Stored(workedExample));
}

// A design file is told by its value lines: under their own keys in any case, or bare
// numbers; a file with none of them is of another kind, whatever it holds.
TEST_F(FileTest, ValueLinesTellADesignFileFromAnotherKind) {
    const std::pair<std::string, int> files[] = {
        {CountingFile("\r\n"), 12},
        {CountingFile("\n", "C37", "junk"), 12},
        {"name\ndate\ncfinemin : 1\nCFINEMAX:2\n", 2},
        {"name\ndate\n1\n2\n3\n", 3},
        {"name\ndate\nwidth: 1\nheight: 2\n", 0},
        {"a,b\n1,2\n3,4\n", 0},
        {"", 0},
        {std::string("\x7f"
                     "ELF\x02\x01\x01\0\0\0:\x01\0\n\x03\0>\0\n",
                     19),
         0}};
    for (const auto& [text, found] : files) {
        Put("kind.TXT", text);
        const DesignFileRead read = ReadDesignRecord("kind.TXT", DesignRecord{});
        EXPECT_TRUE(read.read);
        EXPECT_EQ(read.valueLines, found) << text;
    }
}

// The design page's boxes keep their forgiving reading, and say what they passed over.
TEST(EntryNote, WhatABoxPassedOverIsSaid) {
    const std::pair<const char*, const char*> ignored[] = {{"4.7p", ""},
                                                           {"4.7pF", ""},
                                                           {" 22n ", ""},
                                                           {"470 pF", ""},
                                                           {"7.7uH", "'H'"},
                                                           {"22o", "'o'"},
                                                           {"4.7\xC2\xB5", "'\xC2\xB5'"},
                                                           {"2,2n", "','"},
                                                           {"1.2.3p", "'.'"},
                                                           {"5p5", "'5'"},
                                                           {"1e3x", "'x'"},
                                                           {"abc", "'abc'"},
                                                           {"12345678901234", "'34'"}};
    for (const auto& [text, runs] : ignored) {
        EXPECT_EQ(IgnoredCharacters(text, "F"), runs) << text;
    }
    EXPECT_EQ(IgnoredCharacters("7.7uH", "H"), "");
    EXPECT_EQ(IgnoredCharacters("11MHz", "Hz"), "");
    EXPECT_EQ(IgnoredCharacters("4 7p", "F"), "' '");
    EXPECT_EQ(EntryNote("4.7p", "F", 4.7e-12f, "0.01pF"), "");
    EXPECT_EQ(EntryNote("22o", "F", 22, "0.01pF"), "read as 22F: 'o' ignored");
    EXPECT_EQ(EntryNote("2,2n", "F", 22e-9f, "0.01pF"), "read as 22nF: ',' ignored");
    EXPECT_EQ(EntryNote("4.7\xC2\xB5", "F", 4.7f, "0.01pF"), "read as 4.7F: '\xC2\xB5' ignored");
    EXPECT_EQ(EntryNote("-5p", "F", -5e-12f, "0.01pF"),
              "read as -5pF: the smallest value, 0.01pF, taken");
    EXPECT_EQ(EntryNote("x0", "H", 0, "1pH"),
              "read as 0H: 'x' ignored; the smallest value, 1pH, taken");
    EXPECT_EQ(EntryNote("12o", "Hz", 12, ""), "read as 12Hz: 'o' ignored");
    EXPECT_EQ(EntryNote("-5M", "Hz", -5e6f, ""), "");  // the IF has no floor
}
