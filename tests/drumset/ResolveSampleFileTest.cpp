// Finding sample files where the drumset says or in the program's Samples
// folder, for drumsets made on other machines and on Windows.
#include "DrumsetTestSupport.h"

#include <gtest/gtest.h>

namespace {

const std::string Samples = std::string(FixtureProgramFolder) + "/Samples";

} // namespace

TEST(ResolveSampleFile, FallsBackToTheProgramsSamplesFolder) {
    struct Case {
        const char* name;
        std::string directory;
        const char* file;
        std::string resolved;
        int32_t icon;
    };
    const Case cases[] = {
        {"found where it says", Samples + "/Acoustic", "kick.wav", Samples + "/Acoustic",
         IconSampleFound},
        {"Windows installation", "C:\\Program Files\\Tavorine\\Samples\\Acoustic", "kick.wav",
         Samples + "/Acoustic", IconSampleFound},
        {"other Linux installation", "/opt/other/Samples/Acoustic", "kick.wav",
         Samples + "/Acoustic", IconSampleFound},
        {"nested Windows sub-folders", "C:\\old\\Samples\\Acoustic\\Kicks", "deep.wav",
         Samples + "/Acoustic/Kicks", IconSampleFound},
        {"mixed separators", "C:\\old\\Samples/Acoustic", "kick.wav", Samples + "/Acoustic",
         IconSampleFound},
        {"directly in Samples", "D:\\anywhere", "ride.wav", Samples, IconSampleFound},
        {"missing file", "C:\\old\\Samples\\Acoustic", "missing.wav", "C:\\old\\Samples\\Acoustic",
         IconSampleMissing},
        {"Samples only as part of a name", "C:\\old\\MySamples\\Acoustic", "kick.wav",
         "C:\\old\\MySamples\\Acoustic", IconSampleMissing},
        {"other sub-folder", "C:\\old\\Samples\\Electronic", "kick.wav",
         "C:\\old\\Samples\\Electronic", IconSampleMissing},
        {"first Samples folder decides", "/a/Samples/b/Samples/Acoustic", "kick.wav",
         "/a/Samples/b/Samples/Acoustic", IconSampleMissing},
        {"no Samples folder", "/elsewhere", "kick.wav", "/elsewhere", IconSampleMissing},
    };
    ProgramFolderScope program(FixtureProgramFolder);
    TDrumset drumset;
    drumset.NewDrumset();
    TDrumsetItem& sample = drumset.AddSample("/x/y.wav", nullptr);
    for (const Case& c : cases) {
        sample.DirectoryName = c.directory;
        sample.FileName = c.file;
        sample.Icon = c.icon == IconSampleFound ? IconSampleMissing : IconSampleFound;
        drumset.ResolveSampleFile(sample);
        EXPECT_EQ(sample.DirectoryName, c.resolved) << c.name;
        EXPECT_EQ(sample.Icon, c.icon) << c.name;
        EXPECT_EQ(sample.FileName, c.file) << c.name;
    }
}

TEST(ResolveSampleFile, RunsWhenASampleIsAdded) {
    ProgramFolderScope program(FixtureProgramFolder);
    TDrumset drumset;
    drumset.NewDrumset();
    const TDrumsetItem& kick =
        drumset.AddSample("E:\\Tavorine\\Samples\\Acoustic\\kick.wav", nullptr);
    EXPECT_EQ(kick.DirectoryName, Samples + "/Acoustic");
    EXPECT_EQ(kick.Icon, IconSampleFound);
    EXPECT_EQ(TDrumset::SampleFilePath(kick), Samples + "/Acoustic/kick.wav");

    const TDrumsetItem& lost = drumset.AddSample("/gone/snare.wav", nullptr);
    EXPECT_EQ(lost.DirectoryName, "/gone");
    EXPECT_EQ(lost.Icon, IconSampleMissing);
    EXPECT_EQ(drumset.unsortedGroup()->samples().size(), 2u) << "a missing sample stays";
}

TEST(ResolveSampleFile, LeavesGroupsAlone) {
    ProgramFolderScope program(FixtureProgramFolder);
    TDrumset drumset;
    TDrumsetItem& group = drumset.AddGroup();
    drumset.ResolveSampleFile(group);
    EXPECT_EQ(group.Icon, IconGroup);
    EXPECT_EQ(group.DirectoryName, "");
}
