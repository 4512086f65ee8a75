// The pool of worker processes: the ways a worker is lost, Cancel, and results that do not
// depend on how many workers ran them. No process may outlive the pool.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "sim_test_support.h"
#include "simulation/SimulatedNetlist.h"
#include "simulation/SimulationWorker.h"
#include "simulation/WorkerPool.h"
#include "simulation/WorkerProcess.h"

using namespace calbrine;
using namespace calbrine_test;

namespace {

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
        double jobSeconds;  // long but for the worker that never answers
    };
    const Case cases[] = {
        {TestWorker("--crash"), JobFate::Lost, "was killed by signal 6", 60},
        {TestWorker("--hang"), JobFate::TimedOut, "", 0.3},
        {TestWorker("--garble"), JobFate::Lost, "could not be read", 60},
        {{{"/nonexistent/calbrine-worker", WorkerSwitch}},
         JobFate::Lost,
         "could not be started",
         60},
    };
    for (const Case& c : cases) {
        {
            WorkerPool pool(c.worker, PoolLimits{2, c.jobSeconds});
            const std::vector<PooledResult> results =
                pool.Run({Job(0, TuningSetting::VfoMin), Job(1, TuningSetting::VfoMax),
                          Job(2, TuningSetting::FineLow)},
                         {}, nullptr);
            ASSERT_EQ(results.size(), 3u);
            for (const PooledResult& r : results) {
                EXPECT_EQ(r.fate, c.fate) << c.worker.arguments[1];
                EXPECT_NE(r.lostHow.find(c.how), std::string::npos) << r.lostHow;
            }
            EXPECT_TRUE(pool.Workers().empty()) << c.worker.arguments[1];
        }
        EXPECT_TRUE(NoChildren()) << c.worker.arguments[1];
    }
}

// Job 0's worker says it is half done and is then killed: its job is lost, and the others are
// served, or, when the first loss stops the batch, cancelled with every worker ended. The
// workers stall where the test needs them to, so no job can end before the kill.
TEST(WorkerPool, AWorkerKilledMidRunLosesItsJobAndTheOthersFinishOrStop) {
    for (bool stopAtFirstLoss : {false, true}) {
        WorkerPool pool(TestWorker(stopAtFirstLoss ? "--stall" : "--stall-first"),
                        PoolLimits{2, 60, 25, stopAtFirstLoss});
        pid_t killed = -1;
        const auto killFirst = [&](const std::vector<double>& fractions) {
            if (killed < 0 && fractions[0] > 0 && (!stopAtFirstLoss || fractions[1] > 0)) {
                killed = pool.Workers().front();
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
            EXPECT_EQ(results[i].fate, stopAtFirstLoss ? JobFate::Cancelled : JobFate::Served);
            if (!stopAtFirstLoss) {
                EXPECT_NE(results[i].result.errors, std::to_string(killed));
            }
        }
        EXPECT_EQ(pool.Workers().empty(), stopAtFirstLoss);
    }
    EXPECT_TRUE(NoChildren());
}

// Cancel while every job is under way: every job is cancelled, every worker ended and reaped.
TEST(WorkerPool, CancelEndsEveryWorker) {
    std::atomic<bool> cancel{false};
    WorkerPool pool(TestWorker("--stall"), PoolLimits{2, 60});
    const std::vector<PooledResult> results = pool.Run(
        {Job(0, TuningSetting::VfoMin), Job(1, TuningSetting::VfoMax),
         Job(2, TuningSetting::FineLow)},
        [&](const std::vector<double>& fractions) {
            cancel = cancel || (fractions[0] > 0 && fractions[1] > 0);
        },
        &cancel);
    for (const PooledResult& r : results) {
        EXPECT_EQ(r.fate, JobFate::Cancelled);
    }
    EXPECT_TRUE(pool.Workers().empty());
    EXPECT_TRUE(NoChildren());
}

// The pool's limits at their edges, by which process served which job: a worker serves
// `jobsPerWorker` jobs and no more, the number of workers is held to 1 ... MostWorkers.
TEST(WorkerPool, LimitsHoldAtTheirEdges) {
    const auto servers = [](PoolLimits limits, int jobs) {
        WorkerPool pool(TestWorker("--whoami"), limits);
        std::vector<SimulationJob> batch;
        for (int i = 0; i < jobs; ++i) {
            batch.push_back(Job(static_cast<std::uint32_t>(i), TuningSetting::VfoMin));
        }
        std::vector<std::string> pids;
        for (const PooledResult& r : pool.Run(batch, {}, nullptr)) {
            EXPECT_EQ(r.fate, JobFate::Served);
            pids.push_back(r.result.errors);
        }
        return pids;
    };
    // One worker, three jobs each: jobs 0-2, 3-5 and 6 by three processes.
    const std::vector<std::string> three = servers(PoolLimits{1, 60, 3}, 7);
    EXPECT_EQ(three[0], three[2]);
    EXPECT_NE(three[2], three[3]);
    EXPECT_EQ(three[3], three[5]);
    EXPECT_NE(three[5], three[6]);
    EXPECT_NE(three[0], three[6]);
    // One job each: every job by a process of its own.
    const std::vector<std::string> one = servers(PoolLimits{1, 60, 1}, 3);
    EXPECT_EQ(std::set<std::string>(one.begin(), one.end()).size(), 3u);
    // No workers asked for: one; more than the most: the most, each taking a job at once.
    const std::vector<std::string> none = servers(PoolLimits{0, 60}, 3);
    EXPECT_EQ(std::set<std::string>(none.begin(), none.end()).size(), 1u);
    const std::vector<std::string> many = servers(PoolLimits{MostWorkers + 1, 60}, MostWorkers + 2);
    EXPECT_EQ(std::set<std::string>(many.begin(), many.end()).size(),
              static_cast<std::size_t>(MostWorkers));
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
    // A name relative to the test's own folder, which the worker's folder does not share.
    std::filesystem::create_directory("bin");
    std::filesystem::create_symlink(CALBRINE_TEST_WORKER, "bin/worker");
    const std::string program = "bin/worker";
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
