// How good the oscillator is at each setting, by simulation: how far it moves when the supply
// changes (pushing) or the next stage loads its output (pulling), and its phase noise by
// Leeson's model from the resonator's loaded Q and power, both measured by simulation.
//
// Each setting is first simulated as usual until settled. From that state, runs at fixed time
// steps (every step at the planned largest, the same in every run) of the circuit as set, with
// the supply 0.5 V above and below, and with the load: their step errors are the same and cancel
// in the differences, which are some ppm. And a ring-down: the supply stepped to 0 V, the decay
// of the current through L7 once the transistor is off gives the loaded Q. Beside them, runs
// from the supply's step with L7's Q lowered find the lowest at which it still starts.
#pragma once

#include <array>
#include <atomic>
#include <optional>

#include "analysis/ReportTable.h"
#include "design/DesignRecord.h"
#include "runs/PhaseNoise.h"
#include "simulation/Simulator.h"

namespace calbrine {

constexpr double PushingVolts = 0.5;  // the supply is moved by this, up and down
// Each fixed-step run's length, in periods of the calculated frequency: the bias settles
// after the supply's change, and the last FixedStepMeasuredPeriods are measured.
constexpr int FixedStepPeriods = 800;
// A ring-down stops once its decay is measured, at the latest after this many periods.
constexpr int LongestRingDownPeriods = 600;

// What an option of the report takes, and what it wants when it is refused: the command line's
// options and the explorer's boxes read them alike.
struct QualityOptionLimit {
    double low, high;
    const char* wants;
};
constexpr QualityOptionLimit LoadLimit{1, 1e9, "a resistance of 1 to 1G ohm"};
constexpr QualityOptionLimit NoiseFigureLimit{0, 40, "a noise figure of 0 to 40 dB"};
constexpr QualityOptionLimit FlickerLimit{0, 1e7, "a flicker corner of 0 to 10M Hz"};
constexpr QualityOptionLimit BandwidthLimit{1, 1e6, "a bandwidth of 1 to 1M Hz"};

struct QualityOptions {
    double loadOhms = 1000;  // from the output to ground, for the pulling
    float noiseFigureDb = 6;
    float flickerHz = 1e3f;
    float bandwidthHz = 2.4e3f;  // the receiver's, for the reciprocal mixing
    std::vector<TuningSetting> settings{AllTuningSettings.begin(), AllTuningSettings.end()};
};

struct SettingQuality {
    TuningSetting setting = TuningSetting::VfoMin;
    bool oscillates = false;  // settled; without it every figure below is absent
    double simulatedHz = 0;   // the settled frequency, extrapolated as `simulate` gives it
    // The lowest Q of L7 at which it starts (StartupSearch), and the set Q over it (absent for
    // the ideal coil).
    std::optional<double> minCoilQ;
    std::optional<double> startupMargin;
    std::optional<double> pushingHzPerV;
    std::optional<double> pullingHz;  // with the load, less without
    double coilPeakAmps = 0;          // through L7 in the settled oscillation
    // Absent when the ring-down gave no decay (it never fell by FittedTimeConstants).
    std::optional<LeesonInputs> leeson;
    std::array<float, 4> phaseNoiseDbc{};  // at PhaseNoiseOffsetsHz, with `leeson`
    std::array<float, 2> rmdrDb{};         // at RmdrOffsetsHz, with `leeson`
};

struct QualityOutcome : RunStatus {
    double coilQ = 0;
    QualityOptions options;
    std::vector<SettingQuality> settings;  // those of the options, in their order
};

// The jobs of one oscillating setting from its settled state, in this order: the circuit as
// set, the supply up, the supply down, with the load (FixedStep), the ring-down (RingDown).
std::vector<SimulationJob> QualityJobs(const DesignRecord& design, TuningSetting setting,
                                       double coilQ, double loadOhms,
                                       const std::vector<double>& settledState);

QualityOutcome SimulateQuality(const DesignRecord& design, double coilQ,
                               const QualityOptions& options, const Simulator& simulator,
                               const SimulationProgress& progress,
                               const std::atomic<bool>* cancel = nullptr);

// Setting, Simulated, Lowest Q, Margin, Pushing, Pulling, Loaded Q, Tank power, the phase
// noise at each offset, the RMDR at each, and L7's peak current (text only); CSV setting,
// simulated_hz, min_coil_q, startup_margin, pushing_hz_per_v, pulling_hz, loaded_q,
// tank_power_w, pn_100hz_dbc ... pn_100khz_dbc, rmdr_2khz_db, rmdr_20khz_db. A figure that
// was not found is an empty cell.
ReportTable QualityTable(const QualityOutcome& outcome);
// What the figures assume, the table, and a line for each setting that does not oscillate.
std::string QualityReport(const QualityOutcome& outcome);

}  // namespace calbrine
