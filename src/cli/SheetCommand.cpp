#include "cli/SheetCommand.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>
#include <vector>

#include "analysis/BuildSheet.h"
#include "cli/CoilCommand.h"
#include "cli/CommandDesign.h"
#include "cli/CommandOptions.h"
#include "cli/ShippedTables.h"
#include "files/ReplaceFile.h"
#include "schematic/BuildSheetPage.h"

namespace calbrine {

namespace {

PdfMaker& InstalledPdfMaker() {
    static PdfMaker maker;
    return maker;
}

// The sheet's input from the options and the design: the series, the coil and the settings.
CommandResult SheetInputOf(const SheetOptions& options, const CommandInput& input, SheetInput& in) {
    if (const std::string wrong = ShippedSeriesNamed(options.series, in.series); !wrong.empty()) {
        return Failure(1, wrong);
    }
    const std::string bad = KeptPartSettings(input.file, in.settings);
    if (!bad.empty()) {
        return Failure(1, bad);
    }
    // The options first, then the coil kept with the design, then the defaults.
    const CoilChoice& kept = in.settings.coil;
    const std::string core = !options.core.empty() ? options.core
                             : !kept.core.empty()  ? kept.core
                                                   : DefaultSheetCore;
    NamedCoil coil;
    const CommandResult refused =
        FindNamedCoil(core, options.wire.empty() ? kept.wire : options.wire, coil);
    if (refused.status != 0) {
        return refused;
    }
    in.designName = std::filesystem::path(ShownName(input.file)).filename().string();
    std::error_code error;
    if (std::filesystem::exists(SettingsPath(input.file), error)) {
        in.settingsFrom = "kept in " + in.designName + ".explore";
    }
    in.design = input.design;
    in.coil = {coil.core, coil.wire, options.formGiven ? options.formMm : kept.formMm};
    in.wires = coil.wires;
    return {};
}

}  // namespace

void InstallPdfMaker(PdfMaker maker) {
    InstalledPdfMaker() = std::move(maker);
}

std::string UnwritableFile(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path file(path);
    if (fs::is_directory(file, error)) {
        return path + " is a folder";
    }
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    if (!fs::is_directory(folder, error)) {
        return "there is no folder " + folder.string() + " to write " + path + " in";
    }
    if (access(folder.c_str(), W_OK | X_OK) != 0) {
        return "the folder " + folder.string() + " may not be written in";
    }
    if (fs::exists(file, error) && access(file.c_str(), W_OK) != 0) {
        return path + " may not be written";
    }
    return "";
}

std::string ParseSheetOptions(const OptionValues& values, SheetOptions& options) {
    if (!values.IsSet("pdf")) {
        return "sheet wants --pdf OUT, the PDF file to write";
    }
    options.pdf = values.Value("pdf");
    const std::string unwritable =
        options.pdf.empty() ? "no file named" : UnwritableFile(options.pdf);
    if (!unwritable.empty()) {
        return "--pdf: " + unwritable;
    }
    options.core = values.Value("core");
    options.wire = values.Value("wire");
    std::string wrong =
        values.IsSet("series") ? ParseSeries(values.Value("series"), options.series) : "";
    if (wrong.empty() && values.IsSet("form")) {
        options.formGiven = true;
        wrong = ParseForm(values.Value("form"), options.formMm);
    }
    return wrong;
}

CommandResult SheetCommand(const SheetOptions& options, const CommandInput& input) {
    SheetInput in;
    const CommandResult refused = SheetInputOf(options, input, in);
    if (refused.status != 0) {
        return refused;
    }
    BuildSheet sheet;
    const std::string unmade = MakeBuildSheet(in, sheet);
    if (!unmade.empty()) {
        return Failure(1, unmade);
    }
    if (!InstalledPdfMaker()) {
        return Failure(1, "this program cannot print a PDF file");
    }
    std::string pdf;
    const std::string unprinted = InstalledPdfMaker()(
        [&sheet](PrinterSurface& printer) { DrawBuildSheetPage(printer, sheet); }, pdf);
    if (!unprinted.empty()) {
        return Failure(1, "the build sheet was not printed: " + unprinted);
    }
    if (!ReplaceFile(options.pdf, pdf)) {
        return Failure(1, options.pdf + ": The file was not written correctly.");
    }
    return {0, "Build sheet written to " + options.pdf + "\n", ""};
}

}  // namespace calbrine
