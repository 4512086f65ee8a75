#include "schematic/DesignSchematic.h"

#include <cmath>
#include <stdexcept>

#include "design/DesignValues.h"
#include "engineering/EngineeringText.h"
#include "schematic/SchematicParts.h"

namespace calbrine {

namespace {

using namespace parts;

constexpr Point anchors[] = {{2500, 6000}, {3100, 6000}, {5900, 6000},  {5250, 6000}, {7000, 6000},
                             {6500, 2500}, {7000, 2500}, {8000, 2500},  {8000, 4000}, {9200, 1500},
                             {9000, 2500}, {9600, 2500}, {10100, 4000}, {8200, 5700}, {9350, 5700}};

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

// Writes a component box as the formatter gives the value, empty text included.
void SetBox(std::map<std::string, std::string>& boxTexts, const char* box, float& value,
            void (*format)(float&, std::string&)) {
    format(value, WorkText);
    boxTexts[box] = WorkText;
}

}  // namespace

void DrawDesignSchematic(SchematicSurface& surface, std::map<std::string, std::string>& boxTexts) {
    const SymbolStyle& style = DesignWindowStyle;
    DesignRecord& dv = DesignValues;

    surface.Clear();
    surface.SetLineWidth(2);

    const auto part = [&](std::size_t i) { DrawParts(surface, style, anchors, i, i + 1); };
    const auto capacitance = [&](const char* box, float& value) {
        SetBox(boxTexts, box, value, FormatCapacitance);
    };

    // The fine-tune varicap with its captions, its boxes and its nominal value.
    part(0);
    PlaceText(surface, 1300, 5700, "Fine-tune varicap");
    PlaceText(surface, 4010, 6500, "Max:");
    PlaceText(surface, 1300, 6200, "Min:");
    capacitance("Text1", dv.CfineMax);
    capacitance("Text10", dv.CfineMin);
    const float nominal = (dv.CfineMax + dv.CfineMin) / 2;
    if (!std::isfinite(nominal)) {
        throw std::overflow_error("Overflow in the nominal fine-tune capacitance");
    }
    dv.CfineNom = nominal;
    FormatCapacitance(dv.CfineNom, WorkText);
    PlaceText(surface, 1200, 6800, "Nom: " + WorkText);

    // The parts with entry boxes, each box written right after its part.
    part(1);
    capacitance("Text2", dv.C39);
    part(2);
    capacitance("Text3", dv.C37);
    part(3);
    capacitance("Text4", dv.CcoarseMin);
    capacitance("Text0", dv.CcoarseMax);
    PlaceText(surface, 4000, 5500, "Coarse-tune");
    PlaceText(surface, 4000, 5700, "capacitor or varicap");
    PlaceText(surface, 4050, 6200, "Min:");
    PlaceText(surface, 1260, 6500, "Max:");
    part(4);
    capacitance("Text5", dv.C90);
    part(5);
    SetBox(boxTexts, "Text9", dv.L7, FormatInductance);
    part(6);
    capacitance("Text6", dv.C15);
    part(7);
    capacitance("Text7", dv.C34);
    part(8);
    capacitance("Text8", dv.C35);

    // The parts whose values no entry changes.
    DrawParts(surface, style, anchors, 9, PartCount);
    PlaceText(surface, 10200, 5570, "Output to Q7");

    DrawGroundsAndWires(surface, style, groundPoints, wires);
}

}  // namespace calbrine
