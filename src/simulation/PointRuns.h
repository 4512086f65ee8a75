// The runs of one point of a simulation, in a worker: each as long as its answer needs.
//
// Without a start state, a run from the supply's step at SettlingStepFactor times the planned
// step, every step at its largest (the cheapest run that finds the bias and the swing), goes
// on a block of periods at a time until its frequency and swing have settled (RunJudgement),
// until its swing has died away below 10 mV, or until the netlist's stop time: it answers
// whether the circuit starts, and when. From where it ended, the run at the planned step goes
// on until its frequency has converged to a small part of the error bar, and the run at twice
// the step from where that one ended, likewise; their two frequencies are extrapolated.
//
// With a start state (the settled state of a neighbouring circuit: the nominal design for a
// Monte Carlo copy), a short run from the supply's step, at the settling run's step, first
// answers whether the circuit starts by itself, from the growth of its swing after the kick;
// only then do the measuring runs start from the state, so that a circuit that would not
// start is never reported as oscillating because it was started at its swing.
#pragma once

#include <functional>

#include "simulation/NgspiceSession.h"
#include "simulation/WorkerProtocol.h"

namespace calbrine {

// `progress` gets 0..1 of the job's expected work, never going back.
JobResult RunPoint(NgspiceSession& session, const SimulationJob& job,
                   const std::function<void(double)>& progress);

}  // namespace calbrine
