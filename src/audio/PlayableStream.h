// A stream the mixer plays: a voice over a rendered image or a preview. All
// commands are stamped with the clock (now, or the given time) and act
// ScheduleLatency after their stamp (see Mixer).
#pragma once

#include "audio/Mixer.h"

#include <chrono>
#include <memory>
#include <optional>

namespace audio {

class PlayableStream {
public:
    virtual ~PlayableStream();
    PlayableStream(const PlayableStream&) = delete;
    PlayableStream& operator=(const PlayableStream&) = delete;

    // From the start when restart, else from where it stopped. Throws
    // AudioError(NotRunning) when no output device runs.
    void play(bool restart = true, std::optional<ClockTime> at = std::nullopt);
    void stop(std::optional<ClockTime> at = std::nullopt);
    // Back to the start without changing whether it plays.
    void rewind(std::optional<ClockTime> at = std::nullopt);
    // Sets volume and panning at once; ends a running slide.
    void setLevels(Levels levels, std::optional<ClockTime> at = std::nullopt);
    // Slides to the target over duration; 0 ms sets at once and replaces a
    // running slide.
    void slideLevels(Levels target, std::chrono::milliseconds duration,
                     std::optional<ClockTime> at = std::nullopt);
    // Slides the volume to silence over duration, then stops.
    void fadeOutAndStop(std::chrono::milliseconds duration,
                        std::optional<ClockTime> at = std::nullopt);
    // Makes sure the first play starts without waiting for data.
    virtual void prefill() {}
    // True while data or sound remains of the last play.
    bool isPlaying() const;

protected:
    PlayableStream(std::shared_ptr<Mixer> mixer, std::shared_ptr<MixSource> source);
    // Called before a play command is sent, with the play's restart flag.
    virtual void beforePlay(bool) {}

    Mixer& mixer() { return *m_mixer; }
    Mixer::Channel channel() const { return m_channel; }

private:
    ClockTime stamp(std::optional<ClockTime> at) const { return at ? *at : m_mixer->clock().now(); }

    std::shared_ptr<Mixer> m_mixer; // kept alive by its streams
    Mixer::Channel m_channel;
};

} // namespace audio
