// The main window's commands that run on the window's side: menu refresh,
// looping and recording, the bar fields, bar number input, Delete multiple
// hits, drumset loading, pattern files, help pages and shortcuts.
#include "WindowTestSupport.h"
#include "app/BarSpinBox.h"
#include "editor/DrumsUI.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>

namespace {

void openMenu(TTavorineForm& window, const char* name) {
    emit window.findChild<QMenu*>(QString::fromLatin1(name))->aboutToShow();
}

QStringList checkedItems(TTavorineForm& window, const char* menuName) {
    QStringList names;
    for (const QAction* item : window.findChild<QMenu*>(QString::fromLatin1(menuName))->actions()) {
        if (item->isChecked()) {
            names.append(item->objectName());
        }
    }
    return names;
}

// Adds a copy of the first hit of bar 0 at the same place.
void addDuplicateOfFirstHit(TTavorineForm& window) {
    TSongEditor& editor = window.DrumsUI().Editor();
    const TDRHit& first = *editor.Song.Bar(0).StartingHits.front();
    editor.Song.NewAction();
    editor.Song.AddHit(
        editor.CreateHit(first.StartBar, first.StartTick, first.Sample, first.Group));
}

} // namespace

class CommandTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void viewMenuChecksTheCurrentDivision_data();
    void viewMenuChecksTheCurrentDivision();
    void modeAndHitTypeFollowMenuAndButtons();
    void loopAndRecordExcludeEachOther_data();
    void loopAndRecordExcludeEachOther();
    void snapToFollowsMenuAndButton();
    void barFieldsTakeDigitsAndRaiseTheEnd();
    void deleteInABarFieldDeletesTheSelectedHits();
    void barNumberInput_data();
    void barNumberInput();
    void deleteMultipleHits();
    void loadDrumset();
    void saveSelectedHitsAsPattern();
    void helpAndWebPages();
    void shortcutBeatsTheMenuMnemonic();

private:
    std::unique_ptr<TProgramFolder> m_program;
    std::unique_ptr<TWindowFixture> m_fixture;
    TTavorineForm* m_window = nullptr;
};

void CommandTest::init() {
    removeOptionsFile();
    m_program = std::make_unique<TProgramFolder>();
    m_fixture = std::make_unique<TWindowFixture>();
    m_window = &m_fixture->create();
    QVERIFY(m_window->openSongFile(m_program->demoSong(), false));
}

void CommandTest::cleanup() {
    m_fixture.reset();
    m_program.reset();
    removeOptionsFile();
}

void CommandTest::viewMenuChecksTheCurrentDivision_data() {
    QTest::addColumn<int>("division");
    QTest::addColumn<QStringList>("checked");
    QTest::newRow("menu item") << 12 << QStringList{"Division12Item"};
    QTest::newRow("tool button number") << 32 << QStringList{"Division32Item"};
    QTest::newRow("no item: custom") << 10 << QStringList{"CustomDivisionItem"};
}

void CommandTest::viewMenuChecksTheCurrentDivision() {
    QFETCH(int, division);
    QFETCH(QStringList, checked);
    m_window->DrumsUI().SetBarDivisionNumber(division);
    openMenu(*m_window, "ViewMenu");
    QCOMPARE(checkedItems(*m_window, "ViewMenu"), checked);

    // The items and the division buttons set the editor's division.
    m_window->action(QStringLiteral("Division9Item"))->trigger();
    QCOMPARE(m_window->DrumsUI().BarDivisionNumber(), 9);
    m_window->action(QStringLiteral("Division24Button"))->trigger();
    QCOMPARE(m_window->DrumsUI().BarDivisionNumber(), 24);
}

void CommandTest::modeAndHitTypeFollowMenuAndButtons() {
    TTavorineForm& window = *m_window;
    window.action(QStringLiteral("SelectionModeButton"))->trigger();
    QCOMPARE(window.DrumsUI().Editor().ModeType(), TModeType::mtSelect);
    openMenu(window, "OperationMenu");
    QCOMPARE(checkedItems(window, "OperationMenu"),
             (QStringList{"SelectionModeItem", "HeavyHitItem"}));

    window.action(QStringLiteral("PlayModeItem"))->trigger();
    window.action(QStringLiteral("LightHitItem"))->trigger();
    QCOMPARE(window.DrumsUI().Editor().ModeType(), TModeType::mtPlay);
    QCOMPARE(window.DrumsUI().Editor().HitType(), THitType::htLight);
    QVERIFY(window.action(QStringLiteral("PlayModeButton"))->isChecked());
    QVERIFY(window.action(QStringLiteral("LightHitButton"))->isChecked());
    QVERIFY(!window.action(QStringLiteral("HeavyHitButton"))->isChecked());
}

