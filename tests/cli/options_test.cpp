// The command table's reading of the options: each into its command's types, every refusal
// with exit status 2 before the design file is looked at, and each limit at its edges.
#include <gtest/gtest.h>

#include "../simulation/sim_test_support.h"
#include "ConsoleRun.h"
#include "cli/CommandDesign.h"
#include "cli/CommandLine.h"
#include "cli/ConsoleCommands.h"
#include "simulation/SimulationText.h"

using namespace calbrine;
using namespace calbrine_test;

namespace {

template <typename Options>
Options OptionsOf(const std::vector<std::string>& arguments) {
    const CommandLine line = Parsed(arguments);
    EXPECT_EQ(line.action, CommandAction::Subcommand) << line.error;
    EXPECT_TRUE(std::holds_alternative<Options>(line.options)) << arguments.front();
    return std::holds_alternative<Options>(line.options) ? std::get<Options>(line.options)
                                                         : Options{};
}

}  // namespace

TEST(CommandTable, CalculationsReadTheirOptionsIntoTheirTypes) {
    const auto drift =
        OptionsOf<DriftOptions>({"drift", "d.TXT", "--tc", "C37=N750", "--tc", "l7=silver mica",
                                 "--tc", "C15=-1.5k", "--simulate", "--jobs", "3", "--csv"});
    ASSERT_EQ(drift.tc.size(), 3u);
    EXPECT_EQ(drift.tc[0].part, Part::C37);
    EXPECT_EQ(drift.tc[0].value, -750);
    EXPECT_EQ(drift.tc[1].part, Part::L7);
    EXPECT_EQ(drift.tc[1].value, 50);
    EXPECT_EQ(drift.tc[2].part, Part::C15);
    EXPECT_EQ(drift.tc[2].value, -1500);
    EXPECT_TRUE(drift.simulate && drift.csv);
    EXPECT_EQ(drift.jobs, 3);

    const auto fit = OptionsOf<FitOptions>(
        {"fit", "d.TXT", "--band", "7M:7.2M", "--mix", "DIFFERENCE", "--solve", "coarse"});
    EXPECT_EQ(fit.target.band.lowHz, 7e6);
    EXPECT_EQ(fit.target.band.highHz, 7.2e6f);
    EXPECT_EQ(fit.target.mix.value_or(Mix::Sum), Mix::Difference);
    EXPECT_EQ(fit.solve, FitSolve::CoarseCapacitor);
    // Without --mix the fit chooses the product; an empty value is no value.
    const auto chosen =
        OptionsOf<FitOptions>({"fit", "d.TXT", "--band", "7M:7.2M", "--mix=", "--solve=c37,l7"});
    EXPECT_FALSE(chosen.target.mix.has_value());
    EXPECT_EQ(chosen.solve, FitSolve::InductorAndPadding);
    EXPECT_FALSE(chosen.simulate || fit.simulate);
    EXPECT_EQ(chosen.save, "");
    const auto simulated = OptionsOf<FitOptions>(
        {"fit", "d.TXT", "--band", "7M:7.2M", "--simulate", "--jobs", "2", "--save", "f.T"});
    EXPECT_TRUE(simulated.simulate);
    EXPECT_EQ(simulated.jobs, 2);
    EXPECT_EQ(simulated.save, "./f.T");  // a name the design-file reader takes

    const auto curve = OptionsOf<CurveOptions>({"curve", "d.TXT", "--steps="});
    EXPECT_EQ(curve.steps, 11);
    EXPECT_EQ(curve.jobs, 0);
    EXPECT_FALSE(curve.simulate || curve.csv);
}

