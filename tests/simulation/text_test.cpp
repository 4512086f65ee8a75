// The simulation results as a table and as comma-separated values.
#include <gtest/gtest.h>

#include <clocale>

#include "simulation/SimulationText.h"

using namespace calbrine;

namespace {

SimulationReport TwoSettings() {
    SettingReport running;
    running.setting = TuningSetting::VfoMax;
    running.calculatedHz = 5758925;
    running.measure.oscillates = true;
    running.measure.frequencyHz = 5743879.891;
    running.measure.emitterVpp = 5.3206782;
    running.measure.outputVpp = 1.0879095;
    running.measure.startupSeconds = 5.38294907e-6;
    SettingReport silent;
    silent.setting = TuningSetting::FineLow;
    silent.calculatedHz = 3897382.5;
    silent.measure.outputVpp = 0.000435128376;
    silent.measure.emitterVpp = 0.000212356718;
    silent.measure.observation = "output stays below 10 mV";
    return SimulationReport{{running, silent}};
}

}  // namespace

TEST(SimulationText, CsvHasPlainNumbersWithPointsAndNoFrequencyWithoutOscillation) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    const std::string csv = SimulationCsv(TwoSettings());
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(csv,
              "setting,calculated_hz,simulated_hz,emitter_vpp,output_vpp,startup_s\n"
              "VfoMax,5758925,5743879.89,5.3206782,1.0879095,5.38294907e-06\n"
              "FineLow,3897382.5,,0.000212356718,0.000435128376,\n");
}

TEST(SimulationText, TableInEngineeringNotationWithANoteForEachSilentSetting) {
    const std::string table = SimulationTable(TwoSettings());
    EXPECT_EQ(table.substr(0, table.find('\n')),
              "Setting   Calculated Hz   Simulated Hz   Deviation  Emitter Vpp (V)  "
              "Output Vpp (V)  Start-up (s)");
    EXPECT_NE(table.find("\nVfoMax    5.7589M         5.7439M        -0.26 %    5.3207           "
                         "1.0879          5.383u\n"),
              std::string::npos)
        << table;
    EXPECT_NE(table.find("\nFineLow   3.8974M         none"), std::string::npos) << table;
    EXPECT_NE(table.find("\nFineLow: no oscillation: output stays below 10 mV\n"),
              std::string::npos);
}