void CommandTest::loopAndRecordExcludeEachOther_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("loop");
    QTest::addColumn<bool>("record");
    QTest::newRow("loop button while recording") << "RecordButton"
                                                 << "LoopButton" << true << false;
    QTest::newRow("loop menu while recording") << "RecordButton"
                                               << "LoopItem" << true << false;
    QTest::newRow("record while looping (button)") << "LoopButton"
                                                   << "RecordButton" << false << true;
    QTest::newRow("record while looping (menu)") << "LoopItem"
                                                 << "RecordButton" << false << true;
    QTest::newRow("loop off again") << "LoopButton"
                                    << "LoopButton" << false << false;
}

void CommandTest::loopAndRecordExcludeEachOther() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, loop);
    QFETCH(bool, record);
    TTavorineForm& window = *m_window;
    for (const QString& name : {first, second}) {
        openMenu(window, "OptionsMenu");
        window.action(name)->trigger();
    }
    QCOMPARE(window.EditorLoop(), loop);
    QCOMPARE(window.EditorRecording(), record);
    QCOMPARE(window.action(QStringLiteral("LoopButton"))->isChecked(), loop);
    QCOMPARE(window.action(QStringLiteral("RecordButton"))->isChecked(), record);
    openMenu(window, "OptionsMenu");
    QCOMPARE(window.action(QStringLiteral("LoopItem"))->isChecked(), loop);
}

void CommandTest::snapToFollowsMenuAndButton() {
    TTavorineForm& window = *m_window;
    QVERIFY(window.DrumsUI().SnapTo());
    QVERIFY(window.action(QStringLiteral("SnapToButton"))->isChecked());
    openMenu(window, "OptionsMenu");
    window.action(QStringLiteral("SnapToItem"))->trigger();
    QVERIFY(!window.DrumsUI().SnapTo());
    QVERIFY(!window.action(QStringLiteral("SnapToButton"))->isChecked());
    window.action(QStringLiteral("SnapToButton"))->trigger();
    QVERIFY(window.DrumsUI().SnapTo());
    openMenu(window, "OptionsMenu");
    QVERIFY(window.action(QStringLiteral("SnapToItem"))->isChecked());

    window.action(QStringLiteral("PatternMouseModeItem"))->trigger();
    QVERIFY(window.DrumsUI().Editor().PatternInsertMouseMode);
    QVERIFY(window.action(QStringLiteral("PatternMouseModeButton"))->isChecked());
}

void CommandTest::barFieldsTakeDigitsAndRaiseTheEnd() {
    TTavorineForm& window = *m_window;
    TBarSpinBox& start = window.StartBarEdit();
    TBarSpinBox& end = window.EndBarEdit();
    QCOMPARE(start.text(), QStringLiteral("0"));
    QCOMPARE(end.text(), QStringLiteral("10000"));
    QCOMPARE(start.maximum(), 999999);

    start.selectAll();
    QTest::keyClicks(&start, QStringLiteral("12a"));
    QCOMPARE(start.text(), QStringLiteral("12"));
    QCOMPARE(start.value(), 12);

    // Lowering the end leaves the start; raising the start raises the end.
    end.setValue(5);
    QCOMPARE(start.value(), 12);
    start.setValue(20);
    QCOMPARE(end.value(), 20);
    start.stepUp();
    QCOMPARE(end.value(), 21);
    end.setValue(30);
    start.stepUp();
    QCOMPARE(end.value(), 30);
}

void CommandTest::deleteInABarFieldDeletesTheSelectedHits() {
    TTavorineForm& window = *m_window;
    const int hits = hitCount(window);
    QVERIFY(hits > 0);
    TBarSpinBox& start = window.StartBarEdit();
    start.setValue(7);
    start.findChild<QLineEdit*>()->setCursorPosition(0);
    QTest::keyClick(&start, Qt::Key_Delete);
    QCOMPARE(start.text(), QStringLiteral("7"));
    QCOMPARE(hitCount(window), hits);

    window.action(QStringLiteral("SelectAllItem"))->trigger();
    QCOMPARE(window.DrumsUI().Editor().SelectedCount(), hits);
    QTest::keyClick(&start, Qt::Key_Delete);
    QCOMPARE(start.text(), QStringLiteral("7"));
    QCOMPARE(hitCount(window), 0);
    QVERIFY(window.DrumsUI().Editor().Modified);
    window.action(QStringLiteral("UndoButton"))->trigger();
    QCOMPARE(hitCount(window), hits);
}

