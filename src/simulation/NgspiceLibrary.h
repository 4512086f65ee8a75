// The functions of ngspice's shared library and the state its callbacks report into.
// Internal to the simulation; the rest of the program uses NgspiceSession.
#pragma once

#include <ngspice/sharedspice.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

namespace calbrine {

struct NgspiceApi {
    void* handle = nullptr;
    std::string file;
    decltype(&ngSpice_Init) init = nullptr;
    decltype(&ngSpice_Command) command = nullptr;
    decltype(&ngSpice_Circ) circ = nullptr;
    decltype(&ngGet_Vec_Info) vectorInfo = nullptr;
    decltype(&ngSpice_running) running = nullptr;

    // Sends a command; ngspice takes a writable text.
    void Command(const std::string& text) const;
};

// Written by ngspice's callbacks (some on its background thread), read by the session.
struct NgspiceReports {
    std::mutex mutex;
    std::condition_variable changed;
    bool threadEnded = false;
    bool exitRequested = false;  // ngspice wanted to end the process during this run
    bool spent = false;          // ... and must be opened afresh; kept until it is
    int exitStatus = 0;
    double fraction = 0;
    std::vector<std::string> errors;

    // Forgets what the last run reported (not that the library is spent).
    void Clear();
    // Before a run stopped at a breakpoint goes on: its thread runs again.
    void Resume();
};

NgspiceReports& Reports();

// The library opened and initialised, or nullptr with `problem` set. Opens it on the first
// call, and again after ngspice asked to exit. The caller holds the session's claim.
const NgspiceApi* OpenNgspice(const std::string& file, std::string& problem);

}  // namespace calbrine
