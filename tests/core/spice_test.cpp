// The LTspice schematic export.
#include <cmath>

#include "design/Tuning.h"
#include "file_test_support.h"
#include "files/modReadWrite.h"

using namespace calbrine;
using namespace calbrine_test;

TEST_F(FileTest, SpiceSchematicOfTheBuiltInDesign) {
    ReadDesignFile("missing.TXT");  // brings the built-in values
    DesignValues.CfineNom = (DesignValues.CfineMin + DesignValues.CfineMax) / 2;
    SetProgramConstants();
    EvaluateTuning();
    DesignValues.C39 = -33e-12f;  // written, and kept, as its magnitude
    SpiceFileName = "vfo.ASC";
    WriteSpiceSchematic();
    EXPECT_EQ(messages.size(), 1u);  // the not-found message alone
    EXPECT_EQ(DesignValues.C39, 33e-12f);

    // 113 lines, each of them, the last included, ending in CR LF.
    const std::string text = Contents("vfo.ASC");
    Texts lines;
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    ASSERT_EQ(lines.size(), 113u);
    EXPECT_EQ(text.size() - text.rfind("\r\n"), 2u);
    const std::pair<int, const char*> expected[] = {
        {1, "Version 4"},
        {5, "SYMATTR Value 110pF"},
        {10, "SYMATTR Value 33pF"},
        {22, "SYMATTR Value 7.7uH"},
        {37, "SYMATTR Value 10k"},
        {64, "WIRE 176 -16 48 -16"},
        {109, "WIRE -256 928 -256 864"},
        // 3.26028 MHz and 3.10280 MHz from the resonance formula in double precision:
        // 120 / f = 36.807 us, 100 / f = 30.672 us, 0.05 / f = 15.336 ns.
        {110, "TEXT -744 456 Left 0 !.TRAN 0 36.81u 30.67u 15.34n"},
        {111, "TEXT -792 592 Left 0 ;Calculated freq range 3.1028M to 3.2603M"},
        {112, "TEXT -792 528 Left 0 !.STEP PARAM Ccoarse LIST 10pF 240pF"},
        {113, "TEXT 296 824 Left 0 ;Original file by Calbrine\\nfrom Hallix Software"},
    };
    for (const auto& [number, line] : expected) {
        EXPECT_EQ(lines[number - 1], line) << "line " << number;
    }
}

TEST_F(FileTest, FailedSpiceExportLeavesNoFileAndTheEarlierOneAlone) {
    Put("old.ASC", "earlier");
    for (float top : {0.0f, NAN, INFINITY, 1e-40f}) {
        TuningResults.VfoMax = top;
        for (const char* name : {"old.ASC", "new.ASC"}) {
            SpiceFileName = name;
            WriteSpiceSchematic();
        }
    }
    TuningResults.VfoMax = 3e6f;
    SpiceFileName = "no/such/folder.ASC";
    WriteSpiceSchematic();
    EXPECT_EQ(messages, Texts(9, "Calbrine: We could not write the Calbrine LTspice file"));
    EXPECT_EQ(beeps, 0);
    EXPECT_EQ(Contents("old.ASC"), "earlier");
    EXPECT_EQ(Entries(), std::set<std::string>{"old.ASC"});
}
