#include "audio/Clock.h"

namespace audio {

ClockTime SystemClock::now() const {
    return std::chrono::duration_cast<ClockTime>(
        std::chrono::steady_clock::now().time_since_epoch());
}

std::shared_ptr<Clock> systemClock() {
    static const std::shared_ptr<Clock> clock = std::make_shared<SystemClock>();
    return clock;
}

} // namespace audio
