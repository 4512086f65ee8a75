// Pieces shared by the schematic drawings: part placements, and the grounds and wires that close
// each window's circuit.
#pragma once

#include <cstddef>
#include <iterator>
#include <string>

#include "circuit/OscillatorParts.h"
#include "schematic/SchematicSurface.h"
#include "schematic/Symbols.h"

namespace calbrine::parts {

struct Point {
    int x, y;
};

struct Wire {
    Point from, to;
};

// A symbol of the window circuit; capacitors and inductors never draw their value and the
// transistor draws its type.
using SymbolDrawer = void (*)(SchematicSurface&, const SymbolStyle&, int X, int Y,
                              const std::string& Label, const std::string& Value);

struct PartSymbol {
    SymbolDrawer draw;
    const char* label;
    const char* value;
};

// A part whose value the design sets; the windows show it in an entry box, not here.
constexpr PartSymbol Entered(SymbolDrawer draw, const char* label) {
    return {draw, label, ""};
}
// A part of the oscillator's fixed ones, with its value text.
constexpr PartSymbol Fixed(SymbolDrawer draw, const char* name) {
    return {draw, name, FixedPartNamed(name).text};
}

// The window circuit's parts in the order both windows draw them.
inline constexpr PartSymbol windowParts[] = {
    Entered(DrawVerticalCapacitor, "D9"),  Entered(DrawHorizontalCapacitor, "C39"),
    Entered(DrawVerticalCapacitor, "C37"), Entered(DrawVerticalCapacitor, "C38"),
    Entered(DrawVerticalCapacitor, "C90"), Entered(DrawInductor, "L7"),
    Entered(DrawVerticalCapacitor, "C15"), Entered(DrawVerticalCapacitor, "C34"),
    Entered(DrawVerticalCapacitor, "C35"), Fixed(DrawVerticalResistor, "R34"),
    Fixed(DrawVerticalResistor, "R33"),    Fixed(DrawTransistor, "Q8"),
    Fixed(DrawVerticalResistor, "R36"),    Fixed(DrawHorizontalResistor, "R32"),
    Fixed(DrawVerticalCapacitor, "C91"),
};
inline constexpr std::size_t PartCount = std::size(windowParts);

// Each window's anchor points of windowParts, index for index. The tables are declared with
// deduced sizes, so a missing or extra entry fails to bind here.
using Anchors = Point[PartCount];

// Draws windowParts[first] up to, not including, windowParts[last].
void DrawParts(SchematicSurface& surface, const SymbolStyle& style, const Anchors& anchors,
               std::size_t first, std::size_t last);

// Every window circuit has eight grounds, at the lower ends of D9, C37, C38, C90, C35, R33,
// R36 and C91, and twelve wires.
using GroundPoints = Point[8];
using Wires = Wire[12];

// The grounds, then the wires in blue.
void DrawGroundsAndWires(SchematicSurface& surface, const SymbolStyle& style,
                         const GroundPoints& grounds, const Wires& wires);

}  // namespace calbrine::parts
