// The build sheet: what a builder takes to the bench on one page. The design's twelve values,
// the fixed capacitors to buy (single parts and parallel pairs), L7 as a coil to wind, the
// drift compensation advice, and the VFO and RF ranges as designed and as bought; each figure
// that is an estimate says what it assumes.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/BoughtParts.h"
#include "analysis/CoilWinding.h"
#include "analysis/CoreTable.h"
#include "analysis/Parts.h"
#include "analysis/ReportTable.h"
#include "analysis/StandardValues.h"
#include "design/DesignRecord.h"

namespace calbrine {

// What a sheet is bought and wound from when nothing else is chosen.
constexpr const char* DefaultSheetSeries = "E12";
constexpr const char* DefaultSheetCore = "T50-6";

// L7 as the sheet winds it: on a toroid of the core table, or as an air coil on a form.
struct SheetCoil {
    std::optional<ToroidCore> core;  // none: an air coil
    std::optional<Wire> wire;        // none: the thickest gauge that winds one layer; air AWG22
    double formMm = 10;              // an air coil's form diameter
};

struct SheetInput {
    std::string designName;  // the design file's name; empty for a design never saved
    DesignRecord design;
    PartSettings settings;
    // Where the coefficients come from, as the drift's note says it ("kept in
    // Defaults.TXT.explore", "set in the explorer"); empty: they are the defaults.
    std::string settingsFrom;
    ValueSeries series;
    SheetCoil coil;
    std::vector<Wire> wires;  // the wire table the default wire is taken from
};

// One block of the sheet: a heading, a table (none when it has no columns), plain lines (the
// drift advice) and notes saying what the figures assume.
struct SheetSection {
    std::string heading;
    ReportTable table;
    std::vector<std::string> lines;
    std::vector<std::string> notes;
};

struct BuildSheet {
    std::string title;     // "Build sheet: Defaults.TXT"
    std::string subtitle;  // the series, the core and the wire in one line
    std::vector<SheetSection> sections;
    BoughtDesign bought;
};

// Builds the sheet; empty text, or why it cannot be made (L7 cannot be wound as chosen).
std::string MakeBuildSheet(const SheetInput& input, BuildSheet& sheet);

// The part settings the sheet's drift is figured with: `settings` with L7's coefficient that
// of a toroid's mix; an air coil keeps the coefficient set for L7.
PartSettings SheetDriftSettings(const PartSettings& settings, const SheetCoil& coil);

}  // namespace calbrine
