// The ngspice netlist of one setting exactly as a simulation runs it, for the workers and for
// other tools: runnable with `ngspice -b`, its output node named in a comment line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "circuit/OscillatorCircuit.h"
#include "circuit/SpiceNetlist.h"
#include "circuit/TuningSettings.h"
#include "design/DesignRecord.h"

namespace calbrine {

// The netlist at the planned time step and length, or at `stepFactor` times that step over
// `periods` periods of the calculated frequency.
std::string SimulatedNetlist(const DesignRecord& design, TuningSetting setting, int stepFactor = 1,
                             int periods = SimulatedPeriods);
// The same at any capacitances of the tuning capacitors and under `conditions`.
std::string SimulatedNetlist(const DesignRecord& design, TuningCapacitors tuning,
                             const CircuitConditions& conditions, int stepFactor = 1,
                             int periods = SimulatedPeriods);

// The vectors that make the circuit's state at an instant: the voltage of every node but
// ground, and the current in L7, last. The coil node is among them when the netlist gives L7
// a loss.
std::vector<std::string> StateVectors(const std::string& netlist);
// The netlist with the state's vectors saved as well as the output and the emitter.
std::string SavingState(const std::string& netlist);
// The netlist at `stepFactor` times its time step.
std::string WithStepFactor(const std::string& netlist, int stepFactor);
// The netlist started from `state` (the values of StateVectors() at an instant, as a run
// saving them left them) instead of from the supply's step: the supply on from the start,
// the nodes and L7's current set and kept by ngspice as its initial state (no operating
// point is sought), at `stepFactor` times the netlist's time step.
std::string RestartNetlist(const std::string& netlist, const std::vector<double>& state,
                           int stepFactor);

// The netlist started from `state` as RestartNetlist does at the planned step, its supply then
// moved from its value in the state to `volts` in the time the supply rises at the start.
std::string SupplyMovedFrom(const std::string& netlist, const std::vector<double>& state,
                            double volts);
// The netlist with a resistor RLOAD of `ohms` from the output node to ground.
std::string WithLoad(const std::string& netlist, double ohms);
// The netlist with every time step at its largest: ngspice's control of the step by its
// truncation error is told that any error is small enough, so that runs of slightly
// different circuits from the same state take the same steps and their step error cancels
// in the difference of their frequencies.
std::string WithFixedStep(const std::string& netlist);

// The setting called `name` ("VfoMin", "VfoMax", "FineLow", "FineHigh"), if there is one.
std::optional<TuningSetting> SettingNamed(const std::string& name);

}  // namespace calbrine
