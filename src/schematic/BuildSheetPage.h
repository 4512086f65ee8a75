// The build sheet on paper: one portrait page that fits A4 and Letter, the title with the
// date, then each section's heading, table, lines and notes. The printer surface has no
// measure of text, so widths are reckoned from character counts at a generous width per
// character; the title, lines and notes wrap at the page's width.
#pragma once

#include "analysis/BuildSheet.h"
#include "schematic/SchematicSurface.h"

namespace calbrine {

// The width and height the page keeps within, in 1/1440 inch, from the printable area's
// corner moved right and down by SheetLeft and SheetTop.
constexpr float SheetWidth = 10000;
constexpr float SheetHeight = 13800;
constexpr float SheetLeft = 700;
constexpr float SheetTop = 500;

// Draws the page, dated by the services, and ends the document. Any exception passes to the
// caller, leaving the document unfinished.
void DrawBuildSheetPage(PrinterSurface& printer, const BuildSheet& sheet);

// The width reckoned for `text` at `points`, in 1/1440 inch.
float ReckonedWidth(const std::string& text, float points);

}  // namespace calbrine
