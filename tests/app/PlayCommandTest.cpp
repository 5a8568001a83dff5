// The main window's play commands on the window's real scheduler and the
// silent output: Play and Stop with the bar fields, the no-hits box, Space,
// the editor's play from bar and preparing every sample. Runs play in real
// time, so every run is stopped as soon as it has been looked at.
#include "WindowTestSupport.h"
#include "app/BarSpinBox.h"
#include "audio/Playback.h"
#include "audio/SampleVoices.h"
#include "editor/DrumsUI.h"

#include <QAction>
#include <QCursor>
#include <QDialog>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

namespace {

// Preparing the demo song's samples comes before the first hit.
constexpr int RunStartTimeoutMs = 30000;

const QString NoHits = QStringLiteral("There are no hits to play. (check start bar)");

} // namespace

class PlayCommandTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void playWithEndBelowStartPlaysTheEndBar();
    void playBeyondTheLastHitsShowsTheBox();
    void spaceTogglesPlayAndStop_data();
    void spaceTogglesPlayAndStop();
    void stiahniHitsDialog();
    void playFromCurrentPosition();
    void playFromBarTakesLoopAndTheLargerBarField_data();
    void playFromBarTakesLoopAndTheLargerBarField();
    void initializeAllSamples();

private:
    audio::Playback& playback() { return *m_window->DrumsUI().Playback(); }
    // True once a run has sounded its first hit (the cursor timer is made
    // then and kept).
    bool reachedFirstHit() {
        return QTest::qWaitFor([this] { return m_window->DrumsUI().CursorTimer() != nullptr; },
                               RunStartTimeoutMs);
    }

    std::unique_ptr<TProgramFolder> m_program;
    std::unique_ptr<TWindowFixture> m_fixture;
    TTavorineForm* m_window = nullptr;
};

void PlayCommandTest::init() {
    removeOptionsFile();
    m_program = std::make_unique<TProgramFolder>();
    m_fixture = std::make_unique<TWindowFixture>();
    m_window = &m_fixture->create();
    QVERIFY(m_window->openSongFile(m_program->demoSong(), false));
}

void PlayCommandTest::cleanup() {
    if (m_window != nullptr) {
        m_window->DrumsUI().StopPlayback();
    }
    m_fixture.reset();
    m_program.reset();
    removeOptionsFile();
}

void PlayCommandTest::playWithEndBelowStartPlaysTheEndBar() {
    TTavorineForm& window = *m_window;
    TSongEditor& editor = window.DrumsUI().Editor();
    if (editor.Song.LastBar < 3 || editor.Song.Bar(3).StartingHits.empty()) {
        const TSongEditLock lock(editor);
        editor.Song.NewAction();
        editor.Song.AddHit(editor.CreateHit(3, 0, 0, 0));
    }
    window.StartBarEdit().setValue(5);
    window.EndBarEdit().setValue(3);
    QCOMPARE(window.StartBar(), 5);

    window.action(QStringLiteral("PlayButton"))->trigger();
    QCOMPARE(window.StartBarEdit().value(), 3);
    QCOMPARE(window.EndBarEdit().value(), 3);
    QCOMPARE(playback().StartBar.load(), 3);
    QCOMPARE(playback().EndBar.load(), 3);
    QVERIFY(playback().RunActive());
    QVERIFY(reachedFirstHit());

    window.action(QStringLiteral("StopButton"))->trigger();
    QCOMPARE(window.DrumsUI().PlayingState(), TPlayingState::psStopped);
    QTRY_VERIFY(!playback().RunActive());
    QVERIFY(m_fixture->Dialogs.texts(QStringLiteral("information")).isEmpty());
    QVERIFY(m_fixture->Dialogs.texts(QStringLiteral("error")).isEmpty());
}

void PlayCommandTest::playBeyondTheLastHitsShowsTheBox() {
    TTavorineForm& window = *m_window;
    const int32_t last = playback().LastBarWithHits();
    QVERIFY(last >= 0);
    window.StartBarEdit().setValue(last + 1);
    QVERIFY(window.EndBar() >= last + 1);

    window.action(QStringLiteral("PlayButton"))->trigger();
    QCOMPARE(m_fixture->Dialogs.texts(QStringLiteral("information")), QStringList{NoHits});
    QVERIFY(!playback().RunActive());
    QCOMPARE(window.DrumsUI().PlayingState(), TPlayingState::psStopped);
}

void PlayCommandTest::spaceTogglesPlayAndStop_data() {
    QTest::addColumn<bool>("inBarField");
    QTest::newRow("grid focused") << false;
    // The digits-only field must not swallow the shortcut.
    QTest::newRow("start bar field focused") << true;
}

void PlayCommandTest::spaceTogglesPlayAndStop() {
    QFETCH(bool, inBarField);
    TTavorineForm& window = *m_window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QWidget* grid =
        inBarField ? static_cast<QWidget*>(&window.StartBarEdit()) : window.DrumsUI().Grid();
    grid->setFocus();

    QTest::keyClick(grid, Qt::Key_Space);
    QVERIFY(playback().RunActive());
    QTRY_COMPARE_WITH_TIMEOUT(window.DrumsUI().PlayingState(), TPlayingState::psPlaying,
                              RunStartTimeoutMs);
    // The cursor's start is posted by the worker and may still be queued.
    QVERIFY(reachedFirstHit());

    QTest::keyClick(grid, Qt::Key_Space);
    QCOMPARE(window.DrumsUI().PlayingState(), TPlayingState::psStopped);
    QTRY_VERIFY(!playback().RunActive());
    QTRY_VERIFY(!window.DrumsUI().CursorTimer()->isActive());
    QCOMPARE(window.DrumsUI().CursorX(), -1);
    QCOMPARE(window.StartBar(), 0);
}

