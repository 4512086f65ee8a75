// Pieces shared by the schematic drawings: part placements, and the grounds and wires that close
// each window's circuit.
#pragma once

#include <cstddef>
#include <iterator>
#include <string>

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
// transistor takes none.
using SymbolDrawer = void (*)(SchematicSurface&, const SymbolStyle&, int X, int Y,
                              const std::string& Label, const std::string& Value);

// DrawTransistor in the shape of the other symbols; the value is ignored.
void DrawTransistorPart(SchematicSurface& surface, const SymbolStyle& style, int X, int Y,
                        const std::string& Label, const std::string& Value);

struct PartSymbol {
    SymbolDrawer draw;
    const char* label;
    const char* value;
};

// The window circuit's parts in the order both windows draw them.
inline constexpr PartSymbol windowParts[] = {
    {DrawVerticalCapacitor, "D9", ""},     {DrawHorizontalCapacitor, "C39", ""},
    {DrawVerticalCapacitor, "C37", ""},    {DrawVerticalCapacitor, "C38", ""},
    {DrawVerticalCapacitor, "C90", ""},    {DrawInductor, "L7", ""},
    {DrawVerticalCapacitor, "C15", ""},    {DrawVerticalCapacitor, "C34", ""},
    {DrawVerticalCapacitor, "C35", ""},    {DrawVerticalResistor, "R34", "10k"},
    {DrawVerticalResistor, "R33", "10k"},  {DrawTransistorPart, "Q8", ""},
    {DrawVerticalResistor, "R36", "2200"}, {DrawHorizontalResistor, "R32", "4700"},
    {DrawVerticalCapacitor, "C91", ""},
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
