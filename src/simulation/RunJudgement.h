// Judging a run while it goes: has the oscillator started from its kick, has its frequency
// settled. A run is made in blocks of BlockPeriods periods of the calculated frequency, and
// after each block these say whether to go on. Pure functions of the sampled waveforms.
#pragma once

#include <vector>

#include "simulation/OscillationMeasurement.h"

namespace calbrine {

// Periods of the calculated frequency between two judgements of a run.
constexpr int BlockPeriods = 10;
// The first periods after the supply steps on, in which the kick and the bias settling
// swing the output whether or not the oscillator starts; growth is judged after them.
constexpr int KickPeriods = 40;
// Growth is the swing of the last GrowthPeriods periods against the GrowthPeriods before.
constexpr int GrowthPeriods = 10;
// Growth or decay faster than this (relative, per period) decides whether the oscillator
// starts; slower, the run goes on.
constexpr double DecidingGrowth = 0.002;
// The run that answers the start-up question and finds the steady state runs at
// SettlingStepFactor times the planned step, every step at its largest (WithFixedStep): a
// quarter to a fifth of the time points of a run at the planned step, whose step ngspice's own
// error control keeps finer than asked. Its frequency is some 0.4 % low and moves by up to 100 ppm
// from block to block; what it is for is the bias and the swing, which then carry over.
constexpr int SettlingStepFactor = 4;
// Settled, for that run: the frequency and the swing of its last blocks within these
// (relative) of where they are heading. 100 ppm is the noise of its blocks' frequencies.
constexpr double SettlingFrequency = 100e-6;
constexpr double SettledSwing = 3e-3;
// The runs that measure (at the planned step and at twice it, each from a settled state) stop
// once their frequency has converged: the first TransientBlocks blocks left out (the change of
// step, or of circuit, settling), the frequencies fitted to the last two windows of
// `windowBlocks` blocks agree within `frequency` (relative) and their swings within
// SettledSwing. The frequency and the swing are then measured over both windows.
constexpr int TransientBlocks = 1;
struct Convergence {
    int windowBlocks;
    double frequency;
};
// The tolerances are small parts of the error bar, the extrapolation's correction, some 250
// to 300 ppm at the planned step of 100 points a period (the trapezoidal rule's error depends
// on the points per period only): at the planned step a thirteenth of it; at twice the step,
// whose frequency weighs a third in the extrapolated one, 30 ppm. ngspice's choice of time
// steps moves the frequency of 40 periods at the planned step by up to some 20 ppm with a
// lossy coil (less with an ideal one), of 30 periods at twice the step by some 6 ppm.
constexpr Convergence FineConvergence{4, 20e-6};
constexpr Convergence CoarseConvergence{3, 30e-6};
// The measurement of the settling run: over its last MeasuredBlocks blocks.
constexpr int MeasuredBlocks = 3;

// The output's swing in each whole period of the calculated frequency from `from` on, each
// with the straight line between its ends taken out, so that a bias still settling adds
// nothing.
std::vector<double> PeriodSwings(const Waveforms& w, double calculatedHz, double from);

enum class Growth { Undecided, Grows, Dies, Steady };

struct GrowthVerdict {
    Growth growth = Growth::Undecided;
    double perPeriod = 0;  // relative growth of the swing per period (negative: decay)
    double swing = 0;      // the output's swing over the last GrowthPeriods periods, volts
};

// From the kick: growing, dying away (only below SmallestOutputVpp, so that a swing coming
// down to its steady size is not taken for one dying), steady at a swing of at least
// SmallestOutputVpp, or not yet decided (and before KickPeriods + 2 GrowthPeriods).
GrowthVerdict JudgeGrowth(const Waveforms& w, double calculatedHz);

// Whether the last three blocks show the frequency and the swing settled: their changes from
// block to block shrink, as a geometric series, to within `tolerance` (the frequency) and
// SettledSwing of where they are heading, or go back and forth with a net change within
// them. Needs three whole blocks after `from`.
bool HasSettled(const Waveforms& w, double calculatedHz, double from, double tolerance);

// Whether the frequency and the swing have converged as `c` asks, over the last two windows
// after `from`.
bool HasConverged(const Waveforms& w, double calculatedHz, double from, const Convergence& c);

// The measurement over the last `blocks` blocks of a settled run, the frequency from
// a straight line through the times of the crossings; `startupSeconds` from the kick when
// the run began with one (`fromKick`).
OscillationMeasure MeasureSettled(const Waveforms& w, double calculatedHz, bool fromKick,
                                  int blocks = MeasuredBlocks);

}  // namespace calbrine
