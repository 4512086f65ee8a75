// L7 as a builder winds it: turns of enamelled wire on an iron-powder toroid, or a close-wound
// single-layer coil on a round form with nothing magnetic inside.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/CoreTable.h"
#include "analysis/ReportTable.h"

namespace calbrine {

// The inductances a coil is wound for: above 0 and up to 1 mH.
constexpr double MostCoilInductance = 1e-3;
// The wire left at each end of a winding to solder it in.
constexpr double LeadMm = 25;

// The whole turns of wire of `overallMm` that lie side by side around the inside of a toroid
// of inner diameter `innerMm`: pi (ID - d) / d, rounded down; 0 when the wire does not pass.
int OneLayerTurns(double innerMm, double overallMm);

struct ToroidWinding {
    ToroidCore core;
    Wire wire;
    int turns = 0;         // the whole number nearest 100 sqrt(L / AL)
    float inductance = 0;  // henry, with the catalogue's nominal AL
    double wireLengthM = 0;
    int oneLayerTurns = 0;
    bool Fits() const { return turns <= oneLayerTurns; }
};

// Winds `henry` on `core`; empty text, or why it cannot be wound (an inductance outside the
// range, or less than half a turn on this core).
std::string WindToroid(double henry, const ToroidCore& core, const Wire& wire,
                       ToroidWinding& winding);
// The turns `henry` takes on `core`, for choosing the wire: as WindToroid counts them.
int ToroidTurns(double henry, const ToroidCore& core);
// The thickest gauge (AWG) wire of `wires` whose one layer on `core` holds `turns`; the
// thinnest gauge when none does. `wires` holds at least one gauge.
Wire ThickestFittingGauge(const std::vector<Wire>& wires, const ToroidCore& core, int turns);

struct AirCoil {
    double formMm = 0;
    Wire wire;
    long turns = 0;          // the whole number whose inductance is nearest the wanted one
    float inductance = 0;    // henry
    double diameterMm = 0;   // to the wire's centre: the form plus one overall diameter
    double lengthM = 0;      // turns times the overall diameter, close-wound
    double wireLengthM = 0;  // the helix and two leads
    double nagaoka = 0;      // Nagaoka's coefficient of the winding
};

// The gauge an air coil is wound with when none is named.
constexpr const char* DefaultAirCoilWire = "AWG22";
// An air coil's coefficient: the "Air-core inductor" preset, an estimate for copper on a
// stable form.
double AirCoilTcPpm();

std::string WindAirCoil(double henry, double formMm, const Wire& wire, AirCoil& coil);

// The name an air coil is chosen by ("air", any case).
bool IsAirCore(const std::string& name);
// Takes `choice` as L7's coil in `settings`. A core newly chosen sets L7's coefficient: a
// toroid of `cores` gives its mix's; an air coil gives the "Air-core inductor" preset where
// the coefficient was the toroid's it replaces, and leaves one the user set otherwise.
void ChooseCoil(PartSettings& settings, const CoilChoice& choice,
                const std::vector<ToroidCore>& cores);

// Quantity, Value for people ("Turns", "44"; "-" for what a winding has not) and quantity,value
// in the CSV: turns, inductance_h, al_uh_per_100t2, wire_length_m, one_layer_turns,
// coil_length_m, tc_ppm (what a winding has not is left empty).
ReportTable ToroidTable(const ToroidWinding& winding);
ReportTable AirCoilTable(const AirCoil& coil);
// What the figures assume, for people.
std::string ToroidAssumptions();
std::string AirCoilAssumptions();
// The figures for people, with what they assume; `wireNote` says how the wire was chosen.
std::string ToroidText(const ToroidWinding& winding, const std::string& wireNote);
std::string AirCoilText(const AirCoil& coil, const std::string& wireNote);
// The warning for a winding whose turns do not lie in one layer; empty text when they do.
std::string ToroidFitWarning(const ToroidWinding& winding);

}  // namespace calbrine
