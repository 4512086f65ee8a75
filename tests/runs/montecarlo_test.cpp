// Monte Carlo: the draw of the parts, the runs against simulations made one by one, a divider
// that never starts, and the CSV and summary of the runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "../simulation/sim_test_support.h"
#include "runs/MonteCarlo.h"

using namespace calbrine;
using namespace calbrine_test;

namespace {

std::vector<std::vector<std::string>> CsvRows(const std::string& csv) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(csv);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string>& cells = rows.emplace_back();
        std::istringstream fields(line);
        for (std::string cell; std::getline(fields, cell, ',');) {
            cells.push_back(cell);
        }
        if (!line.empty() && line.back() == ',') {
            cells.emplace_back();
        }
    }
    return rows;
}

PartSettings Tolerances(double percent) {
    PartSettings s;
    s.tolerancePercent.fill(percent);
    return s;
}

}  // namespace

TEST(MonteCarlo, DrawsAreReproducibleUniformAndWithinEachTolerance) {
    PartSettings settings;
    settings.tolerancePercent = {0, 1, 2, 5, 10, 20, 50, 99, 5};
    const std::vector<PartFactors> draws = DrawFactors(settings, 400, 1);
    ASSERT_EQ(draws.size(), 400u);
    EXPECT_EQ(DrawFactors(settings, 400, 1), draws);
    EXPECT_NE(DrawFactors(settings, 400, 2), draws);
    // Fewer runs draw the first runs of more: a series can be cut short and grown alike.
    const std::vector<PartFactors> first = DrawFactors(settings, 3, 1);
    EXPECT_TRUE(std::equal(first.begin(), first.end(), draws.begin()));
    // The twister's stream as the standard fixes it: the same seed draws these on any machine.
    EXPECT_NEAR(draws[0][1], 1.00440649, 1e-8);
    EXPECT_NEAR(draws[1][8], 1.00586898, 1e-8);
    for (Part p : AllParts) {
        const std::size_t i = static_cast<std::size_t>(p);
        const double t = settings.tolerancePercent[i] / 100;
        double low = 2, high = 0, sum = 0;
        for (const PartFactors& f : draws) {
            low = std::min(low, f[i]);
            high = std::max(high, f[i]);
            sum += f[i];
        }
        EXPECT_GE(low, 1 - t) << PartName(p);
        EXPECT_LE(high, 1 + t) << PartName(p);
        // Uniform over the whole band: both ends reached, the mean near nominal.
        EXPECT_LE(low, 1 - 0.95 * t) << PartName(p);
        EXPECT_GE(high, 1 + 0.95 * t) << PartName(p);
        EXPECT_NEAR(sum / draws.size(), 1, 0.1 * t + 1e-12) << PartName(p);
    }
    const DesignRecord d = DrawnDesign(workedExample, draws[3]);
    EXPECT_FLOAT_EQ(d.CfineMin, static_cast<float>(workedExample.CfineMin * draws[3][0]));
    EXPECT_FLOAT_EQ(d.CfineMax, static_cast<float>(workedExample.CfineMax * draws[3][0]));
    EXPECT_FLOAT_EQ(d.CcoarseMin, static_cast<float>(workedExample.CcoarseMin * draws[3][3]));
    EXPECT_FLOAT_EQ(d.CcoarseMax, static_cast<float>(workedExample.CcoarseMax * draws[3][3]));
    EXPECT_FLOAT_EQ(d.C35, static_cast<float>(workedExample.C35 * draws[3][7]));
    EXPECT_FLOAT_EQ(d.L7, static_cast<float>(workedExample.L7 * draws[3][8]));
    EXPECT_EQ(d.IF, workedExample.IF);
}

TEST(MonteCarlo, RunsAreTheirDesignsSimulatedAndWithoutToleranceTheSimulationItself) {
    if (const std::string why = NgspiceMissing(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    const Simulator simulator(TestWorkers());
    std::vector<double> fractions;
    const MonteCarloOutcome drawn =
        RunMonteCarlo(workedExample, PartSettings{}, 3, 7, simulator,
                      [&](double fraction, const std::string&) { fractions.push_back(fraction); });
    const MonteCarloOutcome exact =
        RunMonteCarlo(workedExample, Tolerances(0), 2, 1, simulator, {});
    // The copies carry the settings' coil, Q 150, as the plain runs are given it.
    SimulationRequest lossy(workedExample, {TuningSetting::VfoMin, TuningSetting::VfoMax});
    lossy.conditions.coilQ = DefaultCoilQ;
    const SimulationOutcome plain = simulator.Run(lossy, {});
    ASSERT_TRUE(drawn.Succeeded()) << drawn.message;
    ASSERT_TRUE(exact.Succeeded()) << exact.message;
    ASSERT_TRUE(plain.Succeeded()) << plain.message;
    EXPECT_TRUE(std::is_sorted(fractions.begin(), fractions.end()));
    EXPECT_EQ(fractions.back(), 1.0);

    for (const MonteCarloRun& run : exact.runs) {
        for (std::size_t s = 0; s < 2; ++s) {
            EXPECT_EQ(run.settings[s].measure.frequencyHz,
                      plain.report.settings[s].measure.frequencyHz);
            EXPECT_EQ(run.settings[s].measure.outputVpp,
                      plain.report.settings[s].measure.outputVpp);
        }
    }
    // Each row of the CSV, read back and simulated on its own, is the run it says it is.
    const std::vector<std::vector<std::string>> rows = CsvRows(MonteCarloCsv(drawn.runs));
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"run", "setting", "oscillates", "simulated_hz",
                                                 "output_vpp", "D9", "C39", "C37", "C38", "C90",
                                                 "C15", "C34", "C35", "L7"}));
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const std::vector<std::string>& row = rows[r];
        ASSERT_EQ(row.size(), 14u) << r;
        const std::size_t run = (r - 1) / 2;
        const std::size_t setting = (r - 1) % 2;
        EXPECT_EQ(row[0], std::to_string(run + 1));
        EXPECT_EQ(row[1], SettingName(MonteCarloSettings[setting]));
        EXPECT_EQ(row[2], "1");
        PartFactors factors{};
        for (std::size_t p = 0; p < PartCount; ++p) {
            factors[p] = std::stod(row[5 + p]);
            EXPECT_EQ(row[5 + p], rows[setting == 0 ? r + 1 : r - 1][5 + p]);
            EXPECT_NEAR(factors[p], drawn.runs[run].factors[p], 1e-8);
        }
        if (run == 0) {
            continue;  // the later runs are enough to see the rows follow their runs
        }
        SimulationRequest copy(DrawnDesign(workedExample, factors), {MonteCarloSettings[setting]});
        copy.conditions.coilQ = DefaultCoilQ;
        const SimulationOutcome alone = simulator.Run(copy, {});
        ASSERT_TRUE(alone.Succeeded()) << alone.message;
        EXPECT_NEAR(std::stod(row[3]) / alone.report.settings[0].measure.frequencyHz, 1, 0.0015)
            << r;
        EXPECT_NEAR(std::stod(row[4]), alone.report.settings[0].measure.outputVpp, 0.01) << r;
    }
    // The runs spread: no two land on the same frequency.
    EXPECT_NE(rows[1][3], rows[3][3]);
}

