// ngspice's shared library, opened at run time so that the program starts without it.
// ngspice keeps one circuit in process-wide state and is not re-entrant: a session claims it
// for one caller at a time.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace calbrine {

inline const char* const NgspiceLibraryFile = "libngspice.so.0";

enum class NgspiceState { Ready, Busy, Missing };

// What one netlist run brought back.
struct NetlistRun {
    enum class Outcome { Done, Cancelled, TimedOut, Failed } outcome = Outcome::Failed;
    std::vector<std::vector<double>> vectors;  // in the order asked for, when Done
    std::string errors;                        // ngspice's error lines, joined by "; "
};

// Where a run in segments stops next, from the vectors so far (in the order asked for): the
// time of the next stop, or a time not beyond the last one to end the run there.
using NextStop = std::function<double(const std::vector<std::vector<double>>& vectors)>;

struct RunLimits {
    double wallSeconds = 60;  // the run is halted after this long
};

// A run in segments goes on for this much of its transient's stop time (WithRoomAfterLastStop).
constexpr double LastStopRoom = 1.05;

class NgspiceSession {
  public:
    // Claims ngspice without waiting and opens the library on first use.
    explicit NgspiceSession(const std::string& libraryFile = NgspiceLibraryFile);
    NgspiceSession(const NgspiceSession&) = delete;
    NgspiceSession& operator=(const NgspiceSession&) = delete;

    NgspiceState State() const { return state_; }
    // Why the library could not be used, when State() is Missing.
    const std::string& Problem() const { return problem_; }

    // Loads the netlist (lines separated by "\n"), runs it in ngspice's background thread and
    // copies out the named vectors. `progress` gets 0..1 on the caller's thread; a set
    // `cancel` halts the run within some 50 ms. Only when State() is Ready.
    NetlistRun Run(const std::string& netlist, const std::vector<std::string>& vectorNames,
                   const std::function<void(double)>& progress, const std::atomic<bool>* cancel,
                   const RunLimits& limits);
    // The same, stopping at `firstStop` and then wherever `next` says: at the first time point
    // at or after each stop, which ngspice chooses as it would without the stop (a breakpoint
    // would cut its step and restart its integration, and move the frequency by tens of ppm).
    // The run then resumes where it stopped. The vectors are those up to the last stop. The
    // transient's stop time is made LastStopRoom times longer, so that a stop at its end is
    // reached before the transient ends.
    NetlistRun RunInSegments(const std::string& netlist, const std::vector<std::string>& names,
                             const std::function<void(double)>& progress,
                             const std::atomic<bool>* cancel, const RunLimits& limits,
                             double firstStop, const NextStop& next);

  private:
    std::unique_lock<std::mutex> claim_;
    std::string libraryFile_;
    NgspiceState state_ = NgspiceState::Busy;
    std::string problem_;
};

// The percentage in a status text of ngspice such as "tran: 72.8%", as 0..1; -1 without one.
double StatusFraction(const std::string& status);

}  // namespace calbrine
