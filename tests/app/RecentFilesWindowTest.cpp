// The recent-files list as the window keeps it: loaded from MRU1..MRU5, shown
// in the "Reopen" menu, changed by opening and saving, written back at close.
#include "WindowTestSupport.h"
#include "editor/DrumsUI.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <filesystem>

namespace {

// n copies of the demo song in the temporary folder.
std::vector<std::string> songCopies(const TProgramFolder& program, const QTemporaryDir& dir,
                                    int n) {
    std::vector<std::string> songs;
    for (int i = 1; i <= n; ++i) {
        const std::string song = dir.path().toStdString() + "/song" + std::to_string(i) + ".drm";
        std::filesystem::copy_file(program.demoSong(), song);
        songs.push_back(song);
    }
    return songs;
}

QStringList visibleReopenItems(TTavorineForm& window) {
    QStringList captions;
    for (int i = 1; i <= 5; ++i) {
        const QAction* item = window.action(QStringLiteral("MRU%1").arg(i));
        if (item->isVisible()) {
            captions.append(item->text());
        }
    }
    return captions;
}

QStringList qtList(const std::vector<std::string>& names) {
    QStringList list;
    for (const std::string& name : names) {
        list.append(QString::fromStdString(name));
    }
    return list;
}

} // namespace

class RecentFilesWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { removeOptionsFile(); }
    void cleanup() { removeOptionsFile(); }

    void missingSecondEntryIsDroppedAndMRU5KeepsItsValue();
    void openingMovesToTheTopAndASixthPushesOutTheOldest();
    void reopenItemOpensItsEntry();
    void failedOpenOfAnExistingFileForgetsTheCurrentFile();
    void failedOpenOfAMissingFileChangesNothing();
};

void RecentFilesWindowTest::missingSecondEntryIsDroppedAndMRU5KeepsItsValue() {
    const TProgramFolder program;
    const QTemporaryDir dir;
    const std::vector<std::string> songs = songCopies(program, dir, 5);
    QStringList lines = {"ShowTipsOnStartup=False"};
    for (int i = 0; i < 5; ++i) {
        lines.append(QStringLiteral("MRU%1=%2").arg(i + 1).arg(QString::fromStdString(songs[i])));
    }
    writeOptions(lines);
    std::filesystem::remove(songs[1]);

    TWindowFixture fixture;
    TTavorineForm& window = fixture.create();
    const QStringList kept = qtList({songs[0], songs[2], songs[3], songs[4]});
    QCOMPARE(qtList(window.RecentFiles().entries()), kept);
    QCOMPARE(visibleReopenItems(window), kept);
    QVERIFY(window.action(QStringLiteral("ReopenItem"))->isEnabled());

    QVERIFY(window.close());
    const std::string ini = optionsFile();
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(iniValue(ini, "Options", QStringLiteral("MRU%1").arg(i + 1)), kept[i]);
    }
    QCOMPARE(iniValue(ini, "Options", "MRU5"), QString::fromStdString(songs[4]));
}

void RecentFilesWindowTest::openingMovesToTheTopAndASixthPushesOutTheOldest() {
    const TProgramFolder program;
    const QTemporaryDir dir;
    const std::vector<std::string> songs = songCopies(program, dir, 6);
    TWindowFixture fixture;
    TTavorineForm& window = fixture.create();
    QVERIFY(!window.action(QStringLiteral("ReopenItem"))->isEnabled());

    for (int i = 0; i < 5; ++i) {
        QVERIFY(window.openSongFile(songs[i], false));
    }
    QCOMPARE(qtList(window.RecentFiles().entries()),
             qtList({songs[4], songs[3], songs[2], songs[1], songs[0]}));
    QVERIFY(window.openSongFile(songs[2], false));
    QCOMPARE(qtList(window.RecentFiles().entries()),
             qtList({songs[2], songs[4], songs[3], songs[1], songs[0]}));
    QVERIFY(window.openSongFile(songs[5], false));
    QCOMPARE(qtList(window.RecentFiles().entries()),
             qtList({songs[5], songs[2], songs[4], songs[3], songs[1]}));
    QCOMPARE(visibleReopenItems(window), qtList(window.RecentFiles().entries()));
    QCOMPARE(window.CurrentFileName(), songs[5]);
}

