// A mixer source filled ahead of time by another thread (a preview's pitch
// shifter). When it runs dry before the producer has finished, the channel
// plays silence and keeps going; once the producer has finished and the ring
// is empty, the channel ends.
#pragma once

#include "audio/FrameRing.h"
#include "audio/MixSource.h"

#include <algorithm>
#include <atomic>

namespace audio {

class FeedSource final : public MixSource {
public:
    explicit FeedSource(std::size_t capacityFrames) : m_ring(capacityFrames) {}

    FrameRing& ring() { return m_ring; }
    // Producer side: no frames will follow.
    void finish() { m_finished.store(true, std::memory_order_release); }
    bool finished() const { return m_finished.load(std::memory_order_acquire); }
    // Frames the consumer missed because the ring was empty.
    std::size_t underrunFrames() const { return m_underrun.load(std::memory_order_relaxed); }

    Pulled pull(SourceCursor&, float* stereo, std::size_t frames) override {
        std::size_t got = m_ring.read(stereo, frames);
        if (got == frames)
            return {got, false};
        if (finished()) {
            // Frames written before finish() are visible now.
            got += m_ring.read(stereo + 2 * got, frames - got);
            return {got, got < frames};
        }
        std::fill(stereo + 2 * got, stereo + 2 * frames, 0.0f);
        m_underrun.fetch_add(frames - got, std::memory_order_relaxed);
        return {frames, false};
    }
    void restart(SourceCursor&) override {}

private:
    FrameRing m_ring;
    std::atomic<bool> m_finished{false};
    std::atomic<std::size_t> m_underrun{0};
};

} // namespace audio
