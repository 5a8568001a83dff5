// TPropForm and TNewTempoForm on the off-screen platform, driven through
// their controls by object name.
#include "PropFormTest.h"

#include "drumset/DrumsetItem.h"
#include "editor/DialogFields.h"
#include "editor/DrumsUI.h"
#include "editor/HitProperties.h"
#include "editor/NewTempoForm.h"
#include "editor/PropForm.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

namespace {

TDRHit makeHit(int32_t panning = 0) {
    TDRHit hit;
    hit.StartBar = 12;
    hit.StartTick = 345;
    hit.LengthMs = 800;
    hit.Volume = 80;
    hit.Panning = panning;
    hit.FadeTill = 100;
    hit.FadeOut = 1000;
    return hit;
}

template <typename T>
T* child(const QWidget& form, const QString& name) {
    T* found = form.findChild<T*>(name);
    if (found == nullptr) {
        qFatal("no control %s", qPrintable(name));
    }
    return found;
}

// A scroll bar's value or an up-down's position, by object name.
int valueOf(const QWidget& form, const QString& name) {
    if (auto* bar = form.findChild<QScrollBar*>(name)) {
        return bar->value();
    }
    return child<TUpDown>(form, name)->Position();
}

// "VolumeBar=20 VolumeUpDown=20" for the named controls.
QString describe(const QWidget& form, const QStringList& names) {
    QStringList parts;
    for (const QString& name : names) {
        parts << QStringLiteral("%1=%2").arg(name).arg(valueOf(form, name));
    }
    return parts.join(QLatin1Char(' '));
}

// Replaces the field's text by typing, key by key.
void type(QWidget& form, const QString& edit, const QString& text) {
    auto* field = child<QLineEdit>(form, edit);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}

void clickButton(QWidget& form, const QString& name) {
    QTest::mouseClick(child<QPushButton>(form, name), Qt::LeftButton);
}

const QStringList SoundControls = {
    QStringLiteral("VolumeBar"),           QStringLiteral("VolumeUpDown"),
    QStringLiteral("PanningBar"),          QStringLiteral("PanningLeftUpDown"),
    QStringLiteral("PanningRightUpDown"),  QStringLiteral("BeforeFadeOutBar"),
    QStringLiteral("BeforeFadeOutUpDown"), QStringLiteral("FadeOutBar"),
    QStringLiteral("FadeOutUpDown")};

// The sound controls after Setup with makeHit(-60), with the changes given.
QString soundState(const QString& changes) {
    QMap<QString, int> values{{"VolumeBar", 80},
                              {"VolumeUpDown", 80},
                              {"PanningBar", 20},
                              {"PanningLeftUpDown", 20},
                              {"PanningRightUpDown", 80},
                              {"BeforeFadeOutBar", 100},
                              {"BeforeFadeOutUpDown", 100},
                              {"FadeOutBar", 1000},
                              {"FadeOutUpDown", 1000}};
    for (const QString& change : changes.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList kv = change.split(QLatin1Char('='));
        values[kv[0]] = kv[1].toInt();
    }
    QStringList parts;
    for (const QString& name : SoundControls) {
        parts << QStringLiteral("%1=%2").arg(name).arg(values[name]);
    }
    return parts.join(QLatin1Char(' '));
}

} // namespace

void PropFormTest::panningShownAndReturned_data() {
    QTest::addColumn<int>("panning");
    QTest::addColumn<int>("bar");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("result");
    QTest::newRow("odd comes back even below") << 33 << 66 << 34 << 32;
    QTest::newRow("odd negative") << -33 << 33 << 67 << -34;
    QTest::newRow("full left") << -100 << 0 << 100 << -100;
    QTest::newRow("full right") << 100 << 100 << 0 << 100;
    QTest::newRow("centre") << 0 << 50 << 50 << 0;
}

void PropFormTest::panningShownAndReturned() {
    QFETCH(int, panning);
    QFETCH(int, bar);
    QFETCH(int, right);
    QFETCH(int, result);
    TPropForm form;
    form.Setup(makeHit(panning), nullptr, false);
    QCOMPARE(valueOf(form, "PanningBar"), bar);
    QCOMPARE(valueOf(form, "PanningLeftUpDown"), bar);
    QCOMPARE(valueOf(form, "PanningRightUpDown"), right);
    QCOMPARE(child<QLineEdit>(form, "PanningRightEdit")->text(), QString::number(right));
    QCOMPARE(form.Results().Panning, result);
}

