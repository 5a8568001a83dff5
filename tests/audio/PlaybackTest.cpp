// The scheduler on the virtual clock: ranges, passes, loops, fades, stops
// and repeats, through the recording fake of the sample voices.
#include "PlaybackRig.h"

#include <gtest/gtest.h>

using playbacktest::EngineCall;
using playbacktest::PlaybackRig;

namespace {

constexpr int64_t Bar = 2000; // ms at tempo 120

// Plays until the run ends by itself (or until far beyond the song).
void playToEnd(PlaybackRig& rig, int64_t untilMs = 100'000) {
    rig.playback->Play();
    rig.clock->advanceTo(PlaybackRig::StartMs + untilMs);
    rig.playback->WaitForRunEnd();
}

} // namespace

TEST(Playback, RangeRulesAdjustTheBars) {
    struct Case {
        int32_t start, end;
        int32_t wantStart, wantEnd;
        std::vector<int64_t> starts;
    } cases[] = {
        {0, -1, 0, 10, {0, Bar, 3 * Bar}}, // -1 is the last bar and stays so
        {3, 1, 1, 1, {0}},                 // end below start lowers the start
        {1, 1, 1, 1, {0}},                 // offsets count from bar StartBar
        {2, 20, 2, 20, {Bar}},             // beyond the song: to its last bar
    };
    for (const Case& c : cases) {
        PlaybackRig rig;
        rig.hit(0, 0);
        rig.hit(1, 0);
        rig.hit(3, 0);
        rig.playback->StartBar = c.start;
        rig.playback->EndBar = c.end;
        playToEnd(rig);
        EXPECT_EQ(rig.playback->StartBar, c.wantStart) << c.start << ".." << c.end;
        EXPECT_EQ(rig.playback->EndBar, c.wantEnd) << c.start << ".." << c.end;
        EXPECT_EQ(rig.starts(), c.starts) << c.start << ".." << c.end;
        EXPECT_EQ(rig.playback->PlayingState(), TPlayingState::psStopped);
    }
}

TEST(Playback, EmptyBarsAtTheStartAreWaitedOut) {
    PlaybackRig rig;
    rig.hit(2, 500);
    rig.playback->Play();
    rig.clock->advanceTo(PlaybackRig::StartMs + 2 * Bar + 999);
    EXPECT_TRUE(rig.starts().empty());
    EXPECT_EQ(rig.playback->PlayingState(), TPlayingState::psPlaying);
    EXPECT_EQ(rig.playback->ClockBase(), PlaybackRig::StartMs);
    rig.clock->advanceTo(PlaybackRig::StartMs + 10 * Bar);
    rig.playback->WaitForRunEnd();
    EXPECT_EQ(rig.starts(), (std::vector<int64_t>{2 * Bar + 1000}));
}

TEST(Playback, RangeWithoutHitsEndsSilently) {
    PlaybackRig rig;
    rig.hit(0, 0);
    rig.playback->StartBar = 1;
    playToEnd(rig);
    EXPECT_TRUE(rig.starts().empty());
    EXPECT_EQ(rig.host.cursorStarts, 0);
    EXPECT_FALSE(rig.playback->HasHitsFrom(1));
    EXPECT_TRUE(rig.playback->HasHitsFrom(0));
    EXPECT_FALSE(rig.playback->PlayFromBar(1));
}

TEST(Playback, LoopReturnsAtTheEndOfTheLastBarWithHits) {
    PlaybackRig rig;
    rig.hit(0, 0);
    rig.hit(1, 250);
    rig.playback->Loop = true;
    rig.playback->EndBar = 8; // bars 2..8 are empty and are not waited for
    rig.playback->Play();
    rig.clock->advanceTo(PlaybackRig::StartMs + 2 * 2 * Bar + 600);
    rig.playback->StopAndWait();
    const std::vector<int64_t> want{0, Bar + 500, 2 * Bar, 3 * Bar + 500, 4 * Bar};
    EXPECT_EQ(rig.starts(), want);
    EXPECT_EQ(rig.host.cursorStarts, 3);
}

