// The coil's figures as the command line prints them.
#include "analysis/CoilWinding.h"
#include "analysis/ReportText.h"

namespace calbrine {

namespace {

// A row of the coil's table: its name for people and in the CSV, its value for people and
// in the CSV ("-" and empty for what the winding has not).
struct CoilRow {
    const char* title;
    const char* quantity;
    std::string text;
    std::string value;
};

ReportTable CoilTable(const std::vector<CoilRow>& rows) {
    ReportTable table;
    table.columns = {{"Quantity", "quantity"}, {"Value", "value"}};
    for (const CoilRow& row : rows) {
        table.rows.push_back({{row.title, row.quantity}, {row.text, row.value}});
    }
    return table;
}

std::string Millimetres(double mm) {
    return PlainNumber(mm, 4) + " mm";  // as the makers give sizes: 33.02, 19.81
}

std::string Metres(double m) {
    return PlainNumber(m, 3) + " m";
}

// "Turns        44": each name padded to one width, the values beside them as they read.
std::string Lines(const std::vector<std::pair<const char*, std::string>>& lines) {
    std::string text;
    for (const auto& [name, value] : lines) {
        text += name + std::string(13 - std::string(name).size(), ' ') + value + "\n";
    }
    return text;
}

}  // namespace

ReportTable ToroidTable(const ToroidWinding& w) {
    const ToroidCore& c = w.core;
    return CoilTable(
        {{"Turns", "turns", std::to_string(w.turns), std::to_string(w.turns)},
         {"Inductance", "inductance_h", InductanceText(w.inductance), PlainNumber(w.inductance)},
         {"AL", "al_uh_per_100t2", PlainNumber(c.alMicrohenry) + " uH per 100 turns squared",
          PlainNumber(c.alMicrohenry)},
         {"Wire length", "wire_length_m", Metres(w.wireLengthM) + " with 25 mm leads",
          PlainNumber(w.wireLengthM)},
         {"One layer", "one_layer_turns", std::to_string(w.oneLayerTurns) + " turns at most",
          std::to_string(w.oneLayerTurns)},
         {"Coil length", "coil_length_m", "-", ""},
         {"Coefficient", "tc_ppm", PlainNumber(c.tcPpm) + " ppm/degC, the mix's",
          PlainNumber(c.tcPpm)}});
}

ReportTable AirCoilTable(const AirCoil& c) {
    return CoilTable(
        {{"Turns", "turns", std::to_string(c.turns), std::to_string(c.turns)},
         {"Inductance", "inductance_h", InductanceText(c.inductance), PlainNumber(c.inductance)},
         {"AL", "al_uh_per_100t2", "-", ""},
         {"Wire length", "wire_length_m", Metres(c.wireLengthM) + " with 25 mm leads",
          PlainNumber(c.wireLengthM)},
         {"One layer", "one_layer_turns", "-", ""},
         {"Coil length", "coil_length_m", Millimetres(c.lengthM * 1000), PlainNumber(c.lengthM)},
         {"Coefficient", "tc_ppm", PlainNumber(AirCoilTcPpm()) + " ppm/degC, an estimate",
          PlainNumber(AirCoilTcPpm())}});
}

std::string ToroidAssumptions() {
    return "The inductance is the catalogue's nominal AL times the turns squared; the maker\n"
           "gives AL within 5 %, so wind a few turns more and take them off on the counter.\n"
           "A turn is taken as a loop around the core's cross-section, so the wire length is\n"
           "an estimate a little short of a real winding's.\n";
}

std::string AirCoilAssumptions() {
    return "The inductance is that of a current sheet of the coil's diameter (form plus one\n"
           "wire, to the wire's centre) and length (turns times the wire's overall diameter)\n"
           "with Nagaoka's coefficient, less Rosa's corrections for round wire. It assumes\n"
           "turns touching, current filling the wire (no skin effect) and no metal nearby;\n"
           "the coefficient is that of copper on a stable form, an estimate.\n";
}

std::string ToroidFitWarning(const ToroidWinding& w) {
    if (w.Fits()) {
        return "";
    }
    return "Warning: " + std::to_string(w.turns) + " turns of " + w.wire.name +
           " do not fit in one layer on " + w.core.Name() + " (at most " +
           std::to_string(w.oneLayerTurns) + ");\ntake thinner wire or a larger core.\n";
}

std::string ToroidText(const ToroidWinding& w, const std::string& wireNote) {
    const ToroidCore& c = w.core;
    return Lines({{"Core", c.Name() + " (mix " + std::to_string(c.mix) + ")"},
                  {"Size", Millimetres(c.outerMm) + " OD, " + Millimetres(c.innerMm) + " ID, " +
                               Millimetres(c.heightMm) + " high"},
                  {"AL", PlainNumber(c.alMicrohenry) + " uH per 100 turns squared"},
                  {"Wire", w.wire.name + ", " + Millimetres(w.wire.overallMm) +
                               " over the enamel; " + wireNote},
                  {"Turns", std::to_string(w.turns)},
                  {"Inductance", InductanceText(w.inductance)},
                  {"Wire length", Metres(w.wireLengthM) + " with 25 mm leads"},
                  {"One layer", std::to_string(w.oneLayerTurns) + " turns at most"},
                  {"Coefficient", PlainNumber(c.tcPpm) + " ppm/degC, the mix's"}}) +
           "\n" + ToroidAssumptions() + ToroidFitWarning(w);
}

std::string AirCoilText(const AirCoil& c, const std::string& wireNote) {
    return Lines({{"Form", Millimetres(c.formMm) + " diameter, nothing magnetic inside"},
                  {"Wire", c.wire.name + ", " + Millimetres(c.wire.overallMm) +
                               " over the enamel; " + wireNote},
                  {"Turns", std::to_string(c.turns) + ", close-wound in one layer"},
                  {"Inductance", InductanceText(c.inductance)},
                  {"Coil length", Millimetres(c.lengthM * 1000)},
                  {"Wire length", Metres(c.wireLengthM) + " with 25 mm leads"},
                  {"Nagaoka", PlainNumber(c.nagaoka, 4)},
                  {"Coefficient", PlainNumber(AirCoilTcPpm()) + " ppm/degC, an estimate"}}) +
           "\n" + AirCoilAssumptions();
}

}  // namespace calbrine
