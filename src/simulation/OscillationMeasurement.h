// What a simulated start-up of the oscillator shows: whether it settles into a steady
// oscillation near the tank's frequency, at what frequency, how large, how soon.
// Pure functions of the sampled waveforms.
#pragma once

#include <string>
#include <vector>

namespace calbrine {

// Samples at ngspice's (uneven) time points.
struct Waveforms {
    std::vector<double> time;
    std::vector<double> emitter;
    std::vector<double> output;
};

struct OscillationMeasure {
    bool oscillates = false;
    double frequencyHz = 0;  // only when it oscillates
    double emitterVpp = 0;   // peak to peak over the settled part (what was seen otherwise)
    double outputVpp = 0;
    double startupSeconds = 0;  // until the output first reaches 90 % of its final amplitude
    // Without oscillation: what was seen instead, e.g. "output stays below 10 mV".
    std::string observation;
};

// Judgement limits.
constexpr double SmallestOutputVpp = 0.01;      // volts; less is no oscillation
constexpr double FrequencyTolerance = 0.2;      // relative distance from the calculated frequency
constexpr double SteadyAmplitudeSpread = 0.05;  // over the settled part
constexpr int SettledPeriods = 100;             // at least, for the frequency

OscillationMeasure MeasureOscillation(const Waveforms& waves, double calculatedHz);

// Peak to peak of `v` over the samples whose time lies in [from, to]; 0 without samples.
double SwingBetween(const std::vector<double>& time, const std::vector<double>& v, double from,
                    double to);
// The output's frequency over [from, to] from its rising crossings through its mean (the
// swing must first fall a tenth of itself below the mean); 0 with fewer than three crossings.
double CrossingFrequency(const Waveforms& w, double from, double to);
// The same from the slope of a straight line fitted to the times of all the crossings, which
// the jitter of ngspice's time steps moves less than it moves the first and the last.
double FittedFrequency(const Waveforms& w, double from, double to);
// Time from the supply step until the output's swing over each period of `period` stays at
// 90 % or more of `finalVpp`.
double StartupTime(const Waveforms& w, double period, double finalVpp);

}  // namespace calbrine
