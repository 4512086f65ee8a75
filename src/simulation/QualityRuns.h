// The runs from a settled state that judge how good an oscillator is, in a worker: at fixed
// time steps, so that runs of slightly different circuits share their steps and a change of a
// few ppm is not lost in the step's own error (FixedStep); and the ring-down of the resonator
// once the supply is off, whose decay gives its loaded Q (RingDown).
#pragma once

#include <functional>
#include <vector>

#include "simulation/NgspiceSession.h"
#include "simulation/WorkerProtocol.h"

namespace calbrine {

// A fixed-step run's frequency, swing and peak current through L7 are measured over its last
// this many periods of the calculated frequency. At fixed steps, the step's error in the
// frequency goes with where the steps fall in the period; as they drift through it, the
// frequency of a block of 50 periods beats by some ppm (on the worked example with a period
// of some 350 periods), and a long span averages that out.
constexpr int FixedStepMeasuredPeriods = 700;
// The transistor counts as off in a ring-down once the base's swing in a period is below
// this (volts, peak).
constexpr double OffBaseSwing = 0.3;
// The decay is fitted from there until the envelope has fallen by this many time constants.
constexpr double FittedTimeConstants = 2;

// Whether an oscillator starts, from a run from the supply's step: after its first KickPeriods
// periods, the output's swing (PeriodSwings) averaged over blocks of GrowthPeriods periods,
// the last three blocks compared. It starts when the last block's swing grows on the one
// before by more than DecidingGrowth a period, or when the last three hold within
// DecidingGrowth a period at SmallestOutputVpp or more. It dies out when the last block is
// below SmallestOutputVpp, shrinking by more than DecidingGrowth a period, and the shrinking
// is not slowing (by more than a fifth from the block before: a swing shrinking ever more
// slowly is coming down to a steady size, or a kick's quicker ringing is leaving a slower
// growth). Otherwise the run goes on, and at its end (`atEnd`) it starts when the last
// block's swing shrinks by less than EndDecay a period.
enum class StartVerdict { Undecided, Starts, DiesOut };
constexpr double EndDecay = 0.001;
StartVerdict JudgeStart(const std::vector<double>& swings, bool atEnd);

// `progress` gets 0..1 of the job, never going back.
JobResult RunFixedStep(NgspiceSession& session, const SimulationJob& job,
                       const std::function<void(double)>& progress);
JobResult RunRingDown(NgspiceSession& session, const SimulationJob& job,
                      const std::function<void(double)>& progress);
// JudgeStart after each block; `measure.oscillates` when it starts, `measure.outputVpp` the
// swing of the last period.
JobResult RunStartup(NgspiceSession& session, const SimulationJob& job,
                     const std::function<void(double)>& progress);

// The time constant of the decay of `coil` (the current through L7) in seconds: its swing in
// each period of `hz` from the first period in which the base's swing is below OffBaseSwing,
// a straight line fitted to the logarithms of those swings until they have fallen by
// FittedTimeConstants time constants. 0 until they have, or when the swing does not fall.
// Each period's swing is taken with the straight line between its ends taken out, so that a
// bias still moving adds nothing.
double DecayTime(const std::vector<double>& time, const std::vector<double>& base,
                 const std::vector<double>& coil, double hz);

}  // namespace calbrine
