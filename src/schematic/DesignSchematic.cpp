#include "schematic/DesignSchematic.h"

#include <cmath>
#include <stdexcept>

#include "design/DesignFields.h"
#include "design/DesignValues.h"
#include "design/Tuning.h"
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

}  // namespace

void DrawDesignPicture(SchematicSurface& surface, const DesignRecord& design,
                       const PartDrawn& partDrawn) {
    const SymbolStyle& style = DesignWindowStyle;
    surface.Clear();
    surface.SetLineWidth(2);

    const auto part = [&](std::size_t i, bool told = true) {
        DrawParts(surface, style, anchors, i, i + 1);
        if (told && partDrawn) {
            partDrawn(i);
        }
    };

    // The fine-tune varicap with its captions and its nominal value.
    part(0, false);
    PlaceText(surface, 1300, 5700, "Fine-tune varicap");
    PlaceText(surface, 4010, 6500, "Max:");
    PlaceText(surface, 1300, 6200, "Min:");
    if (partDrawn) {
        partDrawn(0);
    }
    const float nominal = NominalFineCapacitance(design);
    if (!std::isfinite(nominal)) {
        throw std::overflow_error("Overflow in the nominal fine-tune capacitance");
    }
    std::string text;
    FormatCapacitance(nominal, text);
    PlaceText(surface, 1200, 6800, "Nom: " + text);

    // The parts with entry boxes, whose values the boxes beside them show.
    part(1);
    part(2);
    part(3);
    PlaceText(surface, 4000, 5500, "Coarse-tune");
    PlaceText(surface, 4000, 5700, "capacitor or varicap");
    PlaceText(surface, 4050, 6200, "Min:");
    PlaceText(surface, 1260, 6500, "Max:");
    for (std::size_t i = 4; i <= 8; ++i) {
        part(i);
    }

    // The parts whose values no entry changes.
    DrawParts(surface, style, anchors, 9, PartCount);
    PlaceText(surface, 10200, 5570, "Output to Q7");

    DrawGroundsAndWires(surface, style, groundPoints, wires);
}

DesignRecord ShownDesign(const DesignRecord& design) {
    DesignRecord shown = design;
    for (const DesignField& field : DesignFields) {
        if (field.unit != FieldUnit::Hertz) {
            shown.*field.member = std::fabs(shown.*field.member);
        }
    }
    return shown;
}

std::string PartOfPicture(std::size_t index) {
    return windowParts[index].label;
}

void DrawDesignSchematic(SchematicSurface& surface, std::map<std::string, std::string>& boxTexts) {
    DrawDesignSchematicOf(surface, DesignValues, boxTexts);
}

void DrawDesignSchematicOf(SchematicSurface& surface, DesignRecord& design,
                           std::map<std::string, std::string>& boxTexts) {
    const DesignRecord shown = ShownDesign(design);
    // Each part's boxes are written, and its values taken at their magnitude, as soon as the
    // part is drawn, so a drawing that fails part-way keeps what was written before it.
    const auto partDrawn = [&](std::size_t index) {
        for (const DesignField& field : DesignFields) {
            if (field.part == PartOfPicture(index)) {
                design.*field.member = shown.*field.member;
                boxTexts[field.box] = FieldText(field, shown.*field.member);
            }
        }
        const float nominal = NominalFineCapacitance(shown);
        if (index == 0 && std::isfinite(nominal)) {
            design.CfineNom = nominal;
        }
    };
    DrawDesignPicture(surface, shown, partDrawn);
}

}  // namespace calbrine
