// Scheduler tests' rig: a song editor with hand-built rows, a recording fake
// of the sample voices, and a virtual clock that moves only when the test
// says so and stops at every due time the worker waits for.
#pragma once

#include "audio/Playback.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace playbacktest {

class VirtualPlaybackClock final : public audio::PlaybackClock {
public:
    audio::ClockTime now() const override { return audio::ClockTime{m_now.load()}; }
    void waitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                   audio::ClockTime due, const std::function<bool()>& woken) override;
    void runStarting() override;
    void runEnded() override;

    // Moves the clock to t (ms), stopping at every due time the worker waits
    // for on the way; returns once the worker waits beyond t or its run
    // has ended.
    void advanceTo(int64_t ms);
    int64_t nowMs() const { return m_now.load() / 1000; }
    // Runs action (which wakes the waiting worker) and returns once the
    // worker waits again or has ended.
    void whileParked(const std::function<void()>& action);

private:
    std::atomic<int64_t> m_now{1'000'000};
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_parked = false;
    bool m_ended = true;
    uint64_t m_generation = 0;
    uint64_t m_woken = 0;
    int64_t m_due = 0;
    std::mutex* m_workerMutex = nullptr;
    std::condition_variable* m_workerCv = nullptr;
};

struct EngineCall {
    enum Kind { Start, Fade, StopAll, CreateVoices } kind;
    const TDrumsetItem* sample = nullptr;
    int64_t atMs = -1; // stamp; -1: none
    uint64_t voice = 0;
    int32_t value = 0; // volume, fade length or voice count
};

class FakeEngine final : public audio::PlaybackEngine {
public:
    bool isInitialized(const TDrumsetItem& sample) const override;
    void initializeSample(TDrumsetItem& sample, int32_t targetRate) override;
    void createVoices(TDrumsetItem& sample, int32_t count) override;
    audio::PlayedVoice startVoice(TDrumsetItem& sample, int32_t volume, int32_t panning,
                                  std::optional<audio::ClockTime> at) override;
    void fadeOutVoice(const audio::PlayedVoice& voice, std::chrono::milliseconds length,
                      std::optional<audio::ClockTime> at) override;
    void stopAllSound() override;

    std::vector<EngineCall> calls() const;
    std::vector<EngineCall> calls(EngineCall::Kind kind) const;

private:
    mutable std::mutex m_mutex;
    std::set<const TDrumsetItem*> m_initialized;
    std::vector<EngineCall> m_calls;
    uint64_t m_nextVoice = 1;
};

class RecordingHost final : public audio::PlaybackHost {
public:
    explicit RecordingHost(VirtualPlaybackClock& clock) : m_clock(clock) {}
    void startPlayCursor() override { ++cursorStarts; }
    void showError(const std::string& message) override {
        std::lock_guard<std::mutex> lock(m_mutex);
        errors.push_back(message);
    }
    void runEnded() override { endedAtMs = m_clock.nowMs(); }
    // With queueTasks set, work for the editing thread waits in a queue
    // until the test runs it, as a window's event loop would.
    void runOnUiThread(std::function<void()> task) override {
        if (!queueTasks) {
            task();
            return;
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        m_tasks.push_back(std::move(task));
    }
    // Waits until the worker has queued a task.
    void waitForTask() {
        for (;;) {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (!m_tasks.empty())
                    return;
            }
            std::this_thread::yield();
        }
    }
    // Waits for a task, then runs all queued ones.
    void runTasks() {
        waitForTask();
        std::vector<std::function<void()>> tasks;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            tasks.swap(m_tasks);
        }
        for (auto& task : tasks)
            task();
    }

    std::atomic<bool> queueTasks{false};

    std::atomic<int> cursorStarts{0};
    std::atomic<int64_t> endedAtMs{-1};
    std::vector<std::string> errors;

private:
    VirtualPlaybackClock& m_clock;
    std::mutex m_mutex;
    std::vector<std::function<void()>> m_tasks;
};

// Tempo 120: a bar lasts 2000 ms, a tick 2 ms. The clock starts at 1000 ms.
struct PlaybackRig {
    static constexpr int64_t StartMs = 1000;

    explicit PlaybackRig(int tracks = 2, int samplesPerTrack = 2);
    ~PlaybackRig();

    // A hit added to the song (journaled, as the editor does).
    TDRHit* hit(int32_t bar, int32_t tick, int32_t group = 0, int32_t sample = 0,
                int32_t lengthMs = 100, int32_t volume = 100);
    TDrumsetItem* sample(int group, int index) {
        return editor.Plocha.Tracks[static_cast<size_t>(group)]
            ->Samples[static_cast<size_t>(index)]
            ->SampleData;
    }
    // Start stamps in ms after the clock's start.
    std::vector<int64_t> starts() const;

    std::vector<std::unique_ptr<TDrumsetItem>> items;
    TSongEditor editor;
    FakeEngine engine;
    std::shared_ptr<VirtualPlaybackClock> clock = std::make_shared<VirtualPlaybackClock>();
    RecordingHost host{*clock};
    std::unique_ptr<audio::Playback> playback;
};

} // namespace playbacktest
