// The runs of one point of a simulation, in a worker: each as long as its answer needs.
//
// Without a start state, the run at the planned step starts from the supply's step and goes
// on, a block of periods at a time, until its frequency and swing have settled (RunJudgement),
// until its swing has died away below 10 mV, or until the netlist's stop time; the run at
// twice the step then starts from where the first ended and goes on until it has settled
// again (the change of step moves the frequency a little, and it takes some tens of periods
// to get there).
//
// With a start state (the settled state of a neighbouring circuit: the nominal design for a
// Monte Carlo copy, the same setting at another temperature), a short run at twice the step
// from the supply's step first answers whether the circuit starts by itself, from the growth
// of its swing after the kick; only then do both runs start from the state, so that a circuit
// that would not start is never reported as oscillating because it was started at its swing.
#pragma once

#include <functional>

#include "simulation/NgspiceSession.h"
#include "simulation/WorkerProtocol.h"

namespace calbrine {

// `progress` gets 0..1 of the job's expected work, never going back.
JobResult RunPoint(NgspiceSession& session, const SimulationJob& job,
                   const std::function<void(double)>& progress);

}  // namespace calbrine
