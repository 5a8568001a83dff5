// Start-up of the main window: the first run, the start-up messages and the
// failures of single creation steps.
#include "WindowTestSupport.h"
#include "app/BarSpinBox.h"
#include "app/TipsForm.h"
#include "editor/DrumsUI.h"

#include <QAction>
#include <QCheckBox>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>

namespace {

QStringList trackNames(TTavorineForm& window) {
    QStringList names;
    for (const auto& track : window.DrumsUI().Editor().Plocha.Tracks) {
        names.append(QString::fromStdString(track->Name));
    }
    return names;
}

const QStringList DefaultTracks = {QStringLiteral("Bass drum"), QStringLiteral("Snare"),
                                   QStringLiteral("Hi-hat"),    QStringLiteral("Toms"),
                                   QStringLiteral("Cymbals"),   QStringLiteral("Percussion")};

QList<int> handledMessages(const QSignalSpy& spy) {
    QList<int> messages;
    for (const QList<QVariant>& call : spy) {
        messages.append(call.at(0).toInt());
    }
    return messages;
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void init() { removeOptionsFile(); }
    void cleanup() { removeOptionsFile(); }

    void firstRunShowsTheDemoAndWritesEveryOption();
    void startupMessagesWaitForTheWindowToShow();
    void tipsCheckBoxClearedKeepsTipsAwayNextTime();
    void badBooleanIsReportedAndTheRestStillStarts();
    void deletedDefaultDrumsetFallsBackToTheBundledOne();
    void missingBundledDrumsetSkipsOnlyThatStep();
    void audioFailureLeavesTheSilentOutputRunning();
};

void StartupTest::firstRunShowsTheDemoAndWritesEveryOption() {
    const TProgramFolder program;
    TWindowFixture fixture;
    TTavorineForm& window = fixture.create();
    QVERIFY(window.FirstRun());
    QCOMPARE(trackNames(window), DefaultTracks);
    QCOMPARE(hitCount(window), 0);

    QSignalSpy handled(&window, &TTavorineForm::startupMessageHandled);
    window.show();
    QCOMPARE(window.CurrentFileName(), program.demoSong());
    QCOMPARE(window.windowTitle(),
             QStringLiteral("Tavorine - ") + QString::fromStdString(program.demoSong()));
    QVERIFY(hitCount(window) > 0);
    QVERIFY(!window.DrumsUI().Editor().Modified);
    QTRY_COMPARE(handled.count(), 3);
    QCOMPARE(handledMessages(handled), (QList<int>{1357, 1358, 1359}));
    QVERIFY(window.isMaximized());
    QCOMPARE(fixture.Dialogs.texts(QStringLiteral("dialog")), QStringList{"TipsForm"});
    QCOMPARE(fixture.Dialogs.texts(QStringLiteral("error")), QStringList());
    // The demo song is not a recent file.
    QVERIFY(window.RecentFiles().entries().empty());
    QCOMPARE(fixture.Audio->deviceNumber(), 1);

    QVERIFY(window.close());
    const QStringList keys = {"DefaultDrumsetFile",
                              "DefaultPatternFile",
                              "MRU1",
                              "MRU2",
                              "MRU3",
                              "MRU4",
                              "MRU5",
                              "Name",
                              "RunMaximized",
                              "ShowPatternManagerOnStartup",
                              "ShowTipsOnStartup",
                              "SoundDevice",
                              "Tag"};
    QCOMPARE(sectionKeys(optionsFile(), QStringLiteral("Options")), keys);
    const std::string ini = optionsFile();
    QCOMPARE(iniValue(ini, "Options", "DefaultDrumsetFile"),
             QString::fromStdString(program.defaultDrumset()));
    QCOMPARE(iniValue(ini, "Options", "DefaultPatternFile"),
             QString::fromStdString(program.file("Patterns/default.ptn")));
    QCOMPARE(iniValue(ini, "Options", "RunMaximized"), QStringLiteral("True"));
    QCOMPARE(iniValue(ini, "Options", "SoundDevice"), QStringLiteral("0"));
    QCOMPARE(iniValue(ini, "Options", "MRU1"), QString());
    for (const char* bar : {"NavigationToolbar", "ZoomToolbar", "HitTypeToolbar", "PlayToolbar",
                            "ModeToolbar", "Toolbar971"}) {
        const QString section = QStringLiteral("Toolbars") + QLatin1String(bar);
        QCOMPARE(sectionKeys(ini, section),
                 (QStringList{"Rev", "Visible", "DockedTo", "LastDock", "DockRow", "DockPos",
                              "FloatLeft", "FloatTop", "FloatRightX"}));
        QCOMPARE(iniValue(ini, section, "DockedTo"), QStringLiteral("MainDock"));
    }
    QCOMPARE(iniValue(ini, "ToolbarsToolbar971", "DockRow"), QStringLiteral("1"));
    QCOMPARE(iniValue(ini, "ToolbarsPlayToolbar", "DockRow"), QStringLiteral("0"));

    // The second start is no first run.
    TTavorineForm& second = fixture.create();
    QVERIFY(!second.FirstRun());
    second.show();
    QCOMPARE(second.CurrentFileName(), std::string());
}

void StartupTest::startupMessagesWaitForTheWindowToShow() {
    const TProgramFolder program;
    writeOptions(
        {"RunMaximized=True", "ShowPatternManagerOnStartup=False", "ShowTipsOnStartup=True"});
    TWindowFixture fixture;
    TTavorineForm& window = fixture.create();
    QSignalSpy handled(&window, &TTavorineForm::startupMessageHandled);
    // An error box's event loop would deliver them now; they must wait.
    QCoreApplication::sendPostedEvents();
    QCOMPARE(handled.count(), 0);
    QVERIFY(!window.isMaximized());
    window.show();
    QTRY_COMPARE(handled.count(), 2);
    QCOMPARE(handledMessages(handled), (QList<int>{1357, 1359}));
}

void StartupTest::tipsCheckBoxClearedKeepsTipsAwayNextTime() {
    const TProgramFolder program;
    TWindowFixture fixture;
    bool presetChecked = false;
    QString firstTip;
    QString nextTip;
    fixture.Dialogs.OnDialog = [&](QDialog& dialog) {
        auto& tips = dynamic_cast<TTipsForm&>(dialog);
        presetChecked = tips.showOnStartup();
        firstTip = tips.currentTip();
        tips.nextTip();
        nextTip = tips.currentTip();
        tips.findChild<QCheckBox*>(QStringLiteral("ShowTipsCheckBox"))->setChecked(false);
        return 0;
    };
    TTavorineForm& window = fixture.create();
    QSignalSpy handled(&window, &TTavorineForm::startupMessageHandled);
    window.show();
    QTRY_COMPARE(handled.count(), 3);
    // Preset checked at start-up, with tips from the bundled file.
    QVERIFY(presetChecked);
    QVERIFY(!firstTip.isEmpty());
    QVERIFY(!nextTip.isEmpty() && nextTip != firstTip);
    QVERIFY(!window.Options().ShowTipsOnStartup());
    QVERIFY(window.close());
    QCOMPARE(iniValue(optionsFile(), "Options", "ShowTipsOnStartup"), QStringLiteral("False"));

    // From the Help menu the box shows how it was left.
    bool checkedFromMenu = true;
    fixture.Dialogs.OnDialog = [&](QDialog& dialog) {
        checkedFromMenu = dynamic_cast<TTipsForm&>(dialog).showOnStartup();
        return 0;
    };
    window.action(QStringLiteral("ShowTipsItem"))->trigger();
    QVERIFY(!checkedFromMenu);

    TTavorineForm& second = fixture.create();
    QSignalSpy secondHandled(&second, &TTavorineForm::startupMessageHandled);
    second.show();
    QTRY_COMPARE(secondHandled.count(), 2);
    QCOMPARE(handledMessages(secondHandled), (QList<int>{1357, 1358}));
}

void StartupTest::badBooleanIsReportedAndTheRestStillStarts() {
    const TProgramFolder program;
    writeOptions({"RunMaximized=Maybe", "ShowPatternManagerOnStartup=false",
                  "ShowTipsOnStartup=FALSE", "SoundDevice=0"});
    TWindowFixture fixture;
    TTavorineForm& window = fixture.create();
    const QStringList errors = fixture.Dialogs.texts(QStringLiteral("error"));
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].contains(QStringLiteral("RunMaximized")) &&
                 errors[0].contains(QString::fromStdString(optionsFile())),
             qPrintable(errors[0]));
    // The value that could not be read keeps its preset, the others are read,
    // and the steps after the options still ran.
    QVERIFY(window.Options().RunMaximized());
    QVERIFY(!window.Options().ShowTipsOnStartup());
    QCOMPARE(trackNames(window), DefaultTracks);
    QCOMPARE(window.EndBar(), 10000);
    QVERIFY(fixture.Audio->isRunning());

    QSignalSpy handled(&window, &TTavorineForm::startupMessageHandled);
    window.show();
    QTRY_COMPARE(handled.count(), 1);
    QCOMPARE(handledMessages(handled), QList<int>{1357});
}

