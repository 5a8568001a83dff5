// TDrumsUI playback on the off-screen platform, with the scheduler on a
// recording voice engine and a clock that moves only when the test says so.
// The song plays at 120 bpm: a bar is 2000 ms, a tick 2 ms; a bar is 120
// pixels and the grid 467 pixels wide at this size.
#include "PlaybackControlTest.h"

#include "../audio/PlaybackRig.h"
#include "../support/TempFolder.h"
#include "editor/DrumsUI.h"
#include "model/SongModel.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QKeySequence>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <memory>
#include <vector>

using playbacktest::EngineCall;
using playbacktest::FakeEngine;
using playbacktest::VirtualPlaybackClock;

namespace {

const std::string RowsFixture = std::string(TAVORINE_TEST_DATA) + "/editor/rows.dum";

constexpr int GridW = 467;
constexpr int BarPx = 120;

// Drums[Kick,Snare,Tom]: the group and two of its samples have shortcuts.
const char* const ShortcutDrumset = R"(<Drumset Version="3.0">
  <Group AbsoluteIndex="0" Caption="Unsorted" Visible="FALSE" />
  <Group AbsoluteIndex="1" DirectoryName="" Caption="Drums" FileName="" Visible="TRUE" Shortcut="Ctrl+K">
    <Sample AbsoluteIndex="2" DirectoryName="/nowhere" Caption="Kick" FileName="kick.wav" Visible="TRUE" Shortcut="Shift+F7" />
    <Sample AbsoluteIndex="3" DirectoryName="/nowhere" Caption="Snare" FileName="snare.wav" Visible="TRUE" />
    <Sample AbsoluteIndex="4" DirectoryName="/nowhere" Caption="Tom" FileName="tom.wav" Visible="TRUE" Shortcut="Alt+PgDn" />
  </Group>
</Drumset>
)";

// The drumset above as a file in the folder; empty when it cannot be written.
std::string writeShortcutDrumset(TempFolder& folder) {
    const std::string file = folder.file("shortcuts.dum");
    QFile out(QString::fromStdString(file));
    if (!out.open(QIODevice::WriteOnly) || out.write(ShortcutDrumset) < 0) {
        return {};
    }
    return file;
}

struct Control {
    explicit Control(const std::string& drumset = RowsFixture) {
        ui.SetShortcutActionList([this](QAction* action) { Actions.emplace_back(action); });
        ui.SetMessageBox([this](bool error, const QString& text) {
            Messages.push_back((error ? QStringLiteral("error: ") : QString()) + text);
        });
        ui.AttachPlayback(engine, clock);
        ui.SetDrumsetFile(drumset);
        ui.resize(600, 400);
        ui.show();
        exposed = QTest::qWaitForWindowExposed(&ui);
        QCoreApplication::sendPostedEvents(&ui, UM_RELAYOUT);
    }
    ~Control() { ui.StopPlayback(); }

    TSongEditor& editor() { return ui.Editor(); }
    audio::Playback& playback() { return *ui.Playback(); }

    void add(int32_t bar, int32_t tick) {
        TSongEditLock lock(editor());
        editor().Song.NewAction();
        editor().Song.AddHit(editor().CreateHit(bar, tick, 0, 0));
    }
    int hitCount() {
        int n = 0;
        for (int32_t b = 0; b <= editor().Song.LastBar; ++b) {
            n += static_cast<int>(editor().Song.Bar(b).StartingHits.size());
        }
        return n;
    }
    // Plays from bar 0 to the end and returns once the first hit has sounded
    // and the cursor timer runs; the worker then waits for the next hit.
    bool startRun() {
        playback().StartBar = 0;
        playback().EndBar = -1;
        playback().Play();
        return QTest::qWaitFor([this] {
            return ui.CursorTimer() != nullptr && ui.CursorTimer()->isActive() &&
                   ui.PlayingState() == TPlayingState::psPlaying;
        });
    }
    // One cursor period with the clock ms after the pass's start.
    void tickAt(int64_t elapsedMs) {
        clock->advanceTo(playback().ClockBase() + elapsedMs);
        ui.CursorTimerTick();
    }

    FakeEngine engine;
    std::shared_ptr<VirtualPlaybackClock> clock = std::make_shared<VirtualPlaybackClock>();
    TDrumsUI ui;
    bool exposed = false;
    std::vector<QPointer<QAction>> Actions;
    QStringList Messages;
};

} // namespace