void PropFormTest::oneHitFillsThePosition_data() {
    QTest::addColumn<int>("fixedLength");
    QTest::addColumn<int>("endTime");
    QTest::newRow("free end shows the length") << -1 << 800;
    QTest::newRow("fixed end") << 300 << 300;
    QTest::newRow("fixed beyond the length is held to it") << 5000 << 800;
}

void PropFormTest::oneHitFillsThePosition() {
    QFETCH(int, fixedLength);
    QFETCH(int, endTime);
    TPropForm form;
    form.Setup(makeHit(), nullptr, true); // the next setup enables again
    TDRHit hit = makeHit();
    hit.FixedLength = fixedLength;
    form.Setup(hit, nullptr, false);

    QVERIFY(child<QGroupBox>(form, "PositionBox")->isEnabled());
    QCOMPARE(child<QLineEdit>(form, "BarEdit")->text(), QStringLiteral("12"));
    QCOMPARE(child<QLineEdit>(form, "TickEdit")->text(), QStringLiteral("345"));
    QCOMPARE(child<QLineEdit>(form, "EndTimeEdit")->text(), QString::number(endTime));
    auto* end = child<TUpDown>(form, "EndTimeUpDown");
    QCOMPARE(end->Min(), 1);
    QCOMPARE(end->Max(), 800);

    const TPropResults r = form.Results();
    QCOMPARE(r.Bar, 12);
    QCOMPARE(r.Tick, 345);
    QCOMPARE(r.EndTime, endTime);
    QCOMPARE(r.Volume, 80);
    QCOMPARE(r.BeforeFadeOut, 100);
    QCOMPARE(r.FadeOut, 1000);
}

void PropFormTest::severalHitsDisableThePosition() {
    TPropForm form;
    form.Setup(makeHit(), nullptr, false);
    form.Setup(makeHit(), nullptr, true);
    QVERIFY(!child<QGroupBox>(form, "PositionBox")->isEnabled());
    QVERIFY(!child<QLineEdit>(form, "BarEdit")->isEnabled());
    QVERIFY(!child<TUpDown>(form, "EndTimeUpDown")->isEnabled());
    QVERIFY(child<QGroupBox>(form, "VolumeBox")->isEnabled());
    QCOMPARE(child<QLineEdit>(form, "BarEdit")->text(), QStringLiteral("0"));
    QCOMPARE(child<QLineEdit>(form, "EndTimeEdit")->text(), QStringLiteral("0"));

    const TPropResults r = form.Results();
    QCOMPARE(r.Bar, -1);
    QCOMPARE(r.Tick, -1);
    QCOMPARE(r.EndTime, -1);
    QCOMPARE(r.Volume, 80);
    QCOMPARE(r.Panning, 0);
    QCOMPARE(r.BeforeFadeOut, 100);
    QCOMPARE(r.FadeOut, 1000);
}