void CommandTest::barNumberInput_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("typed"); // null: cancelled
    QTest::addColumn<int>("firstBar");
    QTest::addColumn<int>("barsRemoved");
    QTest::newRow("go to 2") << "GoToBarItem"
                             << "2" << 2 << 0;
    QTest::newRow("go to abc") << "GoToBarItem"
                               << "abc" << 0 << 0;
    QTest::newRow("go to nothing") << "GoToBarItem"
                                   << "" << 0 << 0;
    QTest::newRow("go to cancelled") << "GoToBarItem" << QString() << 0 << 0;
    QTest::newRow("go beyond the last bar") << "GoToBarItem"
                                            << "100000" << 0 << 0;
    QTest::newRow("go to a negative bar") << "GoToBarItem"
                                          << "-1" << 0 << 0;
    QTest::newRow("delete 1") << "DeleteBarItem"
                              << "1" << 0 << 1;
    QTest::newRow("delete 1x") << "DeleteBarItem"
                               << "1x" << 0 << 0;
    QTest::newRow("delete beyond the last bar") << "DeleteBarItem"
                                                << "100000" << 0 << 0;
}

void CommandTest::barNumberInput() {
    QFETCH(QString, item);
    QFETCH(QString, typed);
    QFETCH(int, firstBar);
    QFETCH(int, barsRemoved);
    TTavorineForm& window = *m_window;
    const int bars = window.DrumsUI().Editor().Song.BarCount();
    QVERIFY(bars > 3);
    m_fixture->Dialogs.Inputs = {typed};
    window.action(item)->trigger();
    const QString title = item == QLatin1String("GoToBarItem") ? QStringLiteral("Go to bar")
                                                               : QStringLiteral("Delete bar");
    QCOMPARE(m_fixture->Dialogs.texts(QStringLiteral("input")),
             QStringList{title + QStringLiteral("|Bar number")});
    QCOMPARE(window.DrumsUI().FirstBar(), firstBar);
    QCOMPARE(window.DrumsUI().Editor().Song.BarCount(), bars - barsRemoved);
    // Invalid numbers are ignored silently.
    QCOMPARE(m_fixture->Dialogs.texts(QStringLiteral("error")), QStringList());
    QCOMPARE(m_fixture->Dialogs.texts(QStringLiteral("information")), QStringList());
}

void CommandTest::deleteMultipleHits() {
    TTavorineForm& window = *m_window;
    TScriptedDialogs& dialogs = m_fixture->Dialogs;
    const int hits = hitCount(window);
    QAction* item = window.action(QStringLiteral("DeleteMultipleHitsItem"));

    item->trigger();
    QCOMPARE(dialogs.texts(QStringLiteral("error")),
             QStringList{"This function operates on selected hits, but no hits were selected.\n\r"
                         "(Press Ctrl+A to select all hits.)"});
    QCOMPARE(dialogs.texts(QStringLiteral("question")), QStringList());

    addDuplicateOfFirstHit(window);
    window.DrumsUI().Editor().SelectAllHits();
    dialogs.Answers = {TUserDialogs::TAnswer::No};
    item->trigger();
    QCOMPARE(dialogs.texts(QStringLiteral("question")),
             QStringList{"This operation will delete multiple hits. Continue?"});
    QCOMPARE(hitCount(window), hits + 1);

    dialogs.Answers = {TUserDialogs::TAnswer::Yes};
    item->trigger();
    QCOMPARE(hitCount(window), hits);
    QCOMPARE(dialogs.texts(QStringLiteral("information")),
             QStringList{QStringLiteral("1 hits were deleted.")});
    QCOMPARE(window.DrumsUI().Editor().SelectedCount(), hits);

    // Nothing repeats any more: reported as 0, still.
    dialogs.Answers = {TUserDialogs::TAnswer::Yes};
    item->trigger();
    QCOMPARE(dialogs.texts(QStringLiteral("information")).last(),
             QStringLiteral("0 hits were deleted."));

    window.action(QStringLiteral("UndoItem"))->trigger();
    QCOMPARE(hitCount(window), hits + 1);
}

