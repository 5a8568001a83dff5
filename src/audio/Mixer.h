// The mixer: a fixed set of channels mixed to 44100 Hz stereo float.
//
// Control threads (user interface, playback worker, feeder) call the public
// commands; they are serialised by a mutex among themselves and reach the
// audio thread through a bounded lock-free queue. The audio thread, in
// render(), never locks, allocates, frees or touches files: it answers
// through atomics (each channel's last ended play, the last command it took).
// Sources are owned by shared pointers on the control side; a detached or
// replaced source is kept until the audio thread has taken the command that
// let go of it, so the audio thread never frees and never reads freed memory.
//
// Timing: play, stop, rewind, set and slide commands carry a clock stamp.
// The command takes effect at output frame frameAt(stamp) + ScheduleLatency
// (see TimeMap), so commands stamped 10 ms apart act exactly 441 frames
// apart whatever the device's buffer size, as long as a buffer is shorter
// than the latency. A command that arrives too late acts at the start of
// the next block. Attach, detach and stopEverything act at the next block.
#pragma once

#include "audio/Clock.h"
#include "audio/MixSource.h"
#include "audio/SpscQueue.h"
#include "audio/TimeMap.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace audio {

// Volume 0..100 (linear, 100 = unity) and panning -100 (left) .. 100
// (right); an empty field is left as it is.
struct Levels {
    std::optional<int> volume;
    std::optional<int> panning;
};

class Mixer {
public:
    // The constant delay between a command's stamp and its output frame.
    static constexpr ClockTime ScheduleLatency{20'000};
    static constexpr std::int64_t ScheduleLatencyFrames = 882;
    // Frames mixed per inner step.
    static constexpr std::size_t ChunkFrames = 256;

    struct Config {
        std::size_t channels = 4096;
        std::size_t queueCapacity = 16384;
    };

    using Channel = std::uint32_t;

    explicit Mixer(std::shared_ptr<const Clock> clock) : Mixer(std::move(clock), Config{}) {}
    Mixer(std::shared_ptr<const Clock> clock, Config config);
    ~Mixer();
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    const Clock& clock() const { return *m_clock; }

    // --- control side ---
    // Throws AudioError(NoFreeChannel).
    Channel attach(std::shared_ptr<MixSource> source);
    // Stops the channel and gives it another source; its levels stay.
    void replaceSource(Channel channel, std::shared_ptr<MixSource> source);
    void detach(Channel channel);
    // Throws AudioError(NotRunning) when no device renders.
    void play(Channel channel, bool restart, ClockTime stamp);
    void stop(Channel channel, ClockTime stamp);
    void rewind(Channel channel, ClockTime stamp);
    void setLevels(Channel channel, Levels levels, ClockTime stamp);
    // Slides to the target over duration; 0 ms sets at once and ends any
    // running slide. With stopAtEnd the channel stops when the slide ends.
    void slideLevels(Channel channel, Levels target, std::chrono::milliseconds duration,
                     bool stopAtEnd, ClockTime stamp);
    // Ends every channel and every command not yet carried out.
    void stopEverything();
    // True from play until the channel's data, a stop, a fade or
    // stopEverything ends it.
    bool isPlaying(Channel channel) const;

    // --- device side ---
    bool isRendering() const;
    // Before the device's first callback.
    void beginRendering();
    // After the device's last callback: stops everything.
    void endRendering();
    // The audio callback: writes frames stereo frames; time is the clock
    // reading for the first of them.
    void render(float* out, std::size_t frames, ClockTime time);

private:
    struct Command {
        enum class Kind : std::uint8_t {
            Attach,
            Detach,
            StopEverything, // the kinds above act at once
            Play,
            Stop,
            Rewind,
            Set,
            Slide,
        };
        Kind kind = Kind::Play;
        bool restart = false;
        bool stopAtEnd = false;
        bool hasVolume = false;
        bool hasPanning = false;
        Channel channel = 0;
        std::uint64_t seq = 0;
        ClockTime stamp{0};
        std::int64_t slideFrames = 0;
        float volume = 1.0f;
        float panning = 0.0f;
        MixSource* source = nullptr;
    };
    struct Pending {
        std::int64_t frame;
        Command command;
    };
    struct ChannelState {
        MixSource* source = nullptr;
        SourceCursor cursor;
        bool playing = false;
        std::uint64_t playSeq = 0;
        std::size_t activeIndex = 0;
        float volume = 1.0f;
        float panning = 0.0f;
        // A running slide, linear from the values at its start.
        bool sliding = false;
        bool stopAtSlideEnd = false;
        float fromVolume = 0.0f, toVolume = 0.0f;
        float fromPanning = 0.0f, toPanning = 0.0f;
        std::int64_t slideTotal = 0, slideDone = 0;
    };
    struct SlotControl {
        std::shared_ptr<MixSource> source;
        std::uint64_t lastPlay = 0;
        std::uint64_t lastStop = 0;
        bool used = false;
    };
    struct Retired {
        std::uint64_t seq;
        std::shared_ptr<MixSource> source;
        std::optional<Channel> freeChannel;
        bool unsentDetach; // the queue was full; seq is not yet known
    };

    // Control side, with m_mutex held.
    std::uint64_t submit(Command command);
    void collectRetired();
    SlotControl& slot(Channel channel);
    const SlotControl& slot(Channel channel) const;
    void retire(std::uint64_t seq, std::shared_ptr<MixSource> source, std::optional<Channel> free);

    // Audio side.
    static bool isLater(const Pending& a, const Pending& b);
    void drainCommands(std::int64_t blockStart);
    void execute(const Command& command);
    void mixSegment(float* out, std::size_t frames);
    bool mixChannel(ChannelState& channel, float* out, std::size_t frames);
    void startChannel(Channel channel);
    void endChannel(Channel channel);
    void dropPending(Channel channel);

    std::shared_ptr<const Clock> m_clock;

    // Control side.
    mutable std::mutex m_mutex;
    std::vector<SlotControl> m_slots;
    std::vector<Channel> m_freeChannels;
    std::vector<Retired> m_retired;
    std::uint64_t m_nextSeq = 0;
    std::uint64_t m_stopEverythingSeq = 0;
    bool m_rendering = false;

    // Shared.
    SpscQueue<Command> m_queue;
    std::unique_ptr<std::atomic<std::uint64_t>[]> m_endedSeq;
    std::atomic<std::uint64_t> m_drainedSeq{0};

    // Audio side.
    std::vector<ChannelState> m_channels;
    std::vector<Channel> m_active;
    std::vector<Pending> m_pending; // min-heap by (frame, seq); capacity fixed
    std::size_t m_pendingCapacity;
    std::vector<float> m_scratch;
    TimeMap m_timeMap;
    std::int64_t m_renderedFrames = 0;
};

} // namespace audio
