#include "schematic/OpeningSchematic.h"

#include "schematic/Symbols.h"

namespace calbrine {

namespace {

constexpr Colour WireColour = 0xFF0000;

struct Point {
    int x, y;
};

struct Wire {
    Point from, to;
};

// Lower ends of D9, C37, C38, C90, C35, R33, R36 and C91.
constexpr Point groundPoints[] = {{2400, 6500}, {4200, 6500}, {5800, 6500},  {7000, 6500},
                                  {8000, 4500}, {9000, 3000}, {10100, 4500}, {9350, 6000}};

constexpr Wire wires[] = {
    {{2400, 5500}, {3200, 5500}},   {{3600, 5500}, {7000, 5500}},  {{7000, 3000}, {7000, 5500}},
    {{6500, 2000}, {9600, 2000}},   {{6500, 3000}, {7000, 3000}},  {{8000, 3000}, {8000, 3500}},
    {{10100, 2500}, {10100, 3500}}, {{8000, 3500}, {10100, 3500}}, {{7000, 5000}, {8200, 5000}},
    {{9050, 5000}, {11000, 5000}},  // output runs to the edge
    {{9200, 500}, {9200, 1000}},    {{10100, 500}, {10100, 1600}},
};

}  // namespace

void DrawOpeningSchematic(SchematicSurface& surface) {
    const SymbolStyle& style = OpeningWindowStyle;

    surface.SetLineWidth(3);
    // The labels are passed for the reader's sake; this style draws no texts.
    DrawVerticalCapacitor(surface, style, 2400, 5500, "D9", "");
    DrawHorizontalCapacitor(surface, style, 3100, 5500, "C39", "");
    DrawVerticalCapacitor(surface, style, 4200, 5500, "C37", "");
    DrawVerticalCapacitor(surface, style, 5800, 5500, "C38", "");
    DrawVerticalCapacitor(surface, style, 7000, 5500, "C90", "");
    DrawInductor(surface, style, 6500, 2000, "L7", "");
    DrawVerticalCapacitor(surface, style, 7000, 2000, "C15", "");
    DrawVerticalCapacitor(surface, style, 8000, 2000, "C34", "");
    DrawVerticalCapacitor(surface, style, 8000, 3500, "C35", "");
    DrawVerticalResistor(surface, style, 9200, 1000, "R34", "10k");
    DrawVerticalResistor(surface, style, 9000, 2000, "R33", "10k");
    DrawTransistor(surface, style, 9600, 2000, "Q8");
    DrawVerticalResistor(surface, style, 10100, 3500, "R36", "2200");
    DrawHorizontalResistor(surface, style, 8200, 5000, "R32", "4700");
    DrawVerticalCapacitor(surface, style, 9350, 5000, "C91", "");

    for (const Point& g : groundPoints) {
        DrawGround(surface, style, g.x, g.y);
    }
    for (const Wire& w : wires) {
        surface.DrawLine(static_cast<float>(w.from.x), static_cast<float>(w.from.y),
                         static_cast<float>(w.to.x), static_cast<float>(w.to.y), WireColour);
    }
}

}  // namespace calbrine
