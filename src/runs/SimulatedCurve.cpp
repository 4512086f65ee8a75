#include "runs/SimulatedCurve.h"

#include <algorithm>

#include "analysis/ReportText.h"
#include "analysis/Reports.h"
#include "design/Tuning.h"
#include "simulation/SimulationText.h"

namespace calbrine {

bool SimulatedCurveOutcome::Complete() const {
    return Succeeded() && !points.empty() &&
           std::all_of(points.begin(), points.end(),
                       [](const SimulatedCurvePoint& p) { return p.oscillates; });
}

SimulatedCurveOutcome SimulateCurve(const DesignRecord& design, int steps, double coilQ,
                                    const Simulator& simulator, const SimulationProgress& progress,
                                    const std::atomic<bool>* cancel) {
    const std::vector<CurvePoint> curve = TuningCurve(design, steps);
    const float cfine = WithNominalFine(design).CfineNom;
    SimulationRequest request(design);
    for (const CurvePoint& p : curve) {
        request.points.push_back({cfine, p.ccoarse});
    }
    request.details = false;
    request.conditions.coilQ = coilQ;
    const SimulationOutcome run = simulator.Run(request, progress, cancel);
    SimulatedCurveOutcome outcome;
    outcome.failure = run.failure;
    outcome.message = run.message;
    if (!run.Succeeded()) {
        return outcome;
    }
    for (const SettingReport& s : run.report.settings) {
        SimulatedCurvePoint& p = outcome.points.emplace_back();
        p.ccoarse = s.capacitors.ccoarse;
        p.calculatedHz = s.calculatedHz;
        p.oscillates = s.measure.oscillates;
        p.simulatedHz = s.measure.oscillates ? s.measure.frequencyHz : 0;
        p.errorHz = s.frequencyErrorHz;
        p.observation = s.measure.observation;
    }
    return outcome;
}

VfoCurve SimulatedVfo(const DesignRecord& design, const SimulatedCurveOutcome& curve) {
    std::vector<std::pair<double, double>> ratios;  // C38, simulated / calculated
    for (const SimulatedCurvePoint& p : curve.points) {
        ratios.emplace_back(p.ccoarse, p.simulatedHz / p.calculatedHz);
    }
    std::sort(ratios.begin(), ratios.end());
    const VfoCurve calculated = CalculatedVfo(design);
    return [ratios, calculated](double c) {
        if (ratios.empty()) {
            return calculated(c);
        }
        auto next = std::lower_bound(ratios.begin(), ratios.end(), std::make_pair(c, -1.0));
        double ratio = 0;
        if (next == ratios.begin()) {
            ratio = next->second;
        } else if (next == ratios.end()) {
            ratio = ratios.back().second;
        } else {
            const auto before = std::prev(next);
            const double t = (c - before->first) / (next->first - before->first);
            ratio = before->second + t * (next->second - before->second);
        }
        return calculated(c) * ratio;
    };
}

ReportTable SimulatedDialTable(const DesignRecord& design, int steps,
                               const SimulatedCurveOutcome& curve) {
    ReportTable table = DialTable(design, steps);
    table.columns.push_back({"Simulated", "simulated_hz"});
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const bool known = i < curve.points.size() && curve.points[i].oscillates;
        const SimulatedCurvePoint p = known ? curve.points[i] : SimulatedCurvePoint{};
        table.rows[i].push_back(
            known ? TableCell{HertzWithError(p.simulatedHz, p.errorHz), PlainNumber(p.simulatedHz)}
                  : TableCell{"none", ""});
    }
    return table;
}

std::string SimulatedDialReport(const DesignRecord& design, int steps,
                                const SimulatedCurveOutcome& curve) {
    std::string text = DialReport(design, steps);
    const std::string table = DialTable(design, steps).Text();
    text.replace(text.size() - table.size(), table.size(),
                 SimulatedDialTable(design, steps, curve).Text());
    for (const SimulatedCurvePoint& p : curve.points) {
        if (!p.oscillates) {
            text +=
                "C38 = " + CapacitanceText(p.ccoarse) + ": no oscillation: " + p.observation + "\n";
        }
    }
    return text;
}

}  // namespace calbrine
