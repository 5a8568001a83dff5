// "options.ini" as the main window reads it at creation and writes it at a
// normal close: the first run, bad and missing values, the default drumset
// and pattern library, the recent files, the tool bar sections, files that
// are not options files at all, and failed writes.
#include "app/OptionsFile.h"

#include "OptionsTestSupport.h"
#include "app/IniFile.h"
#include "app/Options.h"
#include "app/RecentFiles.h"
#include "app/Sluzby.h"

#include <QStandardPaths>
#include <QTest>
#include <filesystem>

namespace {

// Points HOME at a new temporary folder for one test; with Qt's test mode
// the shared data folder lies below it.
class TFreshHome {
public:
    TFreshHome() : m_old(qgetenv("HOME")) {
        qputenv("HOME", QByteArray::fromStdString(m_home.path()));
    }
    ~TFreshHome() { qputenv("HOME", m_old); }
    const std::string& path() const { return m_home.path(); }

private:
    TTestFolder m_home;
    QByteArray m_old;
};

// Program folder paths that do not depend on where the tests run.
class TFixedProgramFolder {
public:
    TFixedProgramFolder() { overrideProgramFolder("/opt/tavorine"); }
    ~TFixedProgramFolder() { overrideProgramFolder(""); }
};

std::vector<TToolbarSection> sampleToolbars() {
    std::vector<TToolbarSection> sections;
    int pos = 0;
    for (const std::string_view name : MainWindowToolbarNames) {
        TToolbarSection section;
        section.Name = name;
        section.DockedTo = "MainDock";
        section.LastDock = "MainDock";
        section.DockPos = pos;
        pos += 100;
        sections.push_back(section);
    }
    sections[1].Visible = false;
    sections[3].DockRow = 1;
    sections[3].DockPos = 0;
    sections[4].DockedTo = "+";
    sections[4].DockRow = 2;
    sections[4].DockPos = 0;
    sections[4].FloatLeft = -20;
    sections[4].FloatTop = 300;
    sections[4].FloatRightX = 120;
    sections[5].DockedTo = "";
    return sections;
}

std::string value(const std::string& path, const char* section, const char* key) {
    return TIniFile::load(path).value(section, key).value_or("<missing>");
}

} // namespace

class OptionsFileTest : public QObject {
    Q_OBJECT

private slots:
    void firstRunWritesEveryKeyInOrder();
    void badBooleanKeepsItsPresetAndTheRestIsRead();
    void missingDefaultFilesFallBack();
    void recentFilesSurviveARestart();
    void toolbarSectionsAreReadByRevision();
    void malformedFilesNeverStopStartUp();
    void savingKeepsOtherSections();
    void failedSaveThrowsAndKeepsTheOldFile();
};

void OptionsFileTest::firstRunWritesEveryKeyInOrder() {
    const TFreshHome home;
    const TFixedProgramFolder program;
    const std::string path = GetOptionsFileName();
    QCOMPARE(path, home.path() + "/.qttest/share/Tavorine/options.ini");

    TOptionsItem options;
    options.SetRunMaximized(false);
    options.SetSoundDevice(3);
    TRecentFileList recent;
    const TOptionsLoadResult loaded = LoadOptions(options, recent, path);
    QVERIFY(!loaded.FileFound);
    QCOMPARE(loaded.Error, std::string());
    QVERIFY(loaded.Toolbars.empty());
    QVERIFY(options.RunMaximized() && options.ShowPatternManagerOnStartup() &&
            options.ShowTipsOnStartup());
    QCOMPARE(options.SoundDevice(), 0);
    QCOMPARE(options.DefaultDrumsetFile(), std::string("/opt/tavorine/Drumsets/default.dum"));
    QCOMPARE(options.DefaultPatternFile(), std::string("/opt/tavorine/Patterns/default.ptn"));
    QVERIFY(recent.entries().empty());

    // The data folder's parents do not exist in a fresh home; saving makes them.
    SaveOptions(options, recent, sampleToolbars(), path);
    const QByteArray text = readBytes(path);
    QCOMPARE(text, golden("options_first_run.ini", text));

    TOptionsItem again;
    const TOptionsLoadResult reloaded = LoadOptions(again, recent, path);
    QVERIFY(reloaded.FileFound);
    QCOMPARE(reloaded.Error, std::string());
    QVERIFY(reloaded.Toolbars == sampleToolbars());
}

