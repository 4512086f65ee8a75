// What passes between the program and its simulation workers: a job (a netlist and how to
// measure its run) one way, progress and a result the other. Each message is a frame: its
// length as 8 bytes, a kind byte, then the fields in order. Numbers travel as the bytes of
// their doubles, never as text, so a locale cannot change them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "simulation/Harmonics.h"
#include "simulation/OscillationMeasurement.h"

namespace calbrine {

// What a job runs.
enum class JobKind : std::uint8_t {
    // One point of a simulation: a settling run from the supply's step (or a short start-up
    // run, with a start state), then runs at the netlist's time step and at twice it, each
    // stopped once its frequency has converged (RunJudgement), or at the netlist's stop time.
    Point,
    // The netlist as it is (started from a state, every time step at the netlist's largest)
    // for `stopTime`, measured over its last FixedStepMeasuredPeriods periods, with the peak
    // current through L7 (QualityRuns).
    FixedStep,
    // The netlist as it is (a settled state with the supply at 0 V) until the decay of the
    // current through L7 has been measured, or for `stopTime` (QualityRuns).
    RingDown,
    // The netlist from the supply's step until its swing shows whether the oscillator starts,
    // or for `stopTime`: `measure.oscillates` says it does (QualityRuns).
    Startup
};

struct SimulationJob {
    std::uint32_t id = 0;  // the result carries it back
    JobKind kind = JobKind::Point;
    std::string netlist;  // started by the supply's step, saving the state (SavingState)
    double calculatedHz = 0;
    double stopTime = 0;    // seconds; a run that ends earlier was stopped by ngspice
    int keptPeriods = 0;    // periods of the output sent back with the result
    bool spectrum = false;  // measure the harmonics of the output
    // Empty: the run at the planned step starts from the supply's step and goes on until it
    // settles. Otherwise a settled state of a neighbouring circuit (StateVectors()) that it
    // starts from, after a short run from the supply's step has shown that it starts.
    std::vector<double> startState;
};

struct JobResult {
    enum class Outcome : std::uint8_t { Done, LibraryMissing, Failed } outcome = Outcome::Failed;
    std::uint32_t id = 0;
    std::string errors;          // why it failed, when it did
    OscillationMeasure measure;  // the run at the planned step
    OscillationMeasure coarse;   // at twice the step, when the first oscillates
    std::vector<double> state;   // where the run at the planned step ended, when it oscillates
    HarmonicLevels harmonics;
    double coilPeakAmps = 0;   // FixedStep: the peak current through L7 over the measured part
    double decaySeconds = 0;   // RingDown: the time constant of the current's envelope, or 0
    std::uint64_t points = 0;  // time points ngspice computed, in every run of the job
    double seconds = 0;        // the job's wall-clock time in the worker
    std::vector<double> keptTime;
    std::vector<double> keptVolts;
};

enum class FrameKind : std::uint8_t { Job = 'J', Progress = 'P', Result = 'R' };

std::string EncodeJob(const SimulationJob& job);
std::string EncodeProgress(std::uint32_t id, double fraction);
std::string EncodeResult(const JobResult& result);

// Each false when the payload is not a whole message of its kind.
bool DecodeJob(const std::string& frame, SimulationJob& job);
bool DecodeProgress(const std::string& frame, std::uint32_t& id, double& fraction);
bool DecodeResult(const std::string& frame, JobResult& result);

// The kind of a frame's payload (its first byte), 0 for an empty one.
std::uint8_t FrameKindOf(const std::string& frame);

// Writes the length prefix and the payload; false when the pipe is closed.
bool WriteFrame(int fd, const std::string& payload);
// Blocking read of one whole frame; false at the end of the input or on a malformed length.
bool ReadFrame(int fd, std::string& payload);
// Takes one whole frame off the front of `buffer` when there is one; a length beyond
// LargestFrame gives an empty frame and empties the buffer.
bool TakeFrame(std::string& buffer, std::string& payload);

// A frame longer than this is malformed (a result holds at most some megabytes).
constexpr std::uint64_t LargestFrame = 256u << 20;

}  // namespace calbrine
