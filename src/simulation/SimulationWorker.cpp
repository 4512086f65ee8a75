#include "simulation/SimulationWorker.h"

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>

#include "circuit/OscillatorCircuit.h"
#include "circuit/SpiceNetlist.h"
#include "simulation/NgspiceSession.h"

namespace calbrine {

namespace {

JobResult Failure(JobResult result, JobResult::Outcome outcome, const std::string& errors) {
    result.outcome = outcome;
    result.errors = errors;
    return result;
}

// The output from `periods` periods before the end of the run.
void KeepLastPeriods(const Waveforms& waves, double hz, int periods, JobResult& result) {
    const double from = waves.time.back() - periods / hz;
    const auto first = std::lower_bound(waves.time.begin(), waves.time.end(), from);
    const auto offset = first - waves.time.begin();
    result.keptTime.assign(first, waves.time.end());
    result.keptVolts.assign(waves.output.begin() + offset, waves.output.end());
}

// What the run's waveforms show: the judgement, the kept output and its harmonics.
JobResult Measure(const SimulationJob& job, const Waveforms& waves, JobResult result) {
    result.points = waves.time.size();
    result.measure = MeasureOscillation(waves, job.calculatedHz);
    const OscillationMeasure& m = result.measure;
    const double hz = m.oscillates ? m.frequencyHz : job.calculatedHz;
    KeepLastPeriods(waves, hz, job.keptPeriods, result);
    if (m.oscillates && job.spectrum) {
        const double end = waves.time.back();
        result.harmonics = MeasureHarmonics(waves.time, waves.output, m.frequencyHz,
                                            std::max(end / 2, m.startupSeconds), end);
    }
    return result;
}

JobResult RunJob(NgspiceSession& session, const SimulationJob& job, int channel) {
    JobResult result;
    result.id = job.id;
    if (session.State() != NgspiceState::Ready) {
        return Failure(result, JobResult::Outcome::LibraryMissing, session.Problem());
    }
    int sent = -1;
    const auto progress = [&](double fraction) {
        const int percent = static_cast<int>(fraction * 100);
        if (percent != sent) {
            sent = percent;
            WriteFrame(channel, EncodeProgress(job.id, fraction));
        }
    };
    const auto start = std::chrono::steady_clock::now();
    // The program bounds the job's time by ending this process.
    const NetlistRun run = session.Run(job.netlist, {"time", node::Emitter, node::Output}, progress,
                                       nullptr, RunLimits{1e9});
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (run.outcome != NetlistRun::Outcome::Done) {
        return Failure(result, JobResult::Outcome::Failed, "failed: " + run.errors);
    }
    const Waveforms waves{run.vectors[0], run.vectors[1], run.vectors[2]};
    if (waves.time.back() < job.stopTime * (1 - 1e-6)) {
        return Failure(
            result, JobResult::Outcome::Failed,
            "was stopped by ngspice at " + SpiceNumber(waves.time.back()) + " s: " + run.errors);
    }
    result.outcome = JobResult::Outcome::Done;
    return Measure(job, waves, result);
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
