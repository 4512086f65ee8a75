// The simulation worker as the tests start it: the real one, or one that behaves in a chosen
// way, so that the pool's tests decide what each worker does instead of racing it.
//     calbrine_test_worker --simulation-worker LIBRARY    serves jobs as the program does
//     calbrine_test_worker --crash | --hang | --garble    takes a job, then aborts, never
//                                                         answers, or answers nonsense
//     calbrine_test_worker --whoami                       answers every job at once, its
//                                                         result's errors naming its process
//     calbrine_test_worker --stall                        says each job is half done, then
//                                                         never answers
//     calbrine_test_worker --stall-first                  as --whoami, but stalls on job 0
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "simulation/SimulationWorker.h"

namespace {

using namespace calbrine;

bool Is(const char* argument, const char* behaviour) {
    return std::strcmp(argument, behaviour) == 0;
}

[[noreturn]] void Stall(std::uint32_t id) {
    WriteFrame(WorkerChannel, EncodeProgress(id, 0.5));
    for (;;) {
        pause();  // the pool's Cancel, time bound or the test ends it
    }
}

// Answers jobs, the first already read, until the channel closes.
int Answer(const char* behaviour, std::string frame) {
    do {
        SimulationJob job;
        if (!DecodeJob(frame, job)) {
            return 3;
        }
        if (Is(behaviour, "--stall") || (Is(behaviour, "--stall-first") && job.id == 0)) {
            Stall(job.id);
        }
        JobResult result;
        result.id = job.id;
        result.outcome = JobResult::Outcome::Done;
        result.errors = std::to_string(getpid());
        if (!WriteFrame(WorkerChannel, EncodeResult(result))) {
            return 3;
        }
    } while (ReadFrame(WorkerChannel, frame));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (const int served = SimulationWorkerMain(argc, argv); served >= 0) {
        return served;
    }
    std::string job;
    if (argc < 2 || !ReadFrame(WorkerChannel, job)) {
        return 2;
    }
    if (Is(argv[1], "--crash")) {
        std::abort();
    }
    if (Is(argv[1], "--garble")) {
        WriteFrame(WorkerChannel, "R not a result");
        pause();
    }
    if (Is(argv[1], "--whoami") || Is(argv[1], "--stall") || Is(argv[1], "--stall-first")) {
        return Answer(argv[1], job);
    }
    for (;;) {
        pause();  // --hang: the program's time bound ends it
    }
}
