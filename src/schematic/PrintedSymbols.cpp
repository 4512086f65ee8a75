// The symbols of the printed page.
#include "engineering/EngineeringText.h"
#include "schematic/PrintedPage.h"
#include "schematic/SymbolShapes.h"
#include "schematic/Symbols.h"

namespace calbrine {

namespace {

constexpr Colour Black = 0;
constexpr shapes::Plates VerticalPlates{480, 540, 120, 1000};

// The value text: WorkText, formed just before the call.
void PlaceWorkText(SchematicSurface& s, int x, int y) {
    PlaceText(s, x, y, WorkText);
}

}  // namespace

void PrintVerticalCapacitor(SchematicSurface& printer, const std::string& Label, double Value,
                            int X, int Y) {
    shapes::VerticalCapacitor({printer, Black}, X, Y, VerticalPlates);
    FormatCapacitance(Value, WorkText);
    PlaceWorkText(printer, X + 100, Y + 650);
    PlaceText(printer, X + 100, Y + 200, Label);
}

void PrintVariableCapacitor(SchematicSurface& printer, const std::string& Label, double MinValue,
                            double MaxValue, int X, int Y) {
    shapes::VerticalCapacitor({printer, Black}, X, Y, VerticalPlates);
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
    shapes::HorizontalCapacitor({printer, Black}, X, Y, {160, 224, 120, 400});
    FormatCapacitance(Value, WorkText);
    PlaceWorkText(printer, X, Y + 200);
    PlaceText(printer, X, Y - 350, Label);
}

void PrintInductor(SchematicSurface& printer, const std::string& Label, double Value, int X,
                   int Y) {
    // Three half-turns of radius 80 that meet both leads: Y+280 to Y+760.
    shapes::Inductor({printer, Black}, X, Y, {280, 200, 160, 80, 760});
    FormatInductance(Value, WorkText);
    PlaceWorkText(printer, X - 700, Y + 650);
    PlaceText(printer, X - 300, Y + 200, Label);
}

void PrintHorizontalResistor(SchematicSurface& printer, const std::string& Label, double Value,
                             int X, int Y) {
    shapes::HorizontalResistor({printer, Black}, X, Y, 1000);
    FormatEngSpaced(Value, WorkText);  // leaves an empty WorkText empty
    PlaceWorkText(printer, X + 250, Y + 100);
    PlaceText(printer, X + 300, Y - 300, Label);
}

void PrintVerticalResistor(SchematicSurface& printer, const std::string& Label, double Value, int X,
                           int Y) {
    shapes::VerticalResistor({printer, Black}, X, Y);
    FormatEngSpaced(Value, WorkText);  // leaves an empty WorkText empty
    PlaceWorkText(printer, X + 200, Y + 550);
    PlaceText(printer, X + 200, Y + 300, Label);
}

void PrintTransistor(SchematicSurface& printer, const std::string& Label,
                     const std::string& TypeText, int X, int Y) {
    shapes::Transistor({printer, Black}, X, Y, {200, 200, 100, 400, 200, 330, 120, 300, 190});
    PlaceText(printer, X + 500, Y + 50, TypeText);
    PlaceText(printer, X + 500, Y - 200, Label);
}

void PrintGround(SchematicSurface& printer, int X, int Y) {
    shapes::Ground({printer, Black}, X, Y);
}

}  // namespace calbrine
