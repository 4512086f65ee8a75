#include "cli/SimulationCommands.h"

#include <algorithm>
#include <charconv>

#include "cli/CommandDesign.h"
#include "cli/CommandOptions.h"
#include "engineering/Characters.h"
#include "simulation/SimulatedNetlist.h"
#include "simulation/SimulationText.h"

namespace calbrine {

namespace {

// Nine significant digits with "." whatever the locale, as the simulation window's CSV has.
std::string Number(double value) {
    char buffer[40];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 9).ptr;
    return std::string(buffer, end);
}

// The CSV's cells of a setting, in the table's columns; empty where the text has a column the
// CSV does not, and where the setting does not oscillate.
std::vector<std::string> CsvCells(const SettingReport& s) {
    const OscillationMeasure& m = s.measure;
    const bool spectrum = m.oscillates && s.harmonics.measured;
    const auto when = [](bool measured, double value) { return measured ? Number(value) : ""; };
    return {SettingName(s.setting),
            Number(s.calculatedHz),
            when(m.oscillates, m.frequencyHz),
            "",
            Number(m.emitterVpp),
            Number(m.outputVpp),
            when(m.oscillates, m.startupSeconds),
            when(m.oscillates, s.frequencyErrorHz),
            when(spectrum, s.harmonics.dbc[1]),
            when(spectrum, s.harmonics.dbc[2])};
}

}  // namespace

ReportTable SimulationResultTable(const SimulationReport& report) {
    const SimulationRows rows = SimulationTableRows(report);
    // The window's columns, with the error bar (part of the text's "Simulated") put in before
    // the harmonics for the CSV.
    const std::vector<std::string> csvNames = {
        "setting",    "calculated_hz", "simulated_hz",  "",       "emitter_vpp",
        "output_vpp", "startup_s",     "freq_error_hz", "h2_dbc", "h3_dbc"};
    std::vector<std::string> titles = rows.columns;
    titles.insert(titles.begin() + 7, "");
    ReportTable table;
    for (std::size_t c = 0; c < csvNames.size(); ++c) {
        table.columns.push_back({titles[c], csvNames[c]});
    }
    for (std::size_t r = 0; r < report.settings.size(); ++r) {
        std::vector<std::string> texts = rows.rows[r];
        texts.insert(texts.begin() + 7, "");
        const std::vector<std::string> csv = CsvCells(report.settings[r]);
        std::vector<TableCell>& cells = table.rows.emplace_back();
        for (std::size_t c = 0; c < csv.size(); ++c) {
            cells.push_back({texts[c], csv[c]});
        }
    }
    return table;
}

std::string SimulationResultText(const SimulationReport& report) {
    const ReportTable table = SimulationResultTable(report);
    std::vector<std::vector<std::string>> lines = {table.Titles()};
    for (auto& row : table.TextRows()) {
        lines.push_back(std::move(row));
    }
    std::string text = CharacterAlignedLines(lines);
    for (const std::string& note : SimulationTableRows(report).notes) {
        text += note + "\n";
    }
    return text;
}

SimulatorOptions& CommandSimulatorBase() {
    static SimulatorOptions base;
    return base;
}

Simulator CommandSimulator(int jobs) {
    SimulatorOptions options = CommandSimulatorBase();
    if (jobs > 0) {
        options.jobs = jobs;
    }
    return Simulator(options);
}

ProgressLine::~ProgressLine() {
    if (sink_.isTerminal) {
        sink_.err << "\r\033[K" << std::flush;
    }
}

SimulationProgress ProgressLine::Report() {
    return [this](double fraction, const std::string& phase) {
        if (sink_.isTerminal) {
            sink_.err << "\rSimulating " << phase << ": " << static_cast<int>(fraction * 100)
                      << " %\033[K" << std::flush;
        }
    };
}

std::string CommandCoilQ(const CommandInput& input, const std::optional<double>& given, double& q) {
    PartSettings kept;
    const std::string bad = given ? "" : KeptPartSettings(input.file, kept);
    q = given.value_or(kept.coilQ);
    return bad;
}

std::string ParseSimulateOptions(const OptionValues& values, SimulateOptions& options) {
    options.csv = values.IsSet("csv");
    const std::string wrong = ReadJobs(values, options.jobs);
    return wrong.empty() ? ReadCoilQ(values, options.coilQ) : wrong;
}

std::string ParseNetlistOptions(const OptionValues& values, NetlistOptions& options) {
    const std::string wrong =
        values.IsSet("setting") ? ParseSetting(values.Value("setting"), options.setting) : "";
    return wrong.empty() ? ReadCoilQ(values, options.coilQ) : wrong;
}

CommandResult SimulateCommand(const SimulateOptions& options, const CommandInput& input) {
    SimulationRequest request{input.design};
    if (const std::string bad = CommandCoilQ(input, options.coilQ, request.conditions.coilQ);
        !bad.empty()) {
        return Failure(1, bad);
    }
    SimulationOutcome outcome;
    {
        ProgressLine progress(input.progress);
        outcome = CommandSimulator(options.jobs).Run(request, progress.Report());
    }
    if (!outcome.Succeeded()) {
        return Failure(1, outcome.message);
    }
    const SimulationReport& report = outcome.report;
    return {0, options.csv ? SimulationResultTable(report).Csv() : SimulationResultText(report),
            ""};
}

CommandResult NetlistCommand(const NetlistOptions& options, const CommandInput& input) {
    const std::string refusal =
        Simulator::Refusal(SimulationRequest{input.design, {options.setting}});
    if (!refusal.empty()) {
        return Failure(1, "This design cannot be simulated. " + refusal);
    }
    CircuitConditions conditions;
    if (const std::string bad = CommandCoilQ(input, options.coilQ, conditions.coilQ);
        !bad.empty()) {
        return Failure(1, bad);
    }
    return {0,
            SimulatedNetlist(input.design, SettingCapacitors(input.design, options.setting),
                             conditions),
            ""};
}

}  // namespace calbrine
