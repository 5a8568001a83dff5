// A sample's voice pool in the mixer: which voice a hit takes, fades,
// timing by stamps, levels, images at other rates, freeing and stopping.
#include "SampleFixtures.h"

#include <gtest/gtest.h>

using namespace audiotest;

namespace {

constexpr std::size_t Latency = audio::Mixer::ScheduleLatencyFrames;

std::size_t frameAt(double ms) {
    return static_cast<std::size_t>(MixerRig::frameAt(ms)) + Latency;
}

class VoicePool : public ::testing::Test {
protected:
    // A rendered sample of the sound with a pool of five voices.
    std::unique_ptr<TDrumsetItem> prepared(const Sound& sound) {
        auto item = m_rig.files.item(sound);
        m_rig.engine.InitializeSample(*item, 0);
        m_rig.engine.CreateVoices(*item, 5);
        return item;
    }
    audio::Voice* start(TDrumsetItem& item, int volume = 100, int panning = 0) {
        return m_rig.engine.StartVoice(item, volume, panning).lock().get();
    }
    static std::vector<audio::Voice*> order(TDrumsetItem& item) {
        std::vector<audio::Voice*> out;
        for (const auto& v : stateOf(item).Voices())
            out.push_back(v.get());
        return out;
    }

    EngineRig m_rig;
};

TEST_F(VoicePool, ASixthHitStealsTheFirstVoiceAndMovesItToTheEnd) {
    auto item = prepared(constant(0.1, 1.0, 44100));
    const std::vector<audio::Voice*> v = order(*item);
    ASSERT_EQ(v.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(start(*item), v[i]) << "hit " << i;
        m_rig.mixer.at(10.0 * static_cast<double>(i + 1));
    }
    EXPECT_EQ(start(*item), v[0]);
    EXPECT_EQ(order(*item), (std::vector<audio::Voice*>{v[1], v[2], v[3], v[4], v[0]}));
    EXPECT_EQ(start(*item), v[1]);
    EXPECT_EQ(order(*item), (std::vector<audio::Voice*>{v[2], v[3], v[4], v[0], v[1]}));
    for (audio::Voice* voice : v)
        EXPECT_TRUE(voice->isPlaying());
}

TEST_F(VoicePool, AFinishedVoiceIsReusedBeforeAnyIsStolen) {
    auto item = prepared(constant(0.1, 0.1, 44100));
    const std::vector<audio::Voice*> v = order(*item);
    start(*item);
    m_rig.mixer.at(60);
    for (int i = 0; i < 4; ++i)
        start(*item);
    m_rig.mixer.at(130); // the first has ended, the other four sound on
    ASSERT_FALSE(v[0]->isPlaying());
    EXPECT_EQ(start(*item), v[0]);
    EXPECT_EQ(order(*item), v); // reuse keeps the order
    // All five sound now: the steal takes the first of the unchanged order.
    EXPECT_EQ(start(*item), v[0]);
}

TEST_F(VoicePool, AVoiceEndedByAFadeIsTakenFromTheMiddle) {
    auto item = prepared(constant(0.1, 1.0, 44100));
    std::vector<audio::VoiceHandle> hits;
    for (int i = 0; i < 5; ++i)
        hits.push_back(m_rig.engine.StartVoice(*item, 100, 0));
    audio::FadeOutVoice(hits[2], std::chrono::milliseconds(0));
    m_rig.mixer.at(50);
    EXPECT_EQ(start(*item), hits[2].lock().get());
    EXPECT_EQ(order(*item)[2], hits[2].lock().get());
}

TEST_F(VoicePool, AFadeReachesSilenceAndStopsTheVoice) {
    auto item = prepared(constant(0.5, 1.0, 44100));
    const audio::VoiceHandle hit = m_rig.engine.StartVoice(*item, 100, 0);
    m_rig.mixer.at(50);
    audio::FadeOutVoice(hit, std::chrono::milliseconds(100));
    m_rig.mixer.at(100);
    EXPECT_TRUE(hit.lock()->isPlaying());
    m_rig.mixer.at(400);
    EXPECT_FALSE(hit.lock()->isPlaying());

    const std::vector<float> left = m_rig.mixer.captured().channel(0);
    const std::size_t from = frameAt(50);
    EXPECT_FLOAT_EQ(left[from - 1], 0.5f);
    EXPECT_NEAR(left[from + 2205], 0.25, 2e-3);
    for (std::size_t i = from + 1; i < from + 4410; ++i)
        ASSERT_LE(left[i], left[i - 1]) << "frame " << i;
    EXPECT_EQ(peak(left, from + 4410), 0.0);
}

TEST_F(VoicePool, ReusingAFadingVoiceCancelsItsFade) {
    auto item = prepared(constant(0.1, 1.0, 44100));
    std::vector<audio::VoiceHandle> hits;
    for (int i = 0; i < 5; ++i)
        hits.push_back(m_rig.engine.StartVoice(*item, 100, 0));
    m_rig.mixer.at(100);
    audio::FadeOutVoice(hits[0], std::chrono::milliseconds(1000));
    m_rig.mixer.at(200);
    EXPECT_EQ(start(*item), hits[0].lock().get()); // still sounding: stolen
    m_rig.mixer.at(600);
    const std::vector<float> left = m_rig.mixer.captured().channel(0);
    EXPECT_NEAR(left[frameAt(500)], 0.5, 1e-4); // five voices at full level
}

TEST_F(VoicePool, AFadeActsOnTheVoiceAlsoWhenALaterHitReusedIt) {
    auto item = prepared(constant(0.1, 0.1, 44100));
    const audio::VoiceHandle earlier = m_rig.engine.StartVoice(*item, 100, 0);
    m_rig.mixer.at(200); // ended
    const audio::VoiceHandle later = m_rig.engine.StartVoice(*item, 100, 0);
    ASSERT_EQ(later.lock(), earlier.lock());
    audio::FadeOutVoice(earlier, std::chrono::milliseconds(0));
    m_rig.mixer.at(260);
    EXPECT_FALSE(later.lock()->isPlaying());
    EXPECT_LT(peak(m_rig.mixer.captured().channel(0), frameAt(201)), 1e-6);
}

TEST_F(VoicePool, VoicesStampedTenMillisecondsApartBegin441FramesApart) {
    auto item = prepared(click());
    m_rig.mixer.at(90);
    m_rig.engine.StartVoice(*item, 100, 0, m_rig.mixer.time(100));
    m_rig.engine.StartVoice(*item, 100, 0, m_rig.mixer.time(110));
    m_rig.mixer.at(300);
    const std::vector<std::size_t> found = onsets(m_rig.mixer.captured().channel(0), 0.1);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0], frameAt(100));
    EXPECT_EQ(found[1] - found[0], 441u);
}

