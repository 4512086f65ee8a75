// The VFO as a list of parts joined at named nodes: the entered capacitors and inductor, the
// tuning capacitors at one setting, and the fixed transistor stage, output filter and supply.
// It is the circuit of the LTspice schematic export, part for part and node for node.
#pragma once

#include <string>
#include <vector>

#include "circuit/TuningSettings.h"
#include "design/DesignRecord.h"

namespace calbrine {

enum class PartKind { Capacitor, Inductor, Resistor, NpnTransistor, VoltageSource };

struct CircuitPart {
    std::string name;
    PartKind kind = PartKind::Capacitor;
    double value = 0;  // farad, henry, ohm or volt; unused for the transistor
    // Two-terminal parts: the two ends (for the source: + then -). Transistor: collector,
    // base, emitter.
    std::vector<std::string> nodes;
};

// Node names. "0" is ground.
namespace node {
inline const char* const Ground = "0";
inline const char* const Supply = "supply";
inline const char* const Base = "base";
inline const char* const Emitter = "emitter";
inline const char* const Tank = "tank";  // the tuning capacitors' side of L7
inline const char* const Fine = "fine";  // between the varicap D9 and C39
inline const char* const Output = "out";
}  // namespace node

inline const char* const TransistorModelName = "2N3904";
constexpr double SupplyVolts = 9.1;

struct OscillatorCircuit {
    std::vector<CircuitPart> parts;

    // The part of that name, or nullptr.
    const CircuitPart* Find(const std::string& name) const;
};

OscillatorCircuit BuildOscillator(const DesignRecord& design, TuningSetting setting);

}  // namespace calbrine
