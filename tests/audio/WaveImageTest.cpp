// In-memory WAVE images: the header the renderer writes, and what the voices
// accept or refuse.
#include "audio/WaveImage.h"

#include "SignalTools.h"
#include "audio/AudioErrors.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace audiotest;

namespace {

std::uint32_t u32(const audio::WaveImage& image, std::size_t at) {
    std::uint32_t v = 0;
    std::memcpy(&v, image.data() + at, 4);
    return v;
}

std::uint16_t u16(const audio::WaveImage& image, std::size_t at) {
    std::uint16_t v = 0;
    std::memcpy(&v, image.data() + at, 2);
    return v;
}

TEST(WaveImage, HeaderFieldsAndParsing) {
    audio::WaveImage image(audio::WaveHeaderSize + 400);
    audio::writeWaveHeader(image, 2, 22050, 16, 400);
    EXPECT_EQ(std::memcmp(image.data(), "RIFF", 4), 0);
    EXPECT_EQ(u32(image, 4), 436u);
    EXPECT_EQ(std::memcmp(image.data() + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(u32(image, 16), 16u);
    EXPECT_EQ(u16(image, 20), 1u);
    EXPECT_EQ(u16(image, 22), 2u);
    EXPECT_EQ(u32(image, 24), 22050u);
    EXPECT_EQ(u32(image, 28), 88200u);
    EXPECT_EQ(u16(image, 32), 4u);
    EXPECT_EQ(u16(image, 34), 16u);
    EXPECT_EQ(std::memcmp(image.data() + 36, "data", 4), 0);
    EXPECT_EQ(u32(image, 40), 400u);

    const audio::PcmView view = audio::parseWaveImage(image);
    EXPECT_EQ(view.channels, 2);
    EXPECT_EQ(view.rate, 22050);
    EXPECT_EQ(view.bitsPerSample, 16);
    EXPECT_EQ(view.frames, 100);
    EXPECT_EQ(view.data, image.data() + audio::WaveHeaderSize);
}

TEST(WaveImage, ADataLengthBeyondTheImageIsCut) {
    audio::WaveImage image(audio::WaveHeaderSize + 100);
    audio::writeWaveHeader(image, 1, 44100, 8, 5000); // the size written before the data
    EXPECT_EQ(audio::parseWaveImage(image).frames, 100);
}

TEST(WaveImage, MalformedImagesAreRefused) {
    const auto good = [] {
        audio::WaveImage image(audio::WaveHeaderSize + 8);
        audio::writeWaveHeader(image, 1, 44100, 16, 8);
        return image;
    };
    struct Case {
        const char* what;
        std::size_t at;
        std::uint8_t value;
    };
    const Case cases[] = {
        {"signature", 0, 'X'}, {"wave tag", 8, 'X'}, {"format tag", 20, 3},
        {"bits", 34, 24},      {"channels", 22, 0},  {"data tag", 36, 'X'},
    };
    for (const Case& c : cases) {
        audio::WaveImage image = good();
        image[c.at] = static_cast<std::byte>(c.value);
        if (c.at == 22)
            image[23] = std::byte{0};
        try {
            audio::parseWaveImage(image);
            ADD_FAILURE() << "accepted a bad " << c.what;
        } catch (const audio::AudioError& e) {
            EXPECT_EQ(e.code(), audio::ErrorCode::BadWaveImage) << c.what;
        }
    }
    EXPECT_THROW(audio::parseWaveImage(std::span<const std::byte>{}), audio::AudioError);
}

TEST(WaveImage, ChunksBeforeTheDataAreSkipped) {
    // fmt, an odd-sized chunk with its pad byte, then data.
    audio::WaveImage image(audio::WaveHeaderSize + 8 + 3 + 1 + 4);
    audio::writeWaveHeader(image, 1, 8000, 8, 4);
    std::memmove(image.data() + 36 + 12, image.data() + 36, 8);
    std::memcpy(image.data() + 36, "junk\x03\0\0\0abc\0", 12);
    const audio::PcmView view = audio::parseWaveImage(image);
    EXPECT_EQ(view.frames, 4);
    EXPECT_EQ(view.data, image.data() + 36 + 12 + 8);
}

} // namespace
