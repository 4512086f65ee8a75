#include "simulation/SimulatedNetlist.h"

#include "circuit/OscillatorCircuit.h"
#include "design/Tuning.h"

namespace calbrine {

std::string SimulatedNetlist(const DesignRecord& design, TuningSetting setting, int stepFactor,
                             int periods) {
    return SimulatedNetlist(design, SettingCapacitors(design, setting), {}, stepFactor, periods);
}

std::string SimulatedNetlist(const DesignRecord& design, TuningCapacitors tuning,
                             const CircuitConditions& conditions, int stepFactor, int periods) {
    // The plan follows the resonance at the nominal temperature, so that the runs of one
    // setting at several temperatures take the same time steps.
    TransientPlan plan = PlanTransient(ResonanceFrequency(design, tuning.cfine, tuning.ccoarse));
    plan.maxStep *= stepFactor;
    plan.stopTime *= static_cast<double>(periods) / SimulatedPeriods;
    std::string text = SpiceNetlist(BuildOscillator(design, tuning, conditions), plan);
    const std::string output = node::Output;
    // After the title line, which ngspice never reads as a part.
    text.insert(text.find('\n') + 1, "* output node: " + output + "\n");
    // ngspice in batch mode runs only a netlist that asks for some output; the Fourier
    // analysis of the output's last period is short, and changes nothing in the run.
    return text.insert(text.rfind(".end"),
                       ".four " + SpiceNumber(plan.calculatedHz) + " v(" + output + ")\n");
}

std::optional<TuningSetting> SettingNamed(const std::string& name) {
    for (TuningSetting setting : AllTuningSettings) {
        if (name == SettingName(setting)) {
            return setting;
        }
    }
    return std::nullopt;
}

}  // namespace calbrine
