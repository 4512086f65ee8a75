#include "schematic/SchematicParts.h"

#include "schematic/SymbolShapes.h"

namespace calbrine::parts {

namespace {
constexpr Colour WireColour = 0xFF0000;
}  // namespace

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
    const shapes::Pen pen{surface, WireColour};
    for (const Wire& w : wires) {
        pen.Line(w.from.x, w.from.y, w.to.x, w.to.y);
    }
}

}  // namespace calbrine::parts
