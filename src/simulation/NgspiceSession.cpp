#include "simulation/NgspiceSession.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <thread>

#include "circuit/SpiceNetlist.h"
#include "simulation/NgspiceLibrary.h"

namespace calbrine {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto PollInterval = std::chrono::milliseconds(20);

std::mutex& NgspiceClaim() {
    static std::mutex claim;
    return claim;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string ErrorText() {
    NgspiceReports& r = Reports();
    std::lock_guard<std::mutex> lock(r.mutex);
    std::string text;
    for (const std::string& line : r.errors) {
        text += (text.empty() ? "" : "; ") + line;
    }
    return text;
}

// Forgets the last circuit and its results, so that each run starts from a clean simulator.
void ForgetCircuit(const NgspiceApi& api) {
    api.Command("delete all");
    api.Command("destroy all");
    api.Command("remcirc");
    Reports().Clear();
}

bool LoadCircuit(const NgspiceApi& api, const std::string& netlist) {
    std::vector<std::string> lines = Lines(netlist);
    std::vector<char*> pointers;
    for (std::string& line : lines) {
        pointers.push_back(&line[0]);
    }
    pointers.push_back(nullptr);
    const int failed = api.circ(pointers.data());
    return failed == 0 && ErrorText().empty();
}

// The run halts at its first time point at or after `time`.
void StopAt(const NgspiceApi& api, double time) {
    api.Command("delete all");
    api.Command("stop when time ge " + SpiceNumber(time));
}

// The netlist with its transient's stop time a little later, for a run in segments: its last
// segment then ends at a stop, like every other, and never at the transient's own end. A
// transient that ran to its end left ngspice so that the next circuit's run in segments
// stopped at once (at 0 s, or at the earlier circuit's stop time).
std::string WithRoomAfterLastStop(const std::string& netlist) {
    const std::size_t line = netlist.find("\n.tran ");
    if (line == std::string::npos) {
        return netlist;
    }
    const std::size_t stop = netlist.find(' ', line + 7) + 1;
    const std::size_t end = netlist.find_first_of(" \n", stop);
    double seconds = 0;
    if (std::from_chars(netlist.data() + stop, netlist.data() + end, seconds).ec != std::errc()) {
        return netlist;
    }
    std::string text = netlist;
    return text.replace(stop, end - stop, SpiceNumber(seconds * LastStopRoom));
}

// Halts the background thread and waits (bounded) until it has really stopped.
void Halt(const NgspiceApi& api) {
    api.Command("bg_halt");
    const auto giveUp = Clock::now() + std::chrono::seconds(2);
    while (api.running() && Clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

NetlistRun::Outcome WaitForRun(const NgspiceApi& api, const std::function<void(double)>& progress,
                               const std::atomic<bool>* cancel, const RunLimits& limits) {
    NgspiceReports& r = Reports();
    const auto deadline = Clock::now() + std::chrono::duration<double>(limits.wallSeconds);
    // ngspice's own figure can step back within a run, as its phases report their own
    // percentages; what is shown never does.
    double fraction = 0;
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(r.mutex);
            if (r.changed.wait_for(lock, PollInterval, [&] { return r.threadEnded; })) {
                break;
            }
            fraction = std::max(fraction, r.fraction);
        }
        if (progress) {
            progress(fraction);
        }
        if (cancel != nullptr && cancel->load()) {
            Halt(api);
            return NetlistRun::Outcome::Cancelled;
        }
        if (Clock::now() > deadline) {
            Halt(api);
            return NetlistRun::Outcome::TimedOut;
        }
    }
    std::lock_guard<std::mutex> lock(r.mutex);
    return r.exitRequested ? NetlistRun::Outcome::Failed : NetlistRun::Outcome::Done;
}

// Copies each vector out before asking for the next: ngspice reuses the record it returns.
bool CopyVectors(const NgspiceApi& api, const std::vector<std::string>& names,
                 std::vector<std::vector<double>>& vectors, std::string& problem) {
    for (const std::string& name : names) {
        std::vector<char> writable(name.begin(), name.end());
        writable.push_back('\0');
        const pvector_info info = api.vectorInfo(writable.data());
        if (info == nullptr || info->v_realdata == nullptr || info->v_length <= 0) {
            problem = "ngspice gave no values for " + name;
            return false;
        }
        vectors.emplace_back(info->v_realdata, info->v_realdata + info->v_length);
    }
    return true;
}

}  // namespace

double StatusFraction(const std::string& status) {
    const std::size_t percent = status.find('%');
    const std::size_t colon = status.rfind(':', percent);
    if (percent == std::string::npos || colon == std::string::npos) {
        return -1;
    }
    std::string number = status.substr(colon + 1, percent - colon - 1);
    for (char& c : number) {
        if (c == ',') {
            c = '.';  // ngspice prints with the process's locale
        }
    }
    const std::size_t first = number.find_first_not_of(' ');
    double value = 0;
    if (first == std::string::npos ||
        std::from_chars(number.data() + first, number.data() + number.size(), value).ec !=
            std::errc()) {
        return -1;
    }
    return value < 0 ? 0 : value > 100 ? 1 : value / 100;
}

NgspiceSession::NgspiceSession(const std::string& libraryFile)
    : claim_(NgspiceClaim(), std::try_to_lock), libraryFile_(libraryFile) {
    if (!claim_.owns_lock()) {
        state_ = NgspiceState::Busy;
        problem_ = "A simulation is already running; please wait for it to finish.";
        return;
    }
    state_ =
        OpenNgspice(libraryFile, problem_) != nullptr ? NgspiceState::Ready : NgspiceState::Missing;
}

NetlistRun NgspiceSession::Run(const std::string& netlist, const std::vector<std::string>& names,
                               const std::function<void(double)>& progress,
                               const std::atomic<bool>* cancel, const RunLimits& limits) {
    return RunInSegments(netlist, names, progress, cancel, limits, 0, {});
}

NetlistRun NgspiceSession::RunInSegments(const std::string& netlist,
                                         const std::vector<std::string>& names,
                                         const std::function<void(double)>& progress,
                                         const std::atomic<bool>* cancel, const RunLimits& limits,
                                         double firstStop, const NextStop& next) {
    NetlistRun run;
    std::string problem;
    const NgspiceApi* api =
        state_ == NgspiceState::Ready ? OpenNgspice(libraryFile_, problem) : nullptr;
    if (api == nullptr) {
        run.errors = state_ == NgspiceState::Ready ? problem : problem_;
        return run;
    }
    ForgetCircuit(*api);
    if (!LoadCircuit(*api, firstStop > 0 ? WithRoomAfterLastStop(netlist) : netlist)) {
        run.errors = "ngspice could not read the circuit: " + ErrorText();
        ForgetCircuit(*api);
        return run;
    }
    const auto deadline = Clock::now() + std::chrono::duration<double>(limits.wallSeconds);
    double stop = firstStop;
    if (stop > 0) {
        StopAt(*api, stop);
    }
    api->Command("bg_run");
    for (;;) {
        const double left = std::chrono::duration<double>(deadline - Clock::now()).count();
        run.outcome = WaitForRun(*api, progress, cancel, RunLimits{std::max(left, 0.0)});
        run.errors = ErrorText();
        run.vectors.clear();
        if (run.outcome == NetlistRun::Outcome::Done &&
            !CopyVectors(*api, names, run.vectors, problem)) {
            run.outcome = NetlistRun::Outcome::Failed;
            run.errors = problem + (run.errors.empty() ? "" : ": " + run.errors);
        }
        // Ended by itself (at its stop time, or stopped by ngspice), or told to end here. The
        // stop is written to ngspice with 9 digits, and may fall that much short.
        if (run.outcome != NetlistRun::Outcome::Done || stop <= 0 ||
            run.vectors[0].back() < stop * (1 - 1e-6)) {
            break;
        }
        const double last = stop;
        stop = next ? next(run.vectors) : 0;
        if (stop <= last) {
            break;
        }
        StopAt(*api, stop);
        Reports().Resume();
        api->Command("bg_resume");
    }
    ForgetCircuit(*api);
    return run;
}

}  // namespace calbrine
