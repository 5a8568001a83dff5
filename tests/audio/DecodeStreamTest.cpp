// Decoding streams over synthesized files of every supported kind: format,
// length and delivered data; the gain stage and the order of the effects.
#include "audio/DecodeStream.h"

#include "SignalTools.h"
#include "audio/AudioErrors.h"
#include "audio/fx/Effect.h"

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <sndfile.h>

using namespace audiotest;
using audio::DecodeStream;

namespace {

struct FileCase {
    const char* name;
    int format;
    int rate;
    int channels;
    bool eightBit;
    bool lossless;
};

const FileCase FileCases[] = {
    {"wav_u8_22050_mono", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 22050, 1, true, true},
    {"wav_16_44100_stereo", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 2, false, true},
    {"wav_24_48000_mono", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 48000, 1, false, true},
    {"wav_32_44100_stereo", SF_FORMAT_WAV | SF_FORMAT_PCM_32, 44100, 2, false, true},
    {"wav_float_48000_stereo", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 48000, 2, false, true},
    {"aiff_16_22050_mono", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 22050, 1, false, true},
    {"aiff_s8_44100_stereo", SF_FORMAT_AIFF | SF_FORMAT_PCM_S8, 44100, 2, true, true},
    {"flac_16_44100_mono", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 44100, 1, false, true},
    {"ogg_44100_stereo", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 44100, 2, false, false},
    {"mp3_44100_mono", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 44100, 1, false, false},
};

// Reads until the stream is no longer active, in requests that are not
// whole frames, and turns the bytes back into floats.
std::vector<float> readAll(DecodeStream& stream) {
    const audio::StreamFormat f = stream.format();
    std::vector<std::byte> bytes;
    std::vector<std::byte> block(1001);
    while (stream.hasData()) {
        const std::size_t got = stream.read(block);
        EXPECT_EQ(got % static_cast<std::size_t>(f.frameBytes()), 0u);
        if (got == 0)
            break;
        bytes.insert(bytes.end(), block.begin(), block.begin() + static_cast<std::ptrdiff_t>(got));
    }
    std::vector<float> out;
    if (f.eightBit) {
        for (std::byte b : bytes)
            out.push_back(audio::sampleFromU8(std::to_integer<std::uint8_t>(b)));
    } else {
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
            out.push_back(audio::sampleFromS16(
                static_cast<std::int16_t>(std::to_integer<unsigned>(bytes[i]) |
                                          (std::to_integer<unsigned>(bytes[i + 1]) << 8))));
    }
    return out;
}

class DecodeFormats : public ::testing::TestWithParam<FileCase> {};

TEST_P(DecodeFormats, ReportsFormatLengthAndDeliversTheSignal) {
    const FileCase& c = GetParam();
    TempDir dir;
    const auto path = dir.file(std::string(c.name) + ".snd");
    const Sound written = sine(440.0, 0.3, c.rate, c.channels);
    writeSound(path, c.format, written);

    auto stream = DecodeStream::openFile(path);
    const audio::StreamFormat f = stream->format();
    EXPECT_EQ(f.rate, c.rate);
    EXPECT_EQ(f.channels, c.channels);
    EXPECT_EQ(f.eightBit, c.eightBit);
    EXPECT_EQ(stream->lengthBytes(), stream->lengthFrames() * c.channels * (c.eightBit ? 1 : 2));
    if (c.lossless)
        EXPECT_EQ(stream->lengthFrames(), static_cast<std::int64_t>(written.frames()));
    else // codec delay and padding lengthen lossy files a little
        EXPECT_NEAR(stream->lengthFrames(), written.frames(), 0.05 * c.rate);
    EXPECT_NEAR(stream->secondsOf(stream->lengthBytes()),
                static_cast<double>(stream->lengthFrames()) / c.rate, 1e-9);

    const std::vector<float> decoded = readAll(*stream);
    EXPECT_FALSE(stream->hasData());
    ASSERT_EQ(static_cast<std::int64_t>(decoded.size()), stream->lengthFrames() * c.channels);
    if (c.lossless) {
        const double step = c.eightBit ? 1.0 / 128 : 1.0 / 32768;
        for (std::size_t i = 0; i < written.samples.size(); ++i)
            ASSERT_NEAR(decoded[i], written.samples[i], step) << "sample " << i;
    } else {
        Sound got{c.rate, c.channels, decoded};
        const std::vector<float> left = got.channel(0);
        const std::size_t settle = static_cast<std::size_t>(0.05 * c.rate);
        EXPECT_NEAR(zeroCrossingFrequency(left, c.rate, settle, settle + c.rate / 5), 440.0, 4.0);
        EXPECT_NEAR(toDb(rms(left, settle, settle + c.rate / 5)), toDb(0.5 / std::sqrt(2.0)), 1.5);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, DecodeFormats, ::testing::ValuesIn(FileCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DecodeStream, RewindDeliversTheSameDataAgain) {
    TempDir dir;
    writeSound(dir.file("a.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, sine(300, 0.2, 44100, 2));
    auto stream = DecodeStream::openFile(dir.file("a.wav"));
    const std::vector<float> first = readAll(*stream);
    stream->rewind();
    EXPECT_TRUE(stream->hasData());
    EXPECT_EQ(readAll(*stream), first);
}

TEST(DecodeStream, FailuresCarryTheirCodes) {
    TempDir dir;
    try {
        DecodeStream::openFile(dir.file("missing.wav"));
        FAIL() << "opened a missing file";
    } catch (const audio::AudioError& e) {
        EXPECT_EQ(e.code(), audio::ErrorCode::FileOpenFailed);
        EXPECT_EQ(e.userMessage("Failed to load sample."),
                  "Failed to load sample.\r\n(Error code: 5)");
    }
    std::ofstream(dir.file("text.wav")) << "not a sound file at all, just some words\n";
    try {
        DecodeStream::openFile(dir.file("text.wav"));
        FAIL() << "opened a text file";
    } catch (const audio::AudioError& e) {
        EXPECT_EQ(e.code(), audio::ErrorCode::UnsupportedFormat);
    }
}

struct GainCase {
    double factor;
    double amplitude;
    double expectedPeak;
};

class GainStage : public ::testing::TestWithParam<GainCase> {};

TEST_P(GainStage, ScalesTheDataAndClipsAtFullScale) {
    const GainCase& g = GetParam();
    TempDir dir;
    writeSound(dir.file("g.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16,
               sine(500, 0.1, 44100, 1, g.amplitude));
    auto plain = DecodeStream::openFile(dir.file("g.wav"));
    auto gained = DecodeStream::openFile(dir.file("g.wav"));
    gained->setGain(g.factor);
    EXPECT_TRUE(gained->hasGain());
    const std::vector<float> a = readAll(*plain);
    const std::vector<float> b = readAll(*gained);
    ASSERT_EQ(a.size(), b.size());
    EXPECT_NEAR(peak(b), g.expectedPeak, 2.0 / 32768);
    for (std::size_t i = 0; i < a.size(); ++i)
        ASSERT_NEAR(b[i], std::clamp(a[i] * g.factor, -1.0, 32767.0 / 32768), 1.0 / 32768);
}

INSTANTIATE_TEST_SUITE_P(Factors, GainStage,
                         ::testing::Values(GainCase{2.0, 0.25, 0.5}, GainCase{0.5, 0.5, 0.25},
                                           GainCase{1.0, 0.5, 0.5},
                                           GainCase{4.0, 0.5, 32767.0 / 32768}));

TEST(DecodeStream, GainComesFirstAndEffectsRunInSlotOrder) {
    TempDir dir;
    const Sound input = sine(220, 0.2, 44100, 2, 0.8);
    writeSound(dir.file("fx.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, input);

    auto stream = DecodeStream::openFile(dir.file("fx.wav"));
    stream->setGain(0.5);
    // Added in the opposite order of their slots.
    const auto gargle = stream->addEffect(audio::fx::EffectKind::Gargle, 1);
    const auto distortion = stream->addEffect(audio::fx::EffectKind::Distortion, 0);
    stream->configureEffect(gargle, audio::fx::GargleParameters{37, audio::fx::GargleWave::Square});
    audio::fx::DistortionParameters heavy;
    heavy.edgePercent = 90;
    stream->configureEffect(distortion, heavy);
    EXPECT_EQ(stream->effectCount(), 2u);

    std::vector<float> expected = input.samples;
    for (float& v : expected)
        v *= 0.5f;
    auto d = audio::fx::makeEffect(audio::fx::EffectKind::Distortion, 44100, 2);
    d->setParameters(heavy);
    auto g = audio::fx::makeEffect(audio::fx::EffectKind::Gargle, 44100, 2);
    g->setParameters(audio::fx::GargleParameters{37, audio::fx::GargleWave::Square});
    d->process(expected.data(), input.frames());
    g->process(expected.data(), input.frames());

    const std::vector<float> got = readAll(*stream);
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i)
        ASSERT_NEAR(got[i], expected[i], 1.5 / 32768) << "sample " << i;

    EXPECT_TRUE(stream->removeEffect(gargle));
    EXPECT_FALSE(stream->removeEffect(gargle));
    EXPECT_EQ(stream->effectCount(), 1u);
    EXPECT_THROW(stream->configureEffect(distortion, audio::fx::ReverbParameters{}),
                 audio::AudioError);
}

} // namespace
