// Every way each command can fail, with the exit status and the message it must give: a worker
// that dies, a simulator library that cannot be loaded, a design that cannot be simulated,
// readings no build gives, a file that cannot be written or read. A failure is never reported
// with status 0.
#include <gtest/gtest.h>

#include <fstream>

#include "../support/Fixtures.h"
#include "ConsoleRun.h"
#include "cli/CommandLine.h"
#include "cli/ConsoleCommands.h"
#include "files/DesignFiles.h"
#include "simulation/SimulationWorker.h"

using namespace calbrine;
using calbrine_test::Printed;
using calbrine_test::RunLine;

namespace {

// The 40 m example design, and copies the tests spoil, in the test's own folder.
void WriteDesigns() {
    ASSERT_TRUE(WriteDesignRecord(calbrine_test::fortyMetreExample, "design.TXT"));
    ASSERT_TRUE(WriteDesignRecord(calbrine_test::fortyMetreExample, "bad.TXT"));
    std::ofstream("design.TXT.explore") << "tc.C37: -750\n";
    std::ofstream("bad.TXT.explore") << "tolerance.C37: lots\n";
}

// The commands' simulations run by the test worker in the given way, for one test.
class Failures : public ::testing::Test {
  protected:
    void SetUp() override { WriteDesigns(); }
    void TearDown() override { CommandSimulatorBase() = SimulatorOptions{}; }
    static void Workers(const char* behaviour, const std::string& library = NgspiceLibraryFile) {
        CommandSimulatorBase().worker = {{CALBRINE_TEST_WORKER, behaviour, library}};
        CommandSimulatorBase().libraryFile = library;
    }
};

const char* const simulating[] = {
    "simulate design.TXT",         "montecarlo design.TXT --runs 1",
    "drift design.TXT --simulate", "curve design.TXT --simulate",
    "quality design.TXT",          "fit design.TXT --band 7M:7.2M --simulate --save f.TXT"};

}  // namespace

TEST_F(Failures, AWorkerThatDiesFailsEverySimulatingCommandNamingItsSetting) {
    Workers("--crash");
    for (const char* line : simulating) {
        const Printed p = RunLine(line);
        EXPECT_EQ(p.status, 1) << line;
        EXPECT_EQ(p.out, "") << line;
        EXPECT_NE(p.err.find("worker process was killed by signal 6"), std::string::npos)
            << line << ": " << p.err;
    }
    // The fit names the setting of its first round that was lost, and saves nothing.
    const Printed fit = RunLine(simulating[4]);
    EXPECT_NE(fit.err.find("The simulation of VfoM"), std::string::npos) << fit.err;
    EXPECT_FALSE(std::ifstream("f.TXT").good());
}

TEST_F(Failures, AMissingSimulatorLibraryFailsEverySimulatingCommand) {
    Workers(WorkerSwitch, "/nonexistent/libngspice.so.0");
    for (const char* line : simulating) {
        const Printed p = RunLine(line);
        EXPECT_EQ(p.status, 1) << line;
        EXPECT_EQ(p.out, "") << line;
        EXPECT_NE(p.err.find("/nonexistent/libngspice.so.0"), std::string::npos)
            << line << ": " << p.err;
    }
}

TEST_F(Failures, EachCommandsOwnFailuresExitWithStatusOne) {
    struct Case {
        const char* line;
        const char* message;
    };
    const Case cases[] = {
        {"netlist design.TXT --set L7=0", "This design cannot be simulated."},
        {"simulate design.TXT --set L7=0",
         "VfoMin: the calculated frequency 1.2476e+10 Hz is "
         "outside the simulated range"},
        {"calibrate design.TXT --reading 0=4.7M --reading 100=5M", "Cannot calibrate: "},
        {"calibrate design.TXT --reading 0=5.02M --reading 100=4.785M --save no/cal.TXT",
         "no/cal.TXT: The file was not written correctly."},
        {"montecarlo bad.TXT --runs 1", "bad.TXT.explore: line 1"},
        {"drift bad.TXT --simulate", "bad.TXT.explore: line 1"},
        {"drift bad.TXT", "bad.TXT.explore: line 1"},
        {"quality bad.TXT", "bad.TXT.explore: line 1"},
        {"fit design.TXT --band 1k:2k --mix sum", "Cannot reach"},
        {"compute missing.TXT", "The file 'missing.TXT' was not found."},
    };
    for (const Case& c : cases) {
        const Printed p = RunLine(c.line);
        EXPECT_EQ(p.status, 1) << c.line;
        EXPECT_EQ(p.out, "") << c.line;
        EXPECT_NE(p.err.find(c.message), std::string::npos) << c.line << ": " << p.err;
    }
}
