// play: the groove song through the scheduler on the "Silent output" with a
// capture, and the command's refusals.
#include "CliTestSupport.h"

#include <cstdint>
#include <gtest/gtest.h>

namespace {

using PlayCommandTest = GrooveFixture;

} // namespace

TEST_F(PlayCommandTest, CapturesWhatTheMixerProducedOnTheSilentOutput) {
    // Bar 0 only: the hits at 0 ms and 250 ticks sound, the capture holds them.
    const CliResult r =
        cli.run({"play", cli.path("groove.drm"), "--end", "0", "--capture", cli.path("out.wav")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string wav = readWholeFile(cli.path("out.wav"));
    ASSERT_GT(wav.size(), 44u);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    // Not all silence: some 32-bit float sample is not zero.
    bool sound = false;
    for (size_t i = 44; i + 4 <= wav.size() && !sound; i += 4)
        sound = wav[i] != 0 || wav[i + 1] != 0 || wav[i + 2] != 0 || wav[i + 3] != 0;
    EXPECT_TRUE(sound);
}

TEST_F(PlayCommandTest, RefusesWithoutHitsAndOnBadArguments) {
    const CliResult none = cli.run(
        {"play", cli.path("groove.drm"), "--start", "5", "--capture", cli.path("none.wav")});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.err, "There are no hits to play. (check start bar)\n");
    const CliResult usage = cli.run({"play", cli.path("groove.drm"), "--loop", "0"});
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_NE(usage.err.find("play SONG.drm"), std::string::npos);
}
