// What a mixer channel plays: a source of stereo float frames at the mix
// rate. pull() and restart() run on the audio thread only, so they must not
// lock, allocate, free or touch files.
#pragma once

#include <cstddef>
#include <cstdint>

namespace audio {

// A channel's read position inside its source (32.32 fixed-point frames for
// in-memory images; feeds keep their own position).
struct SourceCursor {
    std::uint64_t position = 0;
};

class MixSource {
public:
    virtual ~MixSource() = default;

    struct Pulled {
        std::size_t frames = 0; // frames written to stereo
        bool ended = false;     // no data will follow
    };
    // Writes up to frames stereo frames (left, right) to stereo.
    virtual Pulled pull(SourceCursor& cursor, float* stereo, std::size_t frames) = 0;
    // Back to the first frame.
    virtual void restart(SourceCursor& cursor) = 0;
};

} // namespace audio
