// The shapes of the schematic symbols, drawn once for every style: the window symbols and the
// printed symbols pass their own dimensions and pen. Every point is the anchor (X, Y) plus an
// offset; the anchor is the top end of a vertical part, the left end of a horizontal one, the
// end of the transistor's base lead and the middle of the ground's top edge.
#pragma once

#include "schematic/SchematicSurface.h"

namespace calbrine::shapes {

// The one line-drawing helper: whole-number coordinates in one colour.
struct Pen {
    SchematicSurface& surface;
    Colour colour;
    void Line(int x1, int y1, int x2, int y2) const;
    void LineTo(int x, int y) const;
};

// A lead, six zig-zag peaks 60 off the axis over 360 units, and a lead to the far end.
void HorizontalResistor(const Pen& pen, int X, int Y, int length);
void VerticalResistor(const Pen& pen, int X, int Y);

// Two plates across the axis: leads to `first` and from `second` (offsets along the axis).
struct Plates {
    int first, second, halfWidth, length;
};
void HorizontalCapacitor(const Pen& pen, int X, int Y, const Plates& plates);
void VerticalCapacitor(const Pen& pen, int X, int Y, const Plates& plates);

// Three half-turns on the +x side, centres at Y + firstCentre + k x step (k = 1, 2, 3).
struct Coil {
    int topLead, firstCentre, step, radius, bottomLead;
};
void Inductor(const Pen& pen, int X, int Y, const Coil& coil);

// An NPN transistor, base lead on the left, collector at the top.
struct Npn {
    int bar, barHalf, slant, lead, slantEnd;  // x of the bar and the leads, y reaches
    int arrowX, arrowY, barbX, barbY;         // the two strokes of the emitter arrow
};
void Transistor(const Pen& pen, int X, int Y, const Npn& npn);

// A triangle pointing down, 300 wide and 150 high.
void Ground(const Pen& pen, int X, int Y);

}  // namespace calbrine::shapes
