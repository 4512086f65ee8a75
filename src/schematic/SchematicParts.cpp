#include "schematic/SchematicParts.h"

namespace calbrine::parts {

namespace {
constexpr Colour WireColour = 0xFF0000;
}  // namespace

void Line(SchematicSurface& s, int x1, int y1, int x2, int y2, Colour c) {
    s.DrawLine(F(x1), F(y1), F(x2), F(y2), c);
}

void LineTo(SchematicSurface& s, int x, int y, Colour c) {
    s.DrawLineTo(F(x), F(y), c);
}

void DrawTransistorPart(SchematicSurface& surface, const SymbolStyle& style, int X, int Y,
                        const std::string& Label, const std::string&) {
    DrawTransistor(surface, style, X, Y, Label);
}

void DrawParts(SchematicSurface& surface, const SymbolStyle& style, const Anchors& anchors,
               std::size_t first, std::size_t last) {
    for (std::size_t i = first; i < last; ++i) {
        const PartSymbol& part = windowParts[i];
        part.draw(surface, style, anchors[i].x, anchors[i].y, part.label, part.value);
    }
}

void DrawGroundsAndWires(SchematicSurface& surface, const SymbolStyle& style,
                         const GroundPoints& grounds, const Wires& wires) {
    for (const Point& g : grounds) {
        DrawGround(surface, style, g.x, g.y);
    }
    for (const Wire& w : wires) {
        Line(surface, w.from.x, w.from.y, w.to.x, w.to.y, WireColour);
    }
}

}  // namespace calbrine::parts
