// Maps clock readings to output frames, so that commands stamped with the
// clock land on the frame that corresponds to their stamp.
//
// The map is anchored at the first rendered block. A device clock and the
// system clock drift apart (crystal tolerance, tens of ppm); each block
// compares where the device is with where the map says it should be, and
// when the smoothed difference passes DriftLimit the anchor moves by it in
// one step. Between such steps, stamps d microseconds apart map exactly
// d * 44100 / 1e6 frames apart.
#pragma once

#include "audio/Clock.h"

#include <cstdint>

namespace audio {

class TimeMap {
public:
    // Smoothed device/clock difference that moves the anchor (2 ms).
    static constexpr std::int64_t DriftLimitFrames = 88;
    // A single difference this large (a stall or a restarted device) moves
    // the anchor at once (100 ms).
    static constexpr std::int64_t JumpLimitFrames = 4410;

    bool anchored() const { return m_anchored; }
    void reset() { m_anchored = false; }
    void anchor(std::int64_t frame, ClockTime time);
    // Called once per block with the block's first frame and the clock
    // reading for it.
    void observe(std::int64_t frame, ClockTime time);
    // The frame playing at a clock reading (rounded down).
    std::int64_t frameAt(ClockTime time) const;

private:
    bool m_anchored = false;
    std::int64_t m_anchorFrame = 0;
    ClockTime m_anchorTime{0};
    double m_smoothedError = 0.0;
};

} // namespace audio
