// A simulation worker: the program started again with a hidden switch, loading ngspice's
// library in a process of its own, so that ngspice's process-wide state, its crashes and its
// calls to exit() stay away from the program, and runs go side by side on every processor.
#pragma once

#include <string>

#include "simulation/WorkerProtocol.h"

namespace calbrine {

// `calbrine --simulation-worker LIBRARY` serves jobs on this descriptor; the program's own
// standard streams are closed to it.
inline const char* const WorkerSwitch = "--simulation-worker";
constexpr int WorkerChannel = 3;

// When the arguments ask for a worker, serves jobs until the channel closes and returns the
// exit status; otherwise returns -1 at once. The first thing a program's main() calls.
int SimulationWorkerMain(int argc, char** argv);

// Serves the jobs read from `channel` one after another with the named ngspice library,
// writing progress and each result back to it, until the channel closes.
int ServeSimulationJobs(int channel, const std::string& libraryFile);

}  // namespace calbrine