TEST(Playback, RunEndsAfterTheLastSoundedHitsOwnLength) {
    PlaybackRig rig;
    rig.hit(0, 0, 0, 0, 5000); // rings on past the end
    rig.hit(0, 500, 0, 1, 120);
    playToEnd(rig);
    EXPECT_EQ(rig.host.endedAtMs, PlaybackRig::StartMs + 1000 + 120);
    EXPECT_TRUE(rig.engine.calls(EngineCall::StopAll).empty());
}

TEST(Playback, HitsAtOneTickSoundInListOrderAtTheSameStamp) {
    PlaybackRig rig;
    rig.hit(0, 100, 0, 0, 100, 10);
    rig.hit(0, 100, 1, 0, 100, 20);
    rig.hit(0, 100, 0, 1, 100, 30);
    playToEnd(rig);
    const auto starts = rig.engine.calls(EngineCall::Start);
    ASSERT_EQ(starts.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(starts[i].atMs, PlaybackRig::StartMs + 200);
        EXPECT_EQ(starts[i].value, 10 * static_cast<int32_t>(i + 1));
    }
}

TEST(Playback, MutedGroupIsPreparedButNeitherSoundsNorFades) {
    PlaybackRig rig;
    TDRHit* cut = rig.hit(0, 0, 1, 0);
    cut->StopMs = cut->StartMs + 10;
    rig.hit(0, 500, 0, 0);
    rig.editor.Plocha.Tracks[1]->Muted = true;
    playToEnd(rig);
    EXPECT_TRUE(rig.engine.isInitialized(*rig.sample(1, 0)));
    const auto starts = rig.engine.calls(EngineCall::Start);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].sample, rig.sample(0, 0));
    EXPECT_TRUE(rig.engine.calls(EngineCall::Fade).empty());
}

TEST(Playback, CutHitFadesAtStopPlusFadeTillOverFadeOut) {
    struct Case {
        int32_t fadeTill, fadeOut;
    } cases[] = {{30, 40}, {0, 0}};
    for (const Case& c : cases) {
        PlaybackRig rig;
        TDRHit* cut = rig.hit(0, 0, 0, 0, 500);
        cut->StopMs = 200; // ended early by the model
        cut->FadeTill = c.fadeTill;
        cut->FadeOut = c.fadeOut;
        TDRHit* whole = rig.hit(0, 50, 1, 0, 100);
        whole->FadeTill = 5;
        playToEnd(rig);
        const auto starts = rig.engine.calls(EngineCall::Start);
        const auto fades = rig.engine.calls(EngineCall::Fade);
        ASSERT_EQ(fades.size(), 1u) << c.fadeTill;
        EXPECT_EQ(fades[0].voice, starts[0].voice);
        EXPECT_EQ(fades[0].atMs, PlaybackRig::StartMs + 200 + c.fadeTill);
        EXPECT_EQ(fades[0].value, c.fadeOut);
    }
}

TEST(Playback, SixthVoiceOfOneSampleStillStartsFromAPoolOfFive) {
    PlaybackRig rig;
    for (int i = 0; i < 6; ++i)
        rig.hit(0, i * 10, 0, 0, 1000);
    playToEnd(rig);
    const auto pools = rig.engine.calls(EngineCall::CreateVoices);
    ASSERT_EQ(pools.size(), 1u);
    EXPECT_EQ(pools[0].value, 5);
    EXPECT_EQ(rig.engine.calls(EngineCall::Start).size(), 6u);
}

TEST(Playback, StopWhileWaitingEndsAtOnce) {
    PlaybackRig rig;
    rig.hit(0, 0);
    rig.hit(2, 0);
    rig.playback->Play();
    rig.clock->advanceTo(PlaybackRig::StartMs + Bar);
    ASSERT_EQ(rig.playback->PlayingState(), TPlayingState::psPlaying);
    rig.playback->Stop();
    EXPECT_EQ(rig.playback->PlayingState(), TPlayingState::psStopped);
    rig.playback->WaitForRunEnd();
    EXPECT_FALSE(rig.playback->RunActive());
    EXPECT_EQ(rig.starts(), (std::vector<int64_t>{0}));
    EXPECT_FALSE(rig.engine.calls(EngineCall::StopAll).empty());
    EXPECT_EQ(rig.host.endedAtMs, PlaybackRig::StartMs + Bar);
}

