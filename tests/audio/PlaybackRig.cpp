#include "PlaybackRig.h"

namespace playbacktest {

void VirtualPlaybackClock::waitUntil(std::unique_lock<std::mutex>& lock,
                                     std::condition_variable& cv, audio::ClockTime due,
                                     const std::function<bool()>& woken) {
    while (!woken() && now() < due) {
        {
            std::lock_guard<std::mutex> g(m_mutex);
            m_parked = true;
            m_due = due.count();
            m_workerMutex = lock.mutex();
            m_workerCv = &cv;
            ++m_generation;
        }
        m_cv.notify_all();
        cv.wait(lock);
        std::lock_guard<std::mutex> g(m_mutex);
        m_parked = false;
    }
}

void VirtualPlaybackClock::runStarting() {
    std::lock_guard<std::mutex> g(m_mutex);
    m_ended = false;
    m_parked = false;
}

void VirtualPlaybackClock::runEnded() {
    {
        std::lock_guard<std::mutex> g(m_mutex);
        m_ended = true;
    }
    m_cv.notify_all();
}

void VirtualPlaybackClock::advanceTo(int64_t ms) {
    const int64_t target = ms * 1000;
    std::unique_lock<std::mutex> g(m_mutex);
    for (;;) {
        m_cv.wait(g, [&] { return m_ended || (m_parked && m_generation != m_woken); });
        if (m_ended || m_due > target) {
            if (target > m_now)
                m_now = target;
            return;
        }
        m_now = std::max<int64_t>(m_now, m_due);
        m_woken = m_generation;
        std::mutex* wm = m_workerMutex;
        std::condition_variable* wcv = m_workerCv;
        g.unlock();
        { std::lock_guard<std::mutex> w(*wm); }
        wcv->notify_all();
        g.lock();
    }
}

void VirtualPlaybackClock::whileParked(const std::function<void()>& action) {
    uint64_t generation = 0;
    {
        std::lock_guard<std::mutex> g(m_mutex);
        generation = m_generation;
    }
    action();
    std::unique_lock<std::mutex> g(m_mutex);
    m_cv.wait(g, [&] { return m_ended || (m_parked && m_generation != generation); });
}

bool FakeEngine::isInitialized(const TDrumsetItem& sample) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_initialized.count(&sample) != 0;
}

void FakeEngine::initializeSample(TDrumsetItem& sample, int32_t) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_initialized.insert(&sample);
}

void FakeEngine::createVoices(TDrumsetItem& sample, int32_t count) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_calls.push_back({EngineCall::CreateVoices, &sample, -1, 0, count});
}

audio::PlayedVoice FakeEngine::startVoice(TDrumsetItem& sample, int32_t volume, int32_t,
                                          std::optional<audio::ClockTime> at) {
    std::lock_guard<std::mutex> lock(m_mutex);
    const uint64_t id = m_nextVoice++;
    m_calls.push_back(
        {EngineCall::Start, &sample, at ? audio::toMilliseconds(*at) : -1, id, volume});
    return audio::PlayedVoice{{}, id};
}

void FakeEngine::fadeOutVoice(const audio::PlayedVoice& voice, std::chrono::milliseconds length,
                              std::optional<audio::ClockTime> at) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_calls.push_back({EngineCall::Fade, nullptr, at ? audio::toMilliseconds(*at) : -1, voice.id,
                       static_cast<int32_t>(length.count())});
}

void FakeEngine::stopAllSound() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_calls.push_back({EngineCall::StopAll, nullptr, -1, 0, 0});
}

std::vector<EngineCall> FakeEngine::calls() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_calls;
}

std::vector<EngineCall> FakeEngine::calls(EngineCall::Kind kind) const {
    std::vector<EngineCall> out;
    for (const EngineCall& c : calls())
        if (c.kind == kind)
            out.push_back(c);
    return out;
}

PlaybackRig::PlaybackRig(int tracks, int samplesPerTrack) {
    for (int t = 0; t < tracks; ++t) {
        auto track = std::make_unique<TDRPlTrack>();
        track->GroupIndex = t;
        for (int s = 0; s < samplesPerTrack; ++s) {
            items.push_back(std::make_unique<TDrumsetItem>());
            items.back()->Caption = "s" + std::to_string(t) + std::to_string(s);
            auto row = std::make_unique<TDRPlSample>();
            row->SampleIndex = s;
            row->Length = 100;
            row->SampleData = items.back().get();
            track->Samples.push_back(std::move(row));
        }
        editor.Plocha.Tracks.push_back(std::move(track));
    }
    playback = std::make_unique<audio::Playback>(editor, engine, clock, &host);
    playback->EndBar = -1;
}

PlaybackRig::~PlaybackRig() {
    playback.reset();
}

TDRHit* PlaybackRig::hit(int32_t bar, int32_t tick, int32_t group, int32_t sample, int32_t lengthMs,
                         int32_t volume) {
    auto h = std::make_unique<TDRHit>();
    h->StartBar = bar;
    h->StartTick = tick;
    h->Group = group;
    h->Sample = sample;
    h->LengthMs = lengthMs;
    h->Volume = volume;
    TSongEditLock lock(editor);
    editor.Song.NewAction();
    return editor.Song.AddHit(std::move(h));
}

std::vector<int64_t> PlaybackRig::starts() const {
    std::vector<int64_t> out;
    for (const EngineCall& c : engine.calls(EngineCall::Start))
        out.push_back(c.atMs - StartMs);
    return out;
}

} // namespace playbacktest
