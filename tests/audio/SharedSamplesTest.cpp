// Real one-shot drum samples made by others (../shared/testdata/samples):
// every one opens, reports its rate, channels and length, and decodes.
#include "SignalTools.h"
#include "audio/DecodeStream.h"

#include <gtest/gtest.h>

using namespace audiotest;

namespace {

struct SampleCase {
    const char* file;
    int rate;
    int channels;
    bool eightBit;
    double seconds; // as measured by others (decoded length for MP3)
};

const SampleCase SampleCases[] = {
    {"124382__cubix__8bit-snare.wav", 22050, 1, true, 0.110},
    {"116973__cbeeching__hat-light.wav", 44100, 1, false, 0.204},
    {"29800__stomachache__3.wav", 44100, 2, false, 0.218},
    {"101450__menegass__tomh.wav", 44100, 1, false, 0.176},
    {"124101__connersaw8__crash.wav", 44100, 2, false, 0.372},
    {"16336__sstokes__ss-ht-crunchtime.wav", 44100, 2, false, 0.017},
    {"86335__zgump__tom-0105.wav", 44100, 2, false, 0.388},
    {"122557__anillogic__trimo-c3.wav", 44100, 2, false, 1.023},
    {"25671__walter-odington__garage-city-snare-snappy.wav", 44100, 2, false, 0.094},
    {"HH_01.aiff", 44100, 2, false, 0.170},
    {"Stick-0.wav", 48000, 2, false, 0.500},
    {"beats_01-13.flac", 48000, 1, false, 0.092},
    {"808_Kick_Short.flac", 44100, 1, false, 0.337},
    {"kick-1.ogg", 44100, 2, false, 0.294},
    {"clap-1.ogg", 48000, 2, false, 0.299},
    {"hi-hat-open-1.ogg", 44100, 1, false, 0.295},
    {"kick.mp3", 44100, 1, false, 0.234},
    {"hh.mp3", 44100, 1, false, 0.841},
};

class SharedSamples : public ::testing::TestWithParam<SampleCase> {};

TEST_P(SharedSamples, OpenReportAndDecode) {
    const std::filesystem::path folder = sharedSamples();
    if (folder.empty())
        GTEST_SKIP() << "shared test samples not found at " << TAVORINE_SHARED_TESTDATA;
    const SampleCase& c = GetParam();
    auto stream = audio::DecodeStream::openFile(folder / c.file);
    const audio::StreamFormat f = stream->format();
    EXPECT_EQ(f.rate, c.rate);
    EXPECT_EQ(f.channels, c.channels);
    EXPECT_EQ(f.eightBit, c.eightBit);
    EXPECT_NEAR(stream->secondsOf(stream->lengthBytes()), c.seconds, 0.0015);

    std::vector<std::byte> data(static_cast<std::size_t>(stream->lengthBytes()) + 4096);
    std::size_t delivered = 0;
    while (stream->hasData()) {
        const std::size_t got = stream->read(std::span(data).subspan(
            delivered, std::min<std::size_t>(777, data.size() - delivered)));
        if (got == 0)
            break;
        delivered += got;
    }
    EXPECT_EQ(static_cast<std::int64_t>(delivered), stream->lengthBytes());
    // Not silence: some byte differs from the format's zero.
    const std::byte zero = f.eightBit ? std::byte{128} : std::byte{0};
    EXPECT_NE(std::count(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(delivered), zero),
              static_cast<std::ptrdiff_t>(delivered));
}

INSTANTIATE_TEST_SUITE_P(Files, SharedSamples, ::testing::ValuesIn(SampleCases),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

} // namespace