// The hidden command's dialog hands its three numbers to Stiahni hits, which
// pulls a hit at the start of the end bar earlier by the ticks.
void PlayCommandTest::stiahniHitsDialog() {
    TTavorineForm& window = *m_window;
    TSongEditor& editor = window.DrumsUI().Editor();
    window.DrumsUI().ClearSongCommand();
    TDRHit* hit = nullptr;
    {
        const TSongEditLock lock(editor);
        editor.Song.NewAction();
        hit = editor.Song.AddHit(editor.CreateHit(2, 0, 0, 0));
    }
    m_fixture->Dialogs.OnDialog = [](QDialog& dialog) {
        dialog.findChild<QSpinBox*>(QStringLiteral("StartBarEdit"))->setValue(0);
        dialog.findChild<QSpinBox*>(QStringLiteral("EndBarEdit"))->setValue(2);
        dialog.findChild<QSpinBox*>(QStringLiteral("TicksEdit"))->setValue(100);
        return int(QDialog::Accepted);
    };
    window.action(QStringLiteral("StiahniHitsItem"))->trigger();
    QCOMPARE(hit->StartBar, 1);
    QCOMPARE(hit->StartTick, 900);
    QVERIFY(editor.Modified);

    m_fixture->Dialogs.OnDialog = [](QDialog&) { return int(QDialog::Rejected); };
    window.action(QStringLiteral("StiahniHitsItem"))->trigger();
    QCOMPARE(hit->StartTick, 900);
}

// Ctrl+Space: with the mouse left of the grid from the first bar shown;
// while playing, over another bar it restarts the run from that bar.
void PlayCommandTest::playFromCurrentPosition() {
    TTavorineForm& window = *m_window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    TDrumsUI& drums = window.DrumsUI();
    drums.Editor().GoToBar(1);
    QWidget* grid = drums.Grid();
    QCursor::setPos(grid->mapToGlobal(QPoint(-20, 60)));
    if (drums.BarAtX(-1) != -1) {
        QSKIP("the platform does not move the mouse pointer");
    }
    window.action(QStringLiteral("PlayFromCurrentPositionAction"))->trigger();
    QVERIFY(playback().RunActive());
    QCOMPARE(playback().StartBar.load(), 1);
    QCOMPARE(playback().EndBar.load(), InitialEndBar);
    QTRY_COMPARE_WITH_TIMEOUT(drums.PlayingState(), TPlayingState::psPlaying, RunStartTimeoutMs);

    const int32_t x = drums.Editor().BarX(3) + 5;
    QCursor::setPos(grid->mapToGlobal(QPoint(x, 60)));
    QCOMPARE(drums.BarAtX(-1), 3);
    window.action(QStringLiteral("PlayFromCurrentPositionAction"))->trigger();
    QCOMPARE(playback().StartBar.load(), 3);
    // The run restarts at its next check and clears the request then.
    QTRY_VERIFY(!playback().InstantRepeat());
    QVERIFY(playback().RunActive());
}

void PlayCommandTest::playFromBarTakesLoopAndTheLargerBarField_data() {
    QTest::addColumn<bool>("loop");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("endBar");
    QTest::newRow("loop on, start field larger") << true << 7 << 4 << 7;
    QTest::newRow("loop off, end field larger") << false << 2 << 9 << 9;
}

void PlayCommandTest::playFromBarTakesLoopAndTheLargerBarField() {
    QFETCH(bool, loop);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(int, endBar);
    TTavorineForm& window = *m_window;
    if (loop) {
        window.action(QStringLiteral("LoopButton"))->trigger();
    }
    QCOMPARE(window.action(QStringLiteral("LoopButton"))->isChecked(), loop);
    window.StartBarEdit().setValue(start);
    window.EndBarEdit().setValue(end);
    QCOMPARE(window.StartBar(), start);
    // The editor's own values differ, so that the copy shows.
    playback().Loop = !loop;
    playback().EndBar = 0;

    window.DrumsUI().PlayFromBar(0);
    QCOMPARE(playback().Loop.load(), loop);
    QCOMPARE(playback().EndBar.load(), endBar);
    QCOMPARE(playback().StartBar.load(), window.DrumsUI().FirstBar());
    QVERIFY(playback().RunActive());
    window.DrumsUI().StopPlayback();
    QVERIFY(!playback().RunActive());
    QVERIFY(m_fixture->Dialogs.texts(QStringLiteral("information")).isEmpty());
}

void PlayCommandTest::initializeAllSamples() {
    TTavorineForm& window = *m_window;
    window.action(QStringLiteral("InitSamplesButton"))->trigger();
    QVERIFY(m_fixture->Dialogs.texts(QStringLiteral("error")).isEmpty());
    int rows = 0;
    for (const auto& track : window.DrumsUI().Editor().Plocha.Tracks) {
        for (const auto& row : track->Samples) {
            ++rows;
            QVERIFY2(audio::isSampleInitialized(*row->SampleData), row->Name.c_str());
        }
    }
    QVERIFY(rows > 0);
}

int runPlayCommandTests(int argc, char** argv) {
    PlayCommandTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PlayCommandTest.moc"
