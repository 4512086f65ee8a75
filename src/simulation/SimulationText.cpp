#include "simulation/SimulationText.h"

#include <charconv>

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

std::string Column(const std::string& text, std::size_t width) {
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

std::string Row(const std::string (&cells)[7]) {
    const std::size_t widths[] = {10, 16, 15, 11, 17, 16, 0};
    std::string line;
    for (int i = 0; i < 7; ++i) {
        line += Column(cells[i], widths[i]);
    }
    return WithoutBlanks(line) + "\n";
}

}  // namespace

std::string SimulationTable(const SimulationReport& report) {
    std::string text = Row({"Setting", "Calculated Hz", "Simulated Hz", "Deviation",
                            "Emitter Vpp (V)", "Output Vpp (V)", "Start-up (s)"});
    std::string notes;
    for (const SettingReport& s : report.settings) {
        const OscillationMeasure& m = s.measure;
        const std::string name = SettingName(s.setting);
        std::string simulated = "none", deviation = "", startup = "";
        if (m.oscillates) {
            simulated = Eng(m.frequencyHz);
            const double percent = (m.frequencyHz / s.calculatedHz - 1) * 100;
            deviation = Plain(percent, std::chars_format::fixed, 2) + " %";
            startup = Seconds(m.startupSeconds);
        } else {
            notes += name + ": no oscillation: " + m.observation + "\n";
        }
        text += Row({name, Eng(s.calculatedHz), simulated, deviation, Eng(m.emitterVpp),
                     Eng(m.outputVpp), startup});
    }
    return text + notes;
}

std::string SimulationCsv(const SimulationReport& report) {
    const auto number = [](double value) { return Plain(value, std::chars_format::general, 9); };
    std::string text = "setting,calculated_hz,simulated_hz,emitter_vpp,output_vpp,startup_s\n";
    for (const SettingReport& s : report.settings) {
        const OscillationMeasure& m = s.measure;
        text += std::string(SettingName(s.setting)) + "," + number(s.calculatedHz) + "," +
                (m.oscillates ? number(m.frequencyHz) : "") + "," + number(m.emitterVpp) + "," +
                number(m.outputVpp) + "," + (m.oscillates ? number(m.startupSeconds) : "") + "\n";
    }
    return text;
}

}  // namespace calbrine
