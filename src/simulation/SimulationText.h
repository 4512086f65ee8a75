// The simulation results as one table, built once: its column names and a row of cells per
// setting. The simulation window shows these rows, the command line prints them as aligned
// text (which the window's "Copy as text" copies) or as comma-separated values.
#pragma once

#include <string>
#include <vector>

#include "simulation/Simulator.h"

namespace calbrine {

struct SimulationRows {
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
    // One line per setting that does not oscillate, saying what was seen instead.
    std::vector<std::string> notes;
};

// Frequencies to the hertz ("5 448 808 ± 1 520 Hz"), the deviation from the calculation in
// percent with two decimals, the swings and start-up in the program's engineering notation,
// the harmonics in dBc with one decimal. "none" and empty cells where it does not oscillate.
SimulationRows SimulationTableRows(const SimulationReport& report);

// The rows with each column padded to its widest cell, then the notes.
std::string SimulationTable(const SimulationReport& report);
// The lines as a table whose columns are aligned by characters ("±" is one), the first to the
// left and the rest to the right, two blanks apart.
std::string CharacterAlignedLines(const std::vector<std::vector<std::string>>& lines);

// The header "setting,calculated_hz,simulated_hz,emitter_vpp,output_vpp,startup_s,
// freq_error_hz,h2_dbc,h3_dbc" and one line per setting; numbers with "." and 9 significant
// digits; simulated_hz is the extrapolated frequency; it, the start-up time, the error and
// the harmonics are empty for a setting that does not oscillate.
std::string SimulationCsv(const SimulationReport& report);

// Whole hertz with the thousands apart: "5 469 798 Hz"; with an error bar,
// "5 448 808 ± 1 520 Hz".
std::string WholeHertz(double hz);
std::string HertzWithError(double hz, double errorHz);

}  // namespace calbrine