TEST(MonteCarlo, SummaryOfRunsAndADividerThatNeverStarts) {
    if (const std::string why = NgspiceMissing(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    const PartSettings settings = Tolerances(2);
    const MonteCarloOutcome big =
        RunMonteCarlo(WithDivider(1e-6f), settings, 2, 1, Simulator(TestWorkers()), {});
    ASSERT_TRUE(big.Succeeded()) << big.message;
    const std::vector<std::vector<std::string>> rows = CsvRows(MonteCarloCsv(big.runs));
    ASSERT_EQ(rows.size(), 5u);
    for (std::size_t r = 1; r < rows.size(); ++r) {
        EXPECT_EQ(rows[r][2], "0") << r;
        EXPECT_EQ(rows[r][3], "") << r;
    }
    const auto spreads = MonteCarloSpreads(WithDivider(1e-6f), settings, big.runs);
    const ReportTable table = MonteCarloTable(spreads);
    for (std::size_t s = 0; s < 2; ++s) {
        EXPECT_EQ(spreads[s].oscillating, 0);
        EXPECT_EQ(table.rows[s][1].text, "0 of 2");
        EXPECT_EQ(table.rows[s][3].text, "-");
        EXPECT_EQ(table.rows[s][3].csv, "");
    }
}

TEST(MonteCarlo, SpreadOfTheRunsBesideTheCalculatedWorstCase) {
    // Runs made up, so that every figure of the summary is known.
    std::vector<MonteCarloRun> runs(4);
    const double hz[4] = {5.40e6, 5.50e6, 0, 5.60e6};
    const double vpp[4] = {1.0, 1.2, 0.01, 0.8};
    for (std::size_t r = 0; r < runs.size(); ++r) {
        for (std::size_t s = 0; s < 2; ++s) {
            OscillationMeasure& m = runs[r].settings[s].measure;
            m.oscillates = hz[r] > 0;
            m.frequencyHz = hz[r] + s * 3e5;
            m.outputVpp = vpp[r] + s;
        }
    }
    const PartSettings settings = Tolerances(2);
    const auto spreads = MonteCarloSpreads(workedExample, settings, runs);
    for (std::size_t s = 0; s < 2; ++s) {
        const SettingSpread& x = spreads[s];
        EXPECT_EQ(x.setting, MonteCarloSettings[s]);
        EXPECT_EQ(x.runs, 4);
        EXPECT_EQ(x.oscillating, 3);
        EXPECT_DOUBLE_EQ(x.minHz, 5.40e6 + s * 3e5);
        EXPECT_DOUBLE_EQ(x.meanHz, 5.50e6 + s * 3e5);
        EXPECT_DOUBLE_EQ(x.maxHz, 5.60e6 + s * 3e5);
        EXPECT_NEAR(x.deviationHz, 1e5, 1e-6);  // the sample deviation, n - 1
        EXPECT_DOUBLE_EQ(x.minVpp, 0.01 + s);
        EXPECT_DOUBLE_EQ(x.meanVpp, (3.01 + 4 * s) / 4);
        EXPECT_DOUBLE_EQ(x.maxVpp, 1.2 + s);
        // Every part 2 % high lowers the frequency by about 2 %, every part low raises it.
        const double f = CalculatedFrequency(workedExample, x.setting);
        EXPECT_NEAR(x.worstLowHz / f, 0.98, 0.002);
        EXPECT_NEAR(x.worstHighHz / f, 1.02, 0.002);
    }
    const ReportTable table = MonteCarloTable(spreads);
    EXPECT_EQ(table.Titles(), (std::vector<std::string>{"Setting", "Oscillates", "Min", "Mean",
                                                        "Max", "Std dev", "Worst low", "Worst high",
                                                        "Vpp min", "Vpp mean", "Vpp max"}));
    const std::vector<std::string> vfoMax = table.TextRows()[1];
    EXPECT_EQ(vfoMax, (std::vector<std::string>{"VfoMax", "3 of 4", "5.7M", "5.8M", "5.9M", "100k",
                                                vfoMax[6], vfoMax[7], "1.01", "1.75", "2.2"}));
}
