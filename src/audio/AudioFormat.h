// Formats and units shared by the layer: the mixer's fixed output format,
// the sample formats streams deliver, and conversions between them.
#pragma once

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>

namespace audio {

// The mixer always runs at this rate in stereo.
static constexpr int MixRate = 44100;
static constexpr int MixChannels = 2;

// How a stream delivers its data: 16-bit signed little-endian samples, or
// 8-bit unsigned when the source is 8-bit; channels interleaved.
struct StreamFormat {
    int rate = 0;
    int channels = 0;
    bool eightBit = false;

    int bytesPerSample() const { return eightBit ? 1 : 2; }
    int frameBytes() const { return channels * bytesPerSample(); }

    friend bool operator==(const StreamFormat&, const StreamFormat&) = default;
};

// Frames at the mixer's rate for a duration, rounded to the nearest frame.
constexpr std::int64_t mixFramesFor(std::chrono::microseconds d) {
    return (d.count() * MixRate + 500'000) / 1'000'000;
}

inline float sampleFromS16(std::int16_t v) {
    return static_cast<float>(v) * (1.0f / 32768.0f);
}
inline float sampleFromU8(std::uint8_t v) {
    return static_cast<float>(static_cast<int>(v) - 128) * (1.0f / 128.0f);
}

// Rounds to the nearest step and clips to the format's range.
inline std::int16_t sampleToS16(float f) {
    const long v = std::lrint(static_cast<double>(f) * 32768.0);
    return static_cast<std::int16_t>(std::clamp<long>(v, -32768, 32767));
}
inline std::uint8_t sampleToU8(float f) {
    const long v = std::lrint(static_cast<double>(f) * 128.0) + 128;
    return static_cast<std::uint8_t>(std::clamp<long>(v, 0, 255));
}

} // namespace audio
