// Previews: a decoding stream played through the real-time pitch shifter,
// with pitch, gain and effect changes heard while it plays.
#include "audio/PreviewStream.h"

#include "MixerRig.h"

#include <cmath>
#include <gtest/gtest.h>
#include <sndfile.h>

using namespace audiotest;

namespace {

constexpr std::size_t Latency = audio::Mixer::ScheduleLatencyFrames;

class PreviewFixture : public ::testing::Test {
protected:
    std::shared_ptr<audio::DecodeStream> open(const Sound& sound) {
        const auto path = m_dir.file("preview" + std::to_string(m_files++) + ".wav");
        writeSound(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, sound);
        return audio::DecodeStream::openFile(path);
    }
    // Mixes from fromMs to toMs in steps, letting the feeder fill the ring
    // before each step, as a real-time feeder would have.
    void run(audio::PreviewStream& preview, double fromMs, double toMs) {
        for (double t = fromMs; t <= toMs; t += 50.0) {
            preview.prefill();
            m_rig.at(t);
        }
    }
    static double frequency(const std::vector<float>& x, double fromMs, double toMs) {
        return zeroCrossingFrequency(x, 44100, ms(fromMs), ms(toMs));
    }
    static std::size_t ms(double t) { return Latency + static_cast<std::size_t>(t * 44.1); }

    TempDir m_dir;
    int m_files = 0;
    MixerRig m_rig;
};

struct PreviewCase {
    int rate;
    int channels;
    double semitones;
};

class PreviewPitch : public PreviewFixture, public ::testing::WithParamInterface<PreviewCase> {};

TEST_P(PreviewPitch, PlaysTheShiftedSoundAtTheMixRate) {
    const PreviewCase& c = GetParam();
    audio::PreviewStream preview(m_rig.output(), open(sine(440, 0.6, c.rate, c.channels)));
    preview.setPitch(c.semitones);
    preview.setLevels({100, 0});
    preview.play();
    run(preview, 0, 900);
    EXPECT_FALSE(preview.isPlaying());
    EXPECT_EQ(preview.underrunFrames(), 0u);

    const Sound mix = m_rig.captured();
    const double expected = 440.0 * std::pow(2.0, c.semitones / 12.0);
    for (int ch = 0; ch < 2; ++ch) {
        const std::vector<float> x = mix.channel(ch);
        EXPECT_NEAR(frequency(x, 100, 500), expected, 0.02 * expected) << "channel " << ch;
        // About as long as the source: sound until near 600 ms, silence after 700 ms.
        EXPECT_GT(rms(x, ms(500), ms(560)), 0.1);
        EXPECT_LT(peak(x, ms(700)), 1e-3);
    }
}

INSTANTIATE_TEST_SUITE_P(Sources, PreviewPitch,
                         ::testing::Values(PreviewCase{44100, 1, 12}, PreviewCase{22050, 2, 12},
                                           PreviewCase{48000, 1, -5}, PreviewCase{44100, 2, 0}));

TEST_F(PreviewFixture, PitchAndGainChangesAreHeardWhilePlaying) {
    auto decode = open(sine(440, 1.5, 44100));
    decode->setGain(1.0);
    audio::PreviewStream preview(m_rig.output(), decode);
    preview.play();
    run(preview, 0, 400);
    preview.setPitch(12);
    decode->setGain(0.5);
    run(preview, 450, 1700);

    const std::vector<float> x = m_rig.captured().channel(0);
    EXPECT_NEAR(frequency(x, 100, 350), 440.0, 9.0);
    EXPECT_NEAR(frequency(x, 800, 1400), 880.0, 18.0);
    EXPECT_NEAR(toDb(rms(x, ms(800), ms(1400)) / rms(x, ms(100), ms(350))), -6.0, 1.0);
}

TEST_F(PreviewFixture, PlaysAgainFromTheStartAfterARewind) {
    auto decode = open(sine(440, 0.3, 44100));
    audio::PreviewStream preview(m_rig.output(), decode);
    preview.play();
    run(preview, 0, 500);
    EXPECT_FALSE(preview.isPlaying());
    decode->rewind();
    preview.play();
    EXPECT_TRUE(preview.isPlaying());
    run(preview, 550, 1000);
    EXPECT_FALSE(preview.isPlaying());
    const std::vector<float> x = m_rig.captured().channel(0);
    EXPECT_GT(rms(x, ms(600), ms(800)), 0.2); // the second run sounded
}

TEST_F(PreviewFixture, FreeingAPlayingPreviewIsSafe) {
    auto decode = open(sine(440, 2.0, 44100));
    {
        audio::PreviewStream preview(m_rig.output(), decode);
        preview.play();
        run(preview, 0, 200);
        EXPECT_TRUE(preview.isPlaying());
    }
    m_rig.at(400);
    const std::vector<float> x = m_rig.captured().channel(0);
    EXPECT_LT(peak(x, ms(260)), 1e-6);
}

} // namespace
