// The playback worker: one run of passes over the range of bars. It reads
// the song under SongLock only for short looks and waits without it.
#include "audio/Playback.h"

#include <algorithm>
#include <exception>

namespace audio {

namespace {
using SongGuard = std::unique_lock<std::recursive_mutex>;
}

// What sounding a hit needs, copied under the lock.
struct Playback::DueHit {
    int64_t DueMs = 0;
    int32_t StartMs = 0;
    int32_t StopMs = 0;
    int32_t LengthMs = 0;
    int32_t Volume = 100;
    int32_t Panning = 0;
    int32_t FadeTill = 0;
    int32_t FadeOut = 0;
    bool Muted = false;
    TDrumsetItem* Sample = nullptr;
};

void Playback::run() {
    try {
        runPasses();
        if (!m_stop)
            flushFades();
    } catch (const std::exception& e) {
        m_host->showError(e.what());
    } catch (...) {
        m_host->showError("Playback failed.");
    }
    m_playingState = TPlayingState::psStopped;
    m_fadeList.clear();
    m_currentHit = nullptr;
    m_runActive = false;
    m_host->runEnded();
    m_clock->runEnded();
}

bool Playback::preparationPass() {
    std::vector<TDrumsetItem*> samples;
    bool anyHit = false;
    {
        SongGuard song(m_editor.SongLock);
        const TDRComp& comp = m_editor.Song;
        for (int32_t b = std::max(StartBar.load(), 0); b <= comp.LastBar; ++b) {
            for (const auto& hit : comp.Bar(b).StartingHits) {
                anyHit = true;
                TDrumsetItem* sample = rowSample(hit->Group, hit->Sample, nullptr);
                if (sample && std::find(samples.begin(), samples.end(), sample) == samples.end())
                    samples.push_back(sample);
            }
        }
    }
    if (!anyHit)
        return false;
    // Items stay alive without the lock: loading a drumset stops the run first.
    for (TDrumsetItem* sample : samples) {
        if (m_stop)
            return false;
        prepareOnWorker(*sample);
    }
    return !m_stop;
}

void Playback::followSongEnd() {
    const int32_t last = m_editor.Song.LastBar;
    if (last != m_lastBarSeen) {
        m_lastBarSeen = last;
        // Also grows back towards EndBar when the song grows again.
        m_rangeEnd = std::min(EndBar.load(), last);
    }
}

bool Playback::waitUntil(const int64_t& dueMs, const std::function<bool()>& wake) {
    while (!m_stop && nowMs() < dueMs) {
        int64_t until = dueMs;
        for (const FadeItem& fade : m_fadeList)
            until = std::min(until, fade.DueMs);
        {
            std::unique_lock<std::mutex> lock(m_waitMutex);
            const uint64_t edits = m_editCount;
            m_clock->waitUntil(
                lock, m_wakeCv,
                std::chrono::duration_cast<ClockTime>(std::chrono::milliseconds(until)),
                [&] { return m_stop || m_editCount != edits; });
        }
        if (m_stop)
            break;
        processFades();
        if (wake())
            return true;
    }
    if (m_stop) {
        m_engine.stopAllSound();
        return false;
    }
    return true;
}

void Playback::processFades() {
    const int64_t now = nowMs();
    auto due = [now](const FadeItem& f) { return f.DueMs <= now; };
    for (const FadeItem& fade : m_fadeList) {
        if (due(fade))
            m_engine.fadeOutVoice(
                fade.Voice, std::chrono::milliseconds(fade.FadeMs),
                std::chrono::duration_cast<ClockTime>(std::chrono::milliseconds(fade.DueMs)));
    }
    std::erase_if(m_fadeList, due);
}

void Playback::flushFades() {
    // Fades due after the run's end: the voices ring on, so hand each one
    // over with its own stamp rather than let a cut hit ring out whole.
    for (const FadeItem& fade : m_fadeList)
        m_engine.fadeOutVoice(
            fade.Voice, std::chrono::milliseconds(fade.FadeMs),
            std::chrono::duration_cast<ClockTime>(std::chrono::milliseconds(fade.DueMs)));
    m_fadeList.clear();
}

bool Playback::revalidate(int32_t bar, size_t& index) {
    const TDRComp& song = m_editor.Song;
    if (bar > song.LastBar) {
        m_currentHit = nullptr;
        return false;
    }
    const auto& hits = song.Bar(bar).StartingHits;
    if (index >= hits.size()) {
        m_currentHit = nullptr;
        return false;
    }
    // Only compared, never read, until it is found in the bar again.
    if (hits[index].get() == m_currentHit)
        return true;
    const int64_t now = nowMs();
    for (size_t j = 0; j < hits.size(); ++j) {
        if (m_clockBase + hits[j]->StartMs >= now) {
            m_currentHit = hits[j].get();
            index = j;
            return true;
        }
    }
    m_currentHit = nullptr;
    return false;
}

bool Playback::readDueHit(int32_t bar, size_t& index, DueHit& out) {
    if (!revalidate(bar, index))
        return false;
    const TDRHit& hit = *m_currentHit;
    out.DueMs = m_clockBase + hit.StartMs;
    out.StartMs = hit.StartMs;
    out.StopMs = hit.StopMs;
    out.LengthMs = hit.LengthMs;
    out.Volume = hit.Volume;
    out.Panning = hit.Panning;
    out.FadeTill = hit.FadeTill;
    out.FadeOut = hit.FadeOut;
    out.Sample = rowSample(hit.Group, hit.Sample, &out.Muted);
    return true;
}

void Playback::startPass() {
    m_playingState = TPlayingState::psPlaying;
    const int32_t start = StartBar;
    const int32_t startMs =
        start > 0 && start <= m_editor.Song.LastBar ? m_editor.Song.Bar(start).StartMs : 0;
    m_clockBase = nowMs() - startMs;
    std::lock_guard<std::mutex> lock(m_recordMutex);
    m_pendingCommit.swap(m_recordedHits);
    m_pendingBase = m_recordBase;
    m_recordBase = m_clockBase;
}

void Playback::announcePass() {
    if (!m_pendingCommit.empty()) {
        // Committed on the editing thread with the base they were played
        // against; the worker does not wait for it.
        auto shared = std::make_shared<std::vector<RecordedHit>>(std::move(m_pendingCommit));
        m_pendingCommit.clear();
        std::weak_ptr<int> alive = m_alive;
        const int64_t base = m_pendingBase;
        m_host->runOnUiThread([this, alive, shared, base] {
            if (!alive.expired())
                commitHits(std::move(*shared), base);
        });
    }
    m_host->startPlayCursor();
}

void Playback::soundHit(const DueHit& hit) {
    if (hit.Muted || !hit.Sample)
        return;
    prepareOnWorker(*hit.Sample);
    if (m_stop)
        return;
    const ClockTime at =
        std::chrono::duration_cast<ClockTime>(std::chrono::milliseconds(hit.DueMs));
    PlayedVoice voice = m_engine.startVoice(*hit.Sample, hit.Volume, hit.Panning, at);
    if (hit.StartMs + hit.LengthMs > hit.StopMs)
        m_fadeList.push_back(FadeItem{voice, m_clockBase + hit.StopMs + hit.FadeTill, hit.FadeOut});
}

void Playback::runPasses() {
    {
        SongGuard song(m_editor.SongLock);
        if (EndBar == -1)
            EndBar = m_editor.Song.LastBar;
        if (EndBar < StartBar)
            StartBar = EndBar.load();
    }
    if (!preparationPass())
        return;
    m_fadeList.clear();
    m_currentHit = nullptr;
    {
        SongGuard song(m_editor.SongLock);
        m_lastBarSeen = m_editor.Song.LastBar;
        m_rangeEnd = std::min(EndBar.load(), m_lastBarSeen);
    }
    for (;;) {
        m_instantRepeat = false;
        m_host->erasePlayCursor();
        CursorBarHint = 0;
        bool entered = false;
        bool haveLast = false;
        DueHit last;
        for (int32_t b = std::max(StartBar.load(), 0); !m_instantRepeat; ++b) {
            {
                SongGuard song(m_editor.SongLock);
                followSongEnd();
                if (b > m_rangeEnd)
                    break;
                if (m_editor.Song.Bar(b).StartingHits.empty())
                    continue;
            }
            m_currentBar = b;
            for (size_t i = 0;; ++i) {
                DueHit hit;
                bool first = false;
                {
                    SongGuard song(m_editor.SongLock);
                    if (b > m_editor.Song.LastBar || i >= m_editor.Song.Bar(b).StartingHits.size())
                        break;
                    if (!entered) {
                        entered = first = true;
                        startPass();
                    }
                    m_currentHit = m_editor.Song.Bar(b).StartingHits[i].get();
                    readDueHit(b, i, hit);
                }
                if (first)
                    announcePass();
                bool current = true;
                if (!waitUntil(hit.DueMs, [&] {
                        SongGuard song(m_editor.SongLock);
                        followSongEnd();
                        current = readDueHit(b, i, hit);
                        return !current || m_instantRepeat;
                    }))
                    return;
                if (m_instantRepeat)
                    break;
                if (current) {
                    // The hit may have gone while the lock was free.
                    SongGuard song(m_editor.SongLock);
                    current = readDueHit(b, i, hit);
                }
                // No hit of the bar is still due: the pass keeps its
                // ClockBase and goes on with the next bar.
                if (!current)
                    break;
                soundHit(hit);
                if (m_stop)
                    return;
                last = hit;
                haveLast = true;
                processFades();
            }
        }
        if (!entered)
            return;
        if (m_instantRepeat) {
            m_currentHit = nullptr;
        } else if (Loop) {
            int64_t endMs = 0;
            {
                SongGuard song(m_editor.SongLock);
                const TDRComp& comp = m_editor.Song;
                const int32_t next = std::min(m_currentBar + 1, comp.LastBar);
                endMs = m_clockBase + comp.Bar(next).StartMs;
            }
            if (!waitUntil(endMs, [&] {
                    SongGuard song(m_editor.SongLock);
                    followSongEnd();
                    return false;
                }))
                return;
            m_currentHit = nullptr;
        } else if (haveLast) {
            if (!waitUntil(last.DueMs + last.LengthMs, [&] { return m_instantRepeat.load(); }))
                return;
            if (m_instantRepeat)
                m_currentHit = nullptr;
        }
        if (!m_instantRepeat && !Loop)
            break;
    }
    m_playingState = TPlayingState::psStopped;
}

} // namespace audio
