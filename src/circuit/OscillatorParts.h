// The oscillator's nodes and the parts that no design changes: the emitter follower with its
// base bias and emitter load, the output filter and the supply. The ngspice netlist, the
// LTspice export and the window and printed schematics all take these parts' values from
// here; only where each drawing places them stays with the drawing.
#pragma once

#include <array>
#include <stdexcept>
#include <string_view>

namespace calbrine {

enum class PartKind { Capacitor, Inductor, Resistor, NpnTransistor, VoltageSource };

// Node names. "0" is ground.
namespace node {
inline constexpr const char* Ground = "0";
inline constexpr const char* Supply = "supply";
inline constexpr const char* Base = "base";
inline constexpr const char* Emitter = "emitter";
inline constexpr const char* Tank = "tank";  // the tuning capacitors' side of L7
inline constexpr const char* Fine = "fine";  // between the varicap D9 and C39
inline constexpr const char* Output = "out";
inline constexpr const char* Coil = "coil";  // between L7 and its loss, when it has one
}  // namespace node

struct FixedPart {
    const char* name;
    PartKind kind;
    double value;  // ohm, farad or volt; unused for the transistor
    // The value as the schematics and the LTspice export write it; the transistor's type,
    // which is also the name of its model card.
    const char* text;
    // Two-terminal parts: the two ends (for the source: + then -), the third is null.
    // Transistor: collector, base, emitter.
    std::array<const char*, 3> nodes;
};

inline constexpr FixedPart FixedParts[] = {
    // The emitter follower with its base bias and its emitter load.
    {"R34", PartKind::Resistor, 10e3, "10k", {node::Supply, node::Base}},
    {"R33", PartKind::Resistor, 10e3, "10k", {node::Base, node::Ground}},
    {"Q8", PartKind::NpnTransistor, 0, "2N3904", {node::Supply, node::Base, node::Emitter}},
    {"R36", PartKind::Resistor, 2200, "2200", {node::Emitter, node::Ground}},
    // The output: the tank node through R32, with C91 to ground.
    {"R32", PartKind::Resistor, 4700, "4700", {node::Output, node::Tank}},
    {"C91", PartKind::Capacitor, 56e-12, "56p", {node::Output, node::Ground}},
    {"V1", PartKind::VoltageSource, 9.1, "9.1V", {node::Supply, node::Ground}},
};

// The fixed part of that name; any other name is a fault of the caller (std::invalid_argument,
// or no compiling in a constant expression).
constexpr const FixedPart& FixedPartNamed(std::string_view name) {
    for (const FixedPart& part : FixedParts) {
        if (name == part.name) {
            return part;
        }
    }
    throw std::invalid_argument("no fixed part of that name");
}

}  // namespace calbrine
