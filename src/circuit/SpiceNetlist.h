// The oscillator as an ngspice netlist: the parts, the transistor's model card, a supply
// that steps on at time zero and a transient analysis sized from the calculated frequency.
#pragma once

#include <string>

#include "circuit/OscillatorCircuit.h"

namespace calbrine {

// How long and how finely the start-up of the oscillator is simulated.
struct TransientPlan {
    double calculatedHz = 0;
    double stopTime = 0;    // seconds
    double maxStep = 0;     // largest time step ngspice may take
    double supplyRise = 0;  // the supply ramps from 0 V to full over this time
};

// Periods of the calculated frequency that a run covers, and points per period at least.
constexpr int SimulatedPeriods = 400;
constexpr int PointsPerPeriod = 100;

TransientPlan PlanTransient(double calculatedHz);

// A number for ngspice, "." as decimal mark whatever the locale: a single (an entered value)
// as the shortest text that reads back the same, "4.7e-06"; others to 9 significant digits.
std::string SpiceNumber(double value);

// Lines separated by "\n", ending in ".end". Only the output and emitter voltages are kept.
std::string SpiceNetlist(const OscillatorCircuit& circuit, const TransientPlan& plan);

}  // namespace calbrine
