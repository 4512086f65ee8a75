// The drift with temperature simulated: every part with its temperature coefficient and the
// transistor at the simulated temperature, at 15, 25 and 35 degC, beside the calculated drift
// of the parts alone. The difference is the transistor's share, which no calculation sees.
#pragma once

#include <array>
#include <atomic>
#include <string>

#include "analysis/Parts.h"
#include "analysis/ReportTable.h"
#include "design/DesignRecord.h"
#include "simulation/Simulator.h"

namespace calbrine {

constexpr std::array<double, 3> DriftTemperaturesC{15, 25, 35};

struct SettingDrift {
    TuningSetting setting = TuningSetting::VfoMin;
    double calculatedHzPerC = 0;          // the parts' coefficients alone
    std::array<double, 3> simulatedHz{};  // at DriftTemperaturesC
    std::array<double, 3> errorHz{};      // the engine's error bar of each
    bool oscillates = false;              // at every temperature
    double simulatedHzPerC = 0;           // (f(35 degC) - f(15 degC)) / 20
    double TransistorHzPerC() const { return simulatedHzPerC - calculatedHzPerC; }
};

struct SimulatedDriftOutcome : RunStatus {
    std::array<SettingDrift, 2> settings;  // VfoMin, VfoMax
};

// The calculated drift at a setting, in Hz/degC: the resonance's sensitivity to each part
// times its coefficient.
double CalculatedDrift(const DesignRecord& design, const PartSettings& settings,
                       TuningSetting setting);

// The circuit's conditions at `temperatureC` with the coefficients of `settings`.
CircuitConditions DriftConditions(const PartSettings& settings, double temperatureC);

SimulatedDriftOutcome SimulateDrift(const DesignRecord& design, const PartSettings& settings,
                                    const Simulator& simulator, const SimulationProgress& progress,
                                    const std::atomic<bool>* cancel = nullptr);

// Setting, Calculated, Simulated, Transistor (Hz/degC), and the frequency at each
// temperature; CSV setting, calculated_hz_per_c, simulated_hz_per_c.
ReportTable SimulatedDriftTable(const SimulatedDriftOutcome& outcome);
// A heading line, the table and a line saying what the transistor's share is.
std::string SimulatedDriftReport(const SimulatedDriftOutcome& outcome);

}  // namespace calbrine