TEST_F(VoicePool, AHitPlaysAtItsVolumeAndPanning) {
    auto item = prepared(constant(0.4, 0.3, 44100));
    m_rig.engine.StartVoice(*item, 50, -100);
    m_rig.mixer.at(100);
    m_rig.engine.StartVoice(*item, 80, 50);
    m_rig.mixer.at(500);
    const Sound mix = m_rig.mixer.captured();
    const std::size_t first = frameAt(50);
    EXPECT_NEAR(mix.samples[2 * first], 0.2, 1e-4);
    EXPECT_NEAR(mix.samples[2 * first + 1], 0.0, 1e-4);
    const std::size_t both = frameAt(200);
    EXPECT_NEAR(mix.samples[2 * both], 0.2 + 0.4 * 0.8 * 0.5, 1e-4);
    EXPECT_NEAR(mix.samples[2 * both + 1], 0.4 * 0.8, 1e-4);
}

struct RateCase {
    int rate;
    int channels;
    int format;
};

class VoiceRates : public VoicePool, public ::testing::WithParamInterface<RateCase> {};

TEST_P(VoiceRates, PlayAtTheRightPitchAndSpeedFromOneConversion) {
    const RateCase& c = GetParam();
    auto item = m_rig.files.item(sine(1000, 0.3, c.rate, c.channels, 0.5), c.format);
    m_rig.engine.InitializeSample(*item, 0);
    m_rig.engine.CreateVoices(*item, 5);
    EXPECT_EQ(imageOf(*item).pcm.rate, c.rate); // the rendered image keeps its rate

    const audio::SharedWaveImage played = stateOf(*item).pool().playbackImage();
    EXPECT_EQ(audio::parseWaveImage(*played).rate, audio::MixRate);
    for (const auto& voice : stateOf(*item).Voices())
        EXPECT_EQ(voice->image(), played); // converted once, shared by the voices

    m_rig.engine.StartVoice(*item, 100, 0);
    m_rig.mixer.at(500);
    for (int ch = 0; ch < 2; ++ch) {
        const std::vector<float> x = m_rig.mixer.captured().channel(ch);
        EXPECT_NEAR(zeroCrossingFrequency(x, 44100, frameAt(20), frameAt(280)), 1000.0, 2.0);
        EXPECT_GT(rms(x, frameAt(270), frameAt(295)), 0.2);
        EXPECT_LT(peak(x, frameAt(305)), 1e-3);
    }
}

