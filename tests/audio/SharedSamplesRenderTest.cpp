// Every real sample of ../shared/testdata/samples (made by others) renders,
// at its own rate and at the mix rate, reports its length and plays.
#include "SampleFixtures.h"
#include "audio/DecodeStream.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

using namespace audiotest;

namespace {

std::vector<std::filesystem::path> sharedSampleFiles() {
    std::vector<std::filesystem::path> files;
    const std::filesystem::path folder = sharedSamples();
    if (folder.empty())
        return files;
    // The folder also holds notes on where the samples came from.
    const std::vector<std::string> sounds = {".wav", ".aiff", ".aif", ".flac", ".ogg", ".mp3"};
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string ext = entry.path().extension().string();
        if (entry.is_regular_file() && std::find(sounds.begin(), sounds.end(), ext) != sounds.end())
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(SharedSamplesRender, EveryFileInitialisesReportsItsLengthAndPlays) {
    const auto files = sharedSampleFiles();
    if (files.empty())
        GTEST_SKIP() << "shared test samples not found at " << TAVORINE_SHARED_TESTDATA;
    EngineRig rig;
    double ms = 0;
    for (const auto& path : files) {
        SCOPED_TRACE(path.filename().string());
        auto item = sampleItem(path);
        const auto decode = audio::DecodeStream::openFile(path);
        const audio::StreamFormat f = decode->format();
        const double seconds = static_cast<double>(decode->lengthFrames()) / f.rate;

        EXPECT_EQ(audio::SampleLengthMs(*item), static_cast<int32_t>(std::lround(seconds * 1000)));
        rig.engine.InitializeSample(*item, 0);
        const ImageData own = imageOf(*item);
        EXPECT_EQ(own.pcm.rate, f.rate);
        EXPECT_EQ(own.pcm.channels, f.channels);
        EXPECT_EQ(own.pcm.bitsPerSample, f.eightBit ? 8 : 16);
        EXPECT_EQ(own.pcm.frames, decode->lengthFrames());

        rig.engine.InitializeSample(*item, audio::MixRate);
        const ImageData mixRate = imageOf(*item);
        EXPECT_EQ(mixRate.pcm.rate, audio::MixRate);
        EXPECT_EQ(mixRate.pcm.bitsPerSample, 16);
        EXPECT_NEAR(static_cast<double>(mixRate.pcm.frames) / audio::MixRate, seconds, 0.002);

        rig.engine.CreateVoices(*item, 5);
        rig.engine.StartVoice(*item, 100, 0);
        ms += 1000.0 * seconds + 100.0;
        rig.mixer.at(ms);
        EXPECT_FALSE(stateOf(*item).Voices().front()->isPlaying());
    }
    EXPECT_GT(peak(rig.mixer.captured().channel(0)), 0.01);
}

} // namespace
