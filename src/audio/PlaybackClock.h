// The clock the playback worker schedules by, and its timed wait: the audio
// output's clock in normal use, a hand-driven clock in tests, so that the
// scheduler can be tested without waiting in real time.
#pragma once

#include "audio/Clock.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

namespace audio {

class PlaybackClock {
public:
    virtual ~PlaybackClock() = default;
    virtual ClockTime now() const = 0;
    // Blocks the worker until now() reaches due or woken() holds. lock is
    // locked on entry and exit and guards woken()'s state; whoever changes
    // that state notifies cv while holding lock's mutex.
    virtual void waitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                           ClockTime due, const std::function<bool()>& woken) = 0;
    // A run is about to start (called on the starting thread) / its worker
    // has finished; a test clock uses them to know when the worker is idle.
    virtual void runStarting() {}
    virtual void runEnded() {}
};

// Waits on the steady clock, measuring the distance to the due time on the
// audio output's clock (which stamps the voices).
class OutputPlaybackClock final : public PlaybackClock {
public:
    explicit OutputPlaybackClock(std::shared_ptr<Clock> clock) : m_clock(std::move(clock)) {}

    ClockTime now() const override { return m_clock->now(); }
    void waitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv, ClockTime due,
                   const std::function<bool()>& woken) override;

private:
    std::shared_ptr<Clock> m_clock;
};

} // namespace audio
