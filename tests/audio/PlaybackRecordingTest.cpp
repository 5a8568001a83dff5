// Drum shortcuts and recording on the virtual clock, the shortcut texts,
// and the scheduler running while another thread edits the song.
#include "PlaybackRig.h"
#include "audio/Shortcuts.h"

#include <gtest/gtest.h>
#include <thread>

using playbacktest::EngineCall;
using playbacktest::PlaybackRig;

namespace {

constexpr int64_t Bar = 2000; // ms at tempo 120

std::vector<TDRPosition> hitPlaces(const TDRComp& song) {
    std::vector<TDRPosition> out;
    for (int32_t b = 0; b <= song.LastBar; ++b)
        for (const auto& h : song.Bar(b).StartingHits)
            out.push_back(h->Start());
    return out;
}

} // namespace

TEST(PlaybackRecording, ShortcutWithoutRecordingOnlyPreviews) {
    PlaybackRig rig;
    rig.playback->ShortcutHit(1, 1);
    const auto starts = rig.engine.calls(EngineCall::Start);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].sample, rig.sample(1, 1));
    EXPECT_EQ(starts[0].atMs, -1); // at once
    EXPECT_EQ(rig.playback->RecordedCount(), 0u);
    EXPECT_TRUE(hitPlaces(rig.editor.Song).empty());
}

TEST(PlaybackRecording, WhileStoppedLandsInTheBarAfterTheLastBarWithHits) {
    struct Case {
        bool songHasHits;
        int32_t firstBar;
    } cases[] = {{true, 2}, {false, 0}};
    for (const Case& c : cases) {
        PlaybackRig rig;
        if (c.songHasHits) {
            rig.hit(0, 0);
            rig.hit(1, 900);
        }
        const size_t before = rig.editor.Song.UndoList.size();
        rig.playback->SetRecording(true);
        rig.playback->ShortcutHit(0, 1);
        rig.clock->advanceTo(PlaybackRig::StartMs + 500);
        rig.playback->ShortcutHit(1, 0);
        EXPECT_EQ(rig.playback->RecordedCount(), 2u);
        rig.editor.Modified = false;
        rig.playback->SetRecording(false);

        EXPECT_TRUE(rig.editor.Modified);
        EXPECT_EQ(rig.playback->RecordBase(), audio::Playback::Unset);
        std::vector<TDRPosition> want;
        if (c.songHasHits)
            want = {{0, 0}, {1, 900}};
        want.push_back({c.firstBar, 0});
        want.push_back({c.firstBar, 250});
        EXPECT_EQ(hitPlaces(rig.editor.Song), want) << c.songHasHits;
        // One undo action takes both recorded hits back.
        EXPECT_EQ(rig.editor.Song.UndoList.size(), before + 2);
        rig.editor.Song.Undo();
        want.resize(want.size() - 2);
        EXPECT_EQ(hitPlaces(rig.editor.Song), want) << c.songHasHits;
    }
}

TEST(PlaybackRecording, WhilePlayingLandsAtTheSoundingPlace) {
    PlaybackRig rig;
    rig.hit(1, 0);
    rig.hit(3, 0);
    rig.playback->StartBar = 1;
    rig.playback->SetRecording(true);
    rig.playback->Play();
    rig.clock->advanceTo(PlaybackRig::StartMs + 1000); // bar 1 tick 500
    EXPECT_EQ(rig.playback->RecordBase(), PlaybackRig::StartMs - Bar);
    rig.playback->ShortcutHit(1, 1);
    rig.clock->whileParked([&] { rig.playback->SetRecording(false); });
    rig.clock->advanceTo(PlaybackRig::StartMs + 10 * Bar);
    rig.playback->WaitForRunEnd();
    EXPECT_EQ(hitPlaces(rig.editor.Song), (std::vector<TDRPosition>{{1, 0}, {1, 500}, {3, 0}}));
    // Switching recording off committed the hit and unset the base.
    EXPECT_EQ(rig.playback->RecordBase(), audio::Playback::Unset);
}

