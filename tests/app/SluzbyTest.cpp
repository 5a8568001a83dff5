// Path and file helpers: folder and name parts, splitting, whole-file reads
// and writes, the program and shared data folders.
#include "app/Sluzby.h"

#include "../support/TempFolder.h"

#include <QStandardPaths>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>

namespace {

// Sets or unsets an environment variable and restores it afterwards.
class EnvironmentScope {
public:
    EnvironmentScope(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
        }
        set(value);
    }
    ~EnvironmentScope() { set(m_old ? m_old->c_str() : nullptr); }

private:
    void set(const char* value) {
        if (value != nullptr) {
            setenv(m_name, value, 1);
        } else {
            unsetenv(m_name);
        }
    }
    const char* m_name;
    std::optional<std::string> m_old;
};

} // namespace

TEST(Sluzby, ExtractFolderAndFileNameAcceptBothSeparators) {
    struct Case {
        const char* path;
        const char* folder;
        const char* name;
    };
    const Case cases[] = {
        {"/home/user/kick.wav", "/home/user", "kick.wav"},
        {"C:\\Drums\\Samples\\kick.wav", "C:\\Drums\\Samples", "kick.wav"},
        {"C:\\Drums/mixed\\kick.wav", "C:\\Drums/mixed", "kick.wav"},
        {"/home/user/", "/home/user", ""},
        {"kick.wav", "", "kick.wav"},
        {"/kick.wav", "", "kick.wav"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExtractFolder(c.path), c.folder) << c.path;
        EXPECT_EQ(extractFileName(c.path), c.name) << c.path;
    }
    // A folder and a name joined again give the path back.
    EXPECT_EQ(joinPath(ExtractFolder("/a/b/c.wav"), extractFileName("/a/b/c.wav")), "/a/b/c.wav");
    EXPECT_EQ(joinPath(ExtractFolder("/c.wav"), extractFileName("/c.wav")), "/c.wav");
}

TEST(Sluzby, SplitStringKeepsEmptyPieces) {
    struct Case {
        const char* text;
        std::vector<std::string> pieces;
    };
    const Case cases[] = {
        {"a;b;c", {"a", "b", "c"}}, {"a;;b", {"a", "", "b"}},
        {"a;", {"a", ""}},          {";", {"", ""}},
        {"abc", {"abc"}},           {"", {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> list = {"left over"};
        SplitString(c.text, ';', list);
        EXPECT_EQ(list, c.pieces) << c.text;
    }
}

TEST(Sluzby, WriteAndReadFilesByteForByte) {
    TempFolder folder;
    const std::string path = folder.path() + "/bytes.bin";
    const std::string bytes("line\r\nzero\0byte\xff", 16);
    WriteStringToFile(path, bytes);
    EXPECT_EQ(ReadFileToString(path), bytes);

    WriteStringToFile(path, "short");
    EXPECT_EQ(ReadFileToString(path), "short") << "writing truncates";
    WriteStringToFile(path, "");
    EXPECT_EQ(ReadFileToString(path), "");

    EXPECT_THROW(ReadFileToString(folder.path() + "/missing.txt"), std::runtime_error);
    EXPECT_THROW(ReadFileToString(folder.path()), std::runtime_error);
    EXPECT_THROW(WriteStringToFile(folder.path() + "/no/such/folder.txt", "x"), std::runtime_error);
}

TEST(Sluzby, ProgramFolderIsTheExecutablesFolderUnlessOverridden) {
    const std::string executableFolder =
        std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
    EXPECT_EQ(GetProgramFolder(), executableFolder);

    overrideProgramFolder("/fixture/program/");
    EXPECT_EQ(GetProgramFolder(), "/fixture/program");
    overrideProgramFolder("C:\\Tavorine\\");
    EXPECT_EQ(GetProgramFolder(), "C:\\Tavorine");
    overrideProgramFolder("");
    EXPECT_EQ(GetProgramFolder(), executableFolder);
}

TEST(Sluzby, CommonAppDataFolderIsQtsDataFolderAndIsCreatedOneLevelDeep) {
    TempFolder home;
    EnvironmentScope homeVariable("HOME", home.path().c_str());
    {
        EnvironmentScope xdg("XDG_DATA_HOME", (home.path() + "/data/").c_str());
        std::filesystem::create_directory(home.path() + "/data");
        EXPECT_EQ(GetCommonAppDataFolder(), home.path() + "/data/Tavorine");
        EXPECT_TRUE(std::filesystem::is_directory(home.path() + "/data/Tavorine"));
        EXPECT_EQ(GetCommonAppDataFolder(), home.path() + "/data/Tavorine") << "exists already";
    }
    for (const char* xdgValue : {static_cast<const char*>(nullptr), "relative/data"}) {
        // Unset or relative XDG_DATA_HOME: ~/.local/share, which is missing
        // here, so only the path comes back.
        EnvironmentScope xdg("XDG_DATA_HOME", xdgValue);
        EXPECT_EQ(GetCommonAppDataFolder(), home.path() + "/.local/share/Tavorine");
        EXPECT_FALSE(std::filesystem::exists(home.path() + "/.local"));
        EXPECT_FALSE(std::filesystem::exists("relative"));
    }
    {
        // Qt's test mode keeps tests away from the user's own options.
        EnvironmentScope xdg("XDG_DATA_HOME", (home.path() + "/data").c_str());
        QStandardPaths::setTestModeEnabled(true);
        const std::string folder = GetCommonAppDataFolder();
        QStandardPaths::setTestModeEnabled(false);
        EXPECT_EQ(folder, home.path() + "/.qttest/share/Tavorine");
    }
}
