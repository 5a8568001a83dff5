// Parameter records of the five effects a drumset item can apply when its
// sample is rendered: reverb, distortion, gargle, compressor and an
// eight-band equaliser. Field names follow the drumset file's attributes;
// initial values are those the drumset editor starts its controls with.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

struct TReverbParams {
    float fInGain = 0.0f;            // dB, -96..0
    float fReverbMix = 0.0f;         // dB, -96..0
    float fReverbTime = 1000.0f;     // ms, 1..3000
    float fHighFreqRTRatio = 0.001f; // 0.001..0.999

    friend bool operator==(const TReverbParams&, const TReverbParams&) = default;
};

struct TDistortionParams {
    float fGain = 0.0f;                     // dB, -60..0
    float fEdge = 50.0f;                    // percent, 0..100
    float fPostEQCenterFrequency = 4000.0f; // Hz, 100..8000
    float fPostEQBandwidth = 4000.0f;       // Hz, 100..8000
    float fPreLowpassCutoff = 4000.0f;      // Hz, 100..8000

    friend bool operator==(const TDistortionParams&, const TDistortionParams&) = default;
};

static constexpr uint32_t GargleTriangleWave = 0;
static constexpr uint32_t GargleSquareWave = 1;

struct TGargleParams {
    uint32_t dwRateHz = 500; // 1..1000
    uint32_t dwWaveShape = GargleTriangleWave;

    friend bool operator==(const TGargleParams&, const TGargleParams&) = default;
};

struct TCompressorParams {
    float fGain = 0.0f;        // dB, -60..60
    float fAttack = 0.01f;     // ms, 0.01..500 (the audio library refuses 0)
    float fRelease = 50.0f;    // ms, 50..3000
    float fThreshold = -10.0f; // dB, -60..0
    float fRatio = 10.0f;      // 1..100
    float fPredelay = 0.0f;    // ms, 0..4

    friend bool operator==(const TCompressorParams&, const TCompressorParams&) = default;
};

struct TEQBand {
    float fCenter = 0.0f;     // Hz, fixed per band
    float fBandwidth = 12.0f; // semitones, always 12
    float fGain = 0.0f;       // dB, -15..15

    friend bool operator==(const TEQBand&, const TEQBand&) = default;
};

static constexpr std::size_t EQBandCount = 8;
using TEQBands = std::array<TEQBand, EQBandCount>;

static constexpr std::array<float, EQBandCount> EQBandCenters = {
    100.0f, 200.0f, 400.0f, 800.0f, 1600.0f, 3200.0f, 6400.0f, 12800.0f};
static constexpr float EQBandwidth = 12.0f;

// Eight flat bands on their fixed centres.
inline TEQBands flatEQBands() {
    TEQBands bands{};
    for (std::size_t i = 0; i < EQBandCount; ++i) {
        bands[i].fCenter = EQBandCenters[i];
        bands[i].fBandwidth = EQBandwidth;
        bands[i].fGain = 0.0f;
    }
    return bands;
}
