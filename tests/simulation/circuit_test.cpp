// The simulated circuit against the LTspice export, and the netlist's numbers.
#include <clocale>
#include <map>
#include <sstream>

#include "AscCircuit.h"
#include "circuit/OscillatorCircuit.h"
#include "circuit/SpiceNetlist.h"
#include "design/Tuning.h"
#include "file_test_support.h"
#include "files/modReadWrite.h"
#include "sim_test_support.h"

using namespace calbrine;
using namespace calbrine_test;

namespace {

// The nodes of a netlist's part lines, pins named as AscNodes names them.
NodeSet NetlistNodes(const std::string& netlist) {
    std::map<std::string, Node> nodes{{"0", {"0"}}};
    std::istringstream in(netlist);
    std::string line;
    std::getline(in, line);  // the title
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '.' || line[0] == '*' || line[0] == '+') {
            continue;
        }
        std::istringstream words(line);
        std::string part, node;
        words >> part;
        for (int pin = 1; pin <= (part[0] == 'Q' ? 3 : 2) && words >> node; ++pin) {
            nodes[node].insert(part + "." + std::to_string(pin));
        }
    }
    NodeSet result;
    for (const auto& entry : nodes) {
        result.insert(entry.second);
    }
    return result;
}

}  // namespace

TEST_F(FileTest, NetlistJoinsThePartsAsTheLtspiceExportDoes) {
    SetProgramConstants();
    DesignValues = WorkedExample();
    EvaluateTuning();
    SpiceFileName = "vfo.ASC";
    WriteSpiceSchematic();
    const NodeSet exported = AscNodes(Contents("vfo.ASC"));
    // Supply, base, emitter, tank, fine-tune, output and ground.
    ASSERT_EQ(exported.size(), 7u);
    for (TuningSetting setting : AllTuningSettings) {
        const OscillatorCircuit circuit = BuildOscillator(WorkedExample(), setting);
        EXPECT_EQ(NetlistNodes(SpiceNetlist(circuit, PlanTransient(5e6))), exported)
            << SettingName(setting);
    }
}

TEST(Netlist, CarriesTheSettingsCapacitorsAndSizesTheRunFromTheFrequency) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "de_DE.UTF-8");  // a decimal comma, where installed
    const DesignRecord d = WorkedExample();
    const std::string fineLow =
        SpiceNetlist(BuildOscillator(d, TuningSetting::FineLow), PlanTransient(5e6));
    const std::string vfoMax =
        SpiceNetlist(BuildOscillator(d, TuningSetting::VfoMax), PlanTransient(5e6));
    std::setlocale(LC_ALL, previous.c_str());
    for (const char* line : {"\nCfine fine 0 4e-11\n", "\nCcoarse tank 0 1e-10\n",
                             "\nL7 base tank 4.7e-06\n", "\nV1 supply 0 PWL(0 0 2e-08 9.1)\n",
                             "\nQ8 supply base emitter 2N3904\n", "\n.model 2N3904 NPN(",
                             // 400 periods of 5 MHz, at least 100 points a period.
                             "\n.tran 2e-09 8e-05 0 2e-09\n"}) {
        EXPECT_NE(fineLow.find(line), std::string::npos) << line;
    }
    EXPECT_NE(vfoMax.find("\nCfine fine 0 2.5e-11\n"), std::string::npos);
    EXPECT_NE(vfoMax.find("\nCcoarse tank 0 2e-11\n"), std::string::npos);
}

TEST(Netlist, CalculatedFrequencyIsTheTuningCalculationsAndLeavesTheDesignAlone) {
    SetProgramConstants();
    DesignValues = WithDivider(1e-6f);
    const DesignRecord kept = DesignValues;
    EXPECT_FLOAT_EQ(CalculatedFrequency(WorkedExample(), TuningSetting::VfoMin), 5469798);
    EXPECT_FLOAT_EQ(CalculatedFrequency(WorkedExample(), TuningSetting::VfoMax), 5758925);
    EXPECT_FLOAT_EQ(CalculatedFrequency(WorkedExample(), TuningSetting::FineLow), 5467358.5f);
    EXPECT_FLOAT_EQ(CalculatedFrequency(WorkedExample(), TuningSetting::FineHigh), 5475945.5f);
    EXPECT_EQ(DesignValues.C34, kept.C34);
    EXPECT_EQ(DesignValues.C35, kept.C35);
}
