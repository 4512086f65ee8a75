#include "runs/SimulatedDrift.h"

#include "analysis/Drift.h"
#include "analysis/ReportText.h"
#include "analysis/Reports.h"
#include "design/Tuning.h"
#include "simulation/SimulationText.h"

namespace calbrine {

namespace {

constexpr std::array<TuningSetting, 2> DriftSettings{TuningSetting::VfoMin, TuningSetting::VfoMax};

// The circuit's name of a part: the tuning capacitors are D9 and C38 on the drawings and
// Cfine and Ccoarse in the circuit.
std::string CircuitName(Part part) {
    switch (part) {
        case Part::D9:
            return "Cfine";
        case Part::C38:
            return "Ccoarse";
        default:
            return PartName(part);
    }
}

std::string Temperature(double c) {
    return PlainNumber(c, 6) + " degC";
}

}  // namespace

double CalculatedDrift(const DesignRecord& design, const PartSettings& settings,
                       TuningSetting setting) {
    const TuningCapacitors c = SettingCapacitors(design, setting);
    const auto sensitivity = Sensitivities(design, c.cfine, c.ccoarse);
    const double hz = CalculatedFrequency(design, setting);
    double ppm = 0;
    for (Part p : AllParts) {
        ppm += sensitivity[static_cast<std::size_t>(p)] * settings.Tc(p);
    }
    return hz * ppm * 1e-6;
}

CircuitConditions DriftConditions(const PartSettings& settings, double temperatureC) {
    CircuitConditions conditions;
    conditions.temperatureC = temperatureC;
    conditions.coilQ = settings.coilQ;
    for (Part p : AllParts) {
        if (settings.Tc(p) != 0) {
            conditions.tcPpm.emplace_back(CircuitName(p), settings.Tc(p));
        }
    }
    return conditions;
}

SimulatedDriftOutcome SimulateDrift(const DesignRecord& design, const PartSettings& settings,
                                    const Simulator& simulator, const SimulationProgress& progress,
                                    const std::atomic<bool>* cancel) {
    std::vector<SimulationRequest> requests;
    for (double t : DriftTemperaturesC) {
        SimulationRequest& request = requests.emplace_back(
            design, std::vector<TuningSetting>(DriftSettings.begin(), DriftSettings.end()));
        request.conditions = DriftConditions(settings, t);
        request.label = "at " + Temperature(t);
        request.details = false;
    }
    // Every temperature from the supply's step, as the others: the drift is a difference of
    // frequencies, and runs made alike leave alike what their stopping leaves (a few ppm).
    const BatchOutcome batch = simulator.RunBatch(requests, progress, cancel);
    SimulatedDriftOutcome outcome;
    outcome.failure = batch.failure;
    outcome.message = batch.message;
    if (!batch.Succeeded()) {
        return outcome;
    }
    for (std::size_t s = 0; s < DriftSettings.size(); ++s) {
        SettingDrift& drift = outcome.settings[s];
        drift.setting = DriftSettings[s];
        drift.calculatedHzPerC = CalculatedDrift(design, settings, drift.setting);
        drift.oscillates = true;
        for (std::size_t t = 0; t < DriftTemperaturesC.size(); ++t) {
            const SettingReport& report = batch.reports[t].settings[s];
            drift.oscillates = drift.oscillates && report.measure.oscillates;
            drift.simulatedHz[t] = report.measure.frequencyHz;
            drift.errorHz[t] = report.frequencyErrorHz;
        }
        const double span = DriftTemperaturesC.back() - DriftTemperaturesC.front();
        drift.simulatedHzPerC =
            drift.oscillates ? (drift.simulatedHz.back() - drift.simulatedHz.front()) / span : 0;
    }
    return outcome;
}

ReportTable SimulatedDriftTable(const SimulatedDriftOutcome& outcome) {
    ReportTable table;
    table.columns = {{"Setting", "setting"},
                     {"Calculated", "calculated_hz_per_c"},
                     {"Simulated", "simulated_hz_per_c"},
                     {"Transistor", ""}};
    for (double t : DriftTemperaturesC) {
        table.columns.push_back({"At " + Temperature(t), ""});
    }
    for (const SettingDrift& d : outcome.settings) {
        const std::string name = SettingName(d.setting);
        std::vector<TableCell> row{
            {name, name},
            {DriftRateText(d.calculatedHzPerC), PlainNumber(d.calculatedHzPerC)},
            {d.oscillates ? DriftRateText(d.simulatedHzPerC) : "none",
             d.oscillates ? PlainNumber(d.simulatedHzPerC) : ""},
            {d.oscillates ? DriftRateText(d.TransistorHzPerC()) : "", ""}};
        for (std::size_t t = 0; t < DriftTemperaturesC.size(); ++t) {
            row.push_back(
                {d.simulatedHz[t] > 0 ? HertzWithError(d.simulatedHz[t], d.errorHz[t]) : "none",
                 ""});
        }
        table.rows.push_back(row);
    }
    return table;
}

std::string SimulatedDriftReport(const SimulatedDriftOutcome& outcome) {
    return "Drift in Hz/degC, simulated at 15, 25 and 35 degC with every part's coefficient and "
           "the transistor at that temperature, beside the parts alone as calculated\n\n" +
           SimulatedDriftTable(outcome).Text() +
           "Transistor: the simulated drift less the calculated, the share of the transistor "
           "(its capacitances and gain) that the calculation leaves out.\n";
}

}  // namespace calbrine
