#include "circuit/SpiceNetlist.h"

#include <charconv>

#include "circuit/TransistorModel.h"

namespace calbrine {

TransientPlan PlanTransient(double calculatedHz) {
    TransientPlan plan;
    plan.calculatedHz = calculatedHz;
    const double period = 1.0 / calculatedHz;
    plan.stopTime = SimulatedPeriods * period;
    plan.maxStep = period / PointsPerPeriod;
    // Fast enough to kick the tank, slow enough not to need tiny steps at the start.
    plan.supplyRise = period / 10;
    return plan;
}

std::string SpiceNumber(double value) {
    char buffer[40];
    // The entered values are singles: written as the singles they are, "4e-11" rather than
    // "3.99999988e-11".
    const float single = static_cast<float>(value);
    const auto result =
        static_cast<double>(single) == value
            ? std::to_chars(buffer, buffer + sizeof buffer, single)
            : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 9);
    return std::string(buffer, result.ptr);
}

namespace {

std::string PartLine(const CircuitPart& part, const TransientPlan& plan) {
    std::string line = part.name;
    for (const std::string& n : part.nodes) {
        line += " " + n;
    }
    switch (part.kind) {
        case PartKind::NpnTransistor:
            return line + " " + part.model;
        case PartKind::VoltageSource:
            return line + " PWL(0 0 " + SpiceNumber(plan.supplyRise) + " " +
                   SpiceNumber(part.value) + ")";
        default:
            line += " " + SpiceNumber(part.value);
            // ngspice scales a capacitor or inductor by 1 + tc1 x (T - TNOM).
            return part.tcPpm == 0 ? line : line + " tc1=" + SpiceNumber(part.tcPpm * 1e-6);
    }
}

}  // namespace

std::string SpiceNetlist(const OscillatorCircuit& circuit, const TransientPlan& plan) {
    std::string text = "Calbrine VFO at " + SpiceNumber(plan.calculatedHz) + " Hz\n";
    for (const CircuitPart& part : circuit.parts) {
        text += PartLine(part, plan) + "\n";
    }
    text += TransistorModelCard;
    // Tighter than the default tolerance: the default lets the frequency drift by some 0.1 %.
    text += ".options reltol=1e-4\n";
    if (circuit.temperatureC) {
        // The parts' coefficients and the transistor's model are referred to the nominal
        // temperature; the whole circuit runs at the asked one.
        text += ".options tnom=" + SpiceNumber(NominalTemperatureC) + "\n";
        text += ".temp " + SpiceNumber(*circuit.temperatureC) + "\n";
    }
    const std::string step = SpiceNumber(plan.maxStep);
    text += ".tran " + step + " " + SpiceNumber(plan.stopTime) + " 0 " + step + "\n";
    text += std::string(".save v(") + node::Output + ") v(" + node::Emitter + ")\n";
    return text + ".end\n";
}

}  // namespace calbrine
