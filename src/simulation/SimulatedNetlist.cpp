#include "simulation/SimulatedNetlist.h"

#include <algorithm>
#include <charconv>
#include <tuple>

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

std::vector<std::string> StateVectors(const std::string& netlist) {
    std::vector<std::string> names{node::Base, node::Emitter, node::Tank,
                                   node::Fine, node::Output,  node::Supply};
    if (netlist.find("\nRL7 ") != std::string::npos) {
        names.emplace_back(node::Coil);
    }
    names.emplace_back("l7#branch");
    return names;
}

namespace {

// The line of `text` that starts with `start`, as [begin, end) of its text without "\n".
std::pair<std::size_t, std::size_t> LineStarting(const std::string& text,
                                                 const std::string& start) {
    const std::size_t begin = text.find("\n" + start) + 1;
    return {begin, text.find('\n', begin)};
}

}  // namespace

std::string SavingState(const std::string& netlist) {
    std::string save = ".save";
    for (const std::string& name : StateVectors(netlist)) {
        save += name.find('#') == std::string::npos ? " v(" + name + ")" : " " + name;
    }
    const auto [begin, end] = LineStarting(netlist, ".save ");
    return netlist.substr(0, begin) + save + netlist.substr(end);
}

std::string WithStepFactor(const std::string& netlist, int stepFactor) {
    std::string text = netlist;
    // ".tran STEP STOP 0 STEP", the step scaled.
    const auto [begin, end] = LineStarting(text, ".tran ");
    const std::size_t stop = text.find(' ', begin + 6) + 1;
    double step = 0;  // read as ngspice reads it, whatever the locale
    std::from_chars(text.data() + begin + 6, text.data() + stop - 1, step);
    step *= stepFactor;
    const std::string stopTime = text.substr(stop, text.find(' ', stop) - stop);
    return text.replace(begin, end - begin,
                        ".tran " + SpiceNumber(step) + " " + stopTime + " 0 " + SpiceNumber(step));
}

std::string RestartNetlist(const std::string& netlist, const std::vector<double>& state,
                           int stepFactor) {
    std::string text = WithStepFactor(netlist, stepFactor);
    // The supply at its final value: "V1 supply 0 PWL(0 0 RISE VOLTS)" becomes
    // "V1 supply 0 VOLTS".
    auto [begin, end] = LineStarting(text, "V1 ");
    const std::size_t pwl = text.find(" PWL(", begin);
    const std::size_t volts = text.rfind(' ', end - 1);
    text.replace(pwl, end - pwl, " " + text.substr(volts + 1, end - 2 - volts));
    std::tie(begin, end) = LineStarting(text, "L7 ");
    text.insert(end, " ic=" + SpiceNumber(state.back()));
    // ngspice takes the initial state as set instead of seeking an operating point.
    std::tie(begin, end) = LineStarting(text, ".tran ");
    text.insert(end, " uic");
    std::string ic = ".ic";
    const std::vector<std::string> names = StateVectors(netlist);
    for (std::size_t i = 0; i + 1 < names.size(); ++i) {
        ic += " v(" + names[i] + ")=" + SpiceNumber(state[i]);
    }
    return text.insert(text.rfind(".end"), ic + "\n");
}

std::string SupplyMovedFrom(const std::string& netlist, const std::vector<double>& state,
                            double volts) {
    // "V1 supply 0 PWL(0 0 RISE VOLTS)" becomes "V1 supply 0 PWL(0 NOW RISE VOLTS)".
    const auto [begin, end] = LineStarting(netlist, "V1 ");
    const std::size_t rise = netlist.find(" PWL(0 0 ", begin) + 9;
    const std::string riseTime = netlist.substr(rise, netlist.find(' ', rise) - rise);
    const std::vector<std::string> names = StateVectors(netlist);
    const auto supply = std::find(names.begin(), names.end(), node::Supply) - names.begin();
    const std::string now = SpiceNumber(state[static_cast<std::size_t>(supply)]);
    std::string text = RestartNetlist(netlist, state, 1);
    const auto [from, to] = LineStarting(text, "V1 ");
    const std::size_t pwl = text.rfind(' ', to - 1);
    return text.replace(pwl, to - pwl,
                        " PWL(0 " + now + " " + riseTime + " " + SpiceNumber(volts) + ")");
}

std::string WithLoad(const std::string& netlist, double ohms) {
    std::string text = netlist;
    return text.insert(text.rfind("\n.end") + 1,
                       "RLOAD " + std::string(node::Output) + " 0 " + SpiceNumber(ohms) + "\n");
}

std::string WithFixedStep(const std::string& netlist) {
    std::string text = netlist;
    return text.insert(text.rfind("\n.end") + 1, ".options trtol=1e9\n");
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
