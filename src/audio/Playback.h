// The playback scheduler of the song editor: plays a range of bars once or
// in a loop on one worker thread per run, fades hits the song has cut short,
// previews single hits, prepares samples, and records hits played through
// drum shortcuts. Qt-free: whatever shows the editor implements
// PlaybackHost to run work on its thread and drive the play cursor.
//
// Threads: every member function is called on the editing thread (the one
// that edits the song and takes TSongEditor::SongLock around each edit). The
// worker reads bars, hits and rows only under that lock and never holds it
// while it waits.
#pragma once

#include "audio/PlaybackClock.h"
#include "audio/PlaybackEngine.h"
#include "editor/SongEditor.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

enum class TPlayingState { psPlaying, psStopped, psPaused };

namespace audio {

// What the scheduler asks of whoever shows the editor. Calls marked
// "worker" come from the playback thread; a window posts them on.
class PlaybackHost {
public:
    virtual ~PlaybackHost() = default;
    // Worker: run task on the editing thread soon (a queued call). The
    // default runs it at once on the calling thread, for headless use.
    virtual void runOnUiThread(std::function<void()> task) { task(); }
    // Worker: the first hit of a pass is reached; (re)start the 50 ms
    // play-cursor timer, which reads ClockBase() and CursorBarHint.
    virtual void startPlayCursor() {}
    // Worker: a pass begins; erase the play cursor.
    virtual void erasePlayCursor() {}
    // Worker or editing thread: an error box with the message.
    virtual void showError(const std::string& /*message*/) {}
    // Worker, last call of a run: stop the cursor timer, erase the cursor.
    virtual void runEnded() {}
    // Editing thread: busy mouse cursor on (true) and off around a commit.
    virtual void busyCursor(bool /*busy*/) {}
};

struct FadeItem {
    PlayedVoice Voice;
    int64_t DueMs = 0; // clock reading, ms
    int32_t FadeMs = 0;
};

struct RecordedHit {
    std::unique_ptr<TDRHit> Hit;
    int64_t TimeMs = 0; // clock reading when it was played
};

class Playback {
public:
    static constexpr const char* NoHitsMessage = "There are no hits to play. (check start bar)";
    static constexpr int64_t Unset = -1;

    Playback(TSongEditor& editor, PlaybackEngine& engine, std::shared_ptr<PlaybackClock> clock,
             PlaybackHost* host = nullptr);
    // Stops a run and joins its worker.
    ~Playback();
    Playback(const Playback&) = delete;
    Playback& operator=(const Playback&) = delete;

    // --- Properties -------------------------------------------------------------
    TPlayingState PlayingState() const { return m_playingState.load(); }
    std::atomic<int32_t> MaxSimultaneousPlaybackCount{5};
    std::atomic<int32_t> StartBar{0};
    std::atomic<int32_t> EndBar{0}; // -1: the song's last bar
    std::atomic<bool> Loop{false};
    // Set while a run is active: the run restarts at once from StartBar.
    bool InstantRepeat() const { return m_instantRepeat.load(); }
    void SetInstantRepeat(bool on);
    bool Recording() const { return m_recording; }
    void SetRecording(bool on);
    std::function<void()> OnBeforePlayFromBar;

    // --- Operations ---------------------------------------------------------------
    // Starts a run unless one is active.
    void Play();
    // Ends all sound; a waiting run ends at once. Does not wait for it.
    void Stop();
    // Stop, then wait until the worker has ended. Required before the song
    // is deleted or loaded, a drumset is loaded, or the program closes.
    void StopAndWait();
    bool RunActive() const { return m_runActive.load(); }
    // Waits until the current run ends by itself (tests, the command line).
    void WaitForRunEnd();
    // False (and nothing starts) when the bar has no hits from it on; the
    // caller shows NoHitsMessage.
    bool PlayFromBar(int32_t bar);
    bool HasHitsFrom(int32_t bar);
    int32_t LastBarWithHits();
    void PlayHit(const TDRHit& hit);
    void InitializeAllSamples();
    void PrepareSample(TDrumsetItem& sample);
    // A drum shortcut of the track (group) and sample row (-1: the group's
    // row, chosen by hit type).
    void ShortcutHit(int32_t group, int32_t sample);
    void CommitRecordedHits();

    // --- State for the play cursor and for tests ------------------------------------
    // Clock reading (ms) at which song time 0 sounds in the current pass.
    int64_t ClockBase() const { return m_clockBase.load(); }
    // The scheduling clock now, ms (the play cursor measures with it).
    int64_t NowMs() const { return nowMs(); }
    std::atomic<int32_t> CursorBarHint{0};
    int64_t RecordBase() const;
    size_t RecordedCount() const;

private:
    struct DueHit;
    void run();
    void runPasses();
    bool preparationPass();
    // Waits until dueMs (fades meanwhile; wake may move it) or until wake
    // holds after an edit or a request; false when the run must end.
    bool waitUntil(const int64_t& dueMs, const std::function<bool()>& wake);
    void processFades();
    void flushFades();
    // Under SongLock.
    void followSongEnd();
    bool revalidate(int32_t bar, size_t& index);
    bool readDueHit(int32_t bar, size_t& index, DueHit& out);
    void soundHit(const DueHit& hit);
    void prepareOnWorker(TDrumsetItem& sample);
    // Under SongLock; announcePass then posts what it gathered, unlocked.
    void startPass();
    void announcePass();
    TDrumsetItem* rowSample(int32_t group, int32_t sample, bool* muted) const;
    void commitHits(std::vector<RecordedHit> hits, int64_t base);
    bool stopRequested() const { return m_stop.load(); }
    int64_t nowMs() const { return toMilliseconds(m_clock->now()); }
    void wake();

    TSongEditor& m_editor;
    PlaybackEngine& m_engine;
    std::shared_ptr<PlaybackClock> m_clock;
    PlaybackHost m_headless;
    PlaybackHost* m_host;

    std::atomic<TPlayingState> m_playingState{TPlayingState::psStopped};
    std::atomic<bool> m_runActive{false};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_instantRepeat{false};
    std::atomic<int64_t> m_clockBase{0};
    bool m_recording = false;

    // Guards the worker's wake-ups: stop, edits, finished pre-renders.
    std::mutex m_waitMutex;
    std::condition_variable m_wakeCv;
    uint64_t m_editCount = 0;
    bool m_sampleWaiting = false; // SampleWaiting
    uint64_t m_sampleRequest = 0;

    // Worker-only during a run.
    TDRHit* m_currentHit = nullptr; // CurrentHit
    int32_t m_currentBar = 0;       // CurrentBar
    int32_t m_rangeEnd = 0;         // RangeEnd
    int32_t m_lastBarSeen = 0;
    std::vector<FadeItem> m_fadeList; // FadeList

    mutable std::mutex m_recordMutex;
    std::vector<RecordedHit> m_recordedHits;  // RecordedHits
    int64_t m_recordBase = Unset;             // RecordBase
    std::vector<RecordedHit> m_pendingCommit; // worker-only
    int64_t m_pendingBase = Unset;

    // Posted tasks skip their work once the scheduler is gone.
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
    std::thread m_worker;
};

} // namespace audio
