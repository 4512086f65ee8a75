// The printed page: page set-up, the schematic, the results, the title and the credits.
#include "schematic/PrintedPage.h"

#include <cmath>

#include "circuit/OscillatorParts.h"
#include "design/DesignValues.h"
#include "engineering/EngineeringText.h"
#include "schematic/MakerWebAddress.h"
#include "schematic/SchematicParts.h"
#include "schematic/SymbolShapes.h"
#include "services/RunTimeServices.h"

namespace calbrine {

namespace {

constexpr Colour Black = 0;

using parts::Point;

void TextAt(PrinterSurface& p, int x, int y, const std::string& text) {
    p.SetTextPosition(static_cast<float>(x), static_cast<float>(y));
    p.PrintText(text);
}

// A result number, rounded to a single as the program holds its numbers, as engineering text.
std::string Eng(double value) {
    FormatEng(static_cast<float>(value), WorkText);
    return WorkText;
}

// A part of the oscillator's fixed ones, labelled with its name and printed with its value.
void PrintFixed(PrinterSurface& p,
                void (*print)(SchematicSurface&, const std::string&, double, int, int),
                const char* name, int x, int y) {
    print(p, name, FixedPartNamed(name).value, x, y);
}

void PrintParts(PrinterSurface& p, const DesignRecord& dv) {
    PrintVariableCapacitor(p, "D9 Cfine", dv.CfineMin, dv.CfineMax, 2000, 6000);
    PrintHorizontalCapacitor(p, "C39", dv.C39, 3000, 6000);
    PrintVariableCapacitor(p, "C38 Ccoarse", dv.CcoarseMin, dv.CcoarseMax, 4400, 6000);
    PrintVerticalCapacitor(p, "C37", dv.C37, 5800, 6000);
    PrintVerticalCapacitor(p, "C90", dv.C90, 7000, 6000);
    PrintVerticalCapacitor(p, "C15", dv.C15, 7000, 2500);
    PrintVerticalCapacitor(p, "C34", dv.C34, 8000, 2500);
    PrintVerticalCapacitor(p, "C35", dv.C35, 8000, 4000);
    PrintInductor(p, "L7", dv.L7, 6500, 2500);
    PrintFixed(p, PrintVerticalResistor, "R34", 9200, 1500);
    PrintFixed(p, PrintVerticalResistor, "R33", 9000, 2500);
    PrintFixed(p, PrintHorizontalResistor, "R32", 8000, 5500);
    PrintFixed(p, PrintVerticalCapacitor, "C91", 9500, 5500);
    PrintFixed(p, PrintVerticalResistor, "R36", 10400, 4000);
    PrintTransistor(p, "Q8", FixedPartNamed("Q8").text, 10000, 2500);
}

// Lower ends of D9, C38, C37, C90, C35, R33, R36 and C91.
constexpr Point groundPoints[] = {{2000, 7000}, {4400, 7000}, {5800, 7000},  {7000, 7000},
                                  {8000, 5000}, {9000, 3500}, {10400, 5000}, {9500, 6500}};

void PrintWires(PrinterSurface& printer) {
    const shapes::Pen p{printer, Black};
    p.Line(2000, 6000, 3000, 6000);    // D9 to C39
    p.Line(3400, 6000, 7000, 6000);    // C39 along the lower row to C90,
    p.LineTo(7000, 3500);              // then up to C15
    p.Line(6500, 3500, 7000, 3500);    // bottom of L7 to the bottom of C15
    p.Line(6500, 2500, 10000, 2500);   // top of L7 to the base of Q8
    p.Line(8000, 3500, 8000, 4000);    // C34 to C35,
    p.LineTo(10400, 4000);             // across to R36,
    p.LineTo(10400, 3000);             // up to the emitter
    p.Line(10400, 2000, 10400, 1500);  // above the collector, left open
    p.Line(7000, 5500, 8000, 5500);    // to R32
    p.Line(9000, 5500, 11000, 5500);   // R32 past C91 to the open output end
}

void PrintResults(PrinterSurface& p, const DesignRecord& design, const TuningRecord& tuning) {
    const double intermediate = design.IF;
    const double vfoMin = tuning.VfoMin;
    const double vfoMax = tuning.VfoMax;
    TextAt(p, 1700, 1700, "Intermediate frequency: " + Eng(intermediate));
    TextAt(p, 1700, 2100, "VFO from " + Eng(vfoMin) + " to" + Eng(vfoMax));
    TextAt(p, 1700, 2500,
           "RF sum from " + Eng(intermediate + vfoMin) + " to" + Eng(vfoMax + intermediate));
    TextAt(p, 1700, 2800,
           "RF diff from " + Eng(std::fabs(vfoMax - intermediate)) + " to" +
               Eng(std::fabs(vfoMin - intermediate)));
    TextAt(p, 1700, 3200, "Coarse span: " + Eng(std::fabs(vfoMax - vfoMin)));
    TextAt(p, 1700, 3500,
           "Fine span: " + Eng(std::fabs(static_cast<double>(tuning.FineHigh) - tuning.FineLow)));
}

}  // namespace

void DrawPrintedPage(PrinterSurface& printer) {
    DrawPrintedPage(printer, DesignValues, TuningResults);
}

void DrawPrintedPage(PrinterSurface& printer, const DesignRecord& design,
                     const TuningRecord& tuning) {
    printer.SetOrientation(PageOrientation::Landscape);
    printer.SetOrigin(-1000, -400);
    printer.SetFontSize(8);
    printer.SetLineWidth(8);

    PrintParts(printer, design);
    for (const Point& g : groundPoints) {
        PrintGround(printer, g.x, g.y);
    }
    PrintWires(printer);

    printer.SetFontSize(10);
    PrintResults(printer, design, tuning);

    printer.SetFontSize(16);
    TextAt(printer, 5000, 600, "Calbrine Utility");

    printer.SetFontSize(6);
    TextAt(printer, 1500, 8700, MakerWebAddress);
    TextAt(printer, 1500, 8900, Services().GeneralDateText());

    printer.EndDocument();
    printer.SetOrientation(PageOrientation::Portrait);
}

}  // namespace calbrine
