// The VFO as a list of parts joined at named nodes: the entered capacitors and inductor, the
// tuning capacitors at one setting, and the fixed transistor stage, output filter and supply
// of OscillatorParts.h.
// It is the circuit of the LTspice schematic export, part for part and node for node.
#pragma once

#include <string>
#include <vector>

#include "circuit/OscillatorParts.h"
#include "circuit/TuningSettings.h"
#include "design/DesignRecord.h"

namespace calbrine {

struct CircuitPart {
    std::string name;
    PartKind kind = PartKind::Capacitor;
    double value = 0;  // farad, henry, ohm or volt; unused for the transistor
    // Two-terminal parts: the two ends (for the source: + then -). Transistor: collector,
    // base, emitter.
    std::vector<std::string> nodes;
    std::string model = "";  // the transistor's: the name of its model card
};

struct OscillatorCircuit {
    std::vector<CircuitPart> parts;
};

OscillatorCircuit BuildOscillator(const DesignRecord& design, TuningSetting setting);

}  // namespace calbrine
