#include "schematic/Symbols.h"

#include "design/DesignValues.h"
#include "schematic/SchematicParts.h"

namespace calbrine {

namespace {

constexpr Colour TextPointColour = 0xFFFFFF;

using parts::F;
using parts::Line;
using parts::LineTo;

void Text(SchematicSurface& s, const SymbolStyle& style, int x, int y, const std::string& text) {
    if (style.DrawsTexts) {
        PlaceText(s, x, y, text);
    }
}

}  // namespace

void PlaceText(SchematicSurface& surface, int x, int y, const std::string& text) {
    surface.PlotPoint(F(x), F(y), TextPointColour);
    surface.PrintText(text);
}

void DrawHorizontalResistor(SchematicSurface& surface, const SymbolStyle& style, int X, int Y,
                            const std::string& Label, const std::string& Value) {
    const Colour c = style.LineColour;
    Line(surface, X, Y, X + 260, Y, c);
    LineTo(surface, X + 290, Y - 60, c);
    LineTo(surface, X + 350, Y + 60, c);
    LineTo(surface, X + 410, Y - 60, c);
    LineTo(surface, X + 470, Y + 60, c);
    LineTo(surface, X + 530, Y - 60, c);
    LineTo(surface, X + 590, Y + 60, c);
    LineTo(surface, X + 620, Y, c);
    LineTo(surface, X + 880, Y, c);
    Text(surface, style, X + 250, Y - 350, Label);
    Text(surface, style, X + 250, Y + 150, Value);
}

void DrawVerticalResistor(SchematicSurface& surface, const SymbolStyle& style, int X, int Y,
                          const std::string& Label, const std::string& Value) {
    const Colour c = style.LineColour;
    Line(surface, X, Y, X, Y + 320, c);
    LineTo(surface, X + 60, Y + 350, c);
    LineTo(surface, X - 60, Y + 410, c);
    LineTo(surface, X + 60, Y + 470, c);
    LineTo(surface, X - 60, Y + 530, c);
    LineTo(surface, X + 60, Y + 590, c);
    LineTo(surface, X - 60, Y + 650, c);
    LineTo(surface, X, Y + 680, c);
    LineTo(surface, X, Y + 1000, c);
    Text(surface, style, X + 150, Y + 200, Label);
    Text(surface, style, X + 150, Y + 450, Value);
}

void DrawHorizontalCapacitor(SchematicSurface& surface, const SymbolStyle& style, int X, int Y,
                             const std::string& Label, const std::string& /*Value*/) {
    const Colour c = style.LineColour;
    Line(surface, X, Y, X + 270, Y, c);
    Line(surface, X + 270, Y - 150, X + 270, Y + 150, c);
    Line(surface, X + 325, Y - 150, X + 325, Y + 150, c);
    Line(surface, X + 325, Y, X + 600, Y, c);
    Text(surface, style, X + 150, Y - 450, Label);
}

void DrawVerticalCapacitor(SchematicSurface& surface, const SymbolStyle& style, int X, int Y,
                           const std::string& Label, const std::string& /*Value*/) {
    const Colour c = style.LineColour;
    Line(surface, X, Y, X, Y + 400, c);
    Line(surface, X - 125, Y + 400, X + 125, Y + 400, c);
    Line(surface, X - 125, Y + 460, X + 125, Y + 460, c);
    Line(surface, X, Y + 460, X, Y + 1000, c);
    Text(surface, style, X + 50, Y + 100, Label);
}

void DrawInductor(SchematicSurface& surface, const SymbolStyle& style, int X, int Y,
                  const std::string& Label, const std::string& /*Value*/) {
    const Colour c = style.LineColour;
    const int r = style.CoilRadius;
    Line(surface, X, Y, X, Y + 250, c);
    // Three half-turns on the +x side, each from its lowest through its rightmost point.
    for (int k = 1; k <= 3; ++k) {
        surface.DrawArc(F(X), F(Y + 170 + 2 * r * k), F(r), c, 1.5f * Pi, 0.5f * Pi);
    }
    Line(surface, X, Y + 750, X, Y + 1000, c);
    Text(surface, style, X - 300, Y + 100, Label);
}

void DrawTransistor(SchematicSurface& surface, const SymbolStyle& style, int X, int Y,
                    const std::string& Label) {
    const Colour c = style.LineColour;
    Line(surface, X, Y, X + 300, Y, c);                    // base lead
    Line(surface, X + 300, Y - 300, X + 300, Y + 300, c);  // base bar
    Line(surface, X + 300, Y - 150, X + 500, Y - 300, c);  // collector slant
    Line(surface, X + 300, Y + 150, X + 500, Y + 300, c);  // emitter slant
    Line(surface, X + 500, Y - 300, X + 500, Y - 500, c);  // collector lead
    Line(surface, X + 500, Y + 300, X + 500, Y + 500, c);  // emitter lead
    Line(surface, X + 430, Y + 200, X + 500, Y + 300, c);  // emitter arrow
    Line(surface, X + 400, Y + style.ArrowBarbDy, X + 500, Y + 300, c);
    Text(surface, style, X + 550, Y - 250, Label);
    Text(surface, style, X + 550, Y + 50, "2N3904");
}

void DrawGround(SchematicSurface& surface, const SymbolStyle& style, int X, int Y) {
    const Colour c = style.GroundColour;
    Line(surface, X - 150, Y, X + 150, Y, c);
    LineTo(surface, X, Y + 150, c);
    LineTo(surface, X - 150, Y, c);
}

}  // namespace calbrine
