// Offline pitch shifting for rendering: frequencies move by the interval,
// lengths and drum attacks stay where they were.
#include "audio/PitchStream.h"

#include "SignalTools.h"

#include <cmath>
#include <gtest/gtest.h>
#include <sndfile.h>

using namespace audiotest;

namespace {

std::vector<float> readAll(audio::SampleSource& source) {
    const int channels = source.format().channels;
    std::vector<float> out;
    std::vector<float> block(999 * static_cast<std::size_t>(channels));
    while (source.hasData()) {
        const std::size_t got = source.readFrames(block);
        if (got == 0)
            break;
        out.insert(out.end(), block.begin(),
                   block.begin() + static_cast<std::ptrdiff_t>(got * channels));
    }
    return out;
}

struct PitchCase {
    double semitones;
    int rate;
    int channels;
};

class OfflinePitch : public ::testing::TestWithParam<PitchCase> {};

TEST_P(OfflinePitch, MovesTheFrequencyAtTheSameLength) {
    const PitchCase& c = GetParam();
    TempDir dir;
    const Sound input = sine(440.0, 1.0, c.rate, c.channels);
    writeSound(dir.file("sine.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, input);
    auto decode = audio::DecodeStream::openFile(dir.file("sine.wav"));
    audio::PitchStream pitch(decode);
    pitch.setPitch(c.semitones);
    EXPECT_EQ(pitch.format(), decode->format());

    Sound output{c.rate, c.channels, readAll(pitch)};
    EXPECT_FALSE(pitch.hasData());
    EXPECT_NEAR(static_cast<double>(output.frames()), static_cast<double>(input.frames()),
                0.01 * c.rate);
    const double expected = 440.0 * std::pow(2.0, c.semitones / 12.0);
    for (int ch = 0; ch < c.channels; ++ch) {
        const std::vector<float> x = output.channel(ch);
        const double f = zeroCrossingFrequency(x, c.rate, c.rate / 10, 9 * c.rate / 10);
        EXPECT_NEAR(f, expected, 0.02 * expected) << "channel " << ch;
    }
}

INSTANTIATE_TEST_SUITE_P(Intervals, OfflinePitch,
                         ::testing::Values(PitchCase{12, 44100, 1}, PitchCase{-12, 44100, 2},
                                           PitchCase{7, 48000, 1}, PitchCase{12, 22050, 2}));

TEST(OfflinePitch, KeepsABurstsOnsetInPlace) {
    TempDir dir;
    const int rate = 44100;
    const Sound input = silenceThenNoise(0.3, 0.2, rate);
    writeSound(dir.file("burst.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, input);
    const std::size_t before = firstAbove(input.samples, 0.05);
    // Downward shifts smear the attack a little more than upward ones.
    const struct {
        double semitones;
        double limitMs;
    } cases[] = {{12.0, 4.0}, {7.0, 4.0}, {-12.0, 5.0}};
    for (const auto& [semitones, limitMs] : cases) {
        auto decode = audio::DecodeStream::openFile(dir.file("burst.wav"));
        audio::PitchStream pitch(decode);
        pitch.setPitch(semitones);
        const std::vector<float> output = readAll(pitch);
        const std::size_t after = firstAbove(output, 0.05);
        ASSERT_NE(after, SIZE_MAX);
        const double shiftMs =
            (static_cast<double>(after) - static_cast<double>(before)) * 1000.0 / rate;
        EXPECT_LE(std::fabs(shiftMs), limitMs) << semitones << " semitones";
    }
}

TEST(OfflinePitch, EightBitSourcesStayEightBit) {
    TempDir dir;
    writeSound(dir.file("u8.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_U8, sine(200, 0.3, 22050));
    auto decode = audio::DecodeStream::openFile(dir.file("u8.wav"));
    audio::PitchStream pitch(decode);
    pitch.setPitch(5);
    EXPECT_TRUE(pitch.format().eightBit);
    std::vector<std::byte> bytes(static_cast<std::size_t>(decode->lengthBytes()) + 8000);
    const std::size_t got = pitch.read(bytes);
    EXPECT_NEAR(static_cast<double>(got), static_cast<double>(decode->lengthBytes()), 220.0);
    EXPECT_FALSE(pitch.hasData());
}

} // namespace
