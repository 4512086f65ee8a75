#include "simulation/SimulationText.h"

#include <charconv>
#include <cmath>

#include "engineering/Characters.h"
#include "engineering/EngineeringText.h"

namespace calbrine {

namespace {

std::string Plain(double value, std::chars_format form, int precision) {
    char buffer[40];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, form, precision).ptr;
    return std::string(buffer, end);
}

std::string Eng(double value) {
    std::string text;
    FormatEng(value, text);
    return WithoutBlanks(text);
}

std::string Seconds(double value) {
    std::string text;
    FormatEngSmall(value, text);
    return WithoutBlanks(text);
}

// "5 448 808": the whole number with its digits in groups of three.
std::string Grouped(double value) {
    const long long whole = std::llround(value);
    std::string digits = std::to_string(whole < 0 ? -whole : whole);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(at, " ");
    }
    return (whole < 0 ? "-" : "") + digits;
}

std::vector<std::string> Row(const SettingReport& s) {
    const OscillationMeasure& m = s.measure;
    std::vector<std::string> cells{SettingName(s.setting),
                                   WholeHertz(s.calculatedHz),
                                   "none",
                                   "",
                                   Eng(m.emitterVpp),
                                   Eng(m.outputVpp),
                                   "",
                                   "",
                                   ""};
    if (m.oscillates) {
        cells[2] = HertzWithError(m.frequencyHz, s.frequencyErrorHz);
        cells[3] =
            Plain((m.frequencyHz / s.calculatedHz - 1) * 100, std::chars_format::fixed, 2) + " %";
        cells[6] = Seconds(m.startupSeconds);
        if (s.harmonics.measured) {
            cells[7] = Plain(s.harmonics.dbc[1], std::chars_format::fixed, 1);
            cells[8] = Plain(s.harmonics.dbc[2], std::chars_format::fixed, 1);
        }
    }
    return cells;
}

}  // namespace

std::string WholeHertz(double hz) {
    return Grouped(hz) + " Hz";
}

std::string HertzWithError(double hz, double errorHz) {
    return Grouped(hz) + " \u00b1 " + Grouped(errorHz) + " Hz";
}

SimulationRows SimulationTableRows(const SimulationReport& report) {
    SimulationRows table;
    table.columns = {"Setting",        "Calculated",   "Simulated", "Deviation", "Emitter Vpp (V)",
                     "Output Vpp (V)", "Start-up (s)", "H2 (dBc)",  "H3 (dBc)"};
    for (const SettingReport& s : report.settings) {
        table.rows.push_back(Row(s));
        if (!s.measure.oscillates) {
            table.notes.push_back(std::string(SettingName(s.setting)) +
                                  ": no oscillation: " + s.measure.observation);
        }
    }
    return table;
}

std::string CharacterAlignedLines(const std::vector<std::vector<std::string>>& lines) {
    std::vector<std::size_t> widths(lines.empty() ? 0 : lines.front().size(), 0);
    for (const auto& line : lines) {
        for (std::size_t c = 0; c < line.size() && c < widths.size(); ++c) {
            widths[c] = std::max(widths[c], CharacterCount(line[c]));
        }
    }
    std::string text;
    for (const auto& line : lines) {
        std::string row;
        for (std::size_t c = 0; c < line.size() && c < widths.size(); ++c) {
            const std::string pad(widths[c] - CharacterCount(line[c]), ' ');
            row += c == 0 ? line[c] + pad : "  " + pad + line[c];
        }
        text += WithoutBlanks(row) + "\n";
    }
    return text;
}

std::string SimulationTable(const SimulationReport& report) {
    const SimulationRows table = SimulationTableRows(report);
    std::vector<std::vector<std::string>> lines{table.columns};
    lines.insert(lines.end(), table.rows.begin(), table.rows.end());
    std::string text = CharacterAlignedLines(lines);
    for (const std::string& note : table.notes) {
        text += note + "\n";
    }
    return text;
}

std::string SimulationCsv(const SimulationReport& report) {
    const auto number = [](double value) { return Plain(value, std::chars_format::general, 9); };
    std::string text =
        "setting,calculated_hz,simulated_hz,emitter_vpp,output_vpp,startup_s,freq_error_hz,"
        "h2_dbc,h3_dbc\n";
    for (const SettingReport& s : report.settings) {
        const OscillationMeasure& m = s.measure;
        const bool spectrum = m.oscillates && s.harmonics.measured;
        text += std::string(SettingName(s.setting)) + "," + number(s.calculatedHz) + "," +
                (m.oscillates ? number(m.frequencyHz) : "") + "," + number(m.emitterVpp) + "," +
                number(m.outputVpp) + "," + (m.oscillates ? number(m.startupSeconds) : "") + "," +
                (m.oscillates ? number(s.frequencyErrorHz) : "") + "," +
                (spectrum ? number(s.harmonics.dbc[1]) : "") + "," +
                (spectrum ? number(s.harmonics.dbc[2]) : "") + "\n";
    }
    return text;
}

}  // namespace calbrine
