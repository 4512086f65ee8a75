#include "windows/explorer/SheetPrinting.h"

#include <filesystem>

#include "analysis/BuildSheet.h"
#include "analysis/MakersTables.h"
#include "engineering/Characters.h"
#include "platform/QtPrinting.h"
#include "schematic/BuildSheetPage.h"
#include "services/RunTimeServices.h"

namespace calbrine {

namespace {

// The series and coil chosen, from the tables; empty text or what is wrong.
std::string ChosenParts(const SheetChoice& choice, const std::string& folder, SheetInput& in) {
    std::vector<ValueSeries> series;
    std::vector<ToroidCore> cores;
    std::string wrong = ReadSeriesTable(folder, series);
    wrong = wrong.empty() ? ReadCoresTable(folder, cores) : wrong;
    wrong = wrong.empty() ? ReadWiresTable(folder, in.wires) : wrong;
    if (!wrong.empty()) {
        return wrong;
    }
    const std::string seriesName = choice.series.empty() ? DefaultSheetSeries : choice.series;
    const ValueSeries* named = SeriesNamed(series, seriesName);
    if (named == nullptr) {
        return "the value series have no " + seriesName;
    }
    in.series = *named;
    const std::string core = choice.core.empty() ? DefaultSheetCore : choice.core;
    if (Lower(Trimmed(core)) != "air") {
        in.coil.core = FindCore(cores, core);
        if (!in.coil.core) {
            return "the core table has no " + core;
        }
    }
    if (!choice.wire.empty()) {
        in.coil.wire = FindWire(in.wires, choice.wire);
        if (!in.coil.wire) {
            return "the wire table has no " + choice.wire;
        }
    }
    in.coil.formMm = choice.formMm;
    return "";
}

}  // namespace

void PrintBuildSheet(const DesignRecord& design, const PartSettings& settings,
                     const std::string& designFile, const SheetChoice& choice,
                     const std::string& programFolder) {
    SheetInput in;
    in.designName = std::filesystem::path(designFile).filename().string();
    in.design = design;
    in.settings = settings;
    in.settingsFrom = "set in the explorer";
    BuildSheet sheet;
    std::string wrong = ChosenParts(choice, programFolder, in);
    wrong = wrong.empty() ? MakeBuildSheet(in, sheet) : wrong;
    if (!wrong.empty()) {
        Services().ShowMessage("The build sheet cannot be made: " + wrong + ".", "Calbrine");
        return;
    }
    PrintPage([&sheet](PrinterSurface& printer) { DrawBuildSheetPage(printer, sheet); });
}

}  // namespace calbrine
