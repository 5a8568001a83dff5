// The silent output: runs the mixer in real time from its own clock without
// producing sound. Block k (of blockFrames frames) is mixed once the clock
// reaches start + k x blockFrames / 44100 s, and the mixer is told exactly
// that time, so the silent output never drifts against the clock.
//
// With Pacing::RealTime a thread of its own mixes the blocks as they fall
// due; with Pacing::Manual nothing happens until pump() is called (tests
// move a ManualClock and pump). What it mixes can be captured to a 32-bit
// float stereo WAV file; the capture is written by the pacing thread (or the
// pumping caller), never by the mixer.
#pragma once

#include "audio/Clock.h"
#include "audio/OutputDevice.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

struct sf_private_tag;

namespace audio {

class Mixer;

class SilentOutput final : public OutputDevice {
public:
    enum class Pacing { RealTime, Manual };
    // The mixer's latency must cover a block, so blocks stay below it.
    static constexpr std::size_t MaxBlockFrames = 800;

    SilentOutput(std::shared_ptr<Mixer> mixer, std::shared_ptr<const Clock> clock, Pacing pacing,
                 std::size_t blockFrames);
    ~SilentOutput() override;

    void start() override;
    void stop() override;

    // Mixes every block whose time has come; returns how many.
    std::size_t pump();
    std::int64_t mixedFrames() const { return m_mixedFrames.load(std::memory_order_acquire); }
    // The clock reading at which frame 0 plays.
    ClockTime startTime() const { return m_startTime; }

    // Throws AudioError(CaptureFailed).
    void startCapture(const std::filesystem::path& path);
    void stopCapture();

private:
    struct FileCloser {
        void operator()(sf_private_tag* file) const;
    };

    void run();
    ClockTime blockTime(std::int64_t block) const;

    std::shared_ptr<Mixer> m_mixer;
    std::shared_ptr<const Clock> m_clock;
    Pacing m_pacing;
    std::size_t m_blockFrames;
    std::vector<float> m_block;
    std::mutex m_pumpMutex; // one pump at a time; guards the capture
    std::unique_ptr<sf_private_tag, FileCloser> m_capture;
    ClockTime m_startTime{0};
    std::int64_t m_blocks = 0;
    std::atomic<std::int64_t> m_mixedFrames{0};
    std::atomic<bool> m_running{false};
    std::thread m_thread;
};

} // namespace audio