void RecentFilesWindowTest::reopenItemOpensItsEntry() {
    const TProgramFolder program;
    const QTemporaryDir dir;
    const std::vector<std::string> songs = songCopies(program, dir, 3);
    TWindowFixture fixture;
    TTavorineForm& window = fixture.create();
    for (const std::string& song : songs) {
        QVERIFY(window.openSongFile(song, false));
    }
    window.DrumsUI().Editor().ClearSongCommand();
    window.action(QStringLiteral("MRU3"))->trigger();
    QCOMPARE(window.CurrentFileName(), songs[0]);
    QVERIFY(hitCount(window) > 0);
    QCOMPARE(qtList(window.RecentFiles().entries()), qtList({songs[0], songs[2], songs[1]}));
    QCOMPARE(window.windowTitle(),
             QStringLiteral("Tavorine - ") + QString::fromStdString(songs[0]));
}

void RecentFilesWindowTest::failedOpenOfAnExistingFileForgetsTheCurrentFile() {
    const TProgramFolder program;
    const QTemporaryDir dir;
    const std::vector<std::string> songs = songCopies(program, dir, 1);
    const std::string broken = dir.path().toStdString() + "/broken.drm";
    // Its drumset is nowhere: reading fails after the song was cleared.
    writeBytes(broken, "[Tavorine v1.00]\r\n[Drumset]\r\n/nowhere/none.dum\r\n");
    TWindowFixture fixture;
    TTavorineForm& window = fixture.create();
    QVERIFY(window.openSongFile(songs[0], false));

    QVERIFY(!window.openSongFile(broken, false));
    QCOMPARE(fixture.Dialogs.texts(QStringLiteral("error")).size(), 1);
    // The editor no longer shows songs[0]; Save must not write over it.
    QCOMPARE(window.CurrentFileName(), std::string());
    QCOMPARE(window.windowTitle(), QStringLiteral("Tavorine"));
    QCOMPARE(qtList(window.RecentFiles().entries()), qtList({songs[0]}));
    const QByteArray before = readBytes(songs[0]);
    window.action(QStringLiteral("SaveItem"))->trigger(); // asks for a name; cancelled
    QCOMPARE(fixture.Dialogs.texts(QStringLiteral("save")).size(), 1);
    QCOMPARE(readBytes(songs[0]), before);
}

void RecentFilesWindowTest::failedOpenOfAMissingFileChangesNothing() {
    const TProgramFolder program;
    const QTemporaryDir dir;
    const std::vector<std::string> songs = songCopies(program, dir, 1);
    TWindowFixture fixture;
    TTavorineForm& window = fixture.create();
    QVERIFY(window.openSongFile(songs[0], false));
    const int hits = hitCount(window);

    fixture.Dialogs.FileNames.push_back(dir.path() + QStringLiteral("/gone.drm"));
    window.action(QStringLiteral("OpenItem"))->trigger();
    QCOMPARE(fixture.Dialogs.texts(QStringLiteral("error")),
             QStringList{QStringLiteral("File \"%1/gone.drm\" does not exist.").arg(dir.path())});
    QCOMPARE(window.CurrentFileName(), songs[0]);
    QCOMPARE(hitCount(window), hits);
    // The song dialog opened in the program's Save folder, for songs.
    QCOMPARE(fixture.Dialogs.FileDialogs.back().Folder,
             QString::fromStdString(program.file("Save")));
    QCOMPARE(fixture.Dialogs.FileDialogs.back().Filter, QStringLiteral("Tavorine files (*.drm)"));
}

int runRecentFilesWindowTests(int argc, char** argv) {
    RecentFilesWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "RecentFilesWindowTest.moc"
