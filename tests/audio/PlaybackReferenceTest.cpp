// The scheduler against a plain reference on seeded random songs: tempo
// changes, hits at shared ticks, fixed lengths that cut hits short, a muted
// group, ranges that start or end in empty bars or below each other, and
// two passes of a loop. The reference walks the song model directly.
#include "PlaybackRig.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <tuple>

using playbacktest::EngineCall;
using playbacktest::PlaybackRig;

namespace {

struct Sound {
    const TDrumsetItem* sample;
    int64_t atMs; // after the clock's start
    int32_t volume;
    friend bool operator==(const Sound&, const Sound&) = default;
};

struct Fade {
    size_t start; // index of the faded voice's start
    int64_t atMs;
    int32_t lengthMs;
    friend bool operator==(const Fade&, const Fade&) = default;
    friend bool operator<(const Fade& a, const Fade& b) {
        return std::tie(a.atMs, a.start) < std::tie(b.atMs, b.start);
    }
};

struct Expected {
    std::vector<Sound> sounds;
    std::vector<Fade> fades;
    int64_t stopAtMs = -1; // loops: where the test stops the run
};

// One pass of the range as the scheduler should play it, base being the
// clock (after its start) at which song time 0 sounds.
void referencePass(PlaybackRig& rig, int32_t first, int32_t last, int64_t base, Expected& out) {
    const TDRComp& song = rig.editor.Song;
    for (int32_t b = first; b <= last; ++b) {
        for (const auto& h : song.Bar(b).StartingHits) {
            if (rig.editor.Plocha.Tracks[static_cast<size_t>(h->Group)]->Muted)
                continue;
            out.sounds.push_back({rig.sample(h->Group, h->Sample), base + h->StartMs, h->Volume});
            if (h->StartMs + h->LengthMs > h->StopMs)
                out.fades.push_back(
                    {out.sounds.size() - 1, base + h->StopMs + h->FadeTill, h->FadeOut});
        }
    }
}

Expected reference(PlaybackRig& rig, int32_t startBar, int32_t endBar, bool loop) {
    const TDRComp& song = rig.editor.Song;
    int32_t end = endBar == -1 ? song.LastBar : endBar;
    const int32_t start = std::min(startBar, end);
    end = std::min(end, song.LastBar);
    int32_t lastWithHits = -1;
    for (int32_t b = start; b <= end; ++b)
        if (!song.Bar(b).StartingHits.empty())
            lastWithHits = b;
    Expected out;
    if (lastWithHits < 0)
        return out;
    const int64_t base = -int64_t{song.Bar(start).StartMs};
    referencePass(rig, start, end, base, out);
    if (loop) {
        // The next pass begins when the last bar holding a hit has ended.
        const int64_t passLength = song.Bar(lastWithHits + 1).StartMs - song.Bar(start).StartMs;
        const int64_t secondBase = base + passLength;
        Expected second;
        referencePass(rig, start, end, secondBase, second);
        out.stopAtMs = secondBase + song.Bar(start).StartMs + passLength - 1;
        const size_t offset = out.sounds.size();
        for (const Sound& s : second.sounds)
            if (s.atMs <= out.stopAtMs)
                out.sounds.push_back(s);
        for (Fade f : second.fades) {
            f.start += offset;
            if (f.start < out.sounds.size())
                out.fades.push_back(f);
        }
    }
    std::erase_if(out.fades,
                  [&](const Fade& f) { return out.stopAtMs >= 0 && f.atMs > out.stopAtMs; });
    std::sort(out.fades.begin(), out.fades.end());
    return out;
}

} // namespace

TEST(PlaybackReference, RandomSongsPlayAsTheReferenceSays) {
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 random(seed);
        const auto pick = [&](int lo, int hi) {
            return std::uniform_int_distribution<int>(lo, hi)(random);
        };
        PlaybackRig rig(3, 2);
        {
            TSongEditLock lock(rig.editor);
            for (int i = pick(0, 3); i > 0; --i) {
                auto tempo = std::make_unique<TDRTempo>();
                tempo->Bar = pick(1, 7);
                tempo->Tick = pick(0, 3) * 250;
                tempo->Tempo = pick(40, 300);
                rig.editor.Song.AddTempo(std::move(tempo), true);
            }
        }
        for (int i = pick(1, 25); i > 0; --i) {
            // Coarse ticks make shared ticks likely.
            TDRHit* h = rig.hit(pick(0, 7), pick(0, 7) * 125, pick(0, 2), pick(0, 1),
                                pick(10, 3000), pick(1, 100));
            if (pick(0, 3) == 0) {
                // Deleted hits leave the lists the worker walks.
                TSongEditLock lock(rig.editor);
                rig.editor.Song.NewAction();
                rig.editor.Song.DeleteHit(h);
            }
        }
        // Fixed lengths cut some hits short; re-adding gives them their ends.
        {
            TSongEditLock lock(rig.editor);
            rig.editor.Song.SuspendJournal();
            std::vector<TDRHit*> all;
            for (int32_t b = 0; b <= rig.editor.Song.LastBar; ++b)
                for (const auto& h : rig.editor.Song.Bar(b).StartingHits)
                    all.push_back(h.get());
            for (TDRHit* h : all) {
                if (pick(0, 2) != 0)
                    continue;
                std::unique_ptr<TDRHit> owned = rig.editor.Song.DeleteHit(h);
                owned->FixedLength = pick(1, 400);
                owned->FadeTill = pick(0, 50);
                owned->FadeOut = pick(0, 200);
                rig.editor.Song.AddHit(std::move(owned));
            }
            rig.editor.Song.JournalSuspended = false;
        }
        if (pick(0, 2) == 0)
            rig.editor.Plocha.Tracks[static_cast<size_t>(pick(0, 2))]->Muted = true;

        const int32_t startBar = pick(0, 5);
        const int32_t endChoice = pick(0, 3);
        const int32_t endBar = endChoice == 0   ? -1
                               : endChoice == 1 ? std::max(startBar - pick(1, 3), 0)
                                                : startBar + pick(0, 6);
        const bool loop = pick(0, 2) == 0;
        const Expected want = reference(rig, startBar, endBar, loop);

        rig.playback->StartBar = startBar;
        rig.playback->EndBar = endBar;
        rig.playback->Loop = loop;
        rig.playback->Play();
        if (want.stopAtMs >= 0) {
            rig.clock->advanceTo(PlaybackRig::StartMs + want.stopAtMs);
            rig.playback->StopAndWait();
        } else {
            rig.clock->advanceTo(PlaybackRig::StartMs + 200'000);
            rig.playback->WaitForRunEnd();
        }

        std::vector<Sound> sounds;
        const auto starts = rig.engine.calls(EngineCall::Start);
        for (const EngineCall& c : starts)
            sounds.push_back({c.sample, c.atMs - PlaybackRig::StartMs, c.value});
        std::vector<Fade> fades;
        for (const EngineCall& c : rig.engine.calls(EngineCall::Fade)) {
            const auto it = std::find_if(starts.begin(), starts.end(),
                                         [&](const EngineCall& s) { return s.voice == c.voice; });
            ASSERT_NE(it, starts.end());
            fades.push_back(
                {static_cast<size_t>(it - starts.begin()), c.atMs - PlaybackRig::StartMs, c.value});
        }
        std::sort(fades.begin(), fades.end());
        EXPECT_EQ(sounds, want.sounds);
        EXPECT_EQ(fades, want.fades);
        EXPECT_EQ(rig.playback->PlayingState(), TPlayingState::psStopped);
    }
}