void StartupTest::deletedDefaultDrumsetFallsBackToTheBundledOne() {
    const TProgramFolder program;
    const std::string gone = program.file("Drumsets/gone.dum");
    writeOptions({QStringLiteral("DefaultDrumsetFile=") + QString::fromStdString(gone)});
    TWindowFixture fixture;
    TTavorineForm& window = fixture.create();
    QCOMPARE(fixture.Dialogs.texts(QStringLiteral("error")), QStringList());
    QCOMPARE(window.DrumsUI().Editor().DrumsetFile(), program.defaultDrumset());
    QCOMPARE(trackNames(window), DefaultTracks);
    QVERIFY(window.close());
    QCOMPARE(iniValue(optionsFile(), "Options", "DefaultDrumsetFile"),
             QString::fromStdString(program.defaultDrumset()));
}

void StartupTest::missingBundledDrumsetSkipsOnlyThatStep() {
    const TProgramFolder program;
    std::filesystem::remove(program.defaultDrumset());
    TWindowFixture fixture;
    TTavorineForm& window = fixture.create();
    QCOMPARE(fixture.Dialogs.texts(QStringLiteral("error")),
             QStringList{QStringLiteral("File \"%1\" does not exist.")
                             .arg(QString::fromStdString(program.defaultDrumset()))});
    QVERIFY(trackNames(window).isEmpty());
    QCOMPARE(window.StartBar(), 0);
    QCOMPARE(window.EndBar(), 10000);
    QVERIFY(window.action(QStringLiteral("HeavyHitButton"))->isChecked());
    QVERIFY(!window.action(QStringLiteral("LoopButton"))->isChecked());
}

void StartupTest::audioFailureLeavesTheSilentOutputRunning() {
    const TProgramFolder program;
    writeOptions({"SoundDevice=6", "ShowTipsOnStartup=False"});
    TWindowFixture fixture;
    TTavorineForm& window = fixture.create();
    QCOMPARE(fixture.Dialogs.texts(QStringLiteral("error")),
             QStringList{QStringLiteral("Error initializing audio.\r\n(Error code: 3)")});
    QCOMPARE(fixture.Audio->deviceNumber(),
             static_cast<int>(fixture.Audio->outputDeviceNames().size()));
    QVERIFY(fixture.Audio->silentOutput() != nullptr);
    QCOMPARE(trackNames(window), DefaultTracks);
    // The configuration's device change: the output moves to device 1.
    window.Options().SetSoundDevice(0);
    window.ReinitAudio();
    QCOMPARE(fixture.Audio->deviceNumber(), 1);
    window.Options().SetSoundDevice(6);
    // The setting is kept for the day the device is back.
    QVERIFY(window.close());
    QCOMPARE(iniValue(optionsFile(), "Options", "SoundDevice"), QStringLiteral("6"));
}

int runStartupTests(int argc, char** argv) {
    StartupTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "StartupTest.moc"
