#include "circuit/OscillatorCircuit.h"

#include <stdexcept>

#include "design/Tuning.h"

namespace calbrine {

OscillatorCircuit BuildOscillator(const DesignRecord& design, TuningSetting setting) {
    return BuildOscillator(design, SettingCapacitors(design, setting));
}

float CoilLossOhms(const DesignRecord& design, double q) {
    const float midBandHz = (CalculatedFrequency(design, TuningSetting::VfoMin) +
                             CalculatedFrequency(design, TuningSetting::VfoMax)) /
                            2;
    const float reactance = 2 * SinglePi * midBandHz * design.L7;
    return reactance / static_cast<float>(q);
}

namespace {

// L7 from the base to the coil node and its loss from there to the tank node.
void AddCoilLoss(OscillatorCircuit& circuit, const DesignRecord& design, double q) {
    for (std::size_t i = 0; i < circuit.parts.size(); ++i) {
        if (circuit.parts[i].name == "L7") {
            circuit.parts[i].nodes = {node::Base, node::Coil};
            const CircuitPart loss{
                "RL7", PartKind::Resistor, CoilLossOhms(design, q), {node::Coil, node::Tank}};
            circuit.parts.insert(circuit.parts.begin() + static_cast<std::ptrdiff_t>(i) + 1, loss);
            return;
        }
    }
}

void ApplyConditions(OscillatorCircuit& circuit, const CircuitConditions& conditions) {
    circuit.temperatureC = conditions.temperatureC;
    for (const auto& [name, ppm] : conditions.tcPpm) {
        bool found = false;
        for (CircuitPart& part : circuit.parts) {
            if (part.name == name) {
                part.tcPpm = ppm;
                found = true;
            }
        }
        if (!found) {
            throw std::invalid_argument("no part of the oscillator is called " + name);
        }
    }
}

}  // namespace

OscillatorCircuit BuildOscillator(const DesignRecord& d, TuningCapacitors tuning,
                                  const CircuitConditions& conditions) {
    using namespace node;
    const PartKind C = PartKind::Capacitor;
    OscillatorCircuit circuit;
    circuit.parts = {
        // The tuning bank from the tank node to ground; D9 reaches it through C39.
        {"Cfine", C, tuning.cfine, {Fine, Ground}},
        {"C39", C, d.C39, {Tank, Fine}},
        {"Ccoarse", C, tuning.ccoarse, {Tank, Ground}},
        {"C37", C, d.C37, {Tank, Ground}},
        {"C90", C, d.C90, {Tank, Ground}},
        // L7 with C15 across it, from the base to the tank node.
        {"L7", PartKind::Inductor, d.L7, {Base, Tank}},
        {"C15", C, d.C15, {Base, Tank}},
        // The feedback divider: base to emitter, emitter to ground.
        {"C34", C, d.C34, {Base, Emitter}},
        {"C35", C, d.C35, {Emitter, Ground}},
    };
    // Then the emitter follower, the output filter and the supply.
    for (const FixedPart& fixed : FixedParts) {
        CircuitPart& part = circuit.parts.emplace_back();
        part.name = fixed.name;
        part.kind = fixed.kind;
        part.value = fixed.value;
        if (fixed.kind == PartKind::NpnTransistor) {
            part.model = fixed.text;
        }
        for (const char* n : fixed.nodes) {
            if (n != nullptr) {
                part.nodes.emplace_back(n);
            }
        }
    }
    if (conditions.coilQ > 0) {
        AddCoilLoss(circuit, d, conditions.coilQ);
    }
    ApplyConditions(circuit, conditions);
    return circuit;
}

}  // namespace calbrine
