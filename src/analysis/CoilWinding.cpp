#include "analysis/CoilWinding.h"

#include <cmath>

#include "analysis/Solenoid.h"
#include "engineering/Characters.h"

namespace calbrine {

namespace {

constexpr double Pi = 3.14159265358979323846;

std::string RangeProblem(double henry) {
    if (!(henry > 0) || henry > MostCoilInductance) {
        return "the inductance must be above 0 H and at most 1 mH";
    }
    return "";
}

}  // namespace

int OneLayerTurns(double innerMm, double overallMm) {
    if (overallMm >= innerMm) {
        return 0;
    }
    return static_cast<int>(std::floor(Pi * (innerMm - overallMm) / overallMm));
}

int ToroidTurns(double henry, const ToroidCore& core) {
    // AL is in uH per 100 turns squared: L = AL (N / 100)^2.
    return static_cast<int>(std::lround(100 * std::sqrt(henry * 1e6 / core.alMicrohenry)));
}

std::string WindToroid(double henry, const ToroidCore& core, const Wire& wire,
                       ToroidWinding& winding) {
    const std::string wrong = RangeProblem(henry);
    if (!wrong.empty()) {
        return wrong;
    }
    winding.core = core;
    winding.wire = wire;
    winding.turns = ToroidTurns(henry, core);
    if (winding.turns == 0) {
        return "less than half a turn on " + core.Name();
    }
    const double n = winding.turns;
    winding.inductance = static_cast<float>(core.alMicrohenry * n * n / 1e4 * 1e-6);
    // One turn goes around the core's cross-section: twice its radial width and height.
    const double turnMm = (core.outerMm - core.innerMm) + 2 * core.heightMm;
    winding.wireLengthM = (n * turnMm + 2 * LeadMm) / 1000;
    winding.oneLayerTurns = OneLayerTurns(core.innerMm, wire.overallMm);
    return "";
}

Wire ThickestFittingGauge(const std::vector<Wire>& wires, const ToroidCore& core, int turns) {
    const Wire* thickest = nullptr;
    const Wire* thinnest = nullptr;
    for (const Wire& wire : wires) {
        if (wire.name.compare(0, 3, "AWG") != 0) {
            continue;
        }
        if (thinnest == nullptr || wire.overallMm < thinnest->overallMm) {
            thinnest = &wire;
        }
        const bool fits = OneLayerTurns(core.innerMm, wire.overallMm) >= turns;
        if (fits && (thickest == nullptr || wire.overallMm > thickest->overallMm)) {
            thickest = &wire;
        }
    }
    return thickest != nullptr ? *thickest : *thinnest;
}

double AirCoilTcPpm() {
    return *TcFromText("Air-core inductor");
}

bool IsAirCore(const std::string& name) {
    return Lower(Trimmed(name)) == "air";
}

void ChooseCoil(PartSettings& settings, const CoilChoice& choice,
                const std::vector<ToroidCore>& cores) {
    const std::optional<ToroidCore> previous = FindCore(cores, settings.coil.core);
    const std::optional<ToroidCore> chosen = FindCore(cores, choice.core);
    const bool newCore = (chosen || IsAirCore(choice.core)) &&
                         Lower(Trimmed(choice.core)) != Lower(Trimmed(settings.coil.core));
    double& tc = settings.Tc(Part::L7);
    if (newCore && chosen) {
        tc = chosen->tcPpm;
    } else if (newCore && previous && tc == previous->tcPpm) {
        tc = AirCoilTcPpm();
    }
    settings.coil = choice;
}

std::string WindAirCoil(double henry, double formMm, const Wire& wire, AirCoil& coil) {
    const std::string wrong = RangeProblem(henry);
    if (!wrong.empty()) {
        return wrong;
    }
    coil.formMm = formMm;
    coil.wire = wire;
    coil.diameterMm = formMm + wire.overallMm;
    const double diameter = coil.diameterMm / 1000;
    const double pitch = wire.overallMm / 1000;
    const double conductor = wire.conductorMm / 1000;
    auto inductance = [&](long turns) {
        return turns == 0 ? 0.0 : SolenoidInductance(turns, diameter, pitch, conductor);
    };
    // The inductance rises with the turns: the first count that reaches `henry`, by doubling
    // and then halving the step, and the count below it when that is nearer.
    long above = 1;
    while (inductance(above) < henry) {
        above *= 2;
    }
    long below = above / 2;  // below `henry` (0 turns: none)
    while (above - below > 1) {
        const long middle = below + (above - below) / 2;
        (inductance(middle) < henry ? below : above) = middle;
    }
    const bool belowNearer = henry - inductance(below) < inductance(above) - henry;
    coil.turns = belowNearer ? below : above;
    if (coil.turns == 0) {
        return "less than half a turn on this form";
    }
    coil.inductance = static_cast<float>(inductance(coil.turns));
    const double n = static_cast<double>(coil.turns);
    coil.nagaoka = NagaokaCoefficient(diameter / (n * pitch));
    coil.lengthM = n * pitch;
    coil.wireLengthM = n * std::hypot(Pi * diameter, pitch) + 2 * LeadMm / 1000;
    return "";
}

}  // namespace calbrine
