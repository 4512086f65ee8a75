// The coil's figures as the command line prints them.
#include "analysis/CoilWinding.h"
#include "analysis/ReportText.h"

namespace calbrine {

namespace {

ReportTable CoilTable(const std::vector<std::pair<const char*, std::string>>& values) {
    ReportTable table;
    table.columns = {{"", "quantity"}, {"", "value"}};
    for (const auto& [quantity, value] : values) {
        table.rows.push_back({{quantity, quantity}, {value, value}});
    }
    return table;
}

std::string Millimetres(double mm) {
    return PlainNumber(mm, 3) + " mm";
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
    return CoilTable({{"turns", std::to_string(w.turns)},
                      {"inductance_h", PlainNumber(w.inductance)},
                      {"al_uh_per_100t2", PlainNumber(w.core.alMicrohenry)},
                      {"wire_length_m", PlainNumber(w.wireLengthM)},
                      {"one_layer_turns", std::to_string(w.oneLayerTurns)},
                      {"coil_length_m", ""},
                      {"tc_ppm", PlainNumber(w.core.tcPpm)}});
}

ReportTable AirCoilTable(const AirCoil& c) {
    return CoilTable({{"turns", std::to_string(c.turns)},
                      {"inductance_h", PlainNumber(c.inductance)},
                      {"al_uh_per_100t2", ""},
                      {"wire_length_m", PlainNumber(c.wireLengthM)},
                      {"one_layer_turns", ""},
                      {"coil_length_m", PlainNumber(c.lengthM)},
                      {"tc_ppm", PlainNumber(AirCoilTcPpm())}});
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
           "\nThe inductance is the catalogue's nominal AL times the turns squared; the maker\n"
           "gives AL within 5 %, so wind a few turns more and take them off on the counter.\n"
           "A turn is taken as a loop around the core's cross-section, so the wire length is\n"
           "an estimate a little short of a real winding's.\n" +
           ToroidFitWarning(w);
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
           "\nThe inductance is that of a current sheet of the coil's diameter (form plus one\n"
           "wire, to the wire's centre) and length (turns times the wire's overall diameter)\n"
           "with Nagaoka's coefficient, less Rosa's corrections for round wire. It assumes\n"
           "turns touching, current filling the wire (no skin effect) and no metal nearby;\n"
           "the coefficient is that of copper on a stable form, an estimate.\n";
}

}  // namespace calbrine