void PropFormTest::controlsFollowEachOther_data() {
    // action: "bar NAME VALUE", "click NAME +1|-1", "type EDIT TEXT",
    // "button NAME".
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("changes");
    QTest::newRow("volume bar") << "bar VolumeBar 20"
                                << "VolumeBar=20 VolumeUpDown=20";
    QTest::newRow("volume arrow") << "click VolumeUpDown +1"
                                  << "VolumeBar=81 VolumeUpDown=81";
    QTest::newRow("volume typed") << "type VolumeEdit 35"
                                  << "VolumeBar=35 VolumeUpDown=35";
    QTest::newRow("volume above range") << "type VolumeEdit 150"
                                        << "VolumeBar=100 VolumeUpDown=100";
    QTest::newRow("volume minus sign") << "type VolumeEdit -"
                                       << "";
    QTest::newRow("volume letters dropped") << "type VolumeEdit 5a"
                                            << "VolumeBar=5 VolumeUpDown=5";
    QTest::newRow("volume minus after digits") << "type VolumeEdit 7-"
                                               << "VolumeBar=7 VolumeUpDown=7";
    QTest::newRow("panning bar") << "bar PanningBar 30"
                                 << "PanningBar=30 PanningLeftUpDown=30 PanningRightUpDown=70";
    QTest::newRow("left arrow") << "click PanningLeftUpDown +1"
                                << "PanningBar=21 PanningLeftUpDown=21 PanningRightUpDown=79";
    QTest::newRow("right arrow") << "click PanningRightUpDown +1"
                                 << "PanningBar=19 PanningLeftUpDown=19 PanningRightUpDown=81";
    QTest::newRow("right typed") << "type PanningRightEdit 70"
                                 << "PanningBar=30 PanningLeftUpDown=30 PanningRightUpDown=70";
    QTest::newRow("left above range")
        << "type PanningLeftEdit 250"
        << "PanningBar=100 PanningLeftUpDown=100 PanningRightUpDown=0";
    QTest::newRow("left minus sign") << "type PanningLeftEdit -"
                                     << "";
    QTest::newRow("centre") << "button PanningCenterButton"
                            << "PanningBar=50 PanningLeftUpDown=50 PanningRightUpDown=50";
    QTest::newRow("fade arrow steps by 10") << "click BeforeFadeOutUpDown +1"
                                            << "BeforeFadeOutBar=110 BeforeFadeOutUpDown=110";
    QTest::newRow("fade off arrow") << "click FadeOutUpDown -1"
                                    << "FadeOutBar=990 FadeOutUpDown=990";
    QTest::newRow("fade bar") << "bar BeforeFadeOutBar 2500"
                              << "BeforeFadeOutBar=2500 BeforeFadeOutUpDown=2500";
    QTest::newRow("fade off above range") << "type FadeOutEdit 40000"
                                          << "FadeOutBar=30000 FadeOutUpDown=30000";
    QTest::newRow("fade minus sign") << "type BeforeFadeOutEdit -"
                                     << "";
}

void PropFormTest::controlsFollowEachOther() {
    QFETCH(QString, action);
    QFETCH(QString, changes);
    TPropForm form;
    form.Setup(makeHit(-60), nullptr, false);
    form.show();
    const QStringList words = action.split(QLatin1Char(' '));
    if (words[0] == "bar") {
        child<QScrollBar>(form, words[1])->setValue(words[2].toInt());
    } else if (words[0] == "click") {
        QTest::mouseClick(child<TUpDown>(form, words[1])
                              ->findChild<QWidget*>(words[2] == "+1" ? QStringLiteral("up")
                                                                     : QStringLiteral("down")),
                          Qt::LeftButton);
    } else if (words[0] == "type") {
        type(form, words[1], words[2]);
    } else {
        clickButton(form, words[1]);
    }
    QCOMPARE(describe(form, SoundControls), soundState(changes));
}

void PropFormTest::defaultButtons_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("volume");
    QTest::addColumn<int>("panning");
    QTest::addColumn<int>("fadeTill");
    QTest::addColumn<int>("fadeOut");
    QTest::addColumn<QString>("changes");
    QTest::newRow("volume") << "DefaultVolumeButton" << 60 << 0 << 0 << 0
                            << "VolumeBar=60 VolumeUpDown=60";
    QTest::newRow("volume above 100")
        << "DefaultVolumeButton" << 150 << 0 << 0 << 0 << "VolumeBar=100 VolumeUpDown=100";
    QTest::newRow("panning odd") << "DefaultPanningButton" << 0 << 33 << 0 << 0
                                 << "PanningBar=66 PanningLeftUpDown=66 PanningRightUpDown=34";
    QTest::newRow("panning left") << "DefaultPanningButton" << 0 << -100 << 0 << 0
                                  << "PanningBar=0 PanningLeftUpDown=0 PanningRightUpDown=100";
    QTest::newRow("fades")
        << "DefaultFadeButton" << 0 << 0 << 200 << 3000
        << "BeforeFadeOutBar=200 BeforeFadeOutUpDown=200 FadeOutBar=3000 FadeOutUpDown=3000";
    QTest::newRow("fades beyond the bars")
        << "DefaultFadeButton" << 0 << 0 << 9000 << 99999
        << "BeforeFadeOutBar=5000 BeforeFadeOutUpDown=5000 FadeOutBar=30000 FadeOutUpDown=30000";
}

