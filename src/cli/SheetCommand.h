// calbrine sheet FILE --pdf OUT [--series E6|E12|E24] [--core NAME] [--wire WIRE] [--form D]:
// the design's build sheet, one page written as a PDF file.
#pragma once

#include <functional>
#include <string>

#include "cli/CommandBasics.h"
#include "schematic/SchematicSurface.h"

namespace calbrine {

struct SheetOptions {
    std::string pdf;  // the file to write
    std::string series = "E12";
    std::string core;  // as typed; empty: the default
    std::string wire;  // as typed; empty: the default
    double formMm = 10;
    bool formGiven = false;  // --form given; else the form kept with the design, or 10 mm
};

// Prints the page `draw` draws as a PDF document and gives its bytes in `pdf`; returns empty
// text or why it could not. The program installs one that paints with Qt (the command line's
// library has no painter); without one the command fails.
using PdfMaker =
    std::function<std::string(const std::function<void(PrinterSurface&)>& draw, std::string& pdf)>;
void InstallPdfMaker(PdfMaker maker);

// Why `path` cannot be written as a new or replaced file, or empty text: a folder, a folder
// that is missing or may not be written in, a file that may not be written.
std::string UnwritableFile(const std::string& path);

// Refuses a missing --pdf, an OUT that cannot be written, a series other than E6, E12 and E24
// and a form outside 1 to 100 mm.
std::string ParseSheetOptions(const OptionValues& values, SheetOptions& options);
// A core or wire the tables do not hold: status 2. Tables that cannot be read, a coil that
// cannot be wound, a page that cannot be printed or written: status 1, and no file.
CommandResult SheetCommand(const SheetOptions& options, const CommandInput& input);

}  // namespace calbrine