void OptionsFileTest::badBooleanKeepsItsPresetAndTheRestIsRead() {
    const TTestFolder folder;
    const std::string song = touch(folder.file("song.drm"));
    const std::string path = folder.file("options.ini");
    writeBytes(path, QByteArray::fromStdString("[Options]\r\nMRU1=" + song +
                                               "\r\nRunMaximized=yes\r\nShowTipsOnStartup=false\r\n"
                                               "SoundDevice=2\r\n"
                                               "[ToolbarsPlayToolbar]\r\nRev=3\r\nVisible=0\r\n"));
    TOptionsItem options;
    TRecentFileList recent;
    const TOptionsLoadResult loaded = LoadOptions(options, recent, path);
    QVERIFY2(loaded.Error.find("\"yes\"") != std::string::npos &&
                 loaded.Error.find("RunMaximized") != std::string::npos &&
                 loaded.Error.find(path) != std::string::npos,
             loaded.Error.c_str());
    QVERIFY(options.RunMaximized());
    QVERIFY(!options.ShowTipsOnStartup());
    QCOMPARE(options.SoundDevice(), 2);
    QCOMPARE(recent.entries(), std::vector<std::string>{song});
    QCOMPARE(loaded.Toolbars.size(), size_t{1});
    QVERIFY(!loaded.Toolbars[0].Visible);
}

void OptionsFileTest::missingDefaultFilesFallBack() {
    const TTestFolder folder;
    const TFixedProgramFolder program;
    const std::string kit = touch(folder.file("kit.dum"));
    const std::string library = touch(folder.file("library.ptn"));
    const std::string deleted = touch(folder.file("deleted.dum"));
    std::filesystem::remove(deleted);
    struct Case {
        std::string lines; // the two keys as the file holds them
        std::string drumset;
        std::string patterns;
    };
    const std::string defaultDrumset = "/opt/tavorine/Drumsets/default.dum";
    const std::string defaultPatterns = "/opt/tavorine/Patterns/default.ptn";
    const Case cases[] = {
        {"DefaultDrumsetFile=" + kit + "\r\nDefaultPatternFile=" + library, kit, library},
        {"DefaultDrumsetFile=" + deleted + "\r\nDefaultPatternFile=" + deleted, defaultDrumset,
         defaultPatterns},
        {"DefaultDrumsetFile=\r\nDefaultPatternFile=", defaultDrumset, defaultPatterns},
        {"DefaultDrumsetFile=" + folder.path(), defaultDrumset, defaultPatterns},
        {"", defaultDrumset, defaultPatterns},
    };
    for (const Case& c : cases) {
        const std::string path = folder.file("options.ini");
        writeBytes(path, QByteArray::fromStdString("[Options]\r\n" + c.lines + "\r\n"));
        TOptionsItem options;
        TRecentFileList recent;
        QCOMPARE(LoadOptions(options, recent, path).Error, std::string());
        QCOMPARE(options.DefaultDrumsetFile(), c.drumset);
        QCOMPARE(options.DefaultPatternFile(), c.patterns);
    }
}

void OptionsFileTest::recentFilesSurviveARestart() {
    const TTestFolder folder;
    std::vector<std::string> songs;
    std::string lines = "[Options]\r\n";
    for (const char* name : {"a.drm", "b.drm", "c.drm", "d.drm", "e.drm"}) {
        songs.push_back(touch(folder.file(name)));
        lines += "MRU" + std::to_string(songs.size()) + "=" + songs.back() + "\r\n";
    }
    std::filesystem::remove(songs[1]);
    const std::string path = folder.file("options.ini");
    writeBytes(path, QByteArray::fromStdString(lines));

    TOptionsItem options;
    TRecentFileList recent;
    LoadOptions(options, recent, path);
    QCOMPARE(recent.entries(), (std::vector<std::string>{songs[0], songs[2], songs[3], songs[4]}));
    const TReopenMenu menu = recent.reopenMenu();
    QVERIFY(menu.Enabled);
    QCOMPARE(menu.Items[1].Caption, songs[2]);
    QVERIFY(menu.Items[3].Visible && !menu.Items[4].Visible);

    // Closed without opening anything: four move up, MRU5 keeps its value.
    SaveOptions(options, recent, {}, path);
    const char* keys[] = {"MRU1", "MRU2", "MRU3", "MRU4", "MRU5"};
    const std::string expected[] = {songs[0], songs[2], songs[3], songs[4], songs[4]};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(value(path, "Options", keys[i]), expected[i]);
    }
    TRecentFileList restarted;
    LoadOptions(options, restarted, path);
    QCOMPARE(restarted.entries(), recent.entries());
}

void OptionsFileTest::toolbarSectionsAreReadByRevision() {
    const TIniFile file =
        TIniFile::fromText("[ToolbarsA]\r\nRev=3\r\nVisible=0\r\nDockedTo= MainDock \r\n"
                           "LastDock=MainDock\r\nDockRow=1\r\nDockPos=$20\r\n"
                           "FloatLeft=-5\r\nFloatTop=6\r\nFloatRightX=7\r\n"
                           "[toolbarsOld]\r\nRev=2\r\nVisible=5\r\nDockRow=x\r\n"
                           "[ToolbarsNoRev]\r\nVisible=0\r\n"
                           "[ToolbarsNewer]\r\nRev=4\r\n"
                           "[ToolbarsA]\r\nRev=3\r\nVisible=1\r\n"
                           "[Toolbars]\r\nRev=3\r\n"
                           "[Options]\r\nRev=3\r\n");
    const std::vector<TToolbarSection> sections = readToolbarSections(file);
    QCOMPARE(sections.size(), size_t{2});
    const TToolbarSection a{"A", 3, false, "MainDock", "MainDock", 1, 32, -5, 6, 7};
    QVERIFY(sections[0] == a);
    TToolbarSection old;
    old.Name = "Old";
    old.Rev = 2;
    QVERIFY(sections[1] == old);
}

