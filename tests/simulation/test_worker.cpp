// The simulation worker as the tests start it: the real one, or one that fails in a chosen way
// on its first job.
//     calbrine_test_worker --simulation-worker LIBRARY    serves jobs as the program does
//     calbrine_test_worker --crash | --hang | --garble    takes a job, then aborts, never
//                                                         answers, or answers nonsense
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "simulation/SimulationWorker.h"

int main(int argc, char** argv) {
    if (const int served = calbrine::SimulationWorkerMain(argc, argv); served >= 0) {
        return served;
    }
    std::string job;
    if (argc < 2 || !calbrine::ReadFrame(calbrine::WorkerChannel, job)) {
        return 2;
    }
    if (std::strcmp(argv[1], "--crash") == 0) {
        std::abort();
    }
    if (std::strcmp(argv[1], "--garble") == 0) {
        calbrine::WriteFrame(calbrine::WorkerChannel, "R not a result");
        pause();
    }
    for (;;) {
        pause();  // --hang: the program's time bound ends it
    }
}
