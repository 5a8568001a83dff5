// A mixer on the silent output with a hand-driven clock and a capture file:
// tests move the clock, which mixes every block that fell due.
#pragma once

#include "SignalTools.h"
#include "audio/AudioOutput.h"
#include "audio/Voice.h"

#include <chrono>
#include <cmath>
#include <memory>

namespace audiotest {

class MixerRig {
public:
    explicit MixerRig(std::size_t blockFrames = 256, audio::Mixer::Config config = {});

    audio::AudioOutput& output() { return m_output; }
    // Moves the clock to ms after the start and mixes what fell due.
    void at(double ms);
    audio::ClockTime time(double ms) const {
        return m_start + audio::ClockTime{static_cast<std::int64_t>(ms * 1000.0)};
    }
    // The frame that plays at ms after the start.
    static std::int64_t frameAt(double ms) {
        return static_cast<std::int64_t>(ms * 1000.0) * 44100 / 1'000'000;
    }
    // Ends the capture and reads it back.
    Sound captured();

    std::unique_ptr<audio::Voice> voice(const Sound& sound, int bits = 16) {
        return std::make_unique<audio::Voice>(m_output, makeImage(sound, bits));
    }

private:
    static audio::AudioOutput::Options options(std::shared_ptr<audio::ManualClock> clock,
                                               std::size_t blockFrames,
                                               audio::Mixer::Config config);

    TempDir m_dir;
    std::shared_ptr<audio::ManualClock> m_clock = std::make_shared<audio::ManualClock>();
    audio::AudioOutput m_output;
    audio::ClockTime m_start;
};

// A short click: one sample at 0.5, then silence.
inline Sound click(double seconds = 0.05, int rate = 44100) {
    Sound s = constant(0.0, seconds, rate);
    s.samples[0] = 0.5f;
    return s;
}

// Indexes where the signal rises above threshold after being at or below it.
std::vector<std::size_t> onsets(const std::vector<float>& x, double threshold);

} // namespace audiotest
