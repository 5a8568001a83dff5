#include "audio/TimeMap.h"

#include "audio/AudioFormat.h"

#include <cmath>

namespace audio {

namespace {

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Weight of one block in the smoothed difference.
constexpr double Smoothing = 1.0 / 64.0;

} // namespace

void TimeMap::anchor(std::int64_t frame, ClockTime time) {
    m_anchored = true;
    m_anchorFrame = frame;
    m_anchorTime = time;
    m_smoothedError = 0.0;
}

std::int64_t TimeMap::frameAt(ClockTime time) const {
    return m_anchorFrame + floorDiv((time - m_anchorTime).count() * MixRate, 1'000'000);
}

void TimeMap::observe(std::int64_t frame, ClockTime time) {
    if (!m_anchored) {
        anchor(frame, time);
        return;
    }
    const std::int64_t error = frame - frameAt(time);
    if (error > JumpLimitFrames || error < -JumpLimitFrames) {
        m_anchorFrame += error;
        m_smoothedError = 0.0;
        return;
    }
    m_smoothedError += (static_cast<double>(error) - m_smoothedError) * Smoothing;
    if (std::fabs(m_smoothedError) > DriftLimitFrames) {
        m_anchorFrame += std::llround(m_smoothedError);
        m_smoothedError = 0.0;
    }
}

} // namespace audio
