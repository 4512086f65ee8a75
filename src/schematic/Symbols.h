// The schematic symbols of the design and opening windows: resistor, capacitor, inductor,
// transistor and ground, each drawn at an anchor point with fixed proportions.
#pragma once

#include <string>

#include "schematic/SchematicSurface.h"

namespace calbrine {

// What differs between the symbol sets of the two windows.
struct SymbolStyle {
    Colour LineColour;    // every line and arc except the ground
    Colour GroundColour;  // the ground triangle
    bool DrawsTexts;      // labels, values and the transistor type
    int CoilRadius;       // radius of each inductor half-turn
    int ArrowBarbDy;      // y offset of the start of the second emitter-arrow stroke
};

inline constexpr SymbolStyle DesignWindowStyle{0xFF0000, 0xFF0000, true, 85, 270};
inline constexpr SymbolStyle OpeningWindowStyle{0xFFFF00, 0xFF0000, false, 80, 280};

// White point at (x, y), which moves the text position there, then the text.
void PlaceText(SchematicSurface& surface, int x, int y, const std::string& text);

// Anchor at the left end; the right end is (X+880, Y).
void DrawHorizontalResistor(SchematicSurface& surface, const SymbolStyle& style, int X, int Y,
                            const std::string& Label, const std::string& Value);
// Anchor at the top end; the bottom end is (X, Y+1000).
void DrawVerticalResistor(SchematicSurface& surface, const SymbolStyle& style, int X, int Y,
                          const std::string& Label, const std::string& Value);
// Anchor at the left end; the right end is (X+600, Y). The value is not drawn.
void DrawHorizontalCapacitor(SchematicSurface& surface, const SymbolStyle& style, int X, int Y,
                             const std::string& Label, const std::string& Value);
// Anchor at the top end; the bottom end is (X, Y+1000). The value is not drawn.
void DrawVerticalCapacitor(SchematicSurface& surface, const SymbolStyle& style, int X, int Y,
                           const std::string& Label, const std::string& Value);
// Anchor at the top end; the bottom end is (X, Y+1000). The value is not drawn.
void DrawInductor(SchematicSurface& surface, const SymbolStyle& style, int X, int Y,
                  const std::string& Label, const std::string& Value);
// NPN, anchor at the end of the base lead; collector end (X+500, Y-500), emitter end
// (X+500, Y+500). Prints the type under the label: `Type`, or the type of the oscillator's
// transistor Q8.
void DrawTransistor(SchematicSurface& surface, const SymbolStyle& style, int X, int Y,
                    const std::string& Label, const std::string& Type);
void DrawTransistor(SchematicSurface& surface, const SymbolStyle& style, int X, int Y,
                    const std::string& Label);
// Downward triangle 300 wide and 150 high, anchor at the middle of its top edge.
void DrawGround(SchematicSurface& surface, const SymbolStyle& style, int X, int Y);

}  // namespace calbrine
