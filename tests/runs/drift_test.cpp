// The drift simulated at three temperatures, against ngspice runs of netlists edited by hand,
// and its table beside the calculation.
#include <gtest/gtest.h>

#include <cmath>

#include "../simulation/sim_test_support.h"
#include "analysis/Drift.h"
#include "circuit/OscillatorParts.h"
#include "runs/SimulatedDrift.h"
#include "simulation/SimulatedNetlist.h"

using namespace calbrine;
using namespace calbrine_test;

namespace {

// The plain netlist of a setting with C37 at -750 ppm/degC and the circuit at `celsius`,
// edited as a user would for an ngspice temperature run of their own.
std::string TemperatureNetlist(TuningSetting setting, double celsius) {
    std::string text = SimulatedNetlist(workedExample, setting);
    const std::string c37 = "\nC37 tank 0 1e-10";
    const std::size_t at = text.find(c37);
    EXPECT_NE(at, std::string::npos);
    text.insert(at + c37.size(), " tc1=-750e-6");
    text.insert(text.find("\n.tran") + 1,
                ".options tnom=25\n.temp " + std::to_string(static_cast<int>(celsius)) + "\n");
    return text;
}

}  // namespace

TEST(SimulatedDrift, AgreesWithHandMadeTemperatureRunsAndShowsTheTransistorsShare) {
    if (const std::string why = NgspiceMissing(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    PartSettings settings;
    settings.Tc(Part::C37) = -750;
    settings.Tc(Part::L7) = 0;
    settings.coilQ = 0;  // the hand-made runs are of the ideal coil
    const SimulatedDriftOutcome drift =
        SimulateDrift(workedExample, settings, Simulator(TestWorkers()), {});
    ASSERT_TRUE(drift.Succeeded()) << drift.message;

    // Plain runs of 400 periods at the planned step, each judged as a whole.
    std::vector<JobResult> runs;
    for (TuningSetting setting : {TuningSetting::VfoMin, TuningSetting::VfoMax}) {
        for (double celsius : {15.0, 35.0}) {
            NgspiceSession session;
            const NetlistRun run =
                session.Run(TemperatureNetlist(setting, celsius),
                            {"time", node::Emitter, node::Output}, {}, nullptr, RunLimits{600});
            ASSERT_EQ(run.outcome, NetlistRun::Outcome::Done) << run.errors;
            runs.emplace_back().measure =
                MeasureOscillation({run.vectors[0], run.vectors[1], run.vectors[2]},
                                   CalculatedFrequency(workedExample, setting));
        }
    }
    const DriftAnalysis calculated = AnalyseDrift(workedExample, settings);
    for (std::size_t s = 0; s < 2; ++s) {
        const SettingDrift& d = drift.settings[s];
        const double alone =
            (runs[2 * s + 1].measure.frequencyHz - runs[2 * s].measure.frequencyHz) / 20;
        ASSERT_TRUE(d.oscillates);
        EXPECT_NEAR(d.simulatedHzPerC, alone, std::max(3.0, 0.05 * std::fabs(alone)))
            << SettingName(d.setting);
        EXPECT_DOUBLE_EQ(d.simulatedHzPerC, (d.simulatedHz[2] - d.simulatedHz[0]) / 20);
        // The frequency rises with temperature through C37, and 25 degC lies between.
        EXPECT_LT(d.simulatedHz[0], d.simulatedHz[1]);
        EXPECT_LT(d.simulatedHz[1], d.simulatedHz[2]);
        EXPECT_GT(d.errorHz[1], 0);
        EXPECT_NEAR(d.calculatedHzPerC,
                    s == 0 ? calculated.totalLowHzPerC : calculated.totalHighHzPerC, 1e-6);
        EXPECT_DOUBLE_EQ(d.TransistorHzPerC(), d.simulatedHzPerC - d.calculatedHzPerC);
    }
    EXPECT_EQ(drift.settings[0].setting, TuningSetting::VfoMin);
    EXPECT_EQ(drift.settings[1].setting, TuningSetting::VfoMax);
    const ReportTable table = SimulatedDriftTable(drift);
    const std::string csv = table.Csv();
    EXPECT_EQ(csv.substr(0, csv.find('\n')), "setting,calculated_hz_per_c,simulated_hz_per_c");
    EXPECT_EQ(table.rows[1][0].csv, "VfoMax");
    EXPECT_NEAR(std::stod(table.rows[1][2].csv), drift.settings[1].simulatedHzPerC, 1e-6);
    EXPECT_NEAR(std::stod(table.rows[0][1].csv), drift.settings[0].calculatedHzPerC, 1e-6);
}

TEST(SimulatedDrift, ConditionsNameTheCircuitsPartsAndTheNetlistCarriesThem) {
    PartSettings settings;
    settings.tcPpm = {-30, 0, -750, 50, 0, 0, 0, 0, 20};
    const CircuitConditions c = DriftConditions(settings, 35);
    EXPECT_EQ(c.temperatureC, 35);
    EXPECT_EQ(c.coilQ, 150);  // the settings' coil
    EXPECT_EQ(c.tcPpm, (std::vector<std::pair<std::string, double>>{
                           {"Cfine", -30}, {"C37", -750}, {"Ccoarse", 50}, {"L7", 20}}));
    const std::string netlist =
        SimulatedNetlist(workedExample, SettingCapacitors(workedExample, TuningSetting::VfoMax), c);
    for (const char* line :
         {"\nCfine fine 0 2.5e-11 tc1=-3e-05\n", "\nC37 tank 0 1e-10 tc1=-0.00075\n",
          "\nCcoarse tank 0 2e-11 tc1=5e-05\n",
          "\nL7 base coil 4.7e-06 tc1=2e-05\nRL7 coil tank 1.10", "\nC39 tank fine 1e-11\n",
          "\n.options tnom=25\n.temp 35\n"}) {
        EXPECT_NE(netlist.find(line), std::string::npos) << line;
    }
    // A plain run keeps ngspice's own temperature and every part's value.
    const std::string plain = SimulatedNetlist(workedExample, TuningSetting::VfoMax);
    EXPECT_EQ(plain.find("tc1"), std::string::npos);
    EXPECT_EQ(plain.find(".temp"), std::string::npos);
    CircuitConditions wrong;
    wrong.tcPpm = {{"C38", 10}};
    EXPECT_THROW(BuildOscillator(workedExample, TuningCapacitors{}, wrong), std::invalid_argument);
}
