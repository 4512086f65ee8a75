// How the runs of a batch go together: a point's runs made into its report, and the requests
// whose runs start from a neighbour's settled state (SimulationRequest::startsFrom).
#pragma once

#include <cstddef>
#include <vector>

#include "simulation/Simulator.h"
#include "simulation/WorkerPool.h"

namespace calbrine {

// One point from its runs: the measurement, waveform and harmonics at the planned step, the
// frequency extrapolated from both steps.
SettingReport Combine(TuningSetting setting, const JobResult& run);

// The request whose settled states request `r` starts from, or -1.
int Neighbour(const std::vector<SimulationRequest>& requests, std::size_t r);

// The jobs of the second round, those of the requests with a neighbour, given the results of
// the first: each starts from its neighbour's settled state at the same point where that one
// oscillates. A point whose netlist is its neighbour's takes its results instead of a job.
// `first[r]` is the index of request r's first point in `jobs` and `runs`, `first.back()`
// their number.
std::vector<std::size_t> SecondRound(const std::vector<SimulationRequest>& requests,
                                     const std::vector<std::size_t>& first,
                                     std::vector<SimulationJob>& jobs,
                                     std::vector<PooledResult>& runs);

}  // namespace calbrine
