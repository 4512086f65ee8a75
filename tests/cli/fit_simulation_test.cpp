// The fit by simulation of the 40 m example on the command line, checked as a builder would
// check it: the saved design read back by compute and simulated again, by a simulator of its
// own, at both ends of the band. One fit for every check: each costs a few seconds of ngspice.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "../simulation/sim_test_support.h"
#include "ConsoleRun.h"
#include "analysis/Parts.h"
#include "cli/CommandLine.h"
#include "cli/ConsoleCommands.h"
#include "cli/SimulationCommands.h"
#include "files/DesignFiles.h"
#include "runs/SimulatedFit.h"

using namespace calbrine;
using namespace calbrine_test;

namespace {

// The first column of each CSV line after the header, and the rows by it.
std::vector<std::string> FirstColumn(const std::string& csv) {
    std::vector<std::string> names;
    std::istringstream lines(csv);
    for (std::string line; std::getline(lines, line);) {
        names.push_back(line.substr(0, line.find(',')));
    }
    return names;
}
std::map<std::string, std::string> Rows(const std::string& csv) {
    std::map<std::string, std::string> rows;
    std::istringstream lines(csv);
    for (std::string line; std::getline(lines, line);) {
        rows[line.substr(0, line.find(','))] = line.substr(line.find(',') + 1);
    }
    return rows;
}

}  // namespace

TEST(FitBySimulation, FortyMetreExampleLandsBothSimulatedEdgesWithin200Hz) {
    if (const std::string why = NgspiceMissing(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    CommandSimulatorBase() = TestWorkers();
    ASSERT_TRUE(WriteDesignRecord(fortyMetreExample, "design.TXT"));
    const Printed fit = RunLine("fit design.TXT --band 7M:7.2M --simulate --csv --save fitted.TXT");
    CommandSimulatorBase() = SimulatorOptions{};
    ASSERT_EQ(fit.status, 0) << fit.err;
    EXPECT_EQ(
        FirstColumn(fit.out),
        (std::vector<std::string>{"part", "L7", "C37", "simulated_low_hz", "simulated_high_hz"}));
    std::map<std::string, std::string> rows = Rows(fit.out);
    EXPECT_EQ(rows["part"], "value");
    const double low = std::stod(rows["simulated_low_hz"]);
    const double high = std::stod(rows["simulated_high_hz"]);
    EXPECT_NEAR(low, 7.0e6, SimulatedFitToleranceHz);
    EXPECT_NEAR(high, 7.2e6, SimulatedFitToleranceHz);

    // compute reads the saved file back to the fitted values, the other parts as they were.
    const Printed saved = RunLine("compute fitted.TXT --csv");
    const Printed wanted =
        RunLine("compute design.TXT --csv --set L7=" + rows["L7"] + " --set C37=" + rows["C37"]);
    ASSERT_EQ(saved.status, 0) << saved.err;
    // A design file keeps seven digits of each value: a few tenths of a hertz.
    const std::size_t header = saved.out.find('\n') + 1;
    ASSERT_EQ(saved.out.substr(0, header), wanted.out.substr(0, header));
    std::istringstream savedHz(saved.out.substr(header));
    std::istringstream wantedHz(wanted.out.substr(header));
    int columns = 0;
    for (std::string a, b; std::getline(savedHz, a, ',') && std::getline(wantedHz, b, ',');) {
        EXPECT_NEAR(std::stod(a), std::stod(b), 1) << saved.out << wanted.out;
        ++columns;
    }
    EXPECT_EQ(columns, 4);
    const DesignFileRead read = ReadDesignRecord("fitted.TXT", {});
    ASSERT_TRUE(read.read);
    EXPECT_FLOAT_EQ(read.design.L7, std::stof(rows["L7"]));
    EXPECT_FLOAT_EQ(read.design.C37, std::stof(rows["C37"]));
    EXPECT_EQ(read.design.C90, fortyMetreExample.C90);

    // The saved design simulated again as `simulate` does, L7 at the default Q the fit used:
    // 12 MHz less VfoMin is the band's top, less VfoMax its bottom, each within 200 Hz and as
    // the fit said.
    SimulationRequest request(read.design, {TuningSetting::VfoMin, TuningSetting::VfoMax});
    request.conditions.coilQ = DefaultCoilQ;
    const SimulationOutcome again = Simulator(TestWorkers()).Run(request, {});
    ASSERT_TRUE(again.Succeeded()) << again.message;
    const double top = 12e6 - again.report.settings[0].measure.frequencyHz;
    const double bottom = 12e6 - again.report.settings[1].measure.frequencyHz;
    EXPECT_NEAR(top, 7.2e6, SimulatedFitToleranceHz);
    EXPECT_NEAR(bottom, 7.0e6, SimulatedFitToleranceHz);
    // A run of the saved design (its values to seven digits) may take other time steps than
    // the fit's last round: a few hertz, far inside the simulation's error bar of about 1.3 kHz.
    EXPECT_NEAR(top, high, 20);
    EXPECT_NEAR(bottom, low, 20);
}
