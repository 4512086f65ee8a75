// The printed page: the oscillator schematic with every part's value, the results of the
// last tuning calculation, a title, the maker's web address and the date, on one landscape
// page; and the symbols it is drawn with, which print their values beside them.
//
// The symbols take the label first, then the value or values, then the anchor, and draw in
// black. Value texts are formed in WorkText just before they are printed; a resistor's value
// text therefore stays empty when WorkText is empty at that moment. Values are taken as
// they stand at the call; printing changes no design value.
#pragma once

#include <string>

#include "design/DesignRecord.h"
#include "schematic/SchematicSurface.h"

namespace calbrine {

// Draws the whole page of `design` and its `tuning` on the printer, ends the document and turns
// the printer back to portrait. Any exception passes to the caller, leaving the document
// unfinished.
void DrawPrintedPage(PrinterSurface& printer, const DesignRecord& design,
                     const TuningRecord& tuning);
// The same page of DesignValues and TuningResults.
void DrawPrintedPage(PrinterSurface& printer);

// Anchor at the top end; bottom end (X, Y+1000).
void PrintVerticalCapacitor(SchematicSurface& printer, const std::string& Label, double Value,
                            int X, int Y);
// A vertical capacitor with its minimum and maximum values beside "Min:" and "Max:".
void PrintVariableCapacitor(SchematicSurface& printer, const std::string& Label, double MinValue,
                            double MaxValue, int X, int Y);
// Anchor at the left end; right end (X+400, Y).
void PrintHorizontalCapacitor(SchematicSurface& printer, const std::string& Label, double Value,
                              int X, int Y);
// Anchor at the top end; bottom end (X, Y+1000).
void PrintInductor(SchematicSurface& printer, const std::string& Label, double Value, int X, int Y);
// Anchor at the left end; right end (X+1000, Y). Value in ohms.
void PrintHorizontalResistor(SchematicSurface& printer, const std::string& Label, double Value,
                             int X, int Y);
// Anchor at the top end; bottom end (X, Y+1000). Value in ohms.
void PrintVerticalResistor(SchematicSurface& printer, const std::string& Label, double Value, int X,
                           int Y);
// NPN, anchor at the end of the base lead; collector end (X+400, Y-500), emitter end
// (X+400, Y+500).
void PrintTransistor(SchematicSurface& printer, const std::string& Label,
                     const std::string& TypeText, int X, int Y);
// Downward triangle 300 wide and 150 high, anchor at the middle of its top edge.
void PrintGround(SchematicSurface& printer, int X, int Y);

}  // namespace calbrine