void CommandTest::loadDrumset() {
    TTavorineForm& window = *m_window;
    TScriptedDialogs& dialogs = m_fixture->Dialogs;
    const int hits = hitCount(window);
    const std::string loaded = window.DrumsUI().Editor().DrumsetFile();

    // The drumset already loaded and unchanged: the song stays.
    dialogs.FileNames = {QString::fromStdString(loaded)};
    window.action(QStringLiteral("LoadDrumsetItem"))->trigger();
    QCOMPARE(dialogs.FileDialogs.back().Folder,
             QString::fromStdString(m_program->file("Drumsets")));
    QCOMPARE(dialogs.FileDialogs.back().Filter, QStringLiteral("Tavorine drumset files (*.dum)"));
    QCOMPARE(hitCount(window), hits);
    QCOMPARE(window.CurrentFileName(), m_program->demoSong());

    // Another drumset empties the song, which then has no file to be saved to.
    const std::string other = m_program->file("Drumsets/other.dum");
    std::filesystem::copy_file(m_program->defaultDrumset(), other);
    dialogs.FileNames = {QString::fromStdString(other)};
    window.action(QStringLiteral("LoadDrumsetItem"))->trigger();
    QCOMPARE(window.DrumsUI().Editor().DrumsetFile(), other);
    QCOMPARE(hitCount(window), 0);
    QCOMPARE(window.CurrentFileName(), std::string());
    QCOMPARE(dialogs.texts(QStringLiteral("error")), QStringList());
}

void CommandTest::saveSelectedHitsAsPattern() {
    TTavorineForm& window = *m_window;
    TScriptedDialogs& dialogs = m_fixture->Dialogs;
    window.action(QStringLiteral("SaveAsPatternItem"))->trigger();
    QCOMPARE(dialogs.texts(QStringLiteral("error")).size(), 1);
    QCOMPARE(dialogs.texts(QStringLiteral("save")), QStringList());

    window.DrumsUI().Editor().SelectAllHits();
    const std::string pattern = m_program->file("Patterns/groove.drm");
    dialogs.FileNames = {QString::fromStdString(pattern)};
    window.action(QStringLiteral("SaveAsPatternItem"))->trigger();
    QCOMPARE(dialogs.FileDialogs.back().Folder,
             QString::fromStdString(m_program->file("Patterns")));
    QVERIFY(std::filesystem::exists(pattern));
    // The song keeps its own file.
    QCOMPARE(window.CurrentFileName(), m_program->demoSong());
}

void CommandTest::helpAndWebPages() {
    TTavorineForm& window = *m_window;
    QCOMPARE(window.action(QStringLiteral("HelpItem"))->shortcut(), QKeySequence(Qt::Key_F1));
    const std::pair<const char*, const char*> pages[] = {
        {"HelpItem", "index.htm"},
        {"TutorialBasicItem", "t_basic.htm"},
        {"TutorialAdvancedItem", "t_advanced.htm"},
        {"TutorialAdvanced2Item", "t_advanced2.htm"},
        {"TutorialCreativeItem", "t_creative.htm"},
        {"TutorialPatternsItem", "t_patterns.htm"},
    };
    for (const auto& [item, file] : pages) {
        m_fixture->Dialogs.Shown.clear();
        window.action(QString::fromLatin1(item))->trigger();
        const QString page = QString::fromStdString(m_program->file(std::string("Help/") + file));
        QCOMPARE(m_fixture->Dialogs.texts(QStringLiteral("url")), QStringList{page});
        QVERIFY2(std::filesystem::exists(page.toStdString()), file);
    }
    for (const char* item :
         {"SupportForumItem", "WebSamplesItem", "WebBassItem", "WebPatternsItem"}) {
        m_fixture->Dialogs.Shown.clear();
        window.action(QString::fromLatin1(item))->trigger();
        const QStringList urls = m_fixture->Dialogs.texts(QStringLiteral("url"));
        QCOMPARE(urls.size(), 1);
        QVERIFY2(urls[0].startsWith(QStringLiteral("https://")), item);
    }
}

void CommandTest::shortcutBeatsTheMenuMnemonic() {
    TTavorineForm& window = *m_window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.DrumsUI().Grid()->setFocus();
    QSignalSpy patternManager(window.action(QStringLiteral("PatternManagerItem")),
                              &QAction::triggered);
    QSignalSpy goToBar(window.action(QStringLiteral("GoToBarItem")), &QAction::triggered);
    QTest::keyClick(window.DrumsUI().Grid(), Qt::Key_E, Qt::AltModifier);
    QCOMPARE(patternManager.count(), 1);
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
    QTest::keyClick(window.DrumsUI().Grid(), Qt::Key_G, Qt::ControlModifier);
    QCOMPARE(goToBar.count(), 1);
}

int runCommandTests(int argc, char** argv) {
    CommandTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "CommandTest.moc"
