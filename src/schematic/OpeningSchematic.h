// The decorative oscillator picture of the opening window: thick cyan symbols on the
// window's background, no texts, independent of the design values.
#pragma once

#include "schematic/SchematicSurface.h"

namespace calbrine {

// Draws over what the surface already shows (no Clear). Surface exceptions pass through.
void DrawOpeningSchematic(SchematicSurface& surface);

}  // namespace calbrine