TEST(CommandTable, SimulationsAndCalibrationReadTheirOptionsIntoTheirTypes) {
    const auto drawn = OptionsOf<MonteCarloOptions>({"montecarlo", "d.TXT", "--tol", "L7=3"});
    EXPECT_EQ(drawn.runs, 100);
    EXPECT_EQ(drawn.seed, 1u);
    ASSERT_EQ(drawn.tol.size(), 1u);
    EXPECT_EQ(drawn.tol[0].part, Part::L7);
    EXPECT_EQ(drawn.tol[0].value, 3);

    // The band and its product make one target; a product without a band has none to choose.
    const std::vector<std::string> readings = {"calibrate", "d.TXT",     "--reading",
                                               "0=5.59M",   "--reading", "100%=5.553MHz"};
    auto args = readings;
    args.insert(args.end(), {"--band", "3.5M:3.55M", "--mix", "sum", "--save", "b.T"});
    const auto calibrated = OptionsOf<CalibrateOptions>(args);
    ASSERT_EQ(calibrated.readings.size(), 2u);
    EXPECT_EQ(calibrated.readings[1].positionPercent, 100);
    EXPECT_EQ(calibrated.readings[1].frequencyHz, 5.553e6);
    ASSERT_TRUE(calibrated.target.has_value());
    EXPECT_EQ(calibrated.target->band.lowHz, 3.5e6);
    EXPECT_EQ(calibrated.target->mix.value_or(Mix::Difference), Mix::Sum);
    EXPECT_EQ(calibrated.save, "./b.T");  // a name the design-file reader takes
    args = readings;
    args.insert(args.end(), {"--mix", "diff"});
    EXPECT_FALSE(OptionsOf<CalibrateOptions>(args).target.has_value());

    EXPECT_EQ(OptionsOf<NetlistOptions>({"netlist", "d.TXT"}).setting, TuningSetting::VfoMin);
    EXPECT_EQ(OptionsOf<NetlistOptions>({"netlist", "d.TXT", "--setting", "FineHigh"}).setting,
              TuningSetting::FineHigh);
    EXPECT_EQ(OptionsOf<SimulateOptions>({"simulate", "d.TXT", "--jobs", "7"}).jobs, 7);
}

// Every wrong command line exits 2 with the hint, naming what is wrong, before the design file
// is read: here there is none, which alone would be a failure (1).
TEST(CommandTable, RefusalsExitWithStatusTwoBeforeTheFileIsRead) {
    EXPECT_EQ(RunLine("compute absent.TXT").status, 1);
    const std::pair<const char*, const char*> refusals[] = {
        {"fit absent.TXT", "fit wants --band LOW:HIGH"},
        {"fit absent.TXT --band 7M:7.2M --mix up", "--mix wants sum or diff, not \"up\""},
        {"fit absent.TXT --band 7M:7.2M --solve L7", "--solve wants L7,C37 or coarse"},
        {"fit absent.TXT --band 7M:7.2M --steps 5", "--steps goes with curve, not with fit"},
        {"drift absent.TXT --tc C37", "--tc wants PART=PPM"},
        {"drift absent.TXT --tc R1=0", "--tc: no part \"R1\""},
        {"drift absent.TXT --tc C37=warm", "--tc: \"warm\" is neither"},
        {"drift absent.TXT --jobs 2", "--jobs goes with drift --simulate"},
        {"curve absent.TXT --steps 1 --jobs 2", "--jobs goes with curve --simulate"},
        {"compute absent.TXT --jobs 2",
         "--jobs goes with simulate, montecarlo, quality, curve, fit or drift, not with compute"},
        {"fit absent.TXT --band 7M:7.2M --jobs 2", "--jobs goes with fit --simulate"},
        {"fit absent.TXT --band 7M:7.2M --coil-q 100", "--coil-q goes with fit --simulate"},
        {"fit absent.TXT --band 7M:7.2M --simulate --jobs 65", "--jobs wants a whole number"},
        {"fit absent.TXT --band 7M:7.2M --simulate --save no/such/f.TXT",
         "--save cannot write the fitted design: the folder 'no/such' does not exist"},
        {"fit absent.TXT --band 7M:7.2M --save .",
         "--save cannot write the fitted design: '.' is a folder"},
        {"netlist absent.TXT --csv",
         "--csv goes with compute, curve, fit, drift, simulate, montecarlo, quality, calibrate, "
         "parts, heatrun or coil"},
        {"netlist absent.TXT --setting vfomax", "--setting wants VfoMin, VfoMax, FineLow or"},
        {"parts absent.TXT --series E48", "--series wants E6, E12 or E24, not \"E48\""},
        {"coil absent.TXT", "coil wants --core NAME"},
        {"coil absent.TXT --core air --inductance 1u", "coil takes a design file or"},
        {"coil absent.TXT --core air --form 0.5", "--form wants a diameter"},
        {"montecarlo absent.TXT --seed 1e3", "--seed wants a whole number"},
        {"montecarlo absent.TXT --tol C37", "--tol wants PART=PERCENT"},
        {"calibrate absent.TXT --reading 0=5M", "calibrate wants two or more readings"},
        {"calibrate absent.TXT --reading 0=5M --reading 100=x", "--reading: \"100=x\""},
        {"calibrate absent.TXT --reading 0=5M --reading 100=4.9M --band 7M", "--band wants"},
        {"calibrate absent.TXT --reading 0=5M --reading 100=4.9M --mix up", "--mix wants"},
        {"--runs 5", "--runs goes with montecarlo"},
        {"compute", "compute wants a design file"},
        {"fit absent.TXT other.TXT --band 7M:7.2M", "unexpected argument 'other.TXT'"},
    };
    for (const auto& [line, words] : refusals) {
        const Printed ran = RunLine(line);
        EXPECT_EQ(ran.status, 2) << line;
        EXPECT_EQ(ran.out, "") << line;
        EXPECT_NE(ran.err.find(std::string("calbrine: ") + words), std::string::npos)
            << line << ": " << ran.err;
        EXPECT_NE(ran.err.find("Try 'calbrine --help'"), std::string::npos) << line;
    }
}

