// Rendering a sample into its WAVE image: the header, the data at the file's
// own rate and resolution, volume gain, rate conversion and pitch.
#include "SampleFixtures.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace audiotest;

namespace {

std::uint32_t u32(const audio::WaveImage& image, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | std::to_integer<std::uint32_t>(image[at + static_cast<std::size_t>(i)]);
    return v;
}

std::uint32_t u16(const audio::WaveImage& image, std::size_t at) {
    return std::to_integer<std::uint32_t>(image[at]) |
           (std::to_integer<std::uint32_t>(image[at + 1]) << 8);
}

std::string tag(const audio::WaveImage& image, std::size_t at) {
    return std::string(reinterpret_cast<const char*>(image.data() + at), 4);
}

void expectHeader(const audio::WaveImage& image, int channels, int rate, int bits) {
    ASSERT_GE(image.size(), audio::WaveHeaderSize);
    const auto dataLength = static_cast<std::uint32_t>(image.size() - audio::WaveHeaderSize);
    const auto blockAlign = static_cast<std::uint32_t>(channels * bits / 8);
    EXPECT_EQ(tag(image, 0), "RIFF");
    EXPECT_EQ(u32(image, 4), dataLength + 36);
    EXPECT_EQ(tag(image, 8), "WAVE");
    EXPECT_EQ(tag(image, 12), "fmt ");
    EXPECT_EQ(u32(image, 16), 16u);
    EXPECT_EQ(u16(image, 20), 1u);
    EXPECT_EQ(u16(image, 22), static_cast<std::uint32_t>(channels));
    EXPECT_EQ(u32(image, 24), static_cast<std::uint32_t>(rate));
    EXPECT_EQ(u32(image, 28), blockAlign * static_cast<std::uint32_t>(rate));
    EXPECT_EQ(u16(image, 32), blockAlign);
    EXPECT_EQ(u16(image, 34), static_cast<std::uint32_t>(bits));
    EXPECT_EQ(tag(image, 36), "data");
    EXPECT_EQ(u32(image, 40), dataLength);
}

void expectStreamsReleased(TDrumsetItem& item) {
    audio::SampleSoundState& state = stateOf(item);
    EXPECT_EQ(state.DecodeStream, nullptr);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(state.TempoStream));
}

struct KeepCase {
    int rate;
    int channels;
    int format;
    int bits;
};

class RenderKeepsFormat : public ::testing::TestWithParam<KeepCase> {};

// Target rate 0 and Pitch 0: the file's own samples, byte for byte (no tempo
// stream, no converter touched them).
TEST_P(RenderKeepsFormat, TheImageHoldsTheFilesSamples) {
    const KeepCase& c = GetParam();
    EngineRig rig;
    const auto path = rig.files.write(sine(700, 0.25, c.rate, c.channels, 0.6), c.format);
    auto item = sampleItem(path);
    rig.engine.InitializeSample(*item, 0);

    const ImageData d = imageOf(*item);
    expectHeader(*d.image, c.channels, c.rate, c.bits);
    EXPECT_EQ(stateOf(*item).ImageSize(), d.image->size());
    const std::vector<int> file = fileValues(path);
    ASSERT_EQ(d.frames() * static_cast<std::size_t>(c.channels), file.size());
    for (int ch = 0; ch < c.channels; ++ch) {
        const std::vector<int> v = d.values(ch);
        for (std::size_t i = 0; i < v.size(); ++i)
            ASSERT_EQ(v[i], file[i * static_cast<std::size_t>(c.channels) + ch])
                << "channel " << ch << " frame " << i;
    }
    expectStreamsReleased(*item);
}

INSTANTIATE_TEST_SUITE_P(Formats, RenderKeepsFormat,
                         ::testing::Values(KeepCase{44100, 2, Pcm16, 16},
                                           KeepCase{11025, 1, PcmU8, 8},
                                           KeepCase{48000, 1, Pcm16, 16},
                                           KeepCase{22050, 2, PcmU8, 8}));

struct GainCase {
    int volume;
    double amplitude;
    int targetRate; // 0: no conversion
};

class RenderVolume : public ::testing::TestWithParam<GainCase> {};

