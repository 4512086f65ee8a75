#include "analysis/BuildSheet.h"

#include <cmath>

#include "analysis/ReportText.h"
#include "analysis/Reports.h"
#include "design/DesignFields.h"
#include "engineering/Characters.h"

namespace calbrine {

namespace {

// The catalogue's tolerance on a toroid's AL, in percent.
constexpr double AlTolerancePercent = 5;

ReportTable TextTable(const std::vector<std::string>& titles,
                      const std::vector<std::vector<std::string>>& rows) {
    ReportTable table;
    for (const std::string& title : titles) {
        table.columns.push_back({title, ""});
    }
    for (const auto& row : rows) {
        std::vector<TableCell> cells;
        for (const std::string& text : row) {
            cells.push_back({text, ""});
        }
        table.rows.push_back(cells);
    }
    return table;
}

std::string Millimetres(double mm) {
    return PlainNumber(mm, 3) + " mm";
}

// The twelve values in two groups of six side by side, each field beside its part.
SheetSection DesignSection(const DesignRecord& design) {
    constexpr std::size_t half = DesignFieldCount / 2;
    std::vector<std::vector<std::string>> rows(half);
    for (std::size_t i = 0; i < DesignFieldCount; ++i) {
        const DesignField& field = DesignFields[i];
        const std::vector<std::string> cells = {field.name, *field.part != '\0' ? field.part : "-",
                                                Trimmed(FieldText(field, design.*field.member))};
        rows[i % half].insert(rows[i % half].end(), cells.begin(), cells.end());
    }
    return {"Design values",
            TextTable({"Field", "Part", "Value", "Field", "Part", "Value"}, rows),
            {},
            {"D9 and C38 are not bought from a series: take a varicap and a tuning capacitor "
             "whose ends reach these."}};
}

SheetSection PartsSection(const BoughtDesign& bought) {
    const std::string& series = bought.seriesName;
    return {"Capacitors to buy from the " + series + " series",
            BoughtPartsTable(bought),
            {},
            {"Each is the " + series +
                 " value (1 pF to 100 nF) nearest the design, or the pair in parallel nearest "
                 "it where one part is more than 1 % off; \"Off\" is the error of the parts "
                 "together, at their nominal values.",
             "D9, C38 and L7 are not bought from a series; L7 is wound as below."}};
}

// The wire chosen, or the default: on a toroid the thickest gauge whose one layer holds the
// turns, on an air coil AWG22. None when the table has no such wire.
std::optional<Wire> CoilWire(const SheetCoil& coil, double henry, const std::vector<Wire>& wires) {
    if (coil.wire) {
        return coil.wire;
    }
    if (!coil.core) {
        return FindWire(wires, DefaultAirCoilWire);
    }
    for (const Wire& wire : wires) {
        if (wire.name.compare(0, 3, "AWG") == 0) {
            return ThickestFittingGauge(wires, *coil.core, ToroidTurns(henry, *coil.core));
        }
    }
    return std::nullopt;
}

std::string WireRow(const Wire& wire, const std::string& chosen) {
    return wire.name + ", " + Millimetres(wire.overallMm) + " over the enamel, " + chosen;
}

SheetSection ToroidSection(const ToroidWinding& w, const std::string& chosen) {
    const ToroidCore& c = w.core;
    const double low = w.inductance * (1 - AlTolerancePercent / 100);
    const double high = w.inductance * (1 + AlTolerancePercent / 100);
    const std::string fit = w.Fits() ? "fits: " + std::to_string(w.turns) + " turns, at most " +
                                           std::to_string(w.oneLayerTurns)
                                     : "does not fit: at most " + std::to_string(w.oneLayerTurns) +
                                           " turns; take thinner wire or a larger core";
    const std::vector<std::vector<std::string>> rows = {
        {"Core", c.Name() + ", mix " + std::to_string(c.mix) + ": " + Millimetres(c.outerMm) +
                     " OD, " + Millimetres(c.innerMm) + " ID, " + Millimetres(c.heightMm) +
                     " high"},
        {"AL", PlainNumber(c.alMicrohenry) + " uH per 100 turns squared, the maker's nominal"},
        {"Wire", WireRow(w.wire, chosen)},
        {"Turns", std::to_string(w.turns)},
        {"Inductance", InductanceText(w.inductance) + " with the nominal AL; " +
                           InductanceText(low) + " to " + InductanceText(high) + " with AL " +
                           "\xC2\xB1" + PlainNumber(AlTolerancePercent) + " %"},
        {"Wire length", PlainNumber(w.wireLengthM, 3) + " m with 25 mm leads, an estimate"},
        {"One layer", fit},
        {"Coefficient", PlainNumber(c.tcPpm) + " ppm/degC, the mix's"}};
    return {"Coil L7: " + InductanceText(w.inductance) + " on a " + c.Name() + " toroid",
            TextTable({"Quantity", "Value"}, rows),
            {},
            {"The maker gives AL within \xC2\xB1" + PlainNumber(AlTolerancePercent) +
                 " %: wind a turn or two more and take them off on the counter.",
             "A turn is taken as a loop around the core's cross-section, so the wire length is "
             "a little short of a real winding's."}};
}

SheetSection AirCoilSection(const AirCoil& c, const std::string& chosen) {
    const std::vector<std::vector<std::string>> rows = {
        {"Form", Millimetres(c.formMm) + " diameter, nothing magnetic inside"},
        {"Wire", WireRow(c.wire, chosen)},
        {"Turns", std::to_string(c.turns) + ", close-wound in one layer"},
        {"Inductance", InductanceText(c.inductance) + ", an estimate"},
        {"Coil length", Millimetres(c.lengthM * 1000)},
        {"Wire length", PlainNumber(c.wireLengthM, 3) + " m with 25 mm leads"},
        {"Coefficient", PlainNumber(AirCoilTcPpm()) + " ppm/degC, an estimate"}};
    return {"Coil L7: " + InductanceText(c.inductance) + " as an air coil",
            TextTable({"Quantity", "Value"}, rows),
            {},
            {"The inductance is a current sheet's with Nagaoka's coefficient (" +
                 PlainNumber(c.nagaoka, 4) +
                 "), less Rosa's corrections for round wire: turns touching, no skin effect, no "
                 "metal nearby.",
             "The coefficient is that of copper on a stable form, an estimate."}};
}

// The coil section, or why L7 cannot be wound so.
std::string CoilSection(const SheetInput& in, SheetSection& section, std::string& wireName) {
    const double henry = in.design.L7;
    const std::optional<Wire> wire = CoilWire(in.coil, henry, in.wires);
    if (!wire) {
        return "the wire table has no gauge to wind L7 with";
    }
    wireName = wire->name;
    const std::string chosen = in.coil.wire   ? "as chosen"
                               : in.coil.core ? "the thickest that fits one layer"
                                              : "the default";
    if (in.coil.core) {
        ToroidWinding winding;
        const std::string wrong = WindToroid(henry, *in.coil.core, *wire, winding);
        section = ToroidSection(winding, chosen);
        return wrong.empty() ? "" : "cannot wind L7 on " + in.coil.core->Name() + ": " + wrong;
    }
    AirCoil coil;
    const std::string wrong = WindAirCoil(henry, in.coil.formMm, *wire, coil);
    section = AirCoilSection(coil, chosen);
    return wrong.empty() ? "" : "cannot wind L7 as an air coil: " + wrong;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (const char c : text) {
        if (c == '\n') {
            lines.push_back(Trimmed(line));
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) {
        lines.push_back(Trimmed(line));
    }
    return lines;
}

SheetSection DriftSection(const SheetInput& in, const BoughtDesign& bought) {
    const PartSettings settings = SheetDriftSettings(in.settings, in.coil);
    const DriftAnalysis drift = AnalyseDrift(bought.bought, settings, Part::C37, &in.series);
    const std::string kept = in.settingsFrom.empty()
                                 ? "the default coefficients (the capacitors 0 ppm/degC)"
                                 : "the coefficients " + in.settingsFrom;
    const std::string l7 = "L7 at " + PlainNumber(settings.Tc(Part::L7)) + " ppm/degC" +
                           (in.coil.core ? ", the " + in.coil.core->Name() + "'s mix" : "");
    return {"Temperature drift",
            {},
            Lines(DriftSummary(drift)),
            {"A first-order estimate for the design as bought, with " + kept + "; " + l7 + "."}};
}

std::string RangeText(float low, float high) {
    return FrequencyText(low) + " to " + FrequencyText(high);
}

std::string MovedText(float designed, float bought) {
    return PlainNumber(static_cast<double>(bought) - designed) + " Hz";
}

std::vector<std::string> RangeRow(const char* name, float dLow, float dHigh, float bLow,
                                  float bHigh) {
    return {name, RangeText(dLow, dHigh), RangeText(bLow, bHigh), MovedText(dLow, bLow),
            MovedText(dHigh, bHigh)};
}

SheetSection RangesSection(const BoughtDesign& bought) {
    const BandEnds& d = bought.designedEnds;
    const BandEnds& b = bought.boughtEnds;
    return {"VFO and RF ranges, as designed and as bought",
            TextTable({"Range", "Designed", "As bought", "Low end moved", "High end moved"},
                      {RangeRow("VFO", d.vfoLow, d.vfoHigh, b.vfoLow, b.vfoHigh),
                       RangeRow("RF sum", d.sumLow, d.sumHigh, b.sumLow, b.sumHigh),
                       RangeRow("RF diff", d.diffLow, d.diffHigh, b.diffLow, b.diffHigh)}),
            {},
            {"As bought: the capacitors above at their nominal values, D9, C38 and L7 as "
             "designed, by the tuning calculation. The parts' tolerances move the ends further; "
             "set the band on the counter."}};
}

}  // namespace

PartSettings SheetDriftSettings(const PartSettings& settings, const SheetCoil& coil) {
    PartSettings taken = settings;
    if (coil.core) {
        taken.Tc(Part::L7) = coil.core->tcPpm;
    }
    return taken;
}

std::string MakeBuildSheet(const SheetInput& in, BuildSheet& sheet) {
    SheetSection coil;
    std::string wire;
    const std::string wrong = CoilSection(in, coil, wire);
    if (!wrong.empty()) {
        return wrong;
    }
    sheet.bought = BuyDesign(in.design, in.series);
    const std::string name = in.designName.empty() ? "a design not saved" : in.designName;
    sheet.title = "Build sheet: " + name;
    sheet.subtitle = "Capacitors from the " + in.series.name + " series; L7 " +
                     (in.coil.core ? "on " + in.coil.core->Name() : std::string("as an air coil")) +
                     " with " + wire;
    sheet.sections = {DesignSection(in.design), PartsSection(sheet.bought), coil,
                      DriftSection(in, sheet.bought), RangesSection(sheet.bought)};
    return "";
}

}  // namespace calbrine
