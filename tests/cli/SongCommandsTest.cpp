#include "CliTestSupport.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

using SongCommandsTest = GrooveFixture;

} // namespace

TEST_F(SongCommandsTest, InfoPrintsTheLoadedSong) {
    CliResult r = cli.run({"info", cli.path("groove.drm")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string golden = CliData + "/groove.json";
    if (std::getenv("TAVORINE_GOLDEN") != nullptr)
        std::ofstream(golden, std::ios::binary) << r.out;
    EXPECT_EQ(r.out, readWholeFile(golden));
}

TEST_F(SongCommandsTest, InfoWithAnotherDrumsetMapsByNameOnly) {
    // The hi-hat group is called differently here: its hits are dropped, the
    // kick still maps.
    std::string kit =
        replaceAll(readWholeFile(cli.path("kit.dum")), "Caption=\"Hi-hat\"", "Caption=\"Hats\"");
    std::ofstream(cli.path("other.dum"), std::ios::binary) << kit;
    CliResult r = cli.run({"info", cli.path("groove.drm"), "--drumset", cli.path("other.dum")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\"groups\":[{\"name\":\"Kick\""), std::string::npos);
    EXPECT_NE(r.out.find("{\"name\":\"Hats\""), std::string::npos);
    EXPECT_EQ(r.out.find("\"group\":1"), std::string::npos);
    EXPECT_NE(r.out.find("\"group\":0"), std::string::npos);
}

TEST_F(SongCommandsTest, ResaveWritesTheSameBytes) {
    CliResult r = cli.run({"resave", cli.path("groove.drm"), cli.path("copy.drm")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(readWholeFile(cli.path("copy.drm")), song);
}

TEST_F(SongCommandsTest, ErrorsAndUsage) {
    std::ofstream(cli.path("bad.drm"), std::ios::binary) << "[Drumset]\r\n";
    std::ofstream(cli.path("nokit.drm"), std::ios::binary)
        << replaceAll(song, cli.path("kit.dum"), cli.path("gone.dum"));
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string err;
    };
    const Case cases[] = {
        {{"info", cli.path("missing.drm")},
         1,
         "File \"" + cli.path("missing.drm") + "\" does not exist.\n"},
        {{"info", cli.path("bad.drm")}, 1, "Invalid file format.\n"},
        {{"resave", cli.path("bad.drm"), cli.path("out.drm")}, 1, "Invalid file format.\n"},
        {{"info"}, 2, ""},
        {{"info", cli.path("groove.drm"), "--drumset"}, 2, ""},
        {{"resave", cli.path("groove.drm")}, 2, ""},
    };
    for (const Case& c : cases) {
        CliResult r = cli.run(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args[0] << " " << c.args.size();
        if (!c.err.empty()) {
            EXPECT_EQ(r.err, c.err);
        }
    }
    // A sample file that cannot be found ends building the rows with its message.
    std::ofstream(cli.path("nosample.dum"), std::ios::binary)
        << replaceAll(readWholeFile(cli.path("kit.dum")), "kick-heavy.wav", "gone.wav");
    CliResult missing =
        cli.run({"info", cli.path("groove.drm"), "--drumset", cli.path("nosample.dum")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("gone.wav\" does not exist."), std::string::npos) << missing.err;

    // The song's drumset is missing, also under the program's Drumsets folder.
    CliResult r = cli.run({"info", cli.path("nokit.drm")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("gone.dum\" does not exist."), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(cli.path("out.drm")));
}
