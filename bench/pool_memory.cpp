// The memory of the simulation workers over a long series of runs: RUNS runs of the worked
// example at VfoMin through the worker pool, a worker replaced after every PER_WORKER runs,
// and the largest resident size of any worker after each hundred runs. Reports only.
//     calbrine_pool_memory [RUNS [PER_WORKER [WORKERS [STEP_FACTOR]]]]
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "simulation/NgspiceSession.h"
#include "simulation/SimulatedNetlist.h"
#include "simulation/SimulationWorker.h"
#include "simulation/WorkerPool.h"

namespace {

using namespace calbrine;

// The resident size of a process in MB, from /proc.
double ResidentMegabytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::atof(line.c_str() + 6) / 1024;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (const int worker = SimulationWorkerMain(argc, argv); worker >= 0) {
        return worker;
    }
    const int runs = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int perWorker = argc > 2 ? std::atoi(argv[2]) : PoolLimits{}.jobsPerWorker;
    const int workers = argc > 3 ? std::atoi(argv[3]) : ProcessorCount();
    const int factor = argc > 4 ? std::atoi(argv[4]) : 4;
    const DesignRecord design{10e-12f, 40e-12f,  10e-12f,  100e-12f, 20e-12f, 100e-12f, 100e-12f,
                              47e-12f, 470e-12f, 470e-12f, 4.7e-6f,  12e6f,   25e-12f};
    SimulationJob job;
    job.netlist = SimulatedNetlist(design, TuningSetting::VfoMin, factor);
    job.calculatedHz = CalculatedFrequency(design, TuningSetting::VfoMin);
    job.stopTime = 400 / job.calculatedHz;
    job.keptPeriods = 10;
    job.spectrum = true;
    PoolLimits limits;
    limits.workers = workers;
    limits.jobsPerWorker = perWorker;
    int failed = 0;
    {
        WorkerPool pool(ProgramWorkerCommand(NgspiceLibraryFile), limits);
        std::printf("runs  largest worker now (MB)\n");
        for (int done = 0; done < runs; done += 100) {
            std::vector<SimulationJob> jobs(std::min(100, runs - done), job);
            double largest = 0;
            const auto sample = [&](const std::vector<double>&) {
                for (pid_t pid : pool.Workers()) {
                    largest = std::max(largest, ResidentMegabytes(pid));
                }
            };
            for (const PooledResult& r : pool.Run(jobs, sample, nullptr)) {
                failed += r.fate != JobFate::Served || !r.result.measure.oscillates;
            }
            std::printf("%4d  %.1f\n", done + static_cast<int>(jobs.size()), largest);
        }
    }  // every worker ended and reaped, so that their peak is counted
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    std::printf("peak of any worker so far: %.1f MB; runs without a result: %d\n",
                children.ru_maxrss / 1024.0, failed);
    return failed == 0 ? 0 : 1;
}
