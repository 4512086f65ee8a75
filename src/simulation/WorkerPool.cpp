#include "simulation/WorkerPool.h"

#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "simulation/SimulationWorker.h"
#include "simulation/WorkerProcess.h"

namespace calbrine {

namespace {

using Clock = std::chrono::steady_clock;
constexpr int PollMilliseconds = 20;

}  // namespace

struct WorkerPool::Worker {
    pid_t pid = -1;
    int channel = -1;  // the program's end of the worker's socket
    std::string buffer;
    int job = -1;  // the job it runs, -1 when idle
    Clock::time_point started;
    int served = 0;
    std::unique_ptr<PrivateFolder> folder;  // removed once the process is reaped
};

struct WorkerPool::Batch {
    const std::vector<SimulationJob>& jobs;
    std::vector<PooledResult> results;
    std::vector<double> fractions;
    std::size_t next = 0;      // the first job not yet given to a worker
    std::size_t finished = 0;  // jobs with a result
    bool changed = false;      // fractions changed since the last report
    bool lost = false;         // a job was lost and the batch stops at the first
};

WorkerCommand ProgramWorkerCommand(const std::string& libraryFile) {
    return {{"/proc/self/exe", WorkerSwitch, libraryFile}};
}

int ProcessorCount() {
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0) {
        return CPU_COUNT(&set);
    }
    const long online = sysconf(_SC_NPROCESSORS_ONLN);
    return online > 0 ? static_cast<int>(online) : 1;
}

std::string EndedHow(int status) {
    if (WIFSIGNALED(status)) {
        return "was killed by signal " + std::to_string(WTERMSIG(status)) + " (" +
               strsignal(WTERMSIG(status)) + ")";
    }
    return "exited with status " + std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
}

WorkerPool::WorkerPool(WorkerCommand command, PoolLimits limits)
    : command_(std::move(command)), limits_(limits) {
    limits_.workers = limits_.workers < 1 ? 1 : std::min(limits_.workers, MostWorkers);
    workers_.resize(limits_.workers);
}

WorkerPool::~WorkerPool() {
    for (Worker& w : workers_) {
        Stop(w);
    }
}

std::vector<pid_t> WorkerPool::Workers() const {
    std::vector<pid_t> pids;
    for (const Worker& w : workers_) {
        if (w.pid > 0) {
            pids.push_back(w.pid);
        }
    }
    return pids;
}