void PropFormTest::defaultButtons() {
    QFETCH(QString, button);
    QFETCH(int, volume);
    QFETCH(int, panning);
    QFETCH(int, fadeTill);
    QFETCH(int, fadeOut);
    QFETCH(QString, changes);
    TDrumsetItem sample;
    sample.Volume = volume;
    sample.Panning = panning;
    sample.FadeTillTime = fadeTill;
    sample.FadeOutTime = fadeOut;
    TPropForm form;
    form.Setup(makeHit(-60), &sample, false);
    clickButton(form, button);
    QCOMPARE(describe(form, SoundControls), soundState(changes));

    // Without a sample the buttons do nothing.
    form.Setup(makeHit(-60), nullptr, false);
    clickButton(form, button);
    QCOMPARE(describe(form, SoundControls), soundState(QString()));
}

void PropFormTest::okAndCancel() {
    TPropForm form;
    form.Setup(makeHit(), nullptr, false);
    QVERIFY(!form.Confirmed());
    form.show();
    clickButton(form, "OKButton");
    QVERIFY(form.Confirmed());
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QVERIFY(!form.isVisible());

    form.Setup(makeHit(), nullptr, false);
    QVERIFY(!form.Confirmed());
    form.show();
    clickButton(form, "CancelButton");
    QVERIFY(!form.Confirmed());
    QVERIFY(!form.isVisible());
}

void PropFormTest::frameAndCaptions() {
    TPropForm props;
    TNewTempoForm tempo;
    QCOMPARE(props.windowTitle(), QStringLiteral("Properties"));
    QCOMPARE(tempo.windowTitle(), QStringLiteral("Tempo"));
    for (QDialog* dialog : {static_cast<QDialog*>(&props), static_cast<QDialog*>(&tempo)}) {
        const Qt::WindowFlags flags = dialog->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
    }
    QCOMPARE(child<QGroupBox>(props, "PositionBox")->title(), QStringLiteral(" Position "));
    QCOMPARE(child<QGroupBox>(props, "FadeOutGroupBox")->title(), QStringLiteral(" Fade out "));
    QCOMPARE(child<QPushButton>(props, "OKButton")->text(), QStringLiteral("&OK"));
    QCOMPARE(child<QLineEdit>(props, "BarEdit")->maxLength(), 6);
    QCOMPARE(child<QLineEdit>(props, "FadeOutEdit")->maxLength(), 5);
    QCOMPARE(tempo.findChild<QGroupBox*>()->title(), QStringLiteral(" Tempo parameters "));
    QCOMPARE(child<QPushButton>(tempo, "BitBtn2")->text(), QStringLiteral("&Cancel"));

    // Centred on the window that owns it.
    QWidget owner;
    owner.setGeometry(100, 100, 800, 600);
    owner.show();
    TNewTempoForm owned(&owner);
    owned.show();
    QTRY_VERIFY(owned.isVisible());
    const QPoint offset = owned.frameGeometry().center() - owner.frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
}

void PropFormTest::tempoDialog() {
    TNewTempoForm form;
    TDRTempo change;
    change.Bar = 3;
    change.Tick = 250;
    change.Tempo = 140;
    form.Setup(change);
    QVERIFY(!form.Confirmed());
    QCOMPARE(child<QLineEdit>(form, "BarEdit")->text(), QStringLiteral("3"));
    QCOMPARE(child<QLineEdit>(form, "TickEdit")->text(), QStringLiteral("250"));
    QCOMPARE(child<QLineEdit>(form, "TempoValueEdit")->text(), QStringLiteral("140"));

    form.show();
    QCOMPARE(form.focusWidget(), child<QWidget>(form, "TempoValueEdit"));
    type(form, "TempoValueEdit", "95");
    type(form, "TickEdit", "999");
    clickButton(form, "BitBtn1");
    QVERIFY(form.Confirmed());
    TDRTempo out;
    form.Results(out);
    QCOMPARE(out.Bar, 3);
    QCOMPARE(out.Tick, 999);
    QCOMPARE(out.Tempo, 95);

    form.Setup(change);
    QVERIFY(!form.Confirmed());
    form.show();
    clickButton(form, "BitBtn2");
    QVERIFY(!form.Confirmed());
    form.Results(out);
    QCOMPARE(out.Tempo, 140);
}

