// The oscillator schematic of the design window, with the component entry boxes rewritten
// from the design values on the way.
#pragma once

#include <map>
#include <string>

#include "schematic/SchematicSurface.h"

namespace calbrine {

// Clears the surface and draws the whole picture. Each component entry box's new text is
// put under the box's name ("Text1", "Text10", ...) as soon as it is formed, so a caller
// that catches an exception keeps the boxes written before it. Refreshes
// DesignValues.CfineNom; throws std::overflow_error, leaving CfineNom as it was, when the
// mean of the fine-tune capacitances is out of range. Surface exceptions pass through.
void DrawDesignSchematic(SchematicSurface& surface, std::map<std::string, std::string>& boxTexts);

}  // namespace calbrine
