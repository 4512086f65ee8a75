// The simulated circuit against the LTspice export, and the netlist's numbers.
#include <algorithm>
#include <clocale>
#include <map>
#include <sstream>

#include "CircuitTrace.h"
#include "circuit/OscillatorCircuit.h"
#include "circuit/SpiceNetlist.h"
#include "design/Tuning.h"
#include "engineering/EngineeringText.h"
#include "sim_test_support.h"
#include "simulation/SimulatedNetlist.h"

using namespace calbrine;
using namespace calbrine_test;
using namespace calbrine::testing;

namespace {

// The nodes of a netlist's part lines, pins named as CircuitTrace names them: a two-lead part
// by its name, the transistor by its leads (collector, base, emitter), the supply by + and -,
// and node 0 as the ground.
Netlist NetlistNodes(const std::string& netlist) {
    std::map<std::string, std::vector<std::string>> nodes{{"0", {"ground"}}};
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
        const std::vector<std::string> leads =
            part[0] == 'Q'   ? std::vector<std::string>{".C", ".B", ".E"}
            : part[0] == 'V' ? std::vector<std::string>{".+", ".-"}
                             : std::vector<std::string>{"", ""};
        for (const std::string& lead : leads) {
            words >> node;
            nodes[node].push_back(part + lead);
        }
    }
    Netlist result;
    for (auto& [name, node] : nodes) {
        std::sort(node.begin(), node.end());
        result.insert(node);
    }
    return result;
}

}  // namespace

// The export's wires are traced against the same node list in spice_test.cpp, so the netlist
// simulated and the schematic exported join the parts alike.
TEST(Netlist, JoinsThePartsAsTheLtspiceExportDoes) {
    const Netlist exported = ReadNetlist("oscillator_export.net");
    for (TuningSetting setting : AllTuningSettings) {
        const OscillatorCircuit circuit = BuildOscillator(workedExample, setting);
        EXPECT_EQ(NetlistNodes(SpiceNetlist(circuit, PlanTransient(5e6))), exported)
            << SettingName(setting);
    }
}

// The value texts that the export and the window show read back as the values that the
// netlist simulates and the printed page prints.
TEST(Netlist, FixedPartsShowTheValuesTheyAreSimulatedWith) {
    for (const FixedPart& part : FixedParts) {
        if (part.kind != PartKind::NpnTransistor) {
            float shown = 0;
            ParseEngValue(part.text, shown);
            EXPECT_FLOAT_EQ(shown, static_cast<float>(part.value)) << part.name;
        }
    }
}

TEST(Netlist, CarriesTheSettingsCapacitorsAndSizesTheRunFromTheFrequency) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "de_DE.UTF-8");  // a decimal comma, where installed
    const DesignRecord d = workedExample;
    const std::string fineLow =
        SpiceNetlist(BuildOscillator(d, TuningSetting::FineLow), PlanTransient(5e6));
    const std::string vfoMax =
        SpiceNetlist(BuildOscillator(d, TuningSetting::VfoMax), PlanTransient(5e6));
    // Singles as the singles they are, other numbers to nine digits.
    EXPECT_EQ(SpiceNumber(4.7e-6f) + " " + SpiceNumber(1.0 / 3) + " " + SpiceNumber(-750e-6),
              "4.7e-06 0.333333333 -0.00075");
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
    EXPECT_FLOAT_EQ(CalculatedFrequency(workedExample, TuningSetting::VfoMin), 5469798);
    EXPECT_FLOAT_EQ(CalculatedFrequency(workedExample, TuningSetting::VfoMax), 5758925);
    EXPECT_FLOAT_EQ(CalculatedFrequency(workedExample, TuningSetting::FineLow), 5467358.5f);
    EXPECT_FLOAT_EQ(CalculatedFrequency(workedExample, TuningSetting::FineHigh), 5475945.5f);
    EXPECT_EQ(DesignValues.C34, kept.C34);
    EXPECT_EQ(DesignValues.C35, kept.C35);
}

// The coil's loss: RL7 between L7 and the tank node, 2 pi f L7 / Q at the mean of the
// calculated VfoMin and VfoMax, in every setting alike; Q = 0 leaves the circuit as it was.
// A restart then sets the coil node as well, and L7's current stays last.
TEST(Netlist, GivesTheCoilItsLossInSeries) {
    const DesignRecord d = workedExample;
    const double midHz = (5469798.0 + 5758925.0) / 2;
    const double ohms = 2 * 3.14159265358979 * midHz * 4.7e-6 / 120;  // 1.381 ohm
    for (TuningSetting setting : {TuningSetting::VfoMin, TuningSetting::FineHigh}) {
        CircuitConditions lossy;
        lossy.coilQ = 120;
        const OscillatorCircuit circuit = BuildOscillator(d, SettingCapacitors(d, setting), lossy);
        ASSERT_EQ(circuit.parts.size(), BuildOscillator(d, setting).parts.size() + 1);
        const auto l7 = std::find_if(circuit.parts.begin(), circuit.parts.end(),
                                     [](const CircuitPart& p) { return p.name == "L7"; });
        ASSERT_NE(l7 + 1, circuit.parts.end());
        const CircuitPart& loss = *(l7 + 1);
        EXPECT_EQ(loss.name, "RL7");
        EXPECT_EQ(loss.kind, PartKind::Resistor);
        EXPECT_NEAR(loss.value / ohms, 1, 1e-6) << SettingName(setting);
        EXPECT_EQ(l7->nodes, (std::vector<std::string>{"base", "coil"}));
        EXPECT_EQ(loss.nodes, (std::vector<std::string>{"coil", "tank"}));
        EXPECT_EQ(
            SpiceNetlist(BuildOscillator(d, SettingCapacitors(d, setting), {}), PlanTransient(5e6)),
            SpiceNetlist(BuildOscillator(d, setting), PlanTransient(5e6)));
    }
    CircuitConditions lossy;
    lossy.coilQ = 150;
    const std::string netlist =
        SavingState(SimulatedNetlist(d, SettingCapacitors(d, TuningSetting::VfoMin), lossy));
    EXPECT_NE(netlist.find("\nRL7 coil tank 1.10"), std::string::npos) << netlist;
    const std::vector<std::string> names = StateVectors(netlist);
    ASSERT_EQ(names.size(), 8u);
    EXPECT_EQ(names[6], "coil");
    EXPECT_EQ(names[7], "l7#branch");
    EXPECT_EQ(StateVectors(SimulatedNetlist(d, TuningSetting::VfoMin)).size(), 7u);
    const std::string restart = RestartNetlist(netlist, {1, 2, 3, 4, 5, 9.1, 3.25, -0.02}, 1);
    EXPECT_NE(restart.find(" v(supply)=9.1 v(coil)=3.25\n"), std::string::npos) << restart;
    EXPECT_NE(restart.find("\nL7 base coil 4.7e-06 ic=-0.02\n"), std::string::npos) << restart;
}
