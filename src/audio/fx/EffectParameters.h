// Parameter records of the five effects a sample can be rendered with. The
// fields, units, ranges and starting values are those of the drumset's effect
// records, so mapping one onto the other is field by field.
#pragma once

#include <cstdint>
#include <variant>

namespace audio::fx {

struct ReverbParameters {
    float inGainDb = 0.0f;          // -96..0
    float reverbMixDb = 0.0f;       // -96..0, level of the reverberated signal
    float reverbTimeMs = 1000.0f;   // 1..3000, time to decay by 60 dB
    float highFreqRtRatio = 0.001f; // 0.001..0.999, high-frequency time / reverbTimeMs
};

struct DistortionParameters {
    float gainDb = 0.0f;                // -60..0
    float edgePercent = 50.0f;          // 0..100
    float postEqCenterHz = 4000.0f;     // 100..8000
    float postEqBandwidthHz = 4000.0f;  // 100..8000
    float preLowpassCutoffHz = 4000.0f; // 100..8000
};

enum class GargleWave : std::uint32_t { Triangle = 0, Square = 1 };

struct GargleParameters {
    std::uint32_t rateHz = 500; // 1..1000
    GargleWave waveShape = GargleWave::Triangle;
};

struct CompressorParameters {
    float gainDb = 0.0f;        // -60..60, applied after compression
    float attackMs = 0.01f;     // 0.01..500
    float releaseMs = 50.0f;    // 50..3000
    float thresholdDb = -10.0f; // -60..0
    float ratio = 10.0f;        // 1..100
    float predelayMs = 0.0f;    // 0..4
};

struct EqBandParameters {
    float centerHz = 1000.0f;         // the band's centre
    float bandwidthSemitones = 12.0f; // 1..36
    float gainDb = 0.0f;              // -15..15
};

enum class EffectKind { Compressor, Distortion, Gargle, EqBand, Reverb };

using EffectParameters = std::variant<CompressorParameters, DistortionParameters, GargleParameters,
                                      EqBandParameters, ReverbParameters>;

EffectKind kindOf(const EffectParameters& parameters);
// The record with the starting values for an effect kind.
EffectParameters defaultParameters(EffectKind kind);

} // namespace audio::fx
