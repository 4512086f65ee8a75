#include "schematic/Symbols.h"

#include "circuit/OscillatorParts.h"
#include "schematic/SymbolShapes.h"

namespace calbrine {

namespace {

constexpr Colour TextPointColour = 0xFFFFFF;

void Text(SchematicSurface& s, const SymbolStyle& style, int x, int y, const std::string& text) {
    if (style.DrawsTexts) {
        PlaceText(s, x, y, text);
    }
}

}  // namespace

void PlaceText(SchematicSurface& surface, int x, int y, const std::string& text) {
    surface.PlotPoint(static_cast<float>(x), static_cast<float>(y), TextPointColour);
    surface.PrintText(text);
}

void DrawHorizontalResistor(SchematicSurface& surface, const SymbolStyle& style, int X, int Y,
                            const std::string& Label, const std::string& Value) {
    shapes::HorizontalResistor({surface, style.LineColour}, X, Y, 880);
    Text(surface, style, X + 250, Y - 350, Label);
    Text(surface, style, X + 250, Y + 150, Value);
}

void DrawVerticalResistor(SchematicSurface& surface, const SymbolStyle& style, int X, int Y,
                          const std::string& Label, const std::string& Value) {
    shapes::VerticalResistor({surface, style.LineColour}, X, Y);
    Text(surface, style, X + 150, Y + 200, Label);
    Text(surface, style, X + 150, Y + 450, Value);
}

void DrawHorizontalCapacitor(SchematicSurface& surface, const SymbolStyle& style, int X, int Y,
                             const std::string& Label, const std::string& /*Value*/) {
    shapes::HorizontalCapacitor({surface, style.LineColour}, X, Y, {270, 325, 150, 600});
    Text(surface, style, X + 150, Y - 450, Label);
}

void DrawVerticalCapacitor(SchematicSurface& surface, const SymbolStyle& style, int X, int Y,
                           const std::string& Label, const std::string& /*Value*/) {
    shapes::VerticalCapacitor({surface, style.LineColour}, X, Y, {400, 460, 125, 1000});
    Text(surface, style, X + 50, Y + 100, Label);
}

void DrawInductor(SchematicSurface& surface, const SymbolStyle& style, int X, int Y,
                  const std::string& Label, const std::string& /*Value*/) {
    const int r = style.CoilRadius;
    shapes::Inductor({surface, style.LineColour}, X, Y, {250, 170, 2 * r, r, 750});
    Text(surface, style, X - 300, Y + 100, Label);
}

void DrawTransistor(SchematicSurface& surface, const SymbolStyle& style, int X, int Y,
                    const std::string& Label, const std::string& Type) {
    shapes::Transistor({surface, style.LineColour}, X, Y,
                       {300, 300, 150, 500, 300, 430, 200, 400, style.ArrowBarbDy});
    Text(surface, style, X + 550, Y - 250, Label);
    Text(surface, style, X + 550, Y + 50, Type);
}

void DrawTransistor(SchematicSurface& surface, const SymbolStyle& style, int X, int Y,
                    const std::string& Label) {
    DrawTransistor(surface, style, X, Y, Label, FixedPartNamed("Q8").text);
}

void DrawGround(SchematicSurface& surface, const SymbolStyle& style, int X, int Y) {
    shapes::Ground({surface, style.GroundColour}, X, Y);
}

}  // namespace calbrine
