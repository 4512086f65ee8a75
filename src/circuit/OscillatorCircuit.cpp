#include "circuit/OscillatorCircuit.h"

namespace calbrine {

const CircuitPart* OscillatorCircuit::Find(const std::string& name) const {
    for (const CircuitPart& part : parts) {
        if (part.name == name) {
            return &part;
        }
    }
    return nullptr;
}

OscillatorCircuit BuildOscillator(const DesignRecord& d, TuningSetting setting) {
    using namespace node;
    const TuningCapacitors tuning = SettingCapacitors(d, setting);
    const PartKind C = PartKind::Capacitor;
    const PartKind R = PartKind::Resistor;
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
        // The emitter follower with its base bias.
        {"R34", R, 10e3, {Supply, Base}},
        {"R33", R, 10e3, {Base, Ground}},
        {"Q8", PartKind::NpnTransistor, 0, {Supply, Base, Emitter}},
        {"R36", R, 2200, {Emitter, Ground}},
        // The output: the tank node through R32, with C91 to ground.
        {"R32", R, 4700, {Output, Tank}},
        {"C91", C, 56e-12, {Output, Ground}},
        {"V1", PartKind::VoltageSource, SupplyVolts, {Supply, Ground}},
    };
    return circuit;
}

}  // namespace calbrine
