// Voices in the mixer: volume and panning, slides and fades, stopping
// everything, rates other than the mix rate, and freeing while playing.
#include "MixerRig.h"
#include "audio/AudioErrors.h"

#include <gtest/gtest.h>

using namespace audiotest;

namespace {

constexpr std::int64_t Latency = audio::Mixer::ScheduleLatencyFrames;

struct PanCase {
    int volume;
    int panning;
    double left;
    double right;
};

class VolumeAndPanning : public ::testing::TestWithParam<PanCase> {};

TEST_P(VolumeAndPanning, ScaleEachSide) {
    const PanCase& c = GetParam();
    MixerRig rig;
    auto mono = rig.voice(constant(0.5, 0.2, 44100, 1));
    Sound stereoSound = constant(0.5, 0.2, 44100, 2);
    for (std::size_t i = 1; i < stereoSound.samples.size(); i += 2)
        stereoSound.samples[i] = 0.25f;
    auto stereo = rig.voice(stereoSound);
    mono->setLevels({c.volume, c.panning});
    mono->play();
    rig.at(300); // the mono voice has ended
    stereo->setLevels({c.volume, c.panning});
    stereo->play();
    rig.at(600);
    const Sound mix = rig.captured();
    const std::size_t monoAt = static_cast<std::size_t>(Latency + 1000);
    EXPECT_NEAR(mix.samples[2 * monoAt], 0.5 * c.left, 1e-4);
    EXPECT_NEAR(mix.samples[2 * monoAt + 1], 0.5 * c.right, 1e-4);
    const std::size_t stereoAt = static_cast<std::size_t>(MixerRig::frameAt(300) + Latency + 1000);
    EXPECT_NEAR(mix.samples[2 * stereoAt], 0.5 * c.left, 1e-4);
    EXPECT_NEAR(mix.samples[2 * stereoAt + 1], 0.25 * c.right, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(Settings, VolumeAndPanning,
                         ::testing::Values(PanCase{100, 0, 1, 1}, PanCase{50, 0, 0.5, 0.5},
                                           PanCase{100, -100, 1, 0}, PanCase{100, 100, 0, 1},
                                           PanCase{80, 50, 0.4, 0.8}, PanCase{0, 0, 0, 0}));

TEST(Mixer, AFadeReachesSilenceAndStopsTheVoice) {
    MixerRig rig;
    auto v = rig.voice(constant(0.5, 1.0, 44100));
    v->play();
    rig.at(50);
    v->fadeOutAndStop(std::chrono::milliseconds(100));
    rig.at(60);
    EXPECT_TRUE(v->isPlaying());
    rig.at(400);
    EXPECT_FALSE(v->isPlaying());

    const std::vector<float> left = rig.captured().channel(0);
    const std::size_t from = static_cast<std::size_t>(MixerRig::frameAt(50) + Latency);
    const std::size_t length = 4410;
    EXPECT_FLOAT_EQ(left[from - 1], 0.5f);
    EXPECT_NEAR(left[from + length / 2 - 1], 0.25, 1e-3);
    EXPECT_NEAR(left[from + length - 2], 0.0, 1e-3);
    for (std::size_t i = from + 1; i < from + length; ++i)
        ASSERT_LE(left[i], left[i - 1]) << "frame " << i;
    EXPECT_EQ(peak(left, from + length), 0.0);
}

TEST(Mixer, AZeroSlideReplacesARunningSlide) {
    MixerRig rig;
    auto v = rig.voice(constant(0.5, 1.0, 44100));
    v->play();
    v->slideLevels({0, std::nullopt}, std::chrono::milliseconds(1000));
    rig.at(100);
    v->slideLevels({80, std::nullopt}, std::chrono::milliseconds(0));
    rig.at(600);
    EXPECT_TRUE(v->isPlaying());
    const std::vector<float> left = rig.captured().channel(0);
    const std::size_t switched = static_cast<std::size_t>(MixerRig::frameAt(100) + Latency);
    EXPECT_NEAR(left[switched - 1], 0.45, 1e-3); // 100 ms into the slide to silence
    EXPECT_FLOAT_EQ(left[switched], 0.4f);
    EXPECT_FLOAT_EQ(left[switched + 10000], 0.4f);
}

TEST(Mixer, AVoiceTakenOverMidFadePlaysTheNewHitInFull) {
    MixerRig rig;
    auto v = rig.voice(constant(0.5, 1.0, 44100));
    v->play();
    rig.at(50);
    v->fadeOutAndStop(std::chrono::milliseconds(300));
    rig.at(150);
    // The sequence a reused voice gets: stop, cancel the slide, set, play.
    v->stop();
    v->slideLevels({80, 0}, std::chrono::milliseconds(0));
    v->setLevels({80, 0});
    v->play();
    rig.at(500); // past the end the fade would have had
    EXPECT_TRUE(v->isPlaying());
    const std::vector<float> left = rig.captured().channel(0);
    const std::size_t restart = static_cast<std::size_t>(MixerRig::frameAt(150) + Latency);
    EXPECT_LT(left[restart - 1], 0.5f);
    EXPECT_FLOAT_EQ(left[restart + 1], 0.4f);
    EXPECT_FLOAT_EQ(left[static_cast<std::size_t>(MixerRig::frameAt(480))], 0.4f);
}

TEST(Mixer, StopEverythingEndsVoicesFadesAndPendingStartsAndRunsOn) {
    MixerRig rig;
    auto a = rig.voice(constant(0.25, 1.0, 44100));
    auto b = rig.voice(constant(0.25, 1.0, 44100));
    auto late = rig.voice(constant(0.25, 1.0, 44100));
    a->play();
    b->play();
    rig.at(50);
    b->fadeOutAndStop(std::chrono::milliseconds(500));
    late->play(true, rig.time(300)); // not yet due
    rig.at(100);
    rig.output().stopAllSound();
    EXPECT_FALSE(a->isPlaying());
    EXPECT_FALSE(b->isPlaying());
    EXPECT_FALSE(late->isPlaying());
    rig.at(400);
    auto after = rig.voice(constant(0.25, 0.1, 44100));
    after->play();
    EXPECT_TRUE(after->isPlaying());
    rig.at(600);

    const std::vector<float> left = rig.captured().channel(0);
    const std::size_t stopped = (static_cast<std::size_t>(MixerRig::frameAt(100)) / 256 + 1) * 256;
    EXPECT_GT(left[stopped - 1], 0.25f); // both were sounding
    const std::size_t resumed = static_cast<std::size_t>(MixerRig::frameAt(400) + Latency);
    EXPECT_EQ(peak(left, stopped, resumed), 0.0);
    EXPECT_FLOAT_EQ(left[resumed + 10], 0.25f);
}

TEST(Mixer, ActiveFromPlayUntilTheDataEnds) {
    MixerRig rig;
    auto v = rig.voice(constant(0.5, 0.05, 44100));
    EXPECT_FALSE(v->isPlaying());
    v->play();
    EXPECT_TRUE(v->isPlaying()); // before the mixer has taken the command
    rig.at(40);
    EXPECT_TRUE(v->isPlaying());
    rig.at(100);
    EXPECT_FALSE(v->isPlaying());
    v->play();
    EXPECT_TRUE(v->isPlaying());
    v->stop();
    EXPECT_FALSE(v->isPlaying());
}

TEST(Mixer, PlayNeedsARunningDeviceButSettingsDoNot) {
    MixerRig rig;
    auto v = rig.voice(click());
    rig.output().stop();
    v->setLevels({50, 10});
    v->fadeOutAndStop(std::chrono::milliseconds(10));
    try {
        v->play();
        FAIL() << "played without a device";
    } catch (const audio::AudioError& e) {
        EXPECT_EQ(e.code(), audio::ErrorCode::NotRunning);
    }
    EXPECT_FALSE(v->isPlaying());
}

struct RateCase {
    int rate;
    int bits;
};

class ImageRates : public ::testing::TestWithParam<RateCase> {};

TEST_P(ImageRates, PlayAtTheirOwnPitchAndLength) {
    const RateCase& c = GetParam();
    MixerRig rig;
    auto v = rig.voice(sine(1000, 0.2, c.rate, 1, 0.5), c.bits);
    v->play();
    rig.at(400);
    const std::vector<float> left = rig.captured().channel(0);
    const std::size_t from = static_cast<std::size_t>(Latency);
    const std::size_t frames = static_cast<std::size_t>(0.2 * 44100);
    EXPECT_NEAR(zeroCrossingFrequency(left, 44100, from + 100, from + frames - 100), 1000.0, 2.0);
    EXPECT_NEAR(toDb(rms(left, from + 100, from + frames - 100)), toDb(0.5 / std::sqrt(2.0)), 0.2);
    EXPECT_LT(peak(left, from + frames + 3), 1e-6);
    EXPECT_GT(peak(left, from + frames - 50, from + frames), 0.1);
}

INSTANTIATE_TEST_SUITE_P(Images, ImageRates,
                         ::testing::Values(RateCase{44100, 16}, RateCase{22050, 16},
                                           RateCase{48000, 16}, RateCase{44100, 8},
                                           RateCase{22050, 8}));

TEST(Mixer, FreeingImagesAndVoicesWhilePlayingIsSafe) {
    audio::Mixer::Config small;
    small.channels = 16; // far fewer than the voices made below
    MixerRig rig(256, small);
    {
        auto image = makeImage(sine(440, 0.5, 44100));
        auto kept = std::make_unique<audio::Voice>(rig.output(), image);
        image.reset(); // the voice holds the image now
        kept->play();
        rig.at(30);
        // Channels are reused only after the mixer has let go of them.
        for (int i = 0; i < 50; ++i) {
            auto brief = rig.voice(sine(880, 0.5, 44100));
            brief->play();
            rig.at(31 + i);
        }
        rig.at(200);
        EXPECT_TRUE(kept->isPlaying());
    } // the voice goes while playing
    rig.at(300);
    EXPECT_NO_THROW(rig.voice(click()));
}

TEST(Mixer, VoicesOutliveTheOutput) {
    std::unique_ptr<audio::Voice> v;
    {
        MixerRig rig;
        v = rig.voice(sine(440, 0.5, 44100));
        v->play();
        rig.at(50);
    }
    EXPECT_FALSE(v->isPlaying());
    v.reset();
}

TEST(Mixer, RunsOutOfChannelsWithACode) {
    audio::Mixer::Config tiny;
    tiny.channels = 2;
    MixerRig rig(256, tiny);
    auto a = rig.voice(click());
    auto b = rig.voice(click());
    try {
        rig.voice(click());
        FAIL() << "a third channel";
    } catch (const audio::AudioError& e) {
        EXPECT_EQ(e.code(), audio::ErrorCode::NoFreeChannel);
    }
}

} // namespace