TEST(PlaybackRecording, HitsOfAPassAreCommittedWhenTheNextPassStarts) {
    PlaybackRig rig;
    rig.hit(0, 0);
    rig.playback->Loop = true;
    rig.playback->EndBar = 4;
    rig.playback->SetRecording(true);
    rig.playback->Play();
    rig.clock->advanceTo(PlaybackRig::StartMs + 600); // bar 0 tick 300
    rig.playback->ShortcutHit(0, 1);
    rig.clock->advanceTo(PlaybackRig::StartMs + Bar + 10); // the second pass
    rig.playback->StopAndWait();
    EXPECT_EQ(rig.playback->RecordedCount(), 0u);
    EXPECT_EQ(hitPlaces(rig.editor.Song), (std::vector<TDRPosition>{{0, 0}, {0, 300}}));
    EXPECT_EQ(rig.playback->RecordBase(), PlaybackRig::StartMs + Bar);
}

TEST(Shortcuts, TextsParseIntoKeyCombinations) {
    using audio::KeyCombination;
    struct Case {
        const char* text;
        std::optional<KeyCombination> want;
    } cases[] = {
        {"A", KeyCombination{false, false, false, "A"}},
        {"q", KeyCombination{false, false, false, "Q"}},
        {"Shift+F7", KeyCombination{true, false, false, "F7"}},
        {"Ctrl+Alt+Space", KeyCombination{false, true, true, "Space"}},
        {"Shift+Ctrl+Alt+Num 3", KeyCombination{true, true, true, "Num 3"}},
        {"Ctrl++", KeyCombination{false, true, false, "+"}},
        {"", std::nullopt},
        {"Shift+", KeyCombination{false, false, false, "Shift+"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(audio::parseShortcut(c.text), c.want) << c.text;
}

TEST(Shortcuts, GroupRowsComeFirstThenSampleRows) {
    PlaybackRig rig;
    TDrumsetItem group;
    group.Shortcut = "Ctrl+G";
    rig.editor.Plocha.Tracks[1]->GroupData = &group;
    rig.sample(0, 1)->Shortcut = "S";
    rig.editor.Plocha.Tracks[0]->Samples[1]->SampleIndex = 1;
    const auto list = audio::buildDrumShortcuts(rig.editor.Plocha);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].Keys.Key, "G");
    EXPECT_EQ(list[0].Group, 1);
    EXPECT_EQ(list[0].Sample, -1);
    EXPECT_EQ(list[1].Keys.Key, "S");
    EXPECT_EQ(list[1].Group, 0);
    EXPECT_EQ(list[1].Sample, 1);
    rig.editor.Plocha.Tracks[1]->GroupData = nullptr;
}

// Runs under ThreadSanitizer in CI: the worker reads the song while this
// thread adds and deletes hits (freeing them) in the bars being played.
TEST(PlaybackConcurrency, PlaysWhileAnotherThreadEditsTheSong) {
    PlaybackRig rig;
    for (int b = 0; b < 8; ++b)
        for (int t = 0; t < 1000; t += 125)
            rig.hit(b, t, b % 2, t % 2);
    rig.playback->EndBar = 7;
    rig.playback->Play();
    std::atomic<bool> done{false};
    std::thread driver([&] {
        for (int64_t ms = 0; ms <= 8 * Bar + 1000; ms += 7)
            rig.clock->advanceTo(PlaybackRig::StartMs + ms);
        done = true;
    });
    int round = 0;
    while (!done) {
        TSongEditLock lock(rig.editor);
        TDRComp& song = rig.editor.Song;
        const int32_t bar = round % 8;
        if (round % 3 == 2 && !song.Bar(bar).StartingHits.empty()) {
            song.SuspendJournal();
            std::unique_ptr<TDRHit> gone = song.DeleteHit(song.Bar(bar).StartingHits.front().get());
            song.ResumeJournal();
        } else {
            auto h = std::make_unique<TDRHit>();
            h->StartBar = bar;
            h->StartTick = (round * 37) % 1000;
            h->Group = round % 2;
            h->LengthMs = 50;
            song.SuspendJournal();
            song.AddHit(std::move(h));
            song.ResumeJournal();
        }
        ++round;
    }
    driver.join();
    rig.playback->StopAndWait();
    EXPECT_GT(rig.engine.calls(EngineCall::Start).size(), 8u);
    EXPECT_TRUE(rig.host.errors.empty());
}