void PropFormTest::tempoDialogTyping_data() {
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bar");
    QTest::addColumn<int>("tick");
    QTest::addColumn<int>("tempo");
    QTest::newRow("tempo above range") << "TempoValueEdit"
                                       << "20000" << 3 << 250 << 10000;
    QTest::newRow("tempo zero") << "TempoValueEdit"
                                << "0" << 3 << 250 << 1;
    QTest::newRow("tempo minus") << "TempoValueEdit"
                                 << "-5" << 3 << 250 << 140;
    QTest::newRow("tick field takes three digits") << "TickEdit"
                                                   << "1500" << 3 << 150 << 140;
    QTest::newRow("bar") << "BarEdit"
                         << "123456" << 123456 << 250 << 140;
}

void PropFormTest::tempoDialogTyping() {
    QFETCH(QString, edit);
    QFETCH(QString, text);
    QFETCH(int, bar);
    QFETCH(int, tick);
    QFETCH(int, tempo);
    TNewTempoForm form;
    TDRTempo change;
    change.Bar = 3;
    change.Tick = 250;
    change.Tempo = 140;
    form.Setup(change);
    form.show();
    type(form, edit, text);
    TDRTempo out;
    form.Results(out);
    QCOMPARE(out.Bar, bar);
    QCOMPARE(out.Tick, tick);
    QCOMPARE(out.Tempo, tempo);
}

void PropFormTest::controlRunsTheDialog() {
    TDrumsUI ui;
    ui.Editor().setSampleLengthFunction([](TDrumsetItem&) { return 500; });
    ui.SetDrumsetFile(TAVORINE_TEST_DATA "/editor/rows.dum");
    TSongEditor& editor = ui.Editor();
    QVERIFY(editor.Plocha.Tracks.size() >= 2);
    TDRHit* first = editor.Song.AddHit(editor.CreateHit(1, 0, 1, 0));
    TDRHit* second = editor.Song.AddHit(editor.CreateHit(2, 0, 0, 1));
    QVERIFY(first != nullptr && second != nullptr);

    // The hook is shown the hit's row sample.
    const TDrumsetItem* shownSample = nullptr;
    const TDRHit* shownHit = nullptr;
    bool shownSeveral = true;
    ui.setPropDialog(
        [&](const TDRHit& hit, const TDrumsetItem* sample, bool several, TPropResults& r) {
            shownHit = &hit;
            shownSample = sample;
            shownSeveral = several;
            r = TPropResults{};
            r.Volume = 30;
            return true;
        });
    ui.ShowHitProperties(*first);
    QCOMPARE(shownHit, first);
    QCOMPARE(shownSample, editor.Plocha.Tracks[0]->Samples[1]->SampleData);
    QVERIFY(!shownSeveral);
    QCOMPARE(first->Volume, 30);
    QVERIFY(editor.Modified);

    // A hit whose row is gone is still shown, without a sample.
    first->Sample = 99;
    ui.ShowHitProperties(*first);
    QCOMPARE(shownSample, static_cast<const TDrumsetItem*>(nullptr));
    first->Sample = 1;

    editor.SelectHit(second);
    editor.SelectHit(first);
    ui.ShowSelectionProperties();
    QCOMPARE(shownHit, second);
    QVERIFY(shownSeveral);
    QCOMPARE(second->Volume, 30);

    // The default runs the form it was given; OK applies what was entered.
    ui.setPropDialog({});
    TPropForm form;
    ui.SetPropForm(&form);
    QTimer::singleShot(0, &form, [&form] {
        type(form, "VolumeEdit", "65");
        type(form, "BarEdit", "4");
        clickButton(form, "OKButton");
    });
    ui.ShowHitProperties(*first);
    QCOMPARE(first->Volume, 65);
    QCOMPARE(first->StartBar, 4);
    QCOMPARE(first->FixedLength, -1);

    QTimer::singleShot(0, &form, [&form] {
        type(form, "VolumeEdit", "10");
        clickButton(form, "CancelButton");
    });
    ui.ShowHitProperties(*first);
    QCOMPARE(first->Volume, 65);
}
