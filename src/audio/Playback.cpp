// The editing-thread side of the scheduler: starting and stopping runs,
// previews, sample preparation, drum shortcuts and recording.
#include "audio/Playback.h"

#include <algorithm>
#include <exception>

namespace audio {

Playback::Playback(TSongEditor& editor, PlaybackEngine& engine,
                   std::shared_ptr<PlaybackClock> clock, PlaybackHost* host)
    : m_editor(editor), m_engine(engine), m_clock(std::move(clock)),
      m_host(host ? host : &m_headless) {
    m_editor.setEditListener([this] { wake(); });
}

Playback::~Playback() {
    StopAndWait();
    m_editor.setEditListener({});
}

void Playback::wake() {
    {
        std::lock_guard<std::mutex> lock(m_waitMutex);
        ++m_editCount;
    }
    m_wakeCv.notify_all();
}

void Playback::SetInstantRepeat(bool on) {
    m_instantRepeat = on;
    wake();
}

void Playback::Play() {
    if (m_runActive)
        return;
    if (m_worker.joinable())
        m_worker.join();
    m_stop = false;
    m_runActive = true;
    m_clock->runStarting();
    m_worker = std::thread([this] { run(); });
}

void Playback::Stop() {
    m_playingState = TPlayingState::psStopped;
    m_stop = true;
    wake();
    m_engine.stopAllSound();
}

void Playback::StopAndWait() {
    Stop();
    if (m_worker.joinable())
        m_worker.join();
}

void Playback::WaitForRunEnd() {
    if (m_worker.joinable())
        m_worker.join();
}

bool Playback::PlayFromBar(int32_t bar) {
    if (!HasHitsFrom(bar))
        return false;
    if (OnBeforePlayFromBar)
        OnBeforePlayFromBar();
    StartBar = bar;
    if (PlayingState() == TPlayingState::psStopped)
        Play();
    else
        SetInstantRepeat(true);
    return true;
}

bool Playback::HasHitsFrom(int32_t bar) {
    const TDRComp& song = m_editor.Song;
    for (int32_t b = std::max(bar, 0); b <= song.LastBar; ++b) {
        if (!song.Bar(b).StartingHits.empty())
            return true;
    }
    return false;
}

int32_t Playback::LastBarWithHits() {
    const TDRComp& song = m_editor.Song;
    for (int32_t b = song.LastBar; b >= 0; --b) {
        if (!song.Bar(b).StartingHits.empty())
            return b;
    }
    return -1;
}

TDrumsetItem* Playback::rowSample(int32_t group, int32_t sample, bool* muted) const {
    const auto& tracks = m_editor.Plocha.Tracks;
    if (group < 0 || group >= static_cast<int32_t>(tracks.size()))
        return nullptr;
    const TDRPlTrack& track = *tracks[static_cast<size_t>(group)];
    if (sample < 0 || sample >= static_cast<int32_t>(track.Samples.size()))
        return nullptr;
    if (muted)
        *muted = track.Muted;
    return track.Samples[static_cast<size_t>(sample)]->SampleData;
}

void Playback::PlayHit(const TDRHit& hit) {
    TDrumsetItem* sample = rowSample(hit.Group, hit.Sample, nullptr);
    if (!sample)
        return;
    PrepareSample(*sample);
    m_engine.startVoice(*sample, hit.Volume, hit.Panning, std::nullopt);
}

void Playback::InitializeAllSamples() {
    for (const auto& track : m_editor.Plocha.Tracks) {
        for (const auto& row : track->Samples) {
            if (row->SampleData)
                PrepareSample(*row->SampleData);
        }
    }
}

void Playback::PrepareSample(TDrumsetItem& sample) {
    if (m_engine.isInitialized(sample))
        return;
    // A failed pre-render is reported here; the voice pool then fails with
    // its own message, which ends the caller's command.
    try {
        m_engine.initializeSample(sample, 0);
    } catch (const std::exception& e) {
        m_host->showError(e.what());
    }
    m_engine.createVoices(sample, MaxSimultaneousPlaybackCount);
}

void Playback::prepareOnWorker(TDrumsetItem& sample) {
    if (m_engine.isInitialized(sample))
        return;
    uint64_t request = 0;
    {
        std::lock_guard<std::mutex> lock(m_waitMutex);
        m_sampleWaiting = true;
        request = ++m_sampleRequest;
    }
    std::weak_ptr<int> alive = m_alive;
    TDrumsetItem* item = &sample;
    m_host->runOnUiThread([this, alive, item, request] {
        if (alive.expired())
            return;
        {
            // The run gave up waiting (stopped) or a later request took
            // over: the item may be gone with a replaced drumset.
            std::lock_guard<std::mutex> lock(m_waitMutex);
            if (!m_sampleWaiting || m_sampleRequest != request)
                return;
        }
        try {
            m_engine.initializeSample(*item, 0);
        } catch (const std::exception& e) {
            m_host->showError(e.what());
        }
        {
            std::lock_guard<std::mutex> lock(m_waitMutex);
            m_sampleWaiting = false;
        }
        m_wakeCv.notify_all();
    });
    {
        std::unique_lock<std::mutex> lock(m_waitMutex);
        m_wakeCv.wait(lock, [this] { return !m_sampleWaiting || m_stop; });
        m_sampleWaiting = false;
    }
    if (m_stop)
        return;
    m_engine.createVoices(sample, MaxSimultaneousPlaybackCount);
}

// --- Drum shortcuts and recording ---------------------------------------------------

int64_t Playback::RecordBase() const {
    std::lock_guard<std::mutex> lock(m_recordMutex);
    return m_recordBase;
}

size_t Playback::RecordedCount() const {
    std::lock_guard<std::mutex> lock(m_recordMutex);
    return m_recordedHits.size();
}

void Playback::ShortcutHit(int32_t group, int32_t sample) {
    std::unique_ptr<TDRHit> hit = m_editor.CreateHit(-1, -1, sample, group);
    if (!hit)
        return;
    {
        std::lock_guard<std::mutex> lock(m_recordMutex);
        if (m_recordBase == Unset) {
            const TDRComp& song = m_editor.Song;
            const int32_t bar = LastBarWithHits() + 1;
            const int32_t barMs = bar <= song.LastBar ? song.Bar(bar).StartMs : 0;
            m_recordBase = nowMs() - barMs;
        }
    }
    const int64_t t = nowMs();
    PlayHit(*hit);
    if (m_recording) {
        std::lock_guard<std::mutex> lock(m_recordMutex);
        m_recordedHits.push_back(RecordedHit{std::move(hit), t});
    }
}

void Playback::CommitRecordedHits() {
    std::vector<RecordedHit> hits;
    int64_t base = Unset;
    {
        std::lock_guard<std::mutex> lock(m_recordMutex);
        if (m_recordedHits.empty())
            return;
        hits.swap(m_recordedHits);
        base = m_recordBase;
        m_recordBase = Unset;
    }
    commitHits(std::move(hits), base);
}

void Playback::commitHits(std::vector<RecordedHit> hits, int64_t base) {
    if (hits.empty())
        return;
    struct BusyCursor {
        PlaybackHost& host;
        explicit BusyCursor(PlaybackHost& h) : host(h) { host.busyCursor(true); }
        ~BusyCursor() { host.busyCursor(false); }
    } busy(*m_host);
    {
        TSongEditLock lock(m_editor);
        TDRComp& song = m_editor.Song;
        song.NewAction();
        m_editor.Modified = true;
        int32_t hint = 0;
        for (RecordedHit& recorded : hits) {
            // A hit played before the base cannot lie before the song start.
            const int64_t ms = std::max<int64_t>(recorded.TimeMs - base, 0);
            const TDRPosition place = song.MsToPosition(static_cast<int32_t>(ms), hint);
            recorded.Hit->StartBar = place.Bar;
            recorded.Hit->StartTick = place.Tick;
            song.AddHit(std::move(recorded.Hit));
            hint = place.Bar;
        }
    }
    m_editor.InvalidateView(dfHits | dfRuler);
}

void Playback::SetRecording(bool on) {
    m_recording = on;
    if (!on)
        CommitRecordedHits();
    if (PlayingState() != TPlayingState::psPlaying) {
        std::lock_guard<std::mutex> lock(m_recordMutex);
        m_recordBase = Unset;
    }
}

} // namespace audio
