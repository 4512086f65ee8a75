#include "schematic/SymbolShapes.h"

#include "design/DesignValues.h"

namespace calbrine::shapes {

namespace {

float F(int v) {
    return static_cast<float>(v);
}

// The zig-zag, first peak towards -y, from the end of the left lead to the right one.
constexpr int zigZag[][2] = {{290, -60}, {350, 60}, {410, -60}, {470, 60},
                             {530, -60}, {590, 60}, {620, 0}};

}  // namespace

void Pen::Line(int x1, int y1, int x2, int y2) const {
    surface.DrawLine(F(x1), F(y1), F(x2), F(y2), colour);
}

void Pen::LineTo(int x, int y) const {
    surface.DrawLineTo(F(x), F(y), colour);
}

void HorizontalResistor(const Pen& pen, int X, int Y, int length) {
    pen.Line(X, Y, X + 260, Y);
    for (const auto& [along, across] : zigZag) {
        pen.LineTo(X + along, Y + across);
    }
    pen.LineTo(X + length, Y);
}

// The same zig-zag turned upright, 60 further along, its first peak towards +x.
void VerticalResistor(const Pen& pen, int X, int Y) {
    pen.Line(X, Y, X, Y + 320);
    for (const auto& [along, across] : zigZag) {
        pen.LineTo(X - across, Y + along + 60);
    }
    pen.LineTo(X, Y + 1000);
}

void HorizontalCapacitor(const Pen& pen, int X, int Y, const Plates& p) {
    pen.Line(X, Y, X + p.first, Y);
    pen.Line(X + p.first, Y - p.halfWidth, X + p.first, Y + p.halfWidth);
    pen.Line(X + p.second, Y - p.halfWidth, X + p.second, Y + p.halfWidth);
    pen.Line(X + p.second, Y, X + p.length, Y);
}

void VerticalCapacitor(const Pen& pen, int X, int Y, const Plates& p) {
    pen.Line(X, Y, X, Y + p.first);
    pen.Line(X - p.halfWidth, Y + p.first, X + p.halfWidth, Y + p.first);
    pen.Line(X - p.halfWidth, Y + p.second, X + p.halfWidth, Y + p.second);
    pen.Line(X, Y + p.second, X, Y + p.length);
}

void Inductor(const Pen& pen, int X, int Y, const Coil& c) {
    pen.Line(X, Y, X, Y + c.topLead);
    // Each half-turn from its lowest point through its rightmost point to its highest.
    for (int k = 1; k <= 3; ++k) {
        pen.surface.DrawArc(F(X), F(Y + c.firstCentre + c.step * k), F(c.radius), pen.colour,
                            1.5f * Pi, 0.5f * Pi);
    }
    pen.Line(X, Y + c.bottomLead, X, Y + 1000);
}

void Transistor(const Pen& pen, int X, int Y, const Npn& n) {
    pen.Line(X, Y, X + n.bar, Y);                                  // base lead
    pen.Line(X + n.bar, Y - n.barHalf, X + n.bar, Y + n.barHalf);  // base bar
    pen.Line(X + n.bar, Y - n.slant, X + n.lead, Y - n.slantEnd);  // collector slant
    pen.Line(X + n.bar, Y + n.slant, X + n.lead, Y + n.slantEnd);  // emitter slant
    pen.Line(X + n.lead, Y - n.slantEnd, X + n.lead, Y - 500);     // collector lead
    pen.Line(X + n.lead, Y + n.slantEnd, X + n.lead, Y + 500);     // emitter lead
    pen.Line(X + n.arrowX, Y + n.arrowY, X + n.lead, Y + n.slantEnd);
    pen.Line(X + n.barbX, Y + n.barbY, X + n.lead, Y + n.slantEnd);
}

void Ground(const Pen& pen, int X, int Y) {
    pen.Line(X - 150, Y, X + 150, Y);
    pen.LineTo(X, Y + 150);
    pen.LineTo(X - 150, Y);
}

}  // namespace calbrine::shapes
