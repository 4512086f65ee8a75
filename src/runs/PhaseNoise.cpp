#include "runs/PhaseNoise.h"

#include <cmath>

#include "design/Tuning.h"

namespace calbrine {

float LeesonDbcPerHz(const LeesonInputs& in, float offsetHz) {
    const float noiseFactor = std::pow(10.0f, in.noiseFigureDb / 10);
    const float floor = noiseFactor * BoltzmannJPerK * NoiseTemperatureK / in.tankPowerW;
    const float halfBandwidth = in.f0Hz / (2 * in.loadedQ * offsetHz);
    const float flicker = 1 + in.flickerHz / offsetHz;
    return 10 * std::log10(0.5f * floor * (1 + halfBandwidth * halfBandwidth) * flicker);
}

std::vector<PhaseNoisePoint> LeesonCurve(const LeesonInputs& in, float fromHz, float toHz,
                                         int perDecade) {
    std::vector<PhaseNoisePoint> curve;
    if (!(fromHz > 0) || !(toHz >= fromHz) || perDecade < 1) {
        return curve;
    }
    const float firstDecade = std::log10(fromHz);
    const float decades = std::log10(toHz) - firstDecade;
    const int steps = static_cast<int>(std::lround(decades * static_cast<float>(perDecade)));
    for (int i = 0; i <= steps; ++i) {
        const float exponent = firstDecade + static_cast<float>(i) / static_cast<float>(perDecade);
        const float offset = i == steps ? toHz : std::pow(10.0f, exponent);
        curve.push_back({offset, LeesonDbcPerHz(in, offset)});
    }
    return curve;
}

float ReciprocalMixingDb(const LeesonInputs& in, float offsetHz, float bandwidthHz) {
    return -LeesonDbcPerHz(in, offsetHz) - 10 * std::log10(bandwidthHz);
}

float LoadedQ(double f0Hz, double decaySeconds) {
    return SinglePi * static_cast<float>(f0Hz) * static_cast<float>(decaySeconds);
}

float TankPower(double f0Hz, float coilHenry, double peakAmps, float loadedQ) {
    const float amps = static_cast<float>(peakAmps);
    const float energy = 0.5f * coilHenry * amps * amps;
    return 2 * SinglePi * static_cast<float>(f0Hz) * energy / loadedQ;
}

}  // namespace calbrine