void PlaybackControlTest::cursorFollowsTheSoundingPosition_data() {
    QTest::addColumn<int>("scrollPosition"); // of the horizontal scroll bar, 8 a bar
    QTest::addColumn<int>("elapsedMs");
    QTest::addColumn<int>("firstBar");
    QTest::addColumn<int>("cursorX");
    QTest::newRow("bar 0, quarter") << 0 << 500 << 0 << 30;
    QTest::newRow("bar 1, half") << 0 << 3000 << 0 << BarPx + 60;
    // Bar 3, tick 892: x 467, the grid's width, is not beyond it yet.
    QTest::newRow("at the grid's width it stays") << 0 << 7784 << 0 << GridW;
    // 510 is right of the grid: bar 4 becomes the first shown.
    QTest::newRow("right of the grid scrolls") << 0 << 8500 << 4 << 30;
    // Scrolled by 3/8 bar (45 pixels): 9000 ms is at 540 - 45 = 495, off the
    // grid; the view lands on bar 4's start, not 3/8 into it.
    QTest::newRow("scrolls to a bar boundary") << 3 << 9000 << 4 << 60;
    QTest::newRow("sub-bar scroll shifts the cursor") << 3 << 8500 << 0 << 465;
}

void PlaybackControlTest::cursorFollowsTheSoundingPosition() {
    QFETCH(int, scrollPosition);
    QFETCH(int, elapsedMs);
    QFETCH(int, firstBar);
    QFETCH(int, cursorX);
    Control c;
    QVERIFY(c.exposed);
    QCOMPARE(c.ui.Grid()->width(), GridW);
    c.add(0, 0);
    c.add(20, 0);
    c.ui.HorzScrollBar()->setValue(scrollPosition);
    QVERIFY(c.startRun());
    QCOMPARE(c.ui.CursorTimer()->interval(), 50);

    c.tickAt(elapsedMs);
    QCOMPARE(c.ui.FirstBar(), firstBar);
    if (firstBar != 0) {
        QCOMPARE(c.ui.HorzScrollBar()->value(), firstBar * 8);
        QCOMPARE(c.editor().PixelOffset(), 0);
    }
    QCOMPARE(c.ui.CursorX(), cursorX);
    QCOMPARE(c.playback().CursorBarHint.load(), elapsedMs / 2000);
    if (cursorX < GridW) {
        // The painted line is where CursorX says.
        const QImage shown = c.ui.Grid()->grab().toImage();
        c.ui.EraseCursor();
        const QImage erased = c.ui.Grid()->grab().toImage();
        QCOMPARE(shown.copy(cursorX, 0, 1, shown.height()) ==
                     erased.copy(cursorX, 0, 1, erased.height()),
                 false);
        const int other = cursorX > 10 ? cursorX - 10 : cursorX + 10;
        QCOMPARE(shown.copy(other, 0, 1, shown.height()),
                 erased.copy(other, 0, 1, erased.height()));
    }
}

