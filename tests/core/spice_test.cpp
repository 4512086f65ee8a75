// The LTspice schematic export.
#include <cmath>

#include "design/DesignValues.h"
#include "design/Tuning.h"
#include "file_test_support.h"
#include "files/modReadWrite.h"

using namespace calbrine;
using calbrine_test::FileTest;

TEST_F(FileTest, SpiceSchematicOfTheBuiltInDesign) {
    ReadDesignFile("missing.TXT");  // brings the built-in values
    DesignValues.CfineNom = (DesignValues.CfineMin + DesignValues.CfineMax) / 2;
    SetProgramConstants();
    EvaluateTuning();
    DesignValues.C39 = -33e-12f;  // written, and kept, as its magnitude
    SpiceFileName = "vfo.ASC";
    WriteSpiceSchematic();
    EXPECT_EQ(services.messages.size(), 1u);  // the not-found message alone
    EXPECT_EQ(DesignValues.C39, 33e-12f);

    const std::vector<std::string> lines = CrLfLines(Contents("vfo.ASC"));
    ASSERT_EQ(lines.size(), 113u);
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
    for (const auto& [number, text] : expected) {
        EXPECT_EQ(lines[number - 1], text) << "line " << number;
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
    EXPECT_EQ(services.messages, std::vector<std::string>(
                                     9, "Calbrine: We could not write the Calbrine LTspice file"));
    EXPECT_EQ(services.beeps, 0);
    EXPECT_EQ(Contents("old.ASC"), "earlier");
    EXPECT_EQ(Entries(), std::vector<std::string>{"old.ASC"});
}
