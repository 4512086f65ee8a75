// Which parts a drawing joins at each node, traced from its conductors: a conductor joins
// another when one of its ends lies on the other (end to end, or on its middle); a part's pin
// joins the conductors that end exactly at it; a ground joins the conductor it stands on, and
// all nodes that hold a ground are one node, "ground".
#pragma once

#include <set>
#include <string>
#include <vector>

#include "Picture.h"

namespace calbrine::testing {

struct Pin {
    std::string name;  // the part, or part.lead for the transistor and the supply
    Point at;
};

using Netlist = std::set<std::vector<std::string>>;  // each node: its pins' names, sorted

struct Circuit {
    std::vector<Segment> conductors;
    std::vector<Pin> pins;
    std::vector<Point> grounds;
};

// The nodes with at least one pin; pins that no conductor ends at go to `loose`.
Netlist TraceNodes(const Circuit& circuit, std::vector<std::string>& loose);
// A picture as a circuit: its horizontal and vertical lines (wires, leads, plates; slanted
// zig-zags, slants and ground sides join nothing), the tops of its ground triangles, and the
// pins of a placement file in tests/data/circuits ("part kind x y" per line, kind giving the
// pins' offsets: down, right<length>, npn<collector x offset>).
Circuit PictureCircuit(const PictureRecorder& picture, const std::string& placementFile);
// An exported LTspice schematic as a circuit, with pins at LTspice's standard offsets from
// each symbol's origin, turned by R90 or mirrored by M0.
Circuit SpiceSchematicCircuit(const std::string& text);
// A netlist file in tests/data/circuits: "node: pin pin ..." per line.
Netlist ReadNetlist(const std::string& netlistFile);
std::string Describe(const Netlist& nodes);

}  // namespace calbrine::testing
