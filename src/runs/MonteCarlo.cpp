#include "runs/MonteCarlo.h"

#include <algorithm>
#include <random>

namespace calbrine {

namespace {

// Runs simulated as one batch: some 1000 jobs, a few megabytes of netlists at a time.
constexpr int BatchRuns = 250;

// Uniform in [0, 1) with 53 random bits, from two 32-bit draws.
double Uniform(std::mt19937& twister) {
    const double high = static_cast<double>(twister() >> 5);  // 27 bits
    const double low = static_cast<double>(twister() >> 6);   // 26 bits
    return (high * 67108864.0 + low) / 9007199254740992.0;
}

}  // namespace

std::vector<PartFactors> DrawFactors(const PartSettings& settings, int runs, std::uint32_t seed) {
    std::mt19937 twister(seed);
    std::vector<PartFactors> factors(static_cast<std::size_t>(std::max(runs, 0)));
    for (PartFactors& run : factors) {
        for (Part p : AllParts) {
            const double tolerance = settings.Tolerance(p) / 100;
            run[static_cast<std::size_t>(p)] = 1 + tolerance * (2 * Uniform(twister) - 1);
        }
    }
    return factors;
}

DesignRecord DrawnDesign(const DesignRecord& design, const PartFactors& factors) {
    DesignRecord d = design;
    for (Part p : AllParts) {
        d = ScalePart(d, p, factors[static_cast<std::size_t>(p)]);
    }
    return d;
}

MonteCarloOutcome RunMonteCarlo(const DesignRecord& design, const PartSettings& settings, int runs,
                                std::uint32_t seed, const Simulator& simulator,
                                const SimulationProgress& progress,
                                const std::atomic<bool>* cancel) {
    const std::vector<PartFactors> factors = DrawFactors(settings, runs, seed);
    const double coilQ = settings.coilQ;
    MonteCarloOutcome outcome;
    for (std::size_t first = 0; first < factors.size(); first += BatchRuns) {
        const std::size_t last = std::min(factors.size(), first + BatchRuns);
        const std::vector<TuningSetting> settings(MonteCarloSettings.begin(),
                                                  MonteCarloSettings.end());
        // The nominal design first, from the supply's step: every run starts from its settled
        // state once its own short start has shown that it starts.
        std::vector<SimulationRequest> requests{SimulationRequest(design, settings)};
        requests[0].label = "the nominal design";
        requests[0].details = false;
        requests[0].conditions.coilQ = coilQ;
        for (std::size_t r = first; r < last; ++r) {
            SimulationRequest& request =
                requests.emplace_back(DrawnDesign(design, factors[r]), settings);
            request.label = "run " + std::to_string(r + 1);
            request.details = false;
            request.conditions.coilQ = coilQ;
            request.startsFrom = 0;
        }
        const SimulationProgress overall = [&](double fraction, const std::string& phase) {
            if (progress && phase != "done") {
                progress((first + fraction * (last - first)) / factors.size(), phase);
            }
        };
        BatchOutcome batch = simulator.RunBatch(requests, overall, cancel);
        if (!batch.Succeeded()) {
            outcome.failure = batch.failure;
            outcome.message = batch.message;
            outcome.runs.clear();
            return outcome;
        }
        for (std::size_t r = first; r < last; ++r) {
            MonteCarloRun& run = outcome.runs.emplace_back();
            run.factors = factors[r];
            const std::vector<SettingReport>& reports = batch.reports[r - first + 1].settings;
            std::copy(reports.begin(), reports.end(), run.settings.begin());
        }
    }
    if (progress) {
        progress(1.0, "done");
    }
    return outcome;
}

}  // namespace calbrine
