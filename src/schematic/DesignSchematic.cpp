#include "schematic/DesignSchematic.h"

#include <cmath>
#include <stdexcept>

#include "design/DesignValues.h"
#include "engineering/modMain.h"
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
constexpr Point groundPoints[] = {{2500, 7000}, {5900, 7000}, {5250, 7000},  {7000, 7000},
                                  {8000, 5000}, {9000, 3500}, {10100, 5000}, {9350, 6700}};

constexpr Wire wires[] = {
    {{2500, 6000}, {3200, 6000}},    // D9 to C39
    {{3600, 6000}, {7000, 6000}},    // C39 along the lower row to C90
    {{7000, 3500}, {7000, 6000}},    // C15 down to the lower row
    {{6500, 2500}, {9600, 2500}},    // top of L7 to the base of Q8
    {{6500, 3500}, {7000, 3500}},    // bottom of L7 to the bottom of C15
    {{8000, 3500}, {8000, 4000}},    // C34 to C35
    {{10100, 3000}, {10100, 4000}},  // emitter to R36
    {{8000, 4000}, {10100, 4000}},   // divider junction to the emitter line
    {{7000, 5700}, {8200, 5700}},    // to R32
    {{9050, 5700}, {10200, 5700}},   // R32 past C91 to the output text
    {{9200, 1000}, {9200, 1500}},    // above R34, left open
    {{10100, 1000}, {10100, 2100}},  // above the collector, left open
};

void SetCapacitanceBox(std::map<std::string, std::string>& boxTexts, const char* box,
                       float& value) {
    FormatCapacitance(value, WorkText);
    boxTexts[box] = WorkText;
}

}  // namespace

void DrawDesignSchematic(SchematicSurface& surface, std::map<std::string, std::string>& boxTexts) {
    const SymbolStyle& style = DesignWindowStyle;
    DesignRecord& dv = DesignValues;

    surface.Clear();
    surface.SetLineWidth(2);

    // The fine-tune varicap with its captions, its boxes and its nominal value.
    DrawVerticalCapacitor(surface, style, 2500, 6000, "D9", "");
    PlaceText(surface, 1300, 5700, "Fine-tune varicap");
    PlaceText(surface, 4010, 6500, "Max:");
    PlaceText(surface, 1300, 6200, "Min:");
    SetCapacitanceBox(boxTexts, "Text1", dv.CfineMax);
    SetCapacitanceBox(boxTexts, "Text10", dv.CfineMin);
    const float nominal = (dv.CfineMax + dv.CfineMin) / 2;
    if (!std::isfinite(nominal)) {
        throw std::overflow_error("Overflow in the nominal fine-tune capacitance");
    }
    dv.CfineNom = nominal;
    FormatCapacitance(dv.CfineNom, WorkText);
    PlaceText(surface, 1200, 6800, "Nom: " + WorkText);

    DrawHorizontalCapacitor(surface, style, 3100, 6000, "C39", "");
    SetCapacitanceBox(boxTexts, "Text2", dv.C39);
    DrawVerticalCapacitor(surface, style, 5900, 6000, "C37", "");
    SetCapacitanceBox(boxTexts, "Text3", dv.C37);

    // The coarse-tune capacitor.
    DrawVerticalCapacitor(surface, style, 5250, 6000, "C38", "");
    SetCapacitanceBox(boxTexts, "Text4", dv.CcoarseMin);
    SetCapacitanceBox(boxTexts, "Text0", dv.CcoarseMax);
    PlaceText(surface, 4000, 5500, "Coarse-tune");
    PlaceText(surface, 4000, 5700, "capacitor or varicap");
    PlaceText(surface, 4050, 6200, "Min:");
    PlaceText(surface, 1260, 6500, "Max:");

    DrawVerticalCapacitor(surface, style, 7000, 6000, "C90", "");
    SetCapacitanceBox(boxTexts, "Text5", dv.C90);
    DrawInductor(surface, style, 6500, 2500, "L7", "");
    FormatInductance(dv.L7, WorkText);
    boxTexts["Text9"] = WorkText;
    DrawVerticalCapacitor(surface, style, 7000, 2500, "C15", "");
    SetCapacitanceBox(boxTexts, "Text6", dv.C15);
    DrawVerticalCapacitor(surface, style, 8000, 2500, "C34", "");
    SetCapacitanceBox(boxTexts, "Text7", dv.C34);
    DrawVerticalCapacitor(surface, style, 8000, 4000, "C35", "");
    SetCapacitanceBox(boxTexts, "Text8", dv.C35);

    // The parts whose values no entry changes.
    DrawVerticalResistor(surface, style, 9200, 1500, "R34", "10k");
    DrawVerticalResistor(surface, style, 9000, 2500, "R33", "10k");
    DrawTransistor(surface, style, 9600, 2500, "Q8");
    DrawVerticalResistor(surface, style, 10100, 4000, "R36", "2200");
    DrawHorizontalResistor(surface, style, 8200, 5700, "R32", "4700");
    DrawVerticalCapacitor(surface, style, 9350, 5700, "C91", "");
    PlaceText(surface, 10200, 5570, "Output to Q7");

    for (const Point& g : groundPoints) {
        DrawGround(surface, style, g.x, g.y);
    }
    for (const Wire& w : wires) {
        surface.DrawLine(static_cast<float>(w.from.x), static_cast<float>(w.from.y),
                         static_cast<float>(w.to.x), static_cast<float>(w.to.y), WireColour);
    }
}

}  // namespace calbrine
