// The recent-files list: only existing files, newest first, five at most, no
// duplicates whatever the letter case, and the "Reopen" menu it drives.
#include "app/RecentFiles.h"

#include "OptionsTestSupport.h"
#include "app/Options.h"

#include <QTest>
#include <filesystem>

class RecentFilesTest : public QObject {
    Q_OBJECT

private slots:
    void keepsFiveNewestFirst();
    void matchesNamesWithoutLetterCase();
    void drivesTheReopenMenu();
    void mapsToTheMruSlots();
};

void RecentFilesTest::keepsFiveNewestFirst() {
    const TTestFolder folder;
    std::vector<std::string> f;
    for (int i = 0; i < 7; ++i) {
        f.push_back(touch(folder.file("song" + std::to_string(i) + ".drm")));
    }
    // Each step adds one path; the list afterwards.
    struct Step {
        std::string path;
        std::vector<std::string> list;
    };
    const Step steps[] = {
        {folder.file("missing.drm"), {}},
        {folder.path(), {}},
        {"", {}},
        {f[0], {f[0]}},
        {f[1], {f[1], f[0]}},
        {f[0], {f[0], f[1]}},
        {f[0], {f[0], f[1]}},
        {f[2], {f[2], f[0], f[1]}},
        {f[3], {f[3], f[2], f[0], f[1]}},
        {f[4], {f[4], f[3], f[2], f[0], f[1]}},
        {f[5], {f[5], f[4], f[3], f[2], f[0]}},
        {f[2], {f[2], f[5], f[4], f[3], f[0]}},
        {f[6], {f[6], f[2], f[5], f[4], f[3]}},
    };
    TRecentFileList recent;
    for (const Step& step : steps) {
        recent.AddToRecentFiles(step.path);
        QVERIFY2(recent.entries() == step.list, step.path.c_str());
    }
}

void RecentFilesTest::matchesNamesWithoutLetterCase() {
    const TTestFolder folder;
    const std::string lower = touch(folder.file("song.drm"));
    const std::string upper = touch(folder.file("SONG.drm"));
    const std::string accented = touch(folder.file("\xc3\xa9t\xc3\xa9.drm")); // "été"
    const std::string accentedUpper = folder.file("\xc3\x89T\xc3\x89.drm");   // "ÉTÉ"
    const std::string latin1 = touch(folder.file("\xe9.drm"));
    const std::string latin1Other = touch(folder.file("\xc9.drm"));

    // Two existing files whose names differ only in case stay two entries.
    TRecentFileList recent;
    recent.AddToRecentFiles(lower);
    recent.AddToRecentFiles(upper);
    QCOMPARE(recent.entries(), (std::vector<std::string>{upper, lower}));

    // A name that differs only in case from a file that has gone replaces it.
    TRecentFileList renamed;
    renamed.AddToRecentFiles(accented);
    std::filesystem::rename(accented, accentedUpper);
    renamed.AddToRecentFiles(accentedUpper);
    QCOMPARE(renamed.entries(), std::vector<std::string>{accentedUpper});

    // A second name for the same file, differing in case, is the same entry.
    const std::string link = folder.file("Song.DRM");
    std::filesystem::create_symlink(lower, link);
    recent.AddToRecentFiles(link);
    QCOMPARE(recent.entries(), (std::vector<std::string>{link, upper}));

    // Names that are not UTF-8 compare byte for byte beyond ASCII.
    recent.AddToRecentFiles(latin1);
    recent.AddToRecentFiles(latin1Other);
    QCOMPARE(recent.entries(), (std::vector<std::string>{latin1Other, latin1, link, upper}));
}

void RecentFilesTest::drivesTheReopenMenu() {
    const TTestFolder folder;
    TRecentFileList recent;
    TReopenMenu menu = recent.reopenMenu();
    QVERIFY(!menu.Enabled);
    for (const TReopenMenuItem& item : menu.Items) {
        QVERIFY(!item.Visible);
    }
    const std::string a = touch(folder.file("a&b.drm"));
    const std::string b = touch(folder.file("b.drm"));
    recent.AddToRecentFiles(a);
    recent.AddToRecentFiles(b);
    menu = recent.reopenMenu();
    QVERIFY(menu.Enabled);
    QVERIFY(menu.Items[0].Visible && menu.Items[0].Caption == b);
    QVERIFY(menu.Items[1].Visible && menu.Items[1].Caption == a);
    for (size_t i = 2; i < menu.Items.size(); ++i) {
        QVERIFY(!menu.Items[i].Visible && menu.Items[i].Caption.empty());
    }
}

void RecentFilesTest::mapsToTheMruSlots() {
    const TTestFolder folder;
    const std::string a = touch(folder.file("a.drm"));
    const std::string b = touch(folder.file("b.drm"));
    TOptionsItem options;
    // Slots may repeat a file or name one that has gone; MRU1 is the newest.
    options.SetMRU1(a);
    options.SetMRU2(folder.file("gone.drm"));
    options.SetMRU3(b);
    options.SetMRU4(a);
    options.SetMRU5("");
    TRecentFileList recent;
    recent.loadFrom(options);
    QCOMPARE(recent.entries(), (std::vector<std::string>{a, b}));

    recent.storeTo(options);
    QCOMPARE(options.MRU1(), a);
    QCOMPARE(options.MRU2(), b);
    QCOMPARE(options.MRU3(), b);
    QCOMPARE(options.MRU4(), a);
    QCOMPARE(options.MRU5(), std::string());
}

int runRecentFilesTests(int argc, char** argv) {
    RecentFilesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "RecentFilesTest.moc"
