#include "simulation/BatchRounds.h"

#include "simulation/FrequencyEstimate.h"

namespace calbrine {

SettingReport Combine(TuningSetting setting, const JobResult& run) {
    SettingReport report;
    report.setting = setting;
    report.measure = run.measure;
    report.points = run.points;
    report.state = run.state;
    report.seconds = run.seconds;
    report.outputTime = run.keptTime;
    report.outputVolts = run.keptVolts;
    if (run.measure.oscillates && !run.coarse.oscillates) {
        report.measure.oscillates = false;
        report.measure.frequencyHz = 0;
        report.measure.startupSeconds = 0;
        report.measure.observation = "at twice the time step: " + run.coarse.observation;
        return report;
    }
    if (run.measure.oscillates) {
        const FrequencyEstimate estimate =
            ExtrapolateFrequency(run.measure.frequencyHz, run.coarse.frequencyHz);
        report.measure.frequencyHz = estimate.hz;
        report.frequencyErrorHz = estimate.errorHz;
        report.fineRunHz = run.measure.frequencyHz;
        report.coarseRunHz = run.coarse.frequencyHz;
        report.harmonics = run.harmonics;
    }
    return report;
}

int Neighbour(const std::vector<SimulationRequest>& requests, std::size_t r) {
    const int n = requests[r].startsFrom;
    return n >= 0 && static_cast<std::size_t>(n) < requests.size() &&
                   static_cast<std::size_t>(n) != r && requests[n].startsFrom < 0
               ? n
               : -1;
}

std::vector<std::size_t> SecondRound(const std::vector<SimulationRequest>& requests,
                                     const std::vector<std::size_t>& first,
                                     std::vector<SimulationJob>& jobs,
                                     std::vector<PooledResult>& runs) {
    std::vector<std::size_t> round;
    for (std::size_t r = 0; r < requests.size(); ++r) {
        const int n = Neighbour(requests, r);
        const std::size_t count = first[r + 1] - first[r];
        if (n < 0) {
            continue;
        }
        for (std::size_t p = 0; p < count; ++p) {
            const std::size_t k = first[r] + p;
            const std::size_t from = first[n] + p;
            const bool same = p < first[n + 1] - first[n] && runs[from].fate == JobFate::Served &&
                              runs[from].result.outcome == JobResult::Outcome::Done;
            if (same && jobs[k].netlist == jobs[from].netlist &&
                jobs[k].keptPeriods == jobs[from].keptPeriods &&
                jobs[k].spectrum == jobs[from].spectrum) {
                runs[k] = runs[from];
                continue;
            }
            if (same && runs[from].result.measure.oscillates) {
                jobs[k].startState = runs[from].result.state;
            }
            round.push_back(k);
        }
    }
    return round;
}

}  // namespace calbrine
