// The pool of worker processes: the ways a worker is lost, Cancel, and results that do not
// depend on how many workers ran them. No process may outlive the pool.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "sim_test_support.h"
#include "simulation/SimulatedNetlist.h"
#include "simulation/SimulationWorker.h"
#include "simulation/WorkerPool.h"
#include "simulation/WorkerProcess.h"

using namespace calbrine;
using namespace calbrine_test;

namespace {

using Clock = std::chrono::steady_clock;

WorkerCommand TestWorker(const char* behaviour) {
    return {{CALBRINE_TEST_WORKER, behaviour, NgspiceLibraryFile}};
}

// A job that runs the worked example at a setting, at twice the planned step (the shorter
// run).
SimulationJob Job(std::uint32_t id, TuningSetting setting) {
    SimulationJob job;
    job.id = id;
    job.netlist = SimulatedNetlist(workedExample, setting, 2);
    job.calculatedHz = CalculatedFrequency(workedExample, setting);
    job.stopTime = 400 / job.calculatedHz;
    job.keptPeriods = 2;
    job.spectrum = true;
    return job;
}

// True when this process has no child left, running or unreaped.
bool NoChildren() {
    return waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD;
}

}  // namespace

TEST(WorkerPool, AWorkerThatCrashesHangsGarblesOrCannotStartLosesOnlyItsJob) {
    struct Case {
        WorkerCommand worker;
        JobFate fate;
        const char* how;
    };
    const Case cases[] = {
        {TestWorker("--crash"), JobFate::Lost, "was killed by signal 6"},
        {TestWorker("--hang"), JobFate::TimedOut, ""},
        {TestWorker("--garble"), JobFate::Lost, "could not be read"},
        {{{"/nonexistent/calbrine-worker", WorkerSwitch}}, JobFate::Lost, "could not be started"},
    };
    for (const Case& c : cases) {
        const auto start = Clock::now();
        {
            WorkerPool pool(c.worker, PoolLimits{2, 0.3});
            const std::vector<PooledResult> results =
                pool.Run({Job(0, TuningSetting::VfoMin), Job(1, TuningSetting::VfoMax),
                          Job(2, TuningSetting::FineLow)},
                         {}, nullptr);
            ASSERT_EQ(results.size(), 3u);
            for (const PooledResult& r : results) {
                EXPECT_EQ(r.fate, c.fate) << c.worker.arguments[1];
                EXPECT_NE(r.lostHow.find(c.how), std::string::npos) << r.lostHow;
            }
        }
        EXPECT_TRUE(NoChildren()) << c.worker.arguments[1];
        EXPECT_LT(std::chrono::duration<double>(Clock::now() - start).count(), 3);
    }
}

