#include "simulation/SimulationWorker.h"

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cstring>

#include "simulation/NgspiceSession.h"
#include "simulation/PointRuns.h"
#include "simulation/QualityRuns.h"

namespace calbrine {

namespace {

JobResult RunJob(NgspiceSession& session, const SimulationJob& job, int channel) {
    int sent = -1;
    const auto progress = [&](double fraction) {
        const int percent = static_cast<int>(fraction * 100);
        if (percent != sent) {
            sent = percent;
            WriteFrame(channel, EncodeProgress(job.id, fraction));
        }
    };
    switch (job.kind) {
        case JobKind::FixedStep:
            return RunFixedStep(session, job, progress);
        case JobKind::RingDown:
            return RunRingDown(session, job, progress);
        case JobKind::Startup:
            return RunStartup(session, job, progress);
        case JobKind::Point:
            break;
    }
    return RunPoint(session, job, progress);
}

}  // namespace

int ServeSimulationJobs(int channel, const std::string& libraryFile) {
    NgspiceSession session(libraryFile);
    std::string frame;
    SimulationJob job;
    while (ReadFrame(channel, frame)) {
        if (!DecodeJob(frame, job) ||
            !WriteFrame(channel, EncodeResult(RunJob(session, job, channel)))) {
            return 3;
        }
    }
    return 0;
}

int SimulationWorkerMain(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], WorkerSwitch) != 0) {
        return -1;
    }
    // Ended with the program, even when it is killed.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() == 1) {
        return 4;
    }
    return ServeSimulationJobs(WorkerChannel, argc > 2 ? argv[2] : NgspiceLibraryFile);
}

}  // namespace calbrine