void PlaybackControlTest::cursorScrollsBackAfterAJumpAndGoesAtTheEnd() {
    Control c;
    c.add(0, 0);
    c.add(10, 0);
    QVERIFY(c.startRun());
    c.tickAt(500);
    QCOMPARE(c.ui.CursorX(), 30);
    c.tickAt(12'250); // bar 6, tick 125
    QCOMPARE(c.ui.FirstBar(), 6);
    QCOMPARE(c.ui.CursorX(), 15);

    // An instant repeat from bar 0: the cursor, now left of the grid, takes
    // the view back.
    c.clock->whileParked([&] {
        c.playback().StartBar = 0;
        c.playback().SetInstantRepeat(true);
    });
    QCoreApplication::processEvents();
    QCOMPARE(c.engine.calls(EngineCall::Start).size(), size_t{2});
    c.tickAt(250);
    QCOMPARE(c.ui.FirstBar(), 0);
    QCOMPARE(c.ui.CursorX(), 15);

    // The last hit sounds and its length passes: the run ends.
    QPointer<QTimer> timer = c.ui.CursorTimer();
    c.clock->advanceTo(c.playback().ClockBase() + 30'000);
    QTRY_VERIFY(!c.playback().RunActive());
    QTRY_VERIFY(!timer->isActive());
    QTRY_COMPARE(c.ui.CursorX(), -1);
    QCOMPARE(c.ui.PlayingState(), TPlayingState::psStopped);
    QVERIFY(c.Messages.isEmpty());
}

void PlaybackControlTest::shortcutActionsGoWithTheirDrumset() {
    TempFolder folder;
    const std::string file = writeShortcutDrumset(folder);
    QVERIFY(!file.empty());
    Control c(file);
    QCOMPARE(c.Actions.size(), size_t{3});
    // The group's row first, then the sample rows.
    const std::vector<QKeySequence> keys = {
        QKeySequence(Qt::CTRL | Qt::Key_K),
        QKeySequence(Qt::SHIFT | Qt::Key_F7),
        QKeySequence(Qt::ALT | Qt::Key_PageDown),
    };
    for (size_t i = 0; i < keys.size(); ++i) {
        QVERIFY(c.Actions[i]);
        QCOMPARE(c.Actions[i]->shortcut(), keys[i]);
    }

    c.ui.SetDrumsetFile(RowsFixture);
    for (const QPointer<QAction>& action : c.Actions) {
        QVERIFY(action.isNull());
    }
}

void PlaybackControlTest::shortcutPreviewsAndRecordsOnlyWhenRecording_data() {
    QTest::addColumn<bool>("recording");
    QTest::addColumn<int>("recorded");
    QTest::newRow("recording off") << false << 0;
    QTest::newRow("recording on") << true << 1;
}

void PlaybackControlTest::shortcutPreviewsAndRecordsOnlyWhenRecording() {
    QFETCH(bool, recording);
    QFETCH(int, recorded);
    TempFolder folder;
    const std::string file = writeShortcutDrumset(folder);
    QVERIFY(!file.empty());
    Control c(file);
    QCOMPARE(c.Actions.size(), size_t{3});
    c.playback().SetRecording(recording);

    c.Actions[2]->trigger(); // Tom
    const std::vector<EngineCall> starts = c.engine.calls(EngineCall::Start);
    QCOMPARE(starts.size(), size_t{1});
    QCOMPARE(starts[0].sample, c.editor().Plocha.Tracks[0]->Samples[2]->SampleData);
    QCOMPARE(static_cast<int>(c.playback().RecordedCount()), recorded);
    QCOMPARE(c.hitCount(), 0);
    QVERIFY(c.Messages.isEmpty());
}

void PlaybackControlTest::playFromBar_data() {
    QTest::addColumn<int>("gridX");
    QTest::addColumn<bool>("plays");
    QTest::newRow("bar with a hit after it") << BarPx + 10 << true;
    QTest::newRow("left of the grid: the first bar") << -20 << true;
    QTest::newRow("no hit after the bar") << 2 * BarPx + 10 << false;
}

void PlaybackControlTest::playFromBar() {
    QFETCH(int, gridX);
    QFETCH(bool, plays);
    Control c;
    c.add(1, 0);
    c.playback().EndBar = -1; // the window's part, through OnBeforePlayFromBar
    c.ui.PlayFromBar(gridX);
    QCOMPARE(c.playback().RunActive(), plays);
    if (plays) {
        QVERIFY(c.Messages.isEmpty());
        QTRY_COMPARE(c.ui.PlayingState(), TPlayingState::psPlaying);
    } else {
        QCOMPARE(c.Messages, QStringList{"There are no hits to play. (check start bar)"});
    }
}

void PlaybackControlTest::stopEndsAWaitingRun_data() {
    QTest::addColumn<bool>("waitForHit"); // else while it waits for a sample
    QTest::newRow("waiting for the next hit") << true;
    QTest::newRow("waiting for a sample to be prepared") << false;
}

void PlaybackControlTest::stopEndsAWaitingRun() {
    QFETCH(bool, waitForHit);
    Control c;
    c.add(0, 0);
    c.add(3, 0);
    if (waitForHit) {
        QVERIFY(c.startRun());
    } else {
        c.playback().Play(); // its sample request stays queued
    }
    c.ui.StopPlayback();
    QVERIFY(!c.playback().RunActive());
    QCOMPARE(c.ui.PlayingState(), TPlayingState::psStopped);
    QCOMPARE(c.ui.CursorX(), -1);
    QVERIFY(c.ui.CursorTimer() == nullptr || !c.ui.CursorTimer()->isActive());
    QVERIFY(!c.engine.calls(EngineCall::StopAll).empty());
    QCoreApplication::processEvents();
    QCOMPARE(c.engine.calls(EngineCall::Start).size(), size_t{waitForHit ? 1u : 0u});
    QCOMPARE(c.ui.PlayingState(), TPlayingState::psStopped);
}