TEST(WorkerPool, AWorkerKilledMidRunLosesItsJobAndTheOthersFinishOrStop) {
    if (const std::string why = NgspiceMissing(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    for (bool stopAtFirstLoss : {false, true}) {
        WorkerPool pool(TestWorker(WorkerSwitch), PoolLimits{2, 60, 25, stopAtFirstLoss});
        pid_t killed = -1;
        Clock::time_point when;
        const auto killFirst = [&](const std::vector<double>& fractions) {
            if (killed < 0 && fractions[0] > 0 && fractions[0] < 1) {
                killed = pool.Workers().front();
                when = Clock::now();
                kill(killed, SIGKILL);
            }
        };
        const std::vector<PooledResult> results =
            pool.Run({Job(0, TuningSetting::VfoMin), Job(1, TuningSetting::VfoMax),
                      Job(2, TuningSetting::FineLow)},
                     killFirst, nullptr);
        ASSERT_GT(killed, 0);
        EXPECT_EQ(results[0].fate, JobFate::Lost);
        EXPECT_NE(results[0].lostHow.find("was killed by signal 9"), std::string::npos);
        for (int i : {1, 2}) {
            if (stopAtFirstLoss) {
                EXPECT_EQ(results[i].fate, JobFate::Cancelled);
            } else {
                EXPECT_EQ(results[i].fate, JobFate::Served);
                EXPECT_TRUE(results[i].result.measure.oscillates) << results[i].result.errors;
            }
        }
        if (stopAtFirstLoss) {
            EXPECT_LT(std::chrono::duration<double>(Clock::now() - when).count(), 0.5);
            EXPECT_TRUE(pool.Workers().empty());
        }
    }
}

TEST(WorkerPool, CancelEndsEveryWorkerPromptly) {
    if (const std::string why = NgspiceMissing(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    std::atomic<bool> cancel{false};
    Clock::time_point cancelled;
    WorkerPool pool(TestWorker(WorkerSwitch), PoolLimits{2, 60});
    const std::vector<PooledResult> results = pool.Run(
        {Job(0, TuningSetting::VfoMin), Job(1, TuningSetting::VfoMax)},
        [&](const std::vector<double>& fractions) {
            if (!cancel && fractions[0] > 0 && fractions[1] > 0) {
                cancelled = Clock::now();
                cancel = true;
            }
        },
        &cancel);
    EXPECT_LT(std::chrono::duration<double>(Clock::now() - cancelled).count(), 0.5);
    for (const PooledResult& r : results) {
        EXPECT_EQ(r.fate, JobFate::Cancelled);
    }
    EXPECT_TRUE(pool.Workers().empty());
    EXPECT_TRUE(NoChildren());
}

TEST(WorkerPool, ResultsAreTheSameFromOneWorkerOrMany) {
    if (const std::string why = NgspiceMissing(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    // With one worker the third job runs after two others in the same process.
    const std::vector<SimulationJob> jobs{Job(0, TuningSetting::VfoMin),
                                          Job(1, TuningSetting::VfoMax),
                                          Job(2, TuningSetting::VfoMin)};
    std::vector<PooledResult> one, three;
    {
        WorkerPool pool(TestWorker(WorkerSwitch), PoolLimits{1, 60});
        one = pool.Run(jobs, {}, nullptr);
    }
    {
        WorkerPool pool(TestWorker(WorkerSwitch), PoolLimits{3, 60});
        three = pool.Run(jobs, {}, nullptr);
    }
    for (const std::vector<PooledResult>* results : {&one, &three}) {
        for (std::size_t i = 0; i < jobs.size(); ++i) {
            const JobResult& r = (*results)[i].result;
            ASSERT_EQ((*results)[i].fate, JobFate::Served);
            ASSERT_TRUE(r.measure.oscillates) << r.errors;
            EXPECT_EQ(r.id, i);
            const JobResult& first = one[i == 2 ? 0 : i].result;
            EXPECT_EQ(r.measure.frequencyHz, first.measure.frequencyHz) << i;
            EXPECT_EQ(r.measure.outputVpp, first.measure.outputVpp) << i;
            EXPECT_EQ(r.harmonics.dbc, first.harmonics.dbc) << i;
            EXPECT_EQ(r.keptVolts, first.keptVolts) << i;
        }
    }
    EXPECT_NE(one[0].result.measure.frequencyHz, one[1].result.measure.frequencyHz);
}

// A worker starts in an empty folder of its own, readable by the user alone, with an empty
// simulator start-up file standing in for the home folder's and HOME and TMPDIR pointing
// there; the folder goes with the worker. A relative program name is found from where the
// program was asked to start it.
TEST(WorkerProcess, AWorkerRunsInAPrivateFolderThatGoesWithIt) {
    const std::string program = std::filesystem::relative(CALBRINE_TEST_WORKER).string();
    WorkerProcess process;
    std::string problem;
    ASSERT_TRUE(StartWorkerProcess({program, "--hang"}, WorkerChannel, process, problem))
        << problem;
    const std::string folder = process.folder->Path();
    const std::string proc = "/proc/" + std::to_string(process.pid);
    std::error_code error;
    std::filesystem::path cwd;
    // The worker changes folder before it runs the program, so its /proc entry may lag.
    for (int i = 0; i < 500 && cwd != folder; ++i) {
        cwd = std::filesystem::read_symlink(proc + "/cwd", error);
        usleep(10000);
    }
    EXPECT_EQ(cwd, folder);
    struct stat info {};
    ASSERT_EQ(stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(std::filesystem::file_size(folder + "/.spiceinit", error), 0u);
    std::ifstream environment(proc + "/environ");
    std::string variables((std::istreambuf_iterator<char>(environment)), {});
    EXPECT_NE(variables.find(std::string(1, '\0') + "HOME=" + folder + '\0'), std::string::npos);
    EXPECT_NE(variables.find(std::string(1, '\0') + "TMPDIR=" + folder + '\0'), std::string::npos);
    kill(process.pid, SIGKILL);
    waitpid(process.pid, nullptr, 0);
    close(process.channel);
    process.folder.reset();
    EXPECT_FALSE(std::filesystem::exists(folder));
}
