#include "audio/PlaybackClock.h"

namespace audio {

void OutputPlaybackClock::waitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                                    ClockTime due, const std::function<bool()>& woken) {
    while (!woken()) {
        const ClockTime left = due - m_clock->now();
        if (left <= ClockTime::zero())
            return;
        cv.wait_until(lock, std::chrono::steady_clock::now() + left);
    }
}

} // namespace audio