TEST_P(RenderVolume, ScalesEverySample) {
    const GainCase& c = GetParam();
    EngineRig rig;
    const auto path = rig.files.write(sine(300, 0.2, 44100, 1, c.amplitude));
    auto item = sampleItem(path);
    item->Volume = c.volume;
    rig.engine.InitializeSample(*item, c.targetRate);
    const std::vector<int> file = fileValues(path);
    const std::vector<int> v = imageOf(*item).values(0);
    ASSERT_EQ(v.size(), file.size());
    for (std::size_t i = 0; i < v.size(); ++i)
        ASSERT_NEAR(v[i], file[i] * c.volume / 100.0, 1.0) << "frame " << i;
}

INSTANTIATE_TEST_SUITE_P(Volumes, RenderVolume,
                         ::testing::Values(GainCase{200, 0.25, 0}, GainCase{50, 0.5, 0},
                                           GainCase{100, 0.5, 0}, GainCase{300, 0.1, 0}));

TEST(RenderLimits, ConvertedSamplesAreLimitedToTheSymmetricRange) {
    EngineRig rig;
    auto item = rig.files.item(sine(300, 0.2, 44100, 1, 0.5));
    item->Volume = 400;
    rig.engine.InitializeSample(*item, 48000);
    const std::vector<int> v = imageOf(*item).values(0);
    EXPECT_EQ(*std::min_element(v.begin(), v.end()), -32767);
    EXPECT_EQ(*std::max_element(v.begin(), v.end()), 32767);
}

struct RateCase {
    int from;
    int channels;
    int format;
    int to;
};

class RenderRate : public ::testing::TestWithParam<RateCase> {};

TEST_P(RenderRate, SixteenBitsAtTheTargetRateWithTheFrequencyKept) {
    const RateCase& c = GetParam();
    EngineRig rig;
    ASSERT_TRUE(rig.mixer.output().canConvertRates());
    const Sound source = sine(1000, 0.4, c.from, c.channels, 0.5);
    auto item = rig.files.item(source, c.format);
    rig.engine.InitializeSample(*item, c.to);

    const ImageData d = imageOf(*item);
    expectHeader(*d.image, c.channels, c.to, 16);
    const double ratio = static_cast<double>(c.to) / c.from;
    // Flushed at the end, the converters give the length times the ratio.
    EXPECT_NEAR(static_cast<double>(d.frames()), source.frames() * ratio, 2.0);
    const std::size_t edge = static_cast<std::size_t>(c.to / 20);
    for (int ch = 0; ch < c.channels; ++ch) {
        const std::vector<float> x = d.channel(ch);
        EXPECT_NEAR(zeroCrossingFrequency(x, c.to, edge, x.size() - edge), 1000.0, 1.0);
        EXPECT_NEAR(toDb(rms(x, edge, x.size() - edge)), toDb(0.5 / std::sqrt(2.0)), 0.3);
    }
    expectStreamsReleased(*item);
}

INSTANTIATE_TEST_SUITE_P(Rates, RenderRate,
                         ::testing::Values(RateCase{22050, 2, Pcm16, 44100},
                                           RateCase{22050, 1, PcmU8, 22050},
                                           RateCase{11025, 2, PcmU8, 44100},
                                           RateCase{48000, 1, Pcm16, 44100},
                                           RateCase{44100, 2, Pcm16, 22050}));

TEST(RenderRateOnset, TheTimingOfAnOnsetIsKept) {
    EngineRig rig;
    auto item = rig.files.item(silenceThenNoise(0.1, 0.1, 22050, 2));
    rig.engine.InitializeSample(*item, 44100);
    const ImageData d = imageOf(*item);
    for (int ch = 0; ch < 2; ++ch)
        EXPECT_NEAR(static_cast<double>(firstAbove(d.channel(ch), 0.05)), 4410.0, 44.0);
}

struct PitchCase {
    int semitones;
    int rate;
    int channels;
    int targetRate;
    double onsetLimitMs;
};

class RenderPitch : public ::testing::TestWithParam<PitchCase> {};

