// The clock that stamps mixer commands and paces the silent output: the
// system's monotonic clock in normal use, a hand-driven clock in tests.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>

namespace audio {

// A reading of a Clock: microseconds since the clock's own epoch.
using ClockTime = std::chrono::microseconds;

class Clock {
public:
    virtual ~Clock() = default;
    // Must be cheap and lock-free: the audio callback reads it.
    virtual ClockTime now() const = 0;
};

// std::chrono::steady_clock at microsecond precision.
class SystemClock final : public Clock {
public:
    ClockTime now() const override;
};

// A clock that moves only when told to; safe to read from any thread.
class ManualClock final : public Clock {
public:
    explicit ManualClock(ClockTime start = ClockTime{1'000'000}) : m_now(start.count()) {}

    ClockTime now() const override { return ClockTime{m_now.load(std::memory_order_acquire)}; }
    void set(ClockTime t) { m_now.store(t.count(), std::memory_order_release); }
    void advance(ClockTime d) { m_now.fetch_add(d.count(), std::memory_order_acq_rel); }

private:
    std::atomic<std::int64_t> m_now;
};

// The process-wide system clock.
std::shared_ptr<Clock> systemClock();

// Whole milliseconds of a clock reading, for callers that count in ms.
constexpr std::int64_t toMilliseconds(ClockTime t) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(t).count();
}

} // namespace audio
