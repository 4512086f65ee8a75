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
// A settled run: the frequency and the swing of its last blocks are within this (relative)
// of where they are heading. 5 ppm is a fiftieth of the error bar of the frequency at the
// planned step (about 270 ppm on the worked example).
constexpr double SettledFrequency = 5e-6;
constexpr double SettledSwing = 3e-3;
// ngspice's own choice of time steps moves the frequency of a block of ten periods back and
// forth, at the planned step by a few ppm, at twice it by up to 50 ppm or more (on the
// worked example; the same in plain runs of ngspice). Changes that go back and forth with a
// net change within this are taken for that noise about a settled frequency; at the planned
// step, 10 ppm let a run stop 15 ppm short of a plain run of 400 periods.
constexpr double StepNoise = 5e-6;
constexpr double CoarseStepNoise = 50e-6;
// The frequency, swing and harmonics of a settled run are measured over its last blocks: at
// the planned step the three that show it settled, at twice it ten (the frequency of a block
// moves more, and the run's frequency weighs a third in the extrapolated one).
constexpr int MeasuredBlocks = 3;
constexpr int CoarseMeasuredBlocks = 10;

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
// block to block shrink, as a geometric series, to within SettledFrequency and SettledSwing
// of where they are heading, or go back and forth with a net change within SettledSwing and
// `noise`. Needs three whole blocks after `from`.
// `noise`: StepNoise or CoarseStepNoise, by the run's step.
bool HasSettled(const Waveforms& w, double calculatedHz, double from, double noise);

// The measurement over the last `blocks` blocks of a settled run, the frequency from
// a straight line through the times of the crossings; `startupSeconds` from the kick when
// the run began with one (`fromKick`).
OscillationMeasure MeasureSettled(const Waveforms& w, double calculatedHz, bool fromKick,
                                  int blocks = MeasuredBlocks);

}  // namespace calbrine
