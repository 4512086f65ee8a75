#include "cli/DesignCommands.h"

#include "analysis/ReportText.h"
#include "analysis/Reports.h"
#include "cli/CommandDesign.h"
#include "cli/ManyRunCommands.h"
#include "cli/ShippedTables.h"
#include "design/Tuning.h"
#include "files/DesignFiles.h"
#include "files/ReplaceFile.h"

namespace calbrine {

namespace {

// The four frequencies of a design as one row: the CSV's columns, and the text's rows when
// the table is printed on its side.
ReportTable ComputeTable(const TuningRecord& r) {
    const auto cell = [](float hz) { return TableCell{FrequencyText(hz), PlainNumber(hz)}; };
    ReportTable table;
    table.columns = {{"VfoMin", "vfo_min_hz"},
                     {"VfoMax", "vfo_max_hz"},
                     {"FineLow", "fine_low_hz"},
                     {"FineHigh", "fine_high_hz"}};
    table.rows = {{cell(r.VfoMin), cell(r.VfoMax), cell(r.FineLow), cell(r.FineHigh)}};
    return table;
}

// Each column's heading beside its one cell, a line per column.
std::string SidewaysText(const ReportTable& table) {
    const std::vector<std::string> titles = table.Titles();
    const std::vector<std::string> cells = table.TextRows().front();
    std::vector<std::vector<std::string>> lines;
    for (std::size_t c = 0; c < titles.size(); ++c) {
        lines.push_back({titles[c], cells[c]});
    }
    return AlignedTable(lines);
}

}  // namespace

std::string ParseComputeOptions(const OptionValues& values, ComputeOptions& options) {
    options.csv = values.IsSet("csv");
    return "";
}

std::string ParseCurveOptions(const OptionValues& values, CurveOptions& options) {
    options.csv = values.IsSet("csv");
    options.simulate = values.IsSet("simulate");
    std::string wrong = ReadJobs(values, options.jobs);
    wrong = wrong.empty() ? ReadCoilQ(values, options.coilQ) : wrong;
    // An empty value is taken as none given, the default.
    if (const std::string steps = values.Value("steps"); wrong.empty() && !steps.empty()) {
        wrong = ParseSteps(steps, options.steps);
    }
    return wrong;
}

std::string ParseFitOptions(const OptionValues& values, FitOptions& options) {
    options.csv = values.IsSet("csv");
    if (!values.IsSet("band")) {
        return "fit wants --band LOW:HIGH, such as --band 7M:7.2M";
    }
    std::string wrong = ParseBand(values.Value("band"), options.target.band);
    if (const std::string mix = values.Value("mix"); wrong.empty() && !mix.empty()) {
        options.target.mix = Mix::Sum;
        wrong = ParseMix(mix, *options.target.mix);
    }
    if (const std::string solve = values.Value("solve"); wrong.empty() && !solve.empty()) {
        wrong = ParseSolve(solve, options.solve);
    }
    options.simulate = values.IsSet("simulate");
    wrong = wrong.empty() ? ReadJobs(values, options.jobs) : wrong;
    wrong = wrong.empty() ? ReadCoilQ(values, options.coilQ) : wrong;
    if (values.IsSet("save") && wrong.empty()) {
        // Refused before the fit, whose simulation may take a while, rather than after it.
        options.save = ReadableName(values.Value("save"));
        const std::string refusal = ReplaceRefusal(values.Value("save"));
        wrong = refusal.empty() ? "" : "--save cannot write the fitted design: " + refusal;
    }
    return wrong;
}

std::string ParseDriftOptions(const OptionValues& values, DriftOptions& options) {
    options.csv = values.IsSet("csv");
    options.simulate = values.IsSet("simulate");
    std::string wrong = ReadJobs(values, options.jobs);
    wrong = wrong.empty() ? ReadCoilQ(values, options.coilQ) : wrong;
    const std::vector<NamedTc> cores =
        values.IsSet("tc") ? ShippedCorePresets() : std::vector<NamedTc>{};
    for (const std::string& text : values.Values("tc")) {
        PartNumber tc;
        wrong = wrong.empty() ? ParseTc(text, tc, cores) : wrong;
        options.tc.push_back(tc);
    }
    return wrong;
}

CommandResult ComputeCommand(const ComputeOptions& options, const CommandInput& input) {
    const TuningRecord r = TuneDesign(input.design);
    const ReportTable table = ComputeTable(r);
    if (options.csv) {
        return {0, table.Csv(), ""};
    }
    const TuningCaptions captions = CaptionsOf(input.design, r);
    return {0,
            SidewaysText(table) + "\n" + captions.lblFreqMin + "\n" + captions.lblSum + "\n" +
                captions.lblDiff + "\n" + captions.lblSpan + "\n" + captions.lblFineSpan + "\n",
            ""};
}

CommandResult CurveCommand(const CurveOptions& options, const CommandInput& input) {
    if (options.simulate) {
        return SimulatedCurveCommand(input, options.steps, options.coilQ, options.csv,
                                     options.jobs);
    }
    return {0,
            options.csv ? DialTable(input.design, options.steps).Csv()
                        : DialReport(input.design, options.steps),
            ""};
}

CommandResult FitCommand(const FitOptions& options, const CommandInput& input) {
    const FitRequest request{options.target.band, options.target.mix.value_or(Mix::Sum),
                             options.solve};
    const FitOutcome fit = options.target.mix
                               ? FitOutcome{request, SolveFit(input.design, request), ""}
                               : SolveFitEitherMix(input.design, request);
    // A band written in megahertz without its letter reads as a few hertz: said either way.
    const std::string hertz = options.target.band.highHz < 1e3
                                  ? "the band's edges are in hertz: 14M:14.35M is 14 to 14.35 MHz"
                                  : "";
    if (!fit.result.reached) {
        std::string why = fit.failure.empty() ? FitFailure(fit.result) : fit.failure;
        while (!why.empty() && why.back() == '\n') {
            why.pop_back();
        }
        return Failure(1, hertz.empty() ? why : why + " (" + hertz + ")");
    }
    if (options.simulate) {
        return SimulatedFitCommand(input, fit, options);
    }
    return SaveFitted(
        options, fit.result.design,
        {0,
         options.csv ? FitCsv(fit.request, fit.result)
                     : MixLine(fit) + FitReport(input.design, fit.request, fit.result),
         hertz});
}

CommandResult SaveFitted(const FitOptions& options, const DesignRecord& fitted,
                         CommandResult printed) {
    if (options.save.empty()) {
        return printed;
    }
    const std::string shown = ShownName(options.save);
    if (!WriteDesignRecord(fitted, options.save)) {
        return Failure(1, shown + ": The file was not written correctly.");
    }
    if (!options.csv) {
        printed.out += "Fitted design saved as " + shown + "\n";
    }
    return printed;
}

CommandResult DriftCommand(const DriftOptions& options, const CommandInput& input) {
    PartSettings settings;
    const std::string bad = KeptPartSettings(input.file, settings);
    if (!bad.empty()) {
        return Failure(1, bad);
    }
    for (const PartNumber& tc : options.tc) {
        settings.Tc(tc.part) = tc.value;
    }
    settings.coilQ = options.coilQ.value_or(settings.coilQ);
    if (options.simulate) {
        return SimulatedDriftCommand(input, settings, options.csv, options.jobs);
    }
    // The compensation is bought from E12; without the table it says it could not be read.
    std::vector<ValueSeries> table;
    const ValueSeries* e12 = ReadShippedSeries(table).empty() ? SeriesNamed(table, "E12") : nullptr;
    const DriftAnalysis analysis = AnalyseDrift(input.design, settings, Part::C37, e12);
    return {0, options.csv ? DriftTable(analysis).Csv() : DriftReport(analysis), ""};
}

}  // namespace calbrine