// Ends the worker at once and waits for it, so that no process is left behind.
void WorkerPool::Stop(Worker& w) {
    if (w.pid > 0) {
        kill(w.pid, SIGKILL);
        while (waitpid(w.pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    if (w.channel >= 0) {
        close(w.channel);
    }
    w = Worker{};
}

bool WorkerPool::Start(Worker& w, std::string& problem) {
    WorkerProcess process;
    if (!StartWorkerProcess(command_.arguments, WorkerChannel, process, problem)) {
        return false;
    }
    w = Worker{};
    w.pid = process.pid;
    w.channel = process.channel;
    w.folder = std::move(process.folder);
    return true;
}

namespace {

// Writes a whole frame to a worker's socket without letting a closed one raise SIGPIPE.
bool Send(int channel, const std::string& payload) {
    const std::uint64_t size = payload.size();
    std::string frame(reinterpret_cast<const char*>(&size), sizeof size);
    frame += payload;
    std::size_t done = 0;
    while (done < frame.size()) {
        const ssize_t n = send(channel, frame.data() + done, frame.size() - done, MSG_NOSIGNAL);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            pollfd out{channel, POLLOUT, 0};
            poll(&out, 1, PollMilliseconds);
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

// Gives the next jobs to idle workers, starting workers as they are needed.
void WorkerPool::Assign(Batch& batch) {
    for (Worker& w : workers_) {
        if (batch.next >= batch.jobs.size()) {
            return;
        }
        if (w.job >= 0) {
            continue;
        }
        const int job = static_cast<int>(batch.next++);
        std::string problem;
        if (w.pid < 0 && !Start(w, problem)) {
            w.job = job;
            End(w, batch, JobFate::Lost, problem);
            continue;
        }
        w.job = job;
        w.started = Clock::now();
        if (!Send(w.channel, EncodeJob(batch.jobs[job]))) {
            int status = 0;
            kill(w.pid, SIGKILL);
            waitpid(w.pid, &status, 0);
            w.pid = -1;
            End(w, batch, JobFate::Lost, EndedHow(status));
        }
    }
}

// Records the end of the worker's job and, unless it was served, ends the worker too.
void WorkerPool::End(Worker& w, Batch& batch, JobFate fate, const std::string& how) {
    PooledResult& r = batch.results[w.job];
    r.fate = fate;
    r.lostHow = how;
    batch.fractions[w.job] = 1;
    batch.changed = true;
    ++batch.finished;
    w.job = -1;
    if (fate != JobFate::Served) {
        batch.lost = limits_.stopAtFirstLoss;
        Stop(w);
    } else if (++w.served >= limits_.jobsPerWorker) {
        Stop(w);  // a fresh worker takes the next job
    }
}

void WorkerPool::Take(Worker& w, Batch& batch, const std::string& frame) {
    std::uint32_t id = 0;
    double fraction = 0;
    const SimulationJob& job = batch.jobs[w.job];
    if (DecodeProgress(frame, id, fraction) && id == job.id) {
        batch.fractions[w.job] = std::max(batch.fractions[w.job], std::min(fraction, 1.0));
        batch.changed = true;
        return;
    }
    JobResult& result = batch.results[w.job].result;
    if (DecodeResult(frame, result) && result.id == job.id) {
        End(w, batch, JobFate::Served, "");
        return;
    }
    End(w, batch, JobFate::Lost, "sent a message that could not be read");
}

// Reads what the worker has sent; its end of the socket closing means it has died.
void WorkerPool::Read(Worker& w, Batch& batch) {
    char chunk[65536];
    ssize_t n = 0;
    while ((n = recv(w.channel, chunk, sizeof chunk, 0)) > 0 || (n < 0 && errno == EINTR)) {
        if (n > 0) {
            w.buffer.append(chunk, static_cast<std::size_t>(n));
        }
    }
    const bool gone = !(n < 0 && errno == EAGAIN);
    std::string frame;
    while (w.job >= 0 && TakeFrame(w.buffer, frame)) {
        Take(w, batch, frame);
    }
    if (!gone || w.pid < 0) {
        return;
    }
    // The worker closed its socket: it crashed, was killed or ended.
    int status = 0;
    while (waitpid(w.pid, &status, 0) < 0 && errno == EINTR) {
    }
    w.pid = -1;
    if (w.job >= 0) {
        End(w, batch, JobFate::Lost, EndedHow(status));
    } else {
        Stop(w);
    }
}

void WorkerPool::CheckTimes(Batch& batch) {
    const auto now = Clock::now();
    for (Worker& w : workers_) {
        if (w.job >= 0 &&
            std::chrono::duration<double>(now - w.started).count() > limits_.jobSeconds) {
            End(w, batch, JobFate::TimedOut, "");
        }
    }
}

std::vector<PooledResult> WorkerPool::Run(const std::vector<SimulationJob>& jobs,
                                          const JobProgress& progress,
                                          const std::atomic<bool>* cancel) {
    Batch batch{jobs, std::vector<PooledResult>(jobs.size()), std::vector<double>(jobs.size())};
    while (batch.finished < jobs.size()) {
        if ((cancel != nullptr && cancel->load()) || batch.lost) {
            for (Worker& w : workers_) {
                Stop(w);
            }
            break;  // the jobs without a result stay Cancelled
        }
        Assign(batch);
        std::vector<pollfd> channels;
        std::vector<Worker*> busy;
        for (Worker& w : workers_) {
            if (w.job >= 0) {
                channels.push_back({w.channel, POLLIN, 0});
                busy.push_back(&w);
            }
        }
        if (poll(channels.data(), channels.size(), PollMilliseconds) > 0) {
            for (std::size_t i = 0; i < channels.size(); ++i) {
                if (channels[i].revents != 0) {
                    Read(*busy[i], batch);
                }
            }
        }
        CheckTimes(batch);
        if (batch.changed && progress) {
            batch.changed = false;
            progress(batch.fractions);
        }
    }
    return batch.results;
}

}  // namespace calbrine
