// What rendering reads from: a stream that delivers a sample's data in its
// StreamFormat until it has no data left. Decoding streams and offline
// pitch streams are sample sources.
#pragma once

#include "audio/AudioFormat.h"

#include <cstddef>
#include <span>

namespace audio {

class SampleSource {
public:
    virtual ~SampleSource() = default;

    virtual StreamFormat format() const = 0;
    // Interleaved float frames (-1..1 full scale) after all processing;
    // whole frames only. Returns the frames delivered, 0 at the end.
    virtual std::size_t readFrames(std::span<float> out) = 0;
    // True while data remains.
    virtual bool hasData() const = 0;

    // The same data in the stream's format (16-bit signed or 8-bit unsigned,
    // little-endian), whole frames only. Returns the bytes delivered.
    std::size_t read(std::span<std::byte> out);
};

} // namespace audio