// Each limit's edges are taken with their value, the values just beyond them refused (2).
TEST(CommandTable, LimitsTakeTheirEdgesAndRefuseJustBeyond) {
    struct Limit {
        const char* line;  // with the value last
        const char* edges[2];
        const char* beyond[2];
        double (*value)(const CommandOptions&);
    };
    const Limit limits[] = {
        {"curve d.TXT --steps",
         {"2", "1001"},
         {"1", "1002"},
         [](const CommandOptions& o) { return double(std::get<CurveOptions>(o).steps); }},
        {"montecarlo d.TXT --runs",
         {"1", "100000"},
         {"0", "100001"},
         [](const CommandOptions& o) { return double(std::get<MonteCarloOptions>(o).runs); }},
        {"montecarlo d.TXT --seed",
         {"0", "4294967295"},
         {"-1", "4294967296"},
         [](const CommandOptions& o) { return double(std::get<MonteCarloOptions>(o).seed); }},
        {"simulate d.TXT --jobs",
         {"1", "64"},
         {"0", "65"},
         [](const CommandOptions& o) { return double(std::get<SimulateOptions>(o).jobs); }},
        {"montecarlo d.TXT --tol C37=",
         {"0", "99.99"},
         {"-0.01", "100"},
         [](const CommandOptions& o) { return std::get<MonteCarloOptions>(o).tol[0].value; }},
        {"calibrate d.TXT --reading 0=5M --reading 100=4M --counter-error",
         {"1e-9", "1M"},
         {"0", "1000001"},
         [](const CommandOptions& o) { return std::get<CalibrateOptions>(o).counterErrorHz; }},
        {"quality d.TXT --load",
         {"1", "1e9"},
         {"0.999", "1.001e9"},
         [](const CommandOptions& o) {
             return std::get<QualityCommandOptions>(o).quality.loadOhms;
         }},
        {"quality d.TXT --nf",
         {"0", "40"},
         {"-0.01", "40.01"},
         [](const CommandOptions& o) {
             return double(std::get<QualityCommandOptions>(o).quality.noiseFigureDb);
         }},
        {"quality d.TXT --flicker",
         {"0", "1e7"},
         {"-1", "1.0001e7"},
         [](const CommandOptions& o) {
             return double(std::get<QualityCommandOptions>(o).quality.flickerHz);
         }},
        {"quality d.TXT --bandwidth",
         {"1", "1e6"},
         {"0.999", "1.00001e6"},
         [](const CommandOptions& o) {
             return double(std::get<QualityCommandOptions>(o).quality.bandwidthHz);
         }},
        {"fit d.TXT --band 1:",
         {"1.000001", "1e9"},
         {"1", "0.999999"},
         [](const CommandOptions& o) { return std::get<FitOptions>(o).target.band.highHz; }},
    };
    for (const Limit& limit : limits) {
        const std::string start = limit.line;
        const std::string joint = start.back() == '=' || start.back() == ':' ? "" : " ";
        for (const char* edge : limit.edges) {
            const CommandLine line = Parsed(Words(start + joint + edge));
            ASSERT_EQ(line.action, CommandAction::Subcommand) << start << edge << line.error;
            const std::string number = std::string(edge) == "1M" ? "1e6" : edge;
            EXPECT_DOUBLE_EQ(limit.value(line.options), std::stod(number)) << start << edge;
        }
        for (const char* beyond : limit.beyond) {
            const Printed ran = RunLine(start + joint + beyond);
            EXPECT_EQ(ran.status, 2) << start << beyond;
            // The value refused is quoted.
            const std::string quoted =
                std::string(beyond) + (start == "simulate d.TXT --jobs" ? "'" : "\"");
            EXPECT_NE(ran.err.find(quoted), std::string::npos) << start << beyond << ran.err;
        }
    }
    // The band's low edge above nothing: 0 refused, the least above it taken.
    EXPECT_EQ(RunLine("fit d.TXT --band 0:1M").status, 2);
    EXPECT_EQ(Parsed(Words("fit d.TXT --band 1e-9:1M")).action, CommandAction::Subcommand);
}

