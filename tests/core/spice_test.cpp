// The LTspice schematic export: the whole file matches a reviewed reference, in which every
// part carries its own value; read back as a circuit, every part sits between the right nodes.
#include <cmath>

#include "CircuitTrace.h"
#include "design/Tuning.h"
#include "file_test_support.h"
#include "files/SpiceExport.h"

using namespace calbrine;
using namespace calbrine_test;
using namespace calbrine::testing;

TEST_F(FileTest, SpiceSchematicIsTheOscillatorWithEachPartsValue) {
    SetProgramConstants();
    DesignValues = distinctValues;
    DesignValues.CfineNom = (DesignValues.CfineMin + DesignValues.CfineMax) / 2;
    EvaluateTuning();
    DesignValues.C39 = -8.2e-12f;  // written, and kept, as its magnitude
    SpiceFileName = "vfo.ASC";
    WriteSpiceSchematic();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(DesignValues.C39, 8.2e-12f);

    const std::string text = FileText("vfo.ASC");
    EXPECT_EQ(text, FileText(std::string(CALBRINE_TEST_DATA) + "/spice/distinct-values.ASC"));
    std::vector<std::string> loose;
    const Netlist nodes = TraceNodes(SpiceSchematicCircuit(text), loose);
    EXPECT_EQ(loose, std::vector<std::string>{});
    EXPECT_EQ(nodes, ReadNetlist("oscillator_export.net")) << Describe(nodes);
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
    EXPECT_EQ(FileText("old.ASC"), "earlier");
    EXPECT_EQ(Entries(), std::set<std::string>{"old.ASC"});
}
