#include "cli/CoilCommand.h"

#include <vector>

#include "analysis/CoilWinding.h"
#include "cli/CommandOptions.h"
#include "cli/ShippedTables.h"

namespace calbrine {

namespace {

bool IsAir(const std::string& name) {
    return name.size() == 3 && (name[0] | 0x20) == 'a' && (name[1] | 0x20) == 'i' &&
           (name[2] | 0x20) == 'r';
}

CommandResult Toroid(const CoilOptions& options, const NamedCoil& w, double henry) {
    const int turns = ToroidTurns(henry, *w.core);
    const Wire wire = w.wire ? *w.wire : ThickestFittingGauge(w.wires, *w.core, turns);
    const std::string note =
        w.wire ? "as named" : "the thickest that fits one layer (--wire for another)";
    ToroidWinding winding;
    const std::string wrong = WindToroid(henry, *w.core, wire, winding);
    if (!wrong.empty()) {
        return Failure(1, "cannot wind " + w.core->Name() + ": " + wrong);
    }
    if (options.csv) {  // the warning beside the CSV, on the error stream
        return {0, ToroidTable(winding).Csv(), ToroidFitWarning(winding)};
    }
    return {0, ToroidText(winding, note), ""};
}

CommandResult Air(const CoilOptions& options, const NamedCoil& w, double henry) {
    const std::optional<Wire> wire = w.wire ? w.wire : FindWire(w.wires, DefaultAirCoilWire);
    if (!wire) {
        return Failure(1, std::string("the wire table has no ") + DefaultAirCoilWire);
    }
    const std::string note = w.wire ? "as named" : "the default (--wire for another)";
    AirCoil coil;
    const std::string wrong = WindAirCoil(henry, options.formMm, *wire, coil);
    if (!wrong.empty()) {
        return Failure(1, "cannot wind an air coil: " + wrong);
    }
    return {0, options.csv ? AirCoilTable(coil).Csv() : AirCoilText(coil, note), ""};
}

}  // namespace

CommandResult FindNamedCoil(const std::string& core, const std::string& wire, NamedCoil& w) {
    std::vector<ToroidCore> cores;
    std::string unread = ReadShippedCores(cores);
    unread = unread.empty() ? ReadShippedWires(w.wires) : unread;
    if (!unread.empty()) {
        return Failure(1, unread);
    }
    if (!IsAir(core)) {
        w.core = FindCore(cores, core);
        if (!w.core) {
            return Failure(2, "--core: no core \"" + core + "\"; the cores are " +
                                  cores.front().Name() + " to " + cores.back().Name() +
                                  " in mixes 0, 2, 6 and 7, and air");
        }
    }
    if (!wire.empty()) {
        w.wire = FindWire(w.wires, wire);
        if (!w.wire) {
            return Failure(2, "--wire: no wire \"" + wire + "\"; the wires are " +
                                  w.wires.front().name + " to " + w.wires.back().name +
                                  " as gauges or diameters in the wire table");
        }
    }
    return {};
}

std::string ParseCoilOptions(const OptionValues& values, CoilOptions& options) {
    options.csv = values.IsSet("csv");
    options.core = values.Value("core");
    options.wire = values.Value("wire");
    if (!values.IsSet("core")) {
        return "coil wants --core NAME, such as --core T50-6 or --core air";
    }
    std::string wrong;
    if (values.IsSet("inductance")) {
        double henry = 0;
        wrong = ParseInductance(values.Value("inductance"), henry);
        options.henry = henry;
    }
    if (wrong.empty() && values.IsSet("form")) {
        wrong = ParseForm(values.Value("form"), options.formMm);
    }
    return wrong;
}

CommandResult CoilCommand(const CoilOptions& options, const CommandInput& input) {
    NamedCoil w;
    const CommandResult refused = FindNamedCoil(options.core, options.wire, w);
    if (refused.status != 0) {
        return refused;
    }
    const double henry = options.henry ? *options.henry : input.design.L7;
    return w.core ? Toroid(options, w, henry) : Air(options, w, henry);
}

}  // namespace calbrine
