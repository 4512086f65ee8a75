// Simulation jobs run side by side in worker processes (SimulationWorker): at most one job per
// worker, as many workers as asked for. A worker that dies, is killed or overruns its time
// bound costs its own job, and the rest only when the caller asks for that; Cancel ends every
// worker at once. The results come back in
// the order of the jobs, whichever worker ran them, so they do not depend on the number of
// workers.
#pragma once

#include <sys/types.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "simulation/WorkerProtocol.h"

namespace calbrine {

// The program and arguments that start one worker.
struct WorkerCommand {
    std::vector<std::string> arguments;
};

// The running program started again as a worker with the named ngspice library.
WorkerCommand ProgramWorkerCommand(const std::string& libraryFile);

// The processors this process may use (at least 1).
int ProcessorCount();

constexpr int MostWorkers = 64;

struct PoolLimits {
    int workers = 1;         // 1 to MostWorkers
    double jobSeconds = 60;  // a job still running after this long ends its worker
    // A worker is replaced after this many jobs, so that what ngspice keeps between runs
    // cannot grow without bound over a long series.
    int jobsPerWorker = 25;
    // A job lost or overrun ends the others at once (they are Cancelled): for a caller to
    // whom one lost job fails the whole batch.
    bool stopAtFirstLoss = false;
};

// What became of a job besides the worker's own outcomes.
enum class JobFate { Served, Lost, TimedOut, Cancelled };

struct PooledResult {
    JobFate fate = JobFate::Cancelled;
    std::string lostHow;  // for Lost: how the worker ended, "was killed by signal 9 (Killed)"
    JobResult result;     // when Served
};

// The completed fraction 0..1 of each job, in the order of the jobs.
using JobProgress = std::function<void(const std::vector<double>& fractions)>;

class WorkerPool {
  public:
    WorkerPool(WorkerCommand command, PoolLimits limits);
    // Ends and reaps every worker still running.
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // Runs every job and returns their results in the same order. `progress` is called on
    // this thread; a set `cancel` ends every worker within some 20 ms and the jobs not
    // finished by then are Cancelled.
    std::vector<PooledResult> Run(const std::vector<SimulationJob>& jobs,
                                  const JobProgress& progress, const std::atomic<bool>* cancel);

    // The process ids of the workers now running.
    std::vector<pid_t> Workers() const;

  private:
    struct Worker;
    struct Batch;
    bool Start(Worker& worker, std::string& problem);
    void Assign(Batch& batch);
    void Read(Worker& worker, Batch& batch);
    void Take(Worker& worker, Batch& batch, const std::string& frame);
    void End(Worker& worker, Batch& batch, JobFate fate, const std::string& how);
    void CheckTimes(Batch& batch);
    void Stop(Worker& worker);

    WorkerCommand command_;
    PoolLimits limits_;
    std::vector<Worker> workers_;
};

// "was killed by signal 9 (Killed)" or "exited with status 3", from a wait status.
std::string EndedHow(int status);

}  // namespace calbrine
