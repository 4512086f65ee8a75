// The symbols of the printed page.
#include "design/DesignValues.h"
#include "engineering/modMain.h"
#include "schematic/SchematicParts.h"
#include "schematic/Symbols.h"
#include "schematic/modPrintSchematic.h"

namespace calbrine {

namespace {

constexpr Colour Black = 0;

using parts::F;

void Line(SchematicSurface& s, int x1, int y1, int x2, int y2) {
    parts::Line(s, x1, y1, x2, y2, Black);
}

void LineTo(SchematicSurface& s, int x, int y) {
    parts::LineTo(s, x, y, Black);
}

void CapacitorLines(SchematicSurface& s, int X, int Y) {
    Line(s, X, Y, X, Y + 480);
    Line(s, X - 120, Y + 480, X + 120, Y + 480);
    Line(s, X - 120, Y + 540, X + 120, Y + 540);
    Line(s, X, Y + 540, X, Y + 1000);
}

// The value text: WorkText, formed just before the call.
void PlaceWorkText(SchematicSurface& s, int x, int y) {
    PlaceText(s, x, y, WorkText);
}

}  // namespace

void PrintVerticalCapacitor(SchematicSurface& printer, const std::string& Label, double Value,
                            int X, int Y) {
    CapacitorLines(printer, X, Y);
    FormatCapacitance(Value, WorkText);
    PlaceWorkText(printer, X + 100, Y + 650);
    PlaceText(printer, X + 100, Y + 200, Label);
}

void PrintVariableCapacitor(SchematicSurface& printer, const std::string& Label, double MinValue,
                            double MaxValue, int X, int Y) {
    CapacitorLines(printer, X, Y);
    FormatCapacitance(MinValue, WorkText);
    PlaceWorkText(printer, X + 100, Y + 150);
    FormatCapacitance(MaxValue, WorkText);
    PlaceWorkText(printer, X + 100, Y + 650);
    PlaceText(printer, X - 350, Y - 300, Label);
    PlaceText(printer, X - 350, Y + 150, "Min:");
    PlaceText(printer, X - 400, Y + 650, "Max:");
}

void PrintHorizontalCapacitor(SchematicSurface& printer, const std::string& Label, double Value,
                              int X, int Y) {
    Line(printer, X, Y, X + 160, Y);
    Line(printer, X + 160, Y - 120, X + 160, Y + 120);
    Line(printer, X + 224, Y - 120, X + 224, Y + 120);
    Line(printer, X + 224, Y, X + 400, Y);
    FormatCapacitance(Value, WorkText);
    PlaceWorkText(printer, X, Y + 200);
    PlaceText(printer, X, Y - 350, Label);
}

void PrintInductor(SchematicSurface& printer, const std::string& Label, double Value, int X,
                   int Y) {
    Line(printer, X, Y, X, Y + 280);
    // Three half-turns of radius 80 that meet both leads: Y+280 to Y+760.
    for (int k = 1; k <= 3; ++k) {
        printer.DrawArc(F(X), F(Y + 200 + 160 * k), 80.0f, Black, 1.5f * Pi, 0.5f * Pi);
    }
    Line(printer, X, Y + 760, X, Y + 1000);
    FormatInductance(Value, WorkText);
    PlaceWorkText(printer, X - 700, Y + 650);
    PlaceText(printer, X - 300, Y + 200, Label);
}

void PrintHorizontalResistor(SchematicSurface& printer, const std::string& Label, double Value,
                             int X, int Y) {
    Line(printer, X, Y, X + 260, Y);
    LineTo(printer, X + 290, Y - 60);
    LineTo(printer, X + 350, Y + 60);
    LineTo(printer, X + 410, Y - 60);
    LineTo(printer, X + 470, Y + 60);
    LineTo(printer, X + 530, Y - 60);
    LineTo(printer, X + 590, Y + 60);
    LineTo(printer, X + 620, Y);
    LineTo(printer, X + 1000, Y);
    FormatEngSpaced(Value, WorkText);  // leaves an empty WorkText empty
    PlaceWorkText(printer, X + 250, Y + 100);
    PlaceText(printer, X + 300, Y - 300, Label);
}

void PrintVerticalResistor(SchematicSurface& printer, const std::string& Label, double Value, int X,
                           int Y) {
    Line(printer, X, Y, X, Y + 320);
    LineTo(printer, X + 60, Y + 350);
    LineTo(printer, X - 60, Y + 410);
    LineTo(printer, X + 60, Y + 470);
    LineTo(printer, X - 60, Y + 530);
    LineTo(printer, X + 60, Y + 590);
    LineTo(printer, X - 60, Y + 650);
    LineTo(printer, X, Y + 680);
    LineTo(printer, X, Y + 1000);
    FormatEngSpaced(Value, WorkText);  // leaves an empty WorkText empty
    PlaceWorkText(printer, X + 200, Y + 550);
    PlaceText(printer, X + 200, Y + 300, Label);
}

void PrintTransistor(SchematicSurface& printer, const std::string& Label,
                     const std::string& TypeText, int X, int Y) {
    Line(printer, X, Y, X + 200, Y);                    // base lead
    Line(printer, X + 200, Y - 200, X + 200, Y + 200);  // base bar
    Line(printer, X + 200, Y - 100, X + 400, Y - 200);  // collector slant
    Line(printer, X + 200, Y + 100, X + 400, Y + 200);  // emitter slant
    Line(printer, X + 400, Y - 200, X + 400, Y - 500);  // collector lead
    Line(printer, X + 400, Y + 200, X + 400, Y + 500);  // emitter lead
    Line(printer, X + 330, Y + 120, X + 400, Y + 200);  // emitter arrow
    Line(printer, X + 300, Y + 190, X + 400, Y + 200);
    PlaceText(printer, X + 500, Y + 50, TypeText);
    PlaceText(printer, X + 500, Y - 200, Label);
}

void PrintGround(SchematicSurface& printer, int X, int Y) {
    Line(printer, X - 150, Y, X + 150, Y);
    LineTo(printer, X, Y + 150);
    LineTo(printer, X - 150, Y);
}

}  // namespace calbrine
