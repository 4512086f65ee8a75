// The LTspice schematic export: read back as a circuit, every part carries its own value and
// sits between the right nodes; the whole file matches a reviewed reference.
#include <cmath>

#include "CircuitTrace.h"
#include "design/Tuning.h"
#include "file_test_support.h"
#include "files/SpiceExport.h"

using namespace calbrine;
using namespace calbrine_test;
using namespace calbrine::testing;

namespace {

// No two entered parts share a value, and none shares one with a fixed part.
const DesignRecord distinctValues{6.8e-12f, 39e-12f, 8.2e-12f, 120e-12f, 15e-12f, 150e-12f,
                                  270e-12f, 47e-12f, 390e-12f, 680e-12f, 3.3e-6f, 9e6f};

}  // namespace

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

    const std::string text = Contents("vfo.ASC");
    EXPECT_EQ(text, Contents(std::string(CALBRINE_TEST_DATA) + "/spice/distinct-values.ASC"));
    const Circuit circuit = SpiceSchematicCircuit(text);
    EXPECT_EQ(circuit.values, (std::map<std::string, std::string>{{"Cfine", "22.9pF"},
                                                                  {"C39", "8.2pF"},
                                                                  {"Ccoarse", "{ Ccoarse }"},
                                                                  {"C37", "120pF"},
                                                                  {"C90", "270pF"},
                                                                  {"L7", "3.3uH"},
                                                                  {"C15", "47pF"},
                                                                  {"C34", "390pF"},
                                                                  {"C35", "680pF"},
                                                                  {"R34", "10k"},
                                                                  {"R33", "10k"},
                                                                  {"Q8", "2N3904"},
                                                                  {"R36", "2200"},
                                                                  {"R32", "4700"},
                                                                  {"C91", "56p"},
                                                                  {"V1", "9.1V"}}));
    std::vector<std::string> loose;
    const Netlist nodes = TraceNodes(circuit, loose);
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
    EXPECT_EQ(Contents("old.ASC"), "earlier");
    EXPECT_EQ(Entries(), std::set<std::string>{"old.ASC"});
}