TEST(Playback, InstantRepeatRestartsFromStartBar) {
    PlaybackRig rig;
    rig.hit(1, 0, 0, 0, 1000);
    rig.hit(2, 0, 0, 0, 1000);
    rig.playback->StartBar = 1;
    rig.playback->Play();
    // While waiting for the last hit's end.
    rig.clock->advanceTo(PlaybackRig::StartMs + Bar + 300);
    rig.clock->whileParked([&] { rig.playback->SetInstantRepeat(true); });
    EXPECT_FALSE(rig.playback->InstantRepeat());
    EXPECT_EQ(rig.playback->ClockBase(), PlaybackRig::StartMs + 300);
    rig.clock->advanceTo(PlaybackRig::StartMs + 10 * Bar);
    rig.playback->WaitForRunEnd();
    EXPECT_EQ(rig.starts(), (std::vector<int64_t>{0, Bar, Bar + 300, 2 * Bar + 300}));
}

TEST(Playback, DeletingAllHitsOfTheBarGoesOnWithTheNextBar) {
    PlaybackRig rig;
    rig.hit(0, 0);
    TDRHit* a = rig.hit(0, 500);
    TDRHit* b = rig.hit(0, 700);
    rig.hit(1, 0);
    rig.playback->Play();
    rig.clock->advanceTo(PlaybackRig::StartMs + 100);
    TDRHit* first = rig.editor.Song.Bar(0).StartingHits[0].get();
    rig.clock->whileParked([&] {
        TSongEditLock lock(rig.editor);
        rig.editor.Song.NewAction();
        rig.editor.Song.DeleteHit(a);
        rig.editor.Song.DeleteHit(b);
        rig.editor.Song.DeleteHit(first);
    });
    rig.clock->advanceTo(PlaybackRig::StartMs + 10 * Bar);
    rig.playback->WaitForRunEnd();
    EXPECT_EQ(rig.starts(), (std::vector<int64_t>{0, Bar}));
}

TEST(Playback, HitInsertedBeforeTheAwaitedOneSoundsInTime) {
    PlaybackRig rig;
    rig.hit(0, 0);
    rig.hit(0, 800);
    rig.playback->Play();
    rig.clock->advanceTo(PlaybackRig::StartMs + 100);
    rig.clock->whileParked([&] { rig.hit(0, 400, 1, 0); });
    rig.clock->advanceTo(PlaybackRig::StartMs + 10 * Bar);
    rig.playback->WaitForRunEnd();
    EXPECT_EQ(rig.starts(), (std::vector<int64_t>{0, 800, 1600}));
}

TEST(Playback, PreRenderRunsOnTheEditingThreadWhileTheWorkerWaits) {
    PlaybackRig rig;
    rig.hit(0, 0, 0, 0);
    rig.hit(0, 500, 1, 1);
    rig.host.queueTasks = true;
    rig.playback->Play();
    // The worker asks for both samples, one at a time, holding no lock:
    // this thread can edit the song meanwhile.
    for (int i = 0; i < 2; ++i) {
        { TSongEditLock lock(rig.editor); }
        rig.host.runTasks();
    }
    rig.clock->advanceTo(PlaybackRig::StartMs + 10 * Bar);
    rig.playback->WaitForRunEnd();
    EXPECT_EQ(rig.starts(), (std::vector<int64_t>{0, 1000}));
    EXPECT_EQ(rig.engine.calls(EngineCall::CreateVoices).size(), 2u);
}

TEST(Playback, StopWhileWaitingForAPreRenderEndsTheRunAndDropsTheRequest) {
    PlaybackRig rig;
    rig.hit(0, 0);
    rig.host.queueTasks = true;
    rig.playback->Play();
    rig.host.waitForTask();
    rig.playback->StopAndWait();
    rig.host.runTasks(); // comes too late: renders nothing
    EXPECT_FALSE(rig.engine.isInitialized(*rig.sample(0, 0)));
    EXPECT_TRUE(rig.starts().empty());
    EXPECT_EQ(rig.playback->PlayingState(), TPlayingState::psStopped);
}
