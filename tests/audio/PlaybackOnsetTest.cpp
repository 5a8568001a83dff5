// The scheduler through the real sample voices on the hand-clocked silent
// output: every hit starts on the frame of its due time plus the constant
// latency.
#include "PlaybackRig.h"
#include "SampleFixtures.h"

#include <gtest/gtest.h>

using playbacktest::VirtualPlaybackClock;

TEST(PlaybackOnsets, HitsLandOnTheFramesOfTheirDueTimes) {
    audiotest::EngineRig rig;
    TSongEditor editor;
    std::vector<std::unique_ptr<TDrumsetItem>> items;
    auto track = std::make_unique<TDRPlTrack>();
    for (int s = 0; s < 2; ++s) {
        items.push_back(rig.files.item(audiotest::click(0.05)));
        auto row = std::make_unique<TDRPlSample>();
        row->SampleIndex = s;
        row->Length = 50;
        row->SampleData = items.back().get();
        track->Samples.push_back(std::move(row));
    }
    editor.Plocha.Tracks.push_back(std::move(track));
    const int32_t ticks[] = {0, 125, 250, 333, 500, 875};
    for (int32_t tick : ticks) {
        auto h = std::make_unique<TDRHit>();
        h->StartTick = tick;
        h->Sample = tick % 2;
        h->LengthMs = 50;
        editor.Song.AddHit(std::move(h));
    }

    audio::SampleEnginePlayback voices(rig.engine);
    auto clock = std::make_shared<VirtualPlaybackClock>();
    {
        audio::Playback playback(editor, voices, clock);
        playback.InitializeAllSamples();
        playback.EndBar = -1;
        playback.Play();
        // Both clocks start at 1000 ms and move together.
        for (int ms = 1; ms <= 2100; ++ms) {
            clock->advanceTo(1000 + ms);
            rig.mixer.at(ms);
        }
        playback.WaitForRunEnd();
    }
    const std::vector<std::size_t> found = audiotest::onsets(rig.mixer.captured().channel(0), 0.1);
    ASSERT_EQ(found.size(), std::size(ticks));
    for (size_t i = 0; i < found.size(); ++i)
        EXPECT_EQ(static_cast<std::int64_t>(found[i]),
                  audiotest::MixerRig::frameAt(ticks[i] * 2.0) +
                      audio::Mixer::ScheduleLatencyFrames)
            << ticks[i];
}