// simulate prints the simulation window's table: the same text, "±" taken as one character
// and a note under it for each setting that does not oscillate, and the same CSV.
TEST(CommandOutput, SimulationTableIsTheWindows) {
    SimulationReport three = ThreeSettings();
    three.settings[2].harmonics.measured = false;
    for (const SimulationReport& report : {three, SimulationReport{{three.settings[1]}}}) {
        EXPECT_EQ(SimulationResultText(report), SimulationTable(report));
        EXPECT_EQ(SimulationResultTable(report).Csv(), SimulationCsv(report));
    }
}

// The coil's and the parts' values at the ends of their ranges.
TEST(CommandOptions, CoilAndSeriesValuesAtTheirEdges) {
    double henry = 0;
    EXPECT_EQ(ParseInductance("1m", henry), "");
    EXPECT_EQ(henry, 1e-3);
    EXPECT_EQ(ParseInductance("1pH", henry), "");
    for (const char* wrong : {"1.0001m", "0", "-1u", "7,7u", "7uF", ""}) {
        EXPECT_NE(ParseInductance(wrong, henry), "") << wrong;
    }
    double mm = 0;
    for (const auto& [text, value] : {std::pair{"1mm", 1.0}, {"100", 100.0}, {"12.5MM", 12.5}}) {
        EXPECT_EQ(ParseForm(text, mm), "") << text;
        EXPECT_EQ(mm, value);
    }
    for (const char* wrong : {"0.99mm", "100.01", "1,5mm", "10m", "1e1", "mm", ""}) {
        EXPECT_NE(ParseForm(wrong, mm), "") << wrong;
    }
    std::string series;
    EXPECT_EQ(ParseSeries("e24", series), "");
    EXPECT_EQ(series, "E24");
    EXPECT_NE(ParseSeries("E48", series), "");
    PartNumber tc;
    EXPECT_EQ(ParseTc("L7=T50-6", tc, {{"T50-6", 35}}), "");
    EXPECT_EQ(tc.part, Part::L7);
    EXPECT_EQ(tc.value, 35);
    EXPECT_NE(ParseTc("L7=T50-6", tc), "");  // without the core table
}

// The last guard of every command: a figure that could not be formed is found in its output.
TEST(CommandOutput, NonFiniteFiguresAreFound) {
    const std::pair<const char*, const char*> texts[] = {{"VFO from 5.4698M to 5.7589M\n", ""},
                                                         {"Mid-band drift: nan Hz/degC\n", "nan"},
                                                         {"C37,-inf\n", "-inf"},
                                                         {"gives at most NaN:1", "NaN"},
                                                         {"5,Infinity,6\n", "Infinity"},
                                                         {"finance information\n", ""}};
    for (const auto& [text, word] : texts) {
        EXPECT_EQ(NonFiniteWord(text), word) << text;
    }
}