void OptionsFileTest::malformedFilesNeverStopStartUp() {
    struct Case {
        const char* name;
        QByteArray content;
        bool reported;
        int soundDevice;
    };
    const Case cases[] = {
        {"binary", QByteArray("\x00\xff\xfe[\x01=\x02\r\n\x00\x00", 12), false, 0},
        {"unclosed section", "[Options\r\nSoundDevice=4\r\n", false, 4},
        {"no section", "SoundDevice=4\r\nRunMaximized=False\r\n", false, 0},
        {"huge number", "[Options]\r\nSoundDevice=99999999999999999999\r\n", false, 0},
        {"not a number", "[Options]\r\nSoundDevice=two\r\n", false, 0},
        {"long line", "[Options]\r\nMRU1=" + QByteArray(100000, 'x') + "\r\n", false, 0},
        {"too large", QByteArray(2 * 1024 * 1024, '['), true, 0},
    };
    for (const Case& c : cases) {
        const TTestFolder folder;
        const std::string path = folder.file("options.ini");
        writeBytes(path, c.content);
        TOptionsItem options;
        TRecentFileList recent;
        const TOptionsLoadResult loaded = LoadOptions(options, recent, path);
        QVERIFY2(loaded.FileFound, c.name);
        QVERIFY2(loaded.Error.empty() != c.reported, c.name);
        QVERIFY2(options.SoundDevice() == c.soundDevice, c.name);
        QVERIFY2(options.RunMaximized() && recent.entries().empty(), c.name);
        // The next close writes a sound file over it.
        SaveOptions(options, recent, {}, path);
        QVERIFY2(value(path, "Options", "Tag") == "0", c.name);
    }

    // A folder in the file's place: reported, presets apply, and the close
    // reports that it cannot write.
    const TTestFolder folder;
    const std::string path = folder.file("options.ini");
    std::filesystem::create_directory(path);
    TOptionsItem options;
    TRecentFileList recent;
    QVERIFY(!LoadOptions(options, recent, path).Error.empty());
    QVERIFY(options.ShowTipsOnStartup());
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, SaveOptions(options, recent, {}, path));
}

void OptionsFileTest::savingKeepsOtherSections() {
    const TTestFolder folder;
    const std::string path = folder.file("options.ini");
    writeBytes(path, "[Custom]\r\nmine=1\r\n"
                     "[Options]\r\nObsolete=1\r\nSoundDevice=5\r\n"
                     "[ToolbarsRemovedBar]\r\nRev=3\r\n"
                     "[ToolbarsPlayToolbar]\r\nRev=3\r\nStale=1\r\n"
                     "[options]\r\nSoundDevice=6\r\n");
    TOptionsItem options;
    TRecentFileList recent;
    LoadOptions(options, recent, path);
    QCOMPARE(options.SoundDevice(), 5);
    TToolbarSection play;
    play.Name = "PlayToolbar";
    SaveOptions(options, recent, {play}, path);

    const TIniFile saved = TIniFile::load(path);
    QCOMPARE(saved.sectionNames(), (std::vector<std::string>{"Custom", "ToolbarsRemovedBar",
                                                             "Options", "ToolbarsPlayToolbar"}));
    QCOMPARE(saved.value("Custom", "mine"), std::optional<std::string>("1"));
    QCOMPARE(saved.value("Options", "Obsolete"), std::optional<std::string>());
    QCOMPARE(saved.value("Options", "SoundDevice"), std::optional<std::string>("5"));
    QCOMPARE(saved.value("ToolbarsPlayToolbar", "Stale"), std::optional<std::string>());
    QCOMPARE(saved.value("ToolbarsPlayToolbar", "Rev"), std::optional<std::string>("3"));
}

void OptionsFileTest::failedSaveThrowsAndKeepsTheOldFile() {
    const TTestFolder folder;
    const std::string path = folder.file("options.ini");
    writeBytes(path, "[Options]\r\nSoundDevice=1\r\n");
    // The new text is written beside the file first; block that place.
    std::filesystem::create_directory(path + ".saving~");
    TOptionsItem options;
    TRecentFileList recent;
    LoadOptions(options, recent, path);
    options.SetSoundDevice(2);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, SaveOptions(options, recent, {}, path));
    QCOMPARE(readBytes(path), QByteArray("[Options]\r\nSoundDevice=1\r\n"));

    const std::string underAFile = touch(folder.file("plain")) + "/options.ini";
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, SaveOptions(options, recent, {}, underAFile));
}

int runOptionsFileTests(int argc, char** argv) {
    OptionsFileTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "OptionsFileTest.moc"
