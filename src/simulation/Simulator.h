// Simulating the oscillator with ngspice at the settings of the tuning capacitors: does it
// start, at what frequency does it run (with an error bar), how large and how clean is the
// swing. Each setting runs at the planned time step and at twice it, each run only until its
// frequency has settled (PointRuns), in worker processes side by side. Synchronous for the
// caller; the desktop program calls it from a thread of its own.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "circuit/OscillatorCircuit.h"
#include "circuit/TuningSettings.h"
#include "design/DesignRecord.h"
#include "simulation/Harmonics.h"
#include "simulation/NgspiceSession.h"
#include "simulation/OscillationMeasurement.h"
#include "simulation/WorkerPool.h"

namespace calbrine {

struct SimulationRequest {
    SimulationRequest() = default;
    explicit SimulationRequest(const DesignRecord& d,
                               std::vector<TuningSetting> s = {AllTuningSettings.begin(),
                                                               AllTuningSettings.end()})
        : design(d), settings(std::move(s)) {}

    DesignRecord design;
    std::vector<TuningSetting> settings{AllTuningSettings.begin(), AllTuningSettings.end()};
    // When not empty, the runs are at these capacitances of D9 and C38 instead of at the
    // settings (the points of a tuning curve).
    std::vector<TuningCapacitors> points;
    CircuitConditions conditions;  // the temperature and the parts' coefficients
    std::string label;             // names the request in messages of a batch: "run 17"
    // The kept output and its harmonics; a batch of many runs leaves them out, as each costs
    // some 16 kB a setting.
    bool details = true;
    // In a batch, another request whose settled state at the same point (setting) the runs of
    // this one start from, once a short run has shown that the circuit starts by itself; -1,
    // or a point where that one does not oscillate: from the supply's step. The other request
    // must itself start from the supply's step. A point whose netlist is the other's is not
    // run again: it has the other's results.
    int startsFrom = -1;
};

struct SettingReport {
    TuningSetting setting = TuningSetting::VfoMin;  // of a request by settings
    TuningCapacitors capacitors;                    // D9 and C38 in the run
    double calculatedHz = 0;
    // The run at the planned step, except that frequencyHz is extrapolated from both runs.
    // Its startupSeconds is measured only in a run from the supply's step (0 otherwise).
    OscillationMeasure measure;
    double frequencyErrorHz = 0;  // the error bar of measure.frequencyHz, when it oscillates
    double fineRunHz = 0;         // the frequencies the two runs found themselves
    double coarseRunHz = 0;
    HarmonicLevels harmonics;  // of the output over its settled periods, when it oscillates
    // Where the run at the planned step ended (StateVectors()), when it oscillates: the
    // settled state that further runs of the point start from.
    std::vector<double> state;
    std::size_t points = 0;  // time points ngspice computed in the point's runs
    double seconds = 0;      // the workers' time for them
    // The output over the last KeptPeriods periods of the run, at ngspice's time points.
    std::vector<double> outputTime;
    std::vector<double> outputVolts;
};

// Periods of the output kept in a report, of the measured frequency where it oscillates.
constexpr int KeptPeriods = 10;

struct SimulationReport {
    std::vector<SettingReport> settings;
};

enum class SimulationFailure {
    None,
    LibraryMissing,
    Refused,
    Cancelled,
    SimulatorError,
    WorkerLost
};

// How a simulation, or a run of many, ended; every outcome starts with it.
struct RunStatus {
    SimulationFailure failure = SimulationFailure::None;
    std::string message;  // for the user, when it failed

    bool Succeeded() const { return failure == SimulationFailure::None; }
};

struct SimulationOutcome : RunStatus {
    SimulationReport report;  // the settings that were simulated, also when another failed
};

// Many requests simulated as one batch; `reports` follows the requests. A failure's message
// is the first failure, by request.
struct BatchOutcome : RunStatus {
    std::vector<SimulationReport> reports;
};

// Jobs a caller built (runs from a settled state), their results in the order of the jobs;
// a failure's message is the first failure, by job.
struct JobsOutcome : RunStatus {
    std::vector<JobResult> results;
};

// Fraction 0..1 of the whole request and the settings being simulated ("VfoMin, VfoMax"; in a
// batch, the labels of the requests: "run 17, run 18").
using SimulationProgress = std::function<void(double fraction, const std::string& phase)>;

// Calculated frequencies outside this range are refused.
constexpr double LowestSimulatedHz = 1e3;
constexpr double HighestSimulatedHz = 1e9;

struct SimulatorOptions {
    std::string libraryFile = NgspiceLibraryFile;
    int jobs = ProcessorCount();  // worker processes, 1 to MostWorkers
    double jobSeconds = 120;      // one run's time bound
    WorkerCommand worker;         // no arguments: the program itself (ProgramWorkerCommand)
};

class Simulator {
  public:
    explicit Simulator(SimulatorOptions options = {}) : options_(std::move(options)) {}

    // Never changes the program's design or tuning results. `cancel` may be null.
    SimulationOutcome Run(const SimulationRequest& request, const SimulationProgress& progress,
                          const std::atomic<bool>* cancel = nullptr) const;
    // Every request's runs through one pool of workers, side by side. The first refused,
    // lost or failed run ends the batch, its message naming the request's label and point.
    BatchOutcome RunBatch(const std::vector<SimulationRequest>& requests,
                          const SimulationProgress& progress,
                          const std::atomic<bool>* cancel = nullptr) const;

    // Several rounds of one piece of work share a pool of workers: RunBatch and RunJobs on
    // the same pool.
    std::unique_ptr<WorkerPool> MakePool() const;
    BatchOutcome RunBatch(const std::vector<SimulationRequest>& requests,
                          const SimulationProgress& progress, const std::atomic<bool>* cancel,
                          WorkerPool& pool) const;
    // Jobs built by the caller (FixedStep, RingDown), each named in a failure's message by
    // `names`; a lost or failed job ends the others.
    JobsOutcome RunJobs(const std::vector<SimulationJob>& jobs,
                        const std::vector<std::string>& names, const SimulationProgress& progress,
                        const std::atomic<bool>* cancel, WorkerPool& pool) const;

    // Why the request cannot be simulated (a part that is not a positive value, a calculated
    // frequency out of range), or empty text; named by the point, not by the label.
    static std::string Refusal(const SimulationRequest& request);

  private:
    SimulatorOptions options_;
};

}  // namespace calbrine
