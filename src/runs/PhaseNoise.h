// Phase noise by Leeson's model, an estimate (to a few dB) from a handful of inputs, not a
// measurement: L(fm) = 10 log10[ 1/2 (F k T / Ps) (1 + (f0 / (2 QL fm))^2) (1 + fc / fm) ]
// dBc/Hz, and the reciprocal-mixing dynamic range a receiver of bandwidth B has at an offset.
#pragma once

#include <array>
#include <vector>

namespace calbrine {

constexpr float BoltzmannJPerK = 1.380649e-23f;
constexpr float NoiseTemperatureK = 290;

// The offsets the phase noise is given at, and those of the reciprocal-mixing range (Hz).
constexpr std::array<float, 4> PhaseNoiseOffsetsHz{100, 1e3f, 1e4f, 1e5f};
constexpr std::array<float, 2> RmdrOffsetsHz{2e3f, 2e4f};

struct LeesonInputs {
    float f0Hz = 0;           // the oscillator's frequency
    float loadedQ = 0;        // the resonator's, in the circuit
    float tankPowerW = 0;     // Ps, the power the resonator dissipates at its amplitude
    float noiseFigureDb = 6;  // F, of the transistor stage
    float flickerHz = 1e3f;   // fc, the flicker corner
};

// L(fm) in dBc/Hz at offset `offsetHz`.
float LeesonDbcPerHz(const LeesonInputs& in, float offsetHz);

// The span of offsets the curve is drawn over (Hz), and its points to a decade.
constexpr float CurveFromHz = 10;
constexpr float CurveToHz = 1e6f;
constexpr int CurvePointsPerDecade = 20;

struct PhaseNoisePoint {
    float offsetHz = 0;
    float dbcPerHz = 0;
};
// L(fm) from `fromHz` to `toHz`, `perDecade` offsets to each decade, evenly spaced on a
// logarithmic scale: the decades themselves fall on points, and both ends are points.
std::vector<PhaseNoisePoint> LeesonCurve(const LeesonInputs& in, float fromHz = CurveFromHz,
                                         float toHz = CurveToHz,
                                         int perDecade = CurvePointsPerDecade);
// RMDR = -L(offset) - 10 log10(B), dB.
float ReciprocalMixingDb(const LeesonInputs& in, float offsetHz, float bandwidthHz);

// The loaded Q from the time constant of the decay of the resonator's current: pi f0 tau.
float LoadedQ(double f0Hz, double decaySeconds);
// Ps = 2 pi f0 W / QL with W = 1/2 L Ipk^2, the energy in the coil at its peak current.
float TankPower(double f0Hz, float coilHenry, double peakAmps, float loadedQ);

}  // namespace calbrine
