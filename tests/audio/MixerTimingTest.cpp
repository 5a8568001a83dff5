// Where stamped commands land in the mix: at their stamp plus the constant
// latency, whatever the block size, with a hand-driven or a real clock.
#include "MixerRig.h"

#include <gtest/gtest.h>
#include <thread>

using namespace audiotest;

namespace {

constexpr std::int64_t Latency = audio::Mixer::ScheduleLatencyFrames;

class BlockSizes : public ::testing::TestWithParam<std::size_t> {};

TEST_P(BlockSizes, HitsTenMillisecondsApartStart441FramesApart) {
    MixerRig rig(GetParam());
    auto first = rig.voice(click());
    auto second = rig.voice(click());
    rig.at(3.3);
    first->play();
    rig.at(13.3);
    second->play();
    rig.at(120);

    const std::vector<std::size_t> found = onsets(rig.captured().channel(0), 0.25);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(static_cast<std::int64_t>(found[0]), MixerRig::frameAt(3.3) + Latency);
    EXPECT_EQ(found[1] - found[0], 441u);
}

INSTANTIATE_TEST_SUITE_P(Frames, BlockSizes, ::testing::Values(64, 100, 256, 441, 512, 800));

TEST(MixerTiming, ExplicitStampsAreHonouredWhenTheCommandComesEarly) {
    MixerRig rig(256);
    auto a = rig.voice(click());
    auto b = rig.voice(click());
    auto c = rig.voice(click());
    rig.at(1.0);
    // Issued together, due later and out of order.
    c->play(true, rig.time(47.0));
    a->play(true, rig.time(7.0));
    b->play(true, rig.time(17.0));
    rig.at(150);
    const std::vector<std::size_t> found = onsets(rig.captured().channel(0), 0.25);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(static_cast<std::int64_t>(found[0]), MixerRig::frameAt(7.0) + Latency);
    EXPECT_EQ(found[1] - found[0], 441u);
    EXPECT_EQ(found[2] - found[0], 40u * 44100 / 1000);
}

TEST(MixerTiming, ALateCommandPlaysAtTheNextBlock) {
    MixerRig rig(256);
    auto v = rig.voice(click());
    rig.at(100);
    v->play(true, rig.time(10.0)); // its frame has long been mixed
    const std::int64_t nextBlock = (MixerRig::frameAt(100) / 256 + 1) * 256;
    rig.at(150);
    const std::vector<std::size_t> found = onsets(rig.captured().channel(0), 0.25);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(static_cast<std::int64_t>(found[0]), nextBlock);
}

TEST(MixerTiming, RealTimeSilentOutputKeepsStampedDistances) {
    TempDir dir;
    audio::AudioOutput::Options options;
    options.useSoundCards = false; // the system clock and the pacing thread
    audio::AudioOutput output(options);
    output.start(1);
    ASSERT_NE(output.silentOutput(), nullptr);
    output.silentOutput()->startCapture(dir.file("rt.wav"));
    auto a = std::make_unique<audio::Voice>(output, makeImage(click()));
    auto b = std::make_unique<audio::Voice>(output, makeImage(click()));
    const audio::ClockTime now = output.now();
    a->play(true, now + audio::ClockTime{10'000});
    b->play(true, now + audio::ClockTime{20'000});
    EXPECT_TRUE(a->isPlaying());
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
    output.silentOutput()->stopCapture();
    output.stop();
    const std::vector<std::size_t> found = onsets(readSound(dir.file("rt.wav")).channel(0), 0.25);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[1] - found[0], 441u);
}

} // namespace
