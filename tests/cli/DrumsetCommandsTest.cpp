#include "CliTestSupport.h"

#include <gtest/gtest.h>

namespace {

const std::string GoldenDrumset = std::string(TAVORINE_TEST_DATA) + "/drumset/golden.dum";

} // namespace

TEST(CliDrumsetCommands, InfoPrintsGroupsSamplesAndCutOffs) {
    CliRunner cli;
    CliResult r = cli.run({"drumset-info", GoldenDrumset});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"groups\":[{\"absoluteIndex\":0,\"caption\":\"Unsorted\"", 0), 0u);
    EXPECT_NE(r.out.find("\"caption\":\"Closed\""), std::string::npos);
    EXPECT_NE(r.out.find("\"cutOff\":[1,5]"), std::string::npos);
    EXPECT_NE(r.out.find("\"midiInstrument\":\"Closed Hi-Hat\",\"midiNote\":42"),
              std::string::npos);
    EXPECT_EQ(r.out.back(), '\n');
}

TEST(CliDrumsetCommands, ResaveKeepsTheFileByteForByte) {
    CliRunner cli;
    CliResult r = cli.run({"drumset-resave", GoldenDrumset, cli.path("copy.dum")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(readWholeFile(cli.path("copy.dum")), readWholeFile(GoldenDrumset));
}

TEST(CliDrumsetCommands, ErrorsAndUsage) {
    CliRunner cli;
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string err;
    };
    std::ofstream(cli.path("bad.dum"), std::ios::binary)
        << "<Drums Version=\"3.0\"><Group /></Drums>";
    const Case cases[] = {
        {{"drumset-info", cli.path("missing.dum")},
         1,
         "File \"" + cli.path("missing.dum") + "\" does not exist.\n"},
        {{"drumset-info", cli.path("bad.dum")}, 1, "Invalid drumset format.\n"},
        {{"drumset-resave", cli.path("missing.dum"), cli.path("out.dum")},
         1,
         "File \"" + cli.path("missing.dum") + "\" does not exist.\n"},
        {{"drumset-info"}, 2, ""},
        {{"drumset-resave", "a.dum"}, 2, ""},
        {{"no-such-command"}, 2, ""},
        {{}, 2, ""},
    };
    for (const Case& c : cases) {
        CliResult r = cli.run(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << (c.args.empty() ? "" : c.args[0]);
        if (!c.err.empty()) {
            EXPECT_EQ(r.err, c.err);
        }
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(cli.path("out.dum")));
}
