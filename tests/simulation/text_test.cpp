// The simulation results as one table: its rows, the aligned text and the comma-separated
// values.
#include <gtest/gtest.h>

#include <clocale>

#include "sim_test_support.h"
#include "simulation/SimulationText.h"

using namespace calbrine;
using calbrine_test::ThreeSettings;

TEST(SimulationText, CsvHasPlainNumbersWithPointsAndEmptyCellsWithoutOscillation) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    const std::string csv = SimulationCsv(ThreeSettings());
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(csv,
              "setting,calculated_hz,simulated_hz,emitter_vpp,output_vpp,startup_s,"
              "freq_error_hz,h2_dbc,h3_dbc\n"
              "VfoMax,5758925,5743879.89,5.3206782,1.0879095,5.38294907e-06,1267.4,-59.74,-77.851\n"
              "FineLow,3897382.5,,0.000212356718,0.000435128376,,,,\n"
              "FineHigh,812.5,999.5,5.3206782,1.0879095,5.38294907e-06,0.4,-59.74,-77.851\n");
}

TEST(SimulationText, RowsGiveHertzWithErrorBarsAndTheTextAlignsThem) {
    const SimulationRows rows = SimulationTableRows(ThreeSettings());
    const std::vector<std::string> columns{"Setting",      "Calculated",      "Simulated",
                                           "Deviation",    "Emitter Vpp (V)", "Output Vpp (V)",
                                           "Start-up (s)", "H2 (dBc)",        "H3 (dBc)"};
    EXPECT_EQ(rows.columns, columns);
    ASSERT_EQ(rows.rows.size(), 3u);
    EXPECT_EQ(rows.rows[0], (std::vector<std::string>{
                                "VfoMax", "5 758 925 Hz", "5 743 880 \u00b1 1 267 Hz", "-0.26 %",
                                "5.3207", "1.0879", "5.383u", "-59.7", "-77.9"}));
    EXPECT_EQ(rows.rows[1], (std::vector<std::string>{"FineLow", "3 897 383 Hz", "none", "",
                                                      ".21236m", ".43513m", "", "", ""}));
    EXPECT_EQ(rows.rows[2][1], "813 Hz");
    EXPECT_EQ(rows.rows[2][2], "1 000 \u00b1 0 Hz");
    EXPECT_EQ(rows.rows[2][3], "23.02 %");
    EXPECT_EQ(rows.notes,
              std::vector<std::string>{"FineLow: no oscillation: output stays below 10 mV"});

    // Each column as wide as its widest cell, counted in characters ("±" is one).
    const std::string text = SimulationTable(ThreeSettings());
    EXPECT_EQ(text,
              "Setting     Calculated             Simulated  Deviation  Emitter Vpp (V)  "
              "Output Vpp (V)  Start-up (s)  H2 (dBc)  H3 (dBc)\n"
              "VfoMax    5 758 925 Hz  5 743 880 \u00b1 1 267 Hz    -0.26 %           5.3207  "
              "        1.0879        5.383u     -59.7     -77.9\n"
              "FineLow   3 897 383 Hz                  none                     .21236m  "
              "       .43513m\n"
              "FineHigh        813 Hz          1 000 \u00b1 0 Hz    23.02 %           5.3207  "
              "        1.0879        5.383u     -59.7     -77.9\n"
              "FineLow: no oscillation: output stays below 10 mV\n");
}