TEST_P(RenderPitch, ShiftsTheFrequencyAtAboutTheSameLength) {
    const PitchCase& c = GetParam();
    EngineRig rig;
    const Sound source = sine(440, 0.8, c.rate, c.channels, 0.5);
    auto item = rig.files.item(source);
    item->Pitch = c.semitones;
    rig.engine.InitializeSample(*item, c.targetRate);

    const ImageData d = imageOf(*item);
    const int rate = c.targetRate == 0 ? c.rate : c.targetRate;
    EXPECT_EQ(d.pcm.rate, rate);
    const double seconds = static_cast<double>(d.frames()) / rate;
    EXPECT_NEAR(seconds, 0.8, 0.016);
    if (c.targetRate != 0) { // the shifted sound's end flushes the converters too
        EXPECT_NEAR(static_cast<double>(d.frames()),
                    static_cast<double>(source.frames()) * rate / c.rate, 2.0);
    }
    if (c.targetRate == 0) { // at most the source plus the 8000 bytes allowed
        EXPECT_LE(d.image->size() - audio::WaveHeaderSize, source.samples.size() * 2 + 8000);
    }
    const double expected = 440.0 * std::pow(2.0, c.semitones / 12.0);
    const auto from = static_cast<std::size_t>(0.1 * rate);
    const auto to = static_cast<std::size_t>(0.7 * rate);
    for (int ch = 0; ch < c.channels; ++ch)
        EXPECT_NEAR(zeroCrossingFrequency(d.channel(ch), rate, from, to), expected, 0.02 * expected)
            << "channel " << ch;
    expectStreamsReleased(*item);
}

TEST_P(RenderPitch, KeepsABurstsOnsetInPlace) {
    const PitchCase& c = GetParam();
    EngineRig rig;
    auto item = rig.files.item(silenceThenNoise(0.3, 0.2, c.rate, c.channels));
    item->Pitch = c.semitones;
    rig.engine.InitializeSample(*item, c.targetRate);
    const ImageData d = imageOf(*item);
    const double rate = d.pcm.rate;
    for (int ch = 0; ch < c.channels; ++ch)
        EXPECT_NEAR(static_cast<double>(firstAbove(d.channel(ch), 0.05)) / rate, 0.3,
                    c.onsetLimitMs / 1000.0)
            << "channel " << ch;
}

INSTANTIATE_TEST_SUITE_P(Shifts, RenderPitch,
                         // Downward shifts smear an attack a little more.
                         ::testing::Values(PitchCase{12, 44100, 1, 0, 4.0},
                                           PitchCase{-12, 44100, 2, 0, 5.0},
                                           PitchCase{3, 44100, 2, 0, 4.0},
                                           PitchCase{7, 22050, 2, 44100, 4.0}));

TEST(InitializeSample, StartsAgainFromScratchAndFreesTheVoices) {
    EngineRig rig;
    auto item = rig.files.item(sine(440, 0.2, 44100));
    rig.engine.InitializeSample(*item, 0);
    rig.engine.CreateVoices(*item, 5);
    const audio::SharedWaveImage first = stateOf(*item).Image();
    const std::weak_ptr<audio::Voice> voice = stateOf(*item).Voices().front();

    item->Volume = 50;
    rig.engine.InitializeSample(*item, 0);
    EXPECT_TRUE(stateOf(*item).Voices().empty());
    EXPECT_TRUE(voice.expired());
    EXPECT_NE(stateOf(*item).Image(), first);
    EXPECT_NEAR(peak(imageOf(*item).channel(0)), 0.25, 1e-3);
}

TEST(InitializeSample, AFailureLeavesNoImage) {
    EngineRig rig;
    const auto path = rig.files.write(sine(440, 0.2, 44100));
    auto item = sampleItem(path);
    rig.engine.InitializeSample(*item, 0);
    rig.engine.CreateVoices(*item, 5);
    std::filesystem::remove(path);

    EXPECT_THROW(rig.engine.InitializeSample(*item, 0), audio::SampleError);
    EXPECT_FALSE(audio::isSampleInitialized(*item));
    EXPECT_TRUE(stateOf(*item).Voices().empty());
    EXPECT_EQ(stateOf(*item).ImageSize(), 0u);
    try {
        rig.engine.CreateVoices(*item, 5);
        FAIL() << "voices without an image";
    } catch (const audio::SampleError& e) {
        EXPECT_STREQ(e.what(), "Failed to load sample.\r\n(Error code: 8)");
    }
}

TEST(InitializeSample, NeedsNoRunningOutput) {
    audio::AudioOutput::Options options;
    options.useSoundCards = false;
    audio::AudioOutput output(options);
    audio::SampleEngine engine(output);
    SampleFiles files;
    auto item = files.item(sine(440, 0.3, 22050, 2));
    item->Pitch = 2;
    engine.InitializeSample(*item, 44100);
    EXPECT_EQ(imageOf(*item).pcm.rate, 44100);
}

} // namespace
