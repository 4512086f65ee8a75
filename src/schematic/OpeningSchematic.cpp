#include "schematic/OpeningSchematic.h"

#include "schematic/SchematicParts.h"

namespace calbrine {

namespace {

using namespace parts;

// C37 stands left of the coarse-tune capacitor here.
constexpr Point anchors[] = {{2400, 5500}, {3100, 5500}, {4200, 5500},  {5800, 5500}, {7000, 5500},
                             {6500, 2000}, {7000, 2000}, {8000, 2000},  {8000, 3500}, {9200, 1000},
                             {9000, 2000}, {9600, 2000}, {10100, 3500}, {8200, 5000}, {9350, 5000}};

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
    DrawParts(surface, style, anchors, 0, PartCount);
    DrawGroundsAndWires(surface, style, groundPoints, wires);
}

}  // namespace calbrine
