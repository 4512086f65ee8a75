// The VFO as a list of parts joined at named nodes: the entered capacitors and inductor, the
// tuning capacitors at one setting, and the fixed transistor stage, output filter and supply
// of OscillatorParts.h.
// It is the circuit of the LTspice schematic export, part for part and node for node.
#pragma once

#include <optional>
#include <string>
#include <utility>
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
    // Temperature coefficient in ppm/degC about NominalTemperatureC; 0 for a part that keeps
    // its value at any temperature.
    double tcPpm = 0;
};

// The temperature at which the parts have their values, in degC.
constexpr double NominalTemperatureC = 25;

// What a run may change besides the design and its tuning: the temperature of the whole
// circuit (the transistor's and the parts'), the parts' temperature coefficients, by the
// circuit's part names ("Cfine", "Ccoarse", "C37", "L7" ...), and the coil's loss.
struct CircuitConditions {
    std::optional<double> temperatureC;  // none: ngspice's own default, as every plain run
    std::vector<std::pair<std::string, double>> tcPpm;
    // L7's quality factor: its loss is a resistor RL7 in series with it (CoilLossOhms). 0 is
    // an ideal coil, and the circuit has no RL7.
    double coilQ = 0;
};

// The series resistance of L7 at quality factor `q` (> 0): 2 pi f L7 / q, with f the design's
// calculated mid-band frequency, the mean of VfoMin and VfoMax. A coil's Q changes slowly over
// a band, so one resistance stands for it at every setting; the loss is taken as a plain
// series resistance, the same at every frequency (no skin effect, no core loss of its own).
float CoilLossOhms(const DesignRecord& design, double q);

struct OscillatorCircuit {
    std::vector<CircuitPart> parts;
    std::optional<double> temperatureC;
};

OscillatorCircuit BuildOscillator(const DesignRecord& design, TuningSetting setting);
// At any capacitances of the tuning capacitors, under `conditions`; a coefficient naming no
// part of the circuit is a fault of the caller (std::invalid_argument).
OscillatorCircuit BuildOscillator(const DesignRecord& design, TuningCapacitors tuning,
                                  const CircuitConditions& conditions = {});

}  // namespace calbrine
