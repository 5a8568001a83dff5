// The save prompt (QuerySaveSong) and closing the window: which answer saves,
// discards or keeps the song, and when "options.ini" is written.
#include "WindowTestSupport.h"
#include "editor/DrumsUI.h"

#include <QAction>
#include <QTest>
#include <filesystem>

Q_DECLARE_METATYPE(TUserDialogs::TAnswer)

namespace {

constexpr const char* SaveQuestion = "Current song has been modified. Save changes?";

// Removes every hit: a change that shows in the saved file.
void modify(TTavorineForm& window) {
    window.DrumsUI().Editor().SelectAllHits();
    window.DrumsUI().Editor().DeleteSelectedHits();
}

bool exists(const std::string& path) {
    return std::filesystem::exists(path);
}

} // namespace

class SaveAndCloseTest : public QObject {
    Q_OBJECT

private slots:
    void init() { removeOptionsFile(); }
    void cleanup() { removeOptionsFile(); }

    void querySaveSong_data();
    void querySaveSong();
    void cancelOnCloseKeepsTheWindowAndWritesNothing();
    void exitAsksLikeTheCloseBox();
    void newAfterCancelKeepsTheSong();
};

void SaveAndCloseTest::querySaveSong_data() {
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("hasFile");
    QTest::addColumn<TUserDialogs::TAnswer>("answer");
    QTest::addColumn<bool>("namesAFile"); // the Save as dialog, when it comes
    QTest::addColumn<bool>("result");
    QTest::addColumn<bool>("modifiedAfter");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("saved");

    using A = TUserDialogs::TAnswer;
    QTest::newRow("unmodified") << false << true << A::Cancel << false << true << false << 0
                                << false;
    QTest::newRow("cancel") << true << true << A::Cancel << false << false << true << 1 << false;
    QTest::newRow("no") << true << true << A::No << false << true << false << 1 << false;
    QTest::newRow("yes saves the current file")
        << true << true << A::Yes << false << true << false << 1 << true;
    QTest::newRow("yes without a file, save as cancelled")
        << true << false << A::Yes << false << false << true << 1 << false;
    QTest::newRow("yes without a file, save as named")
        << true << false << A::Yes << true << true << false << 1 << true;
}

void SaveAndCloseTest::querySaveSong() {
    QFETCH(bool, modified);
    QFETCH(bool, hasFile);
    QFETCH(TUserDialogs::TAnswer, answer);
    QFETCH(bool, namesAFile);
    QFETCH(bool, result);
    QFETCH(bool, modifiedAfter);
    QFETCH(int, questions);
    QFETCH(bool, saved);

    const TProgramFolder program;
    const QTemporaryDir dir;
    const std::string song = dir.path().toStdString() + "/song.drm";
    std::filesystem::copy_file(program.demoSong(), song);
    const std::string named = dir.path().toStdString() + "/named.drm";
    TWindowFixture fixture;
    TTavorineForm& window = fixture.create();
    if (hasFile) {
        QVERIFY(window.openSongFile(song, false));
    } else {
        // The song without a file name, as after an import.
        window.DrumsUI().LoadSong(song, false, 0, 0, false, false);
    }
    if (modified) {
        modify(window);
    }
    const QByteArray before = readBytes(song);
    fixture.Dialogs.Shown.clear();
    fixture.Dialogs.Answers = {answer};
    if (namesAFile) {
        fixture.Dialogs.FileNames = {QString::fromStdString(named)};
    }

    QCOMPARE(window.QuerySaveSong(), result);
    QCOMPARE(window.DrumsUI().Editor().Modified, modifiedAfter);
    QCOMPARE(fixture.Dialogs.texts(QStringLiteral("question")),
             questions == 0 ? QStringList() : QStringList{SaveQuestion});
    const std::string target = hasFile ? song : named;
    QCOMPARE(hasFile ? readBytes(song) != before : exists(named), saved);
    if (saved) {
        QCOMPARE(window.CurrentFileName(), target);
        // The saved song is the edited one: no hits left.
        TTavorineForm& reader = fixture.create();
        QVERIFY(reader.openSongFile(target, false));
        QCOMPARE(hitCount(reader), 0);
    }
}

void SaveAndCloseTest::cancelOnCloseKeepsTheWindowAndWritesNothing() {
    const TProgramFolder program;
    TWindowFixture fixture;
    TTavorineForm& window = fixture.create();
    window.show();
    QCOMPARE(window.CurrentFileName(), program.demoSong());
    modify(window);

    fixture.Dialogs.Answers = {TUserDialogs::TAnswer::Cancel};
    QVERIFY(!window.close());
    QVERIFY(window.isVisible());
    QVERIFY(!exists(optionsFile()));
    QVERIFY(window.DrumsUI().Editor().Modified);

    fixture.Dialogs.Answers = {TUserDialogs::TAnswer::No};
    QVERIFY(window.close());
    QVERIFY(!window.isVisible());
    QVERIFY(exists(optionsFile()));
    // No means the demo song stays as it was.
    TTavorineForm& reader = fixture.create();
    QVERIFY(reader.openSongFile(program.demoSong(), false));
    QVERIFY(hitCount(reader) > 0);
}

void SaveAndCloseTest::exitAsksLikeTheCloseBox() {
    const TProgramFolder program;
    TWindowFixture fixture;
    TTavorineForm& window = fixture.create();
    window.show();
    modify(window);
    QAction* exit = window.action(QStringLiteral("ExitItem"));
    QCOMPARE(exit->shortcut(), QKeySequence(QStringLiteral("Alt+X")));

    fixture.Dialogs.Answers = {TUserDialogs::TAnswer::Cancel};
    exit->trigger();
    QVERIFY(window.isVisible());
    QVERIFY(!exists(optionsFile()));
    QCOMPARE(fixture.Dialogs.texts(QStringLiteral("question")), QStringList{SaveQuestion});

    fixture.Dialogs.Answers = {TUserDialogs::TAnswer::No};
    exit->trigger();
    QVERIFY(!window.isVisible());
    QVERIFY(exists(optionsFile()));
}

void SaveAndCloseTest::newAfterCancelKeepsTheSong() {
    const TProgramFolder program;
    TWindowFixture fixture;
    TTavorineForm& window = fixture.create();
    QVERIFY(window.openSongFile(program.demoSong(), false));
    const int hits = hitCount(window);
    window.DrumsUI().Editor().Modified = true;

    fixture.Dialogs.Answers = {TUserDialogs::TAnswer::Cancel};
    window.action(QStringLiteral("NewItem"))->trigger();
    QCOMPARE(hitCount(window), hits);
    QCOMPARE(window.CurrentFileName(), program.demoSong());

    fixture.Dialogs.Answers = {TUserDialogs::TAnswer::No};
    window.action(QStringLiteral("NewItem"))->trigger();
    QCOMPARE(hitCount(window), 0);
    QCOMPARE(window.CurrentFileName(), std::string());
    QCOMPARE(window.windowTitle(), QStringLiteral("Tavorine"));
}

int runSaveAndCloseTests(int argc, char** argv) {
    SaveAndCloseTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SaveAndCloseTest.moc"