INSTANTIATE_TEST_SUITE_P(Rates, VoiceRates,
                         ::testing::Values(RateCase{22050, 2, Pcm16}, RateCase{48000, 1, Pcm16},
                                           RateCase{11025, 1, PcmU8}));

TEST_F(VoicePool, AnImageAtTheMixRateIsPlayedAsItIs) {
    auto item = prepared(sine(1000, 0.1, 44100));
    EXPECT_EQ(stateOf(*item).pool().playbackImage(), stateOf(*item).Image());
}

TEST_F(VoicePool, FreeingStopsTheVoicesAndKeepsTheImage) {
    auto item = prepared(constant(0.5, 1.0, 44100));
    const audio::VoiceHandle hit = m_rig.engine.StartVoice(*item, 100, 0);
    m_rig.mixer.at(100);
    audio::FreeVoices(*item);
    EXPECT_TRUE(hit.expired());
    EXPECT_NO_THROW(audio::FadeOutVoice(hit, std::chrono::milliseconds(10)));
    EXPECT_TRUE(stateOf(*item).Voices().empty());
    EXPECT_TRUE(audio::isSampleInitialized(*item));
    m_rig.mixer.at(300);
    EXPECT_LT(peak(m_rig.mixer.captured().channel(0), frameAt(130)), 1e-6);

    m_rig.engine.CreateVoices(*item, 5);
    EXPECT_EQ(stateOf(*item).Voices().size(), 5u);
}

TEST_F(VoicePool, StopAllSoundEndsEveryVoiceAtOnce) {
    auto item = prepared(constant(0.1, 1.0, 44100));
    std::vector<audio::VoiceHandle> hits;
    for (int i = 0; i < 3; ++i)
        hits.push_back(m_rig.engine.StartVoice(*item, 100, 0));
    m_rig.mixer.at(100);
    m_rig.engine.StopAllSound();
    for (const auto& hit : hits)
        EXPECT_FALSE(hit.lock()->isPlaying());
    m_rig.mixer.at(300);
    EXPECT_LT(peak(m_rig.mixer.captured().channel(0), frameAt(110)), 1e-6);
    EXPECT_EQ(start(*item), order(*item)[0]); // all idle again
}

TEST_F(VoicePool, DestroyingTheItemWhileItSoundsIsSafe) {
    auto item = prepared(constant(0.5, 1.0, 44100));
    m_rig.engine.StartVoice(*item, 100, 0);
    m_rig.mixer.at(100);
    item.reset();
    m_rig.mixer.at(300);
    EXPECT_LT(peak(m_rig.mixer.captured().channel(0), frameAt(130)), 1e-6);
}

} // namespace
