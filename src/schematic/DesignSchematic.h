// The oscillator schematic of the design window, and the texts of the entry boxes beside its
// parts.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>

#include "design/DesignRecord.h"
#include "schematic/SchematicSurface.h"

namespace calbrine {

// Told the index of each part of the window's circuit that has entry boxes (0 the fine-tune
// varicap ... 8 C35) at the moment its boxes belong in the drawing order.
using PartDrawn = std::function<void(std::size_t index)>;

// Clears the surface and draws the design window's picture of `design`: the parts, their
// captions and the nominal fine-tune capacitance. Throws std::overflow_error, after the
// varicap, when the mean of the fine-tune capacitances is out of range. Surface exceptions
// pass through.
void DrawDesignPicture(SchematicSurface& surface, const DesignRecord& design,
                       const PartDrawn& partDrawn = {});

// `design` as the boxes show it: every component at its magnitude.
DesignRecord ShownDesign(const DesignRecord& design);
// The name of the picture's part at `index` ("D9", "C39", ...), as DesignFields name parts.
std::string PartOfPicture(std::size_t index);

// The picture of DesignValues, with each component entry box's new text put under the box's
// name ("Text1", "Text10", ...) as soon as its part is drawn, so a caller that catches an
// exception keeps the boxes written before it. Takes the components at their magnitude and
// refreshes DesignValues.CfineNom; throws std::overflow_error, leaving CfineNom as it was,
// when the mean of the fine-tune capacitances is out of range.
void DrawDesignSchematic(SchematicSurface& surface, std::map<std::string, std::string>& boxTexts);
// The same over `design`.
void DrawDesignSchematicOf(SchematicSurface& surface, DesignRecord& design,
                           std::map<std::string, std::string>& boxTexts);

}  // namespace calbrine
