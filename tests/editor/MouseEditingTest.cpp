// TDrumsUI mouse editing on the off-screen platform, on the rows fixture
// with every track expanded. Grid rows (grid y): Hi-hats group 30-50,
// Closed 50-70, Open 70-90, Snare group 90-110, Center 110-130. A bar is
// 120 pixels of 8 divisions; rows play 1000 ms = 500 ticks at 120 bpm.
#include "MouseEditingTest.h"

#include "editor/DrumsUI.h"
#include "model/SongModel.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <tuple>

namespace {

const std::string RowsFixture = std::string(TAVORINE_TEST_DATA) + "/editor/rows.dum";

constexpr int ClosedY = 60;
constexpr int OpenY = 80;
constexpr int HiHatsY = 40;
constexpr int CenterY = 120;

using Place = std::tuple<int32_t, int32_t, int32_t, int32_t>; // bar, tick, group, sample

Place placeOf(const TDRHit* h) {
    return {h->StartBar, h->StartTick, h->Group, h->Sample};
}

// A menu's items as shown: caption (with its shortcut label), enabled,
// visible and checked.
struct MenuItem {
    QString Text;
    bool Enabled = true;
    bool Visible = true;
    bool Checked = false;
};

struct Control {
    Control() {
        ui.SetDrumsetFile(RowsFixture);
        ui.ExpandAll();
        ui.resize(600, 400);
        ui.show();
        exposed = QTest::qWaitForWindowExposed(&ui);
        QCoreApplication::sendPostedEvents(&ui, UM_RELAYOUT);
        ui.Grid()->repaint();
        // Right clicks hand their menu here: its items are recorded and the
        // one named in Trigger is run.
        ui.SetMenuHook([this](QMenu& menu) {
            MenuName = menu.objectName();
            Items.clear();
            QAction* chosen = nullptr;
            for (QAction* action : menu.actions()) {
                if (action->isSeparator()) {
                    continue;
                }
                Items.push_back({action->text(), action->isEnabled(), action->isVisible(),
                                 action->isChecked()});
                if (!Trigger.isEmpty() &&
                    action->text().section(QLatin1Char('\t'), 0, 0) == Trigger) {
                    chosen = action;
                }
            }
            if (chosen != nullptr) {
                chosen->trigger();
            }
            Trigger.clear();
        });
    }

    TSongEditor& editor() { return ui.Editor(); }
    QWidget* grid() { return ui.Grid(); }

    TDRHit* add(int32_t bar, int32_t tick, int32_t group, int32_t sample) {
        return editor().Song.AddHit(editor().CreateHit(bar, tick, sample, group));
    }

    std::vector<Place> places() {
        std::vector<Place> all;
        for (int32_t b = 0; b <= editor().Song.LastBar; ++b) {
            for (const auto& h : editor().Song.Bar(b).StartingHits) {
                all.push_back(placeOf(h.get()));
            }
        }
        std::sort(all.begin(), all.end());
        return all;
    }

    int hitCount() { return static_cast<int>(places().size()); }

    const MenuItem* item(const QString& caption) const {
        for (const MenuItem& i : Items) {
            if (i.Text.section(QLatin1Char('\t'), 0, 0) == caption) {
                return &i;
            }
        }
        return nullptr;
    }

    void drag(Qt::KeyboardModifiers mods, QPoint from, QPoint to) {
        QTest::mousePress(grid(), Qt::LeftButton, mods, from);
        QTest::mouseMove(grid(), to);
        QTest::mouseRelease(grid(), Qt::LeftButton, mods, to);
    }

    TDrumsUI ui;
    bool exposed = false;
    QString MenuName;
    std::vector<MenuItem> Items;
    QString Trigger;
};

} // namespace

// --- Left clicks ------------------------------------------------------------------------

void MouseEditingTest::leftClick_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("onHit");
    QTest::addColumn<bool>("preselected");
    QTest::addColumn<int>("hits");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<int>("actions");

    const int std = static_cast<int>(TModeType::mtStandard);
    const int sel = static_cast<int>(TModeType::mtSelect);
    const int play = static_cast<int>(TModeType::mtPlay);
    const int none = Qt::NoModifier;
    const int ctrl = Qt::ControlModifier;
    const int shift = Qt::ShiftModifier;
    const int alt = Qt::AltModifier;
    // A plain click adds a hit even on a hit, and clears the selection.
    QTest::newRow("standard on a selected hit") << std << none << true << true << 2 << false << 1;
    QTest::newRow("standard on nothing") << std << none << false << false << 2 << false << 1;
    QTest::newRow("standard ctrl selects") << std << ctrl << true << false << 1 << true << 0;
    QTest::newRow("standard ctrl deselects") << std << ctrl << true << true << 1 << false << 0;
    QTest::newRow("standard ctrl on nothing: band")
        << std << ctrl << false << true << 1 << true << 0;
    QTest::newRow("standard shift selects") << std << shift << true << false << 1 << true << 0;
    QTest::newRow("standard shift on nothing") << std << shift << false << false << 1 << false << 0;
    QTest::newRow("standard alt selects") << std << alt << true << false << 1 << true << 0;
    QTest::newRow("standard alt on nothing") << std << alt << false << false << 1 << false << 0;
    QTest::newRow("select selects") << sel << none << true << false << 1 << true << 0;
    QTest::newRow("select deselects") << sel << none << true << true << 1 << false << 0;
    QTest::newRow("select ctrl deselects") << sel << ctrl << true << true << 1 << false << 0;
    QTest::newRow("select shift keeps") << sel << shift << true << true << 1 << true << 0;
    QTest::newRow("select on nothing: band") << sel << none << false << true << 1 << true << 0;
    QTest::newRow("play on a hit plays") << play << none << true << false << 1 << false << 0;
    QTest::newRow("play on nothing") << play << ctrl << false << false << 1 << false << 0;
}

void MouseEditingTest::leftClick() {
    QFETCH(int, mode);
    QFETCH(int, modifiers);
    QFETCH(bool, onHit);
    QFETCH(bool, preselected);
    QFETCH(int, hits);
    QFETCH(bool, selected);
    QFETCH(int, actions);

    Control c;
    QVERIFY(c.exposed);
    TSongEditor& ed = c.editor();
    // Closed, bar 0, ticks 125 to 625: grid x 15 to 75.
    TDRHit* hit = c.add(0, 125, 0, 0);
    if (preselected) {
        ed.SelectHit(hit);
    }
    c.ui.SetModeType(static_cast<TModeType>(mode));
    const int32_t action = ed.Song.ActionId;
    // x 40 is tick 333, x 200 is bar 1 tick 667.
    const QPoint at(onHit ? 40 : 200, ClosedY);
    QTest::mouseClick(c.grid(), Qt::LeftButton, Qt::KeyboardModifiers(modifiers), at);

    QCOMPARE(c.hitCount(), hits);
    QCOMPARE(hit->Selected, selected);
    QCOMPARE(ed.SelectedCount(), selected ? 1 : 0);
    QCOMPARE(ed.Song.ActionId - action, actions);
    QCOMPARE(ed.Modified, actions > 0);
    if (hits == 2) {
        // The new hit sits on the division at or before the mouse.
        const Place added = onHit ? Place{0, 250, 0, 0} : Place{1, 625, 0, 0};
        QCOMPARE(c.places(), (std::vector<Place>{{0, 125, 0, 0}, added}));
    }
}

void MouseEditingTest::groupRowClickPicksTheSample_data() {
    QTest::addColumn<int>("hitType");
    QTest::addColumn<bool>("openAllowsLight");
    QTest::addColumn<int>("random");
    QTest::addColumn<int>("sample");
    // Closed allows no light hits, Open no heavy ones.
    QTest::newRow("heavy: Closed") << static_cast<int>(THitType::htHeavy) << true << 0 << 0;
    QTest::newRow("light: Open") << static_cast<int>(THitType::htLight) << true << 0 << 1;
    // No sample allows light hits: a random row of the track.
    QTest::newRow("light, none allows: random 1")
        << static_cast<int>(THitType::htLight) << false << 1 << 1;
    QTest::newRow("light, none allows: random 0")
        << static_cast<int>(THitType::htLight) << false << 0 << 0;
}

void MouseEditingTest::groupRowClickPicksTheSample() {
    QFETCH(int, hitType);
    QFETCH(bool, openAllowsLight);
    QFETCH(int, random);
    QFETCH(int, sample);

    Control c;
    TSongEditor& ed = c.editor();
    ed.setRandomSource([random](int32_t) { return random; });
    ed.Plocha.Tracks[0]->Samples[1]->SampleData->LightHit = openAllowsLight;
    ed.SetHitType(THitType::htAny);
    ed.SetHitType(static_cast<THitType>(hitType));

    QTest::mouseClick(c.grid(), Qt::LeftButton, Qt::NoModifier, QPoint(40, HiHatsY));
    QCOMPARE(c.places(), (std::vector<Place>{{0, 250, 0, sample}}));
    const TDRHit& hit = *ed.Song.Bar(0).StartingHits.front();
    QVERIFY(hit.GroupHit);
    // It shows in its sample's row, not in the group row.
    THitPlace place;
    QVERIFY(c.ui.Painter().placeHit(hit, place));
    QCOMPARE(place.Top, ed.Plocha.Tracks[0]->Samples[static_cast<size_t>(sample)]->Top + 1);
}

// --- Drags --------------------------------------------------------------------------------

void MouseEditingTest::timeDrag_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("snap");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<Place>("closed");
    QTest::addColumn<Place>("center");
    const int std = static_cast<int>(TModeType::mtStandard);
    const int sel = static_cast<int>(TModeType::mtSelect);
    // Closed starts at (0, 125), Center at (1, 500). From x 40 (0, 333) to
    // x 175 (1, 458), snapped (1, 375).
    QTest::newRow("snapped: grabbed hit to the division")
        << std << true << QPoint(40, ClosedY) << QPoint(175, ClosedY) << Place{1, 375, 0, 0}
        << Place{2, 750, 1, 0};
    QTest::newRow("unsnapped: by the mouse's offset")
        << std << false << QPoint(40, ClosedY) << QPoint(175, ClosedY) << Place{1, 250, 0, 0}
        << Place{2, 625, 1, 0};
    // Grabbing Center at x 185 (1, 542) and going to x 10 (0, 83).
    QTest::newRow("before the song start: clamped to bar 0")
        << std << false << QPoint(185, CenterY) << QPoint(10, CenterY) << Place{0, 0, 0, 0}
        << Place{0, 41, 1, 0};
    QTest::newRow("select mode: a click selects and drags")
        << sel << false << QPoint(40, ClosedY) << QPoint(175, ClosedY) << Place{1, 250, 0, 0}
        << Place{2, 625, 1, 0};
}

void MouseEditingTest::timeDrag() {
    QFETCH(int, mode);
    QFETCH(bool, snap);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(Place, closed);
    QFETCH(Place, center);

    Control c;
    TSongEditor& ed = c.editor();
    TDRHit* a = c.add(0, 125, 0, 0);
    TDRHit* b = c.add(1, 500, 1, 0);
    ed.SelectHit(b);
    if (mode == static_cast<int>(TModeType::mtStandard)) {
        ed.SelectHit(a);
    }
    c.ui.SetModeType(static_cast<TModeType>(mode));
    ed.SnapTo = snap;
    const int32_t action = ed.Song.ActionId;

    const Qt::KeyboardModifiers mods =
        mode == static_cast<int>(TModeType::mtStandard) ? Qt::ShiftModifier : Qt::NoModifier;
    QTest::mousePress(c.grid(), Qt::LeftButton, mods, from);
    QTest::mouseMove(c.grid(), to);
    // While dragging only the copies move; they are outlined.
    QCOMPARE(c.ui.DraggedHits().size(), size_t{2});
    QCOMPARE(c.places(), (std::vector<Place>{{0, 125, 0, 0}, {1, 500, 1, 0}}));
    QTest::mouseRelease(c.grid(), Qt::LeftButton, mods, to);

    std::vector<Place> expected{closed, center};
    std::sort(expected.begin(), expected.end());
    QCOMPARE(c.places(), expected);
    QVERIFY(c.ui.DraggedHits().empty());
    QCOMPARE(ed.Song.ActionId, action + 1);
    QVERIFY(ed.Modified);
    QCOMPARE(ed.SelectedCount(), 2);
    for (const TDRHit* h : ed.Selection) {
        QVERIFY(h->Selected);
    }

    // One Undo brings back the very records that were moved.
    ed.UndoCommand();
    QCOMPARE(c.places(), (std::vector<Place>{{0, 125, 0, 0}, {1, 500, 1, 0}}));
    QCOMPARE(ed.Song.Bar(0).StartingHits.front().get(), a);
    QCOMPARE(ed.Song.Bar(1).StartingHits.front().get(), b);
}

void MouseEditingTest::smallMovesDoNotDrag() {
    Control c;
    TSongEditor& ed = c.editor();
    c.add(0, 125, 0, 0);
    ed.SnapTo = false;
    const int32_t action = ed.Song.ActionId;
    // One pixel is under the threshold of two; the drag never starts.
    c.drag(Qt::ShiftModifier, QPoint(40, ClosedY), QPoint(41, ClosedY));
    QCOMPARE(c.places(), (std::vector<Place>{{0, 125, 0, 0}}));
    QCOMPARE(ed.Song.ActionId, action);
    // Released outside the grid: the drag is cancelled.
    QTest::mousePress(c.grid(), Qt::LeftButton, Qt::ShiftModifier, QPoint(40, ClosedY));
    QTest::mouseMove(c.grid(), QPoint(100, ClosedY));
    QTest::mouseRelease(c.grid(), Qt::LeftButton, Qt::ShiftModifier, QPoint(-30, ClosedY));
    QCOMPARE(c.places(), (std::vector<Place>{{0, 125, 0, 0}}));
    QCOMPARE(ed.Song.ActionId, action);
    QVERIFY(c.ui.DraggedHits().empty());
}

void MouseEditingTest::dragsScrollAtTheEdges() {
    Control c;
    TSongEditor& ed = c.editor();
    c.add(0, 125, 0, 0);
    const int width = c.grid()->width();
    // A time drag scrolls by how far the mouse is into the edge strip.
    QTest::mousePress(c.grid(), Qt::LeftButton, Qt::ShiftModifier, QPoint(40, ClosedY));
    QTest::mouseMove(c.grid(), QPoint(width - 3, ClosedY));
    QCOMPARE(ed.HorzPosition(), 5);
    QTest::mouseRelease(c.grid(), Qt::LeftButton, Qt::ShiftModifier, QPoint(-30, ClosedY));
    // A band scrolls one step at a time.
    ed.SetHorzPosition(16);
    c.ui.SetModeType(TModeType::mtSelect);
    QTest::mousePress(c.grid(), Qt::LeftButton, Qt::NoModifier, QPoint(300, OpenY));
    QTest::mouseMove(c.grid(), QPoint(3, OpenY));
    QTest::mouseMove(c.grid(), QPoint(2, OpenY));
    QCOMPARE(ed.HorzPosition(), 14);
    QTest::mouseRelease(c.grid(), Qt::LeftButton, Qt::NoModifier, QPoint(2, OpenY));
}

void MouseEditingTest::rowDragWrapsAndDrops() {
    Control c;
    TSongEditor& ed = c.editor();
    TDRHit* open = c.add(0, 125, 0, 1);
    TDRHit* center = c.add(1, 0, 1, 0);
    ed.SelectHit(center);
    // Alt grabs Open and adds it to the selection; down one track to Center.
    QTest::mousePress(c.grid(), Qt::LeftButton, Qt::AltModifier, QPoint(40, OpenY));
    QVERIFY(open->Selected);
    QTest::mouseMove(c.grid(), QPoint(40, CenterY));
    QTest::mouseRelease(c.grid(), Qt::LeftButton, Qt::AltModifier, QPoint(40, CenterY));
    // Center went past the last track and wrapped to the first, one row up.
    QCOMPARE(c.places(), (std::vector<Place>{{0, 125, 1, 0}, {1, 0, 0, 1}}));
    QCOMPARE(ed.SelectedCount(), 2);
    ed.UndoCommand();
    QCOMPARE(c.places(), (std::vector<Place>{{0, 125, 0, 1}, {1, 0, 1, 0}}));
}

void MouseEditingTest::bandDraggedUpwardAcrossGroups() {
    Control c;
    TSongEditor& ed = c.editor();
    TDRHit* closed = c.add(0, 500, 0, 0); // above the band
    TDRHit* open = c.add(0, 500, 0, 1);   // covered
    TDRHit* center = c.add(1, 0, 1, 0);   // covered
    TDRHit* late = c.add(1, 900, 1, 0);   // right of the band
    TDRHit* before = c.add(3, 0, 0, 0);   // selected before the band
    ed.SelectHit(before);
    c.ui.SetModeType(TModeType::mtSelect);

    // From Center at bar 1 tick 667 up and left to Open at bar 0 tick 83.
    QTest::mousePress(c.grid(), Qt::LeftButton, Qt::NoModifier, QPoint(200, CenterY));
    QTest::mouseMove(c.grid(), QPoint(10, OpenY));
    QVERIFY(c.ui.SelectionBand().has_value());
    QVERIFY(open->Selected && center->Selected);
    QCOMPARE(ed.SelectedCount(), 1); // the band joins on release
    QTest::mouseRelease(c.grid(), Qt::LeftButton, Qt::NoModifier, QPoint(10, OpenY));

    QVERIFY(!c.ui.SelectionBand().has_value());
    QCOMPARE(ed.SelectedCount(), 3);
    QVERIFY(before->Selected && open->Selected && center->Selected);
    QVERIFY(!late->Selected && !closed->Selected);
}

void MouseEditingTest::knobs_data() {
    QTest::addColumn<bool>("volume");
    QTest::addColumn<int>("toY");
    QTest::addColumn<int>("value");
    // Center in a knob track: rows 50 high, Snare group 90-140, Center
    // 140-190; base line at 187, range 44.
    QTest::newRow("volume above the row") << true << 20 << 100;
    QTest::newRow("volume below the row") << true << 300 << 0;
    QTest::newRow("volume halfway") << true << 165 << 50;
    QTest::newRow("panning above the row") << false << 20 << 100;
    QTest::newRow("panning below the row") << false << 300 << -100;
}

void MouseEditingTest::knobs() {
    QFETCH(bool, volume);
    QFETCH(int, toY);
    QFETCH(int, value);

    Control c;
    TSongEditor& ed = c.editor();
    TDRHit* hit = c.add(0, 250, 1, 0); // knob at grid x 30
    TDRHit* other = c.add(0, 750, 1, 0);
    other->Volume = 40;
    other->Panning = 7;
    ed.SetTrackMode(1, volume ? TTrackMode::tmVolume : TTrackMode::tmPanning);
    c.grid()->repaint();
    const int32_t action = ed.Song.ActionId;

    QTest::mousePress(c.grid(), Qt::LeftButton, Qt::NoModifier, QPoint(32, 160));
    QTest::mouseMove(c.grid(), QPoint(31, toY));
    QTest::mouseRelease(c.grid(), Qt::LeftButton, Qt::NoModifier, QPoint(31, toY));

    QCOMPARE(volume ? hit->Volume : hit->Panning, value);
    QCOMPARE(other->Volume, 40);
    QCOMPARE(other->Panning, 7);
    QCOMPARE(ed.Song.ActionId, action);
    QVERIFY(ed.Modified);
    QCOMPARE(c.hitCount(), 2);
}

// --- Right and middle clicks, menus ------------------------------------------------------------

void MouseEditingTest::rightAndMiddleClicks() {
    Control c;
    TSongEditor& ed = c.editor();
    c.add(0, 125, 0, 0);
    c.add(2, 0, 1, 0);
    int32_t action = ed.Song.ActionId;

    QTest::mouseClick(c.grid(), Qt::RightButton, Qt::NoModifier, QPoint(40, ClosedY));
    QCOMPARE(c.MenuName, QStringLiteral("HitMenu"));
    QTest::mouseClick(c.grid(), Qt::RightButton, Qt::NoModifier, QPoint(200, ClosedY));
    QCOMPARE(c.MenuName, QStringLiteral("BarMenu"));
    QCOMPARE(c.hitCount(), 2);

    QTest::mouseClick(c.grid(), Qt::RightButton, Qt::ControlModifier, QPoint(200, ClosedY));
    QTest::mouseClick(c.grid(), Qt::MiddleButton, Qt::NoModifier, QPoint(200, ClosedY));
    QCOMPARE(ed.Song.ActionId, action); // nothing there, nothing done
    QTest::mouseClick(c.grid(), Qt::RightButton, Qt::ControlModifier, QPoint(40, ClosedY));
    QCOMPARE(c.places(), (std::vector<Place>{{2, 0, 1, 0}}));
    QTest::mouseClick(c.grid(), Qt::MiddleButton, Qt::NoModifier, QPoint(250, CenterY));
    QCOMPARE(c.hitCount(), 0);
    QCOMPARE(ed.Song.ActionId, action + 2);
    QVERIFY(ed.Modified);
}

void MouseEditingTest::barMenu() {
    Control c;
    TSongEditor& ed = c.editor();
    TDRHit* a = c.add(1, 0, 0, 0);
    c.add(1, 500, 1, 0);
    const QPoint bar1(200, OpenY);

    QTest::mouseClick(c.grid(), Qt::RightButton, Qt::NoModifier, bar1);
    const QStringList captions = {"Play from bar\tCtrl+Space",  "Select all hits in bar\tCtrl+T",
                                  "Deselect all hits in bar",   "Select all hits",
                                  "Deselect all hits",          "Delete selected hits",
                                  "Delete hits in bar",         "Delete bar\tAlt+Del",
                                  "Selected hits properties..."};
    QStringList shown;
    for (const MenuItem& i : c.Items) {
        shown << i.Text;
    }
    QCOMPARE(shown, captions);
    QVERIFY(c.item("Select all hits in bar")->Enabled);
    QVERIFY(!c.item("Deselect all hits in bar")->Enabled);
    QVERIFY(!c.item("Deselect all hits")->Enabled);
    QVERIFY(!c.item("Delete selected hits")->Enabled);
    QVERIFY(!c.item("Selected hits properties...")->Enabled);
    QVERIFY(c.item("Delete hits in bar")->Enabled);

    // All of bar 1 selected: the Ctrl+T label moves to the deselect item.
    c.Trigger = QStringLiteral("Select all hits in bar");
    QTest::mouseClick(c.grid(), Qt::RightButton, Qt::NoModifier, bar1);
    QCOMPARE(ed.SelectedCount(), 2);
    QTest::mouseClick(c.grid(), Qt::RightButton, Qt::NoModifier, bar1);
    QCOMPARE(c.item("Select all hits in bar")->Text, QStringLiteral("Select all hits in bar"));
    QVERIFY(!c.item("Select all hits in bar")->Enabled);
    QCOMPARE(c.item("Deselect all hits in bar")->Text,
             QStringLiteral("Deselect all hits in bar\tCtrl+T"));
    QVERIFY(c.item("Delete selected hits")->Enabled);

    // Partly selected: both enabled, the label stays with selecting.
    ed.DeselectHit(a);
    QTest::mouseClick(c.grid(), Qt::RightButton, Qt::NoModifier, bar1);
    QVERIFY(c.item("Select all hits in bar")->Enabled);
    QVERIFY(c.item("Deselect all hits in bar")->Enabled);
    QCOMPARE(c.item("Deselect all hits in bar")->Text, QStringLiteral("Deselect all hits in bar"));

    // An empty bar past the hits.
    QTest::mouseClick(c.grid(), Qt::RightButton, Qt::NoModifier, QPoint(300, OpenY));
    QVERIFY(!c.item("Select all hits in bar")->Enabled);
    QVERIFY(!c.item("Delete hits in bar")->Enabled);

    c.Trigger = QStringLiteral("Delete hits in bar");
    QTest::mouseClick(c.grid(), Qt::RightButton, Qt::NoModifier, bar1);
    QCOMPARE(c.hitCount(), 0);
    QCOMPARE(ed.SelectedCount(), 0);

    c.add(2, 0, 1, 0);
    const int32_t lastBar = ed.Song.LastBar;
    c.Trigger = QStringLiteral("Delete bar");
    QTest::mouseClick(c.grid(), Qt::RightButton, Qt::NoModifier, bar1);
    QCOMPARE(ed.Song.LastBar, lastBar - 1);
    QCOMPARE(c.places(), (std::vector<Place>{{1, 0, 1, 0}}));
}

void MouseEditingTest::hitMenu() {
    Control c;
    TSongEditor& ed = c.editor();
    TDRHit* hit = c.add(0, 125, 0, 0);
    c.Trigger = QStringLiteral("Select");
    QTest::mouseClick(c.grid(), Qt::RightButton, Qt::NoModifier, QPoint(40, ClosedY));
    QVERIFY(c.item("Select")->Visible);
    QVERIFY(!c.item("Deselect")->Visible);
    QVERIFY(hit->Selected);
    QCOMPARE(ed.SelectedCount(), 1);

    QTest::mouseClick(c.grid(), Qt::RightButton, Qt::NoModifier, QPoint(40, ClosedY));
    QVERIFY(!c.item("Select")->Visible);
    QVERIFY(c.item("Deselect")->Visible);
    QStringList shown;
    for (const MenuItem& i : c.Items) {
        shown << i.Text;
    }
    QCOMPARE(shown, (QStringList{"Select", "Deselect", "Delete", "Play", "Properties..."}));

    c.Trigger = QStringLiteral("Delete");
    QTest::mouseClick(c.grid(), Qt::RightButton, Qt::NoModifier, QPoint(40, ClosedY));
    QCOMPARE(c.hitCount(), 0);
    QCOMPARE(ed.SelectedCount(), 0);
}

void MouseEditingTest::tempoMenuAndDrag() {
    Control c;
    TSongEditor& ed = c.editor();
    auto proposal = std::make_unique<TDRTempo>();
    proposal->Bar = 2;
    proposal->Tempo = 90;
    TDRTempo* change = ed.Song.AddTempo(std::move(proposal), true);
    ed.InvalidateView(dfAll);
    c.grid()->repaint(); // measures the labels

    // The initial tempo's label at the ruler's left: nothing to delete.
    c.Trigger = QStringLiteral("Delete tempo");
    QTest::mouseClick(c.grid(), Qt::RightButton, Qt::NoModifier, QPoint(3, 5));
    QCOMPARE(c.MenuName, QStringLiteral("TempoMenu"));
    QStringList shown;
    for (const MenuItem& i : c.Items) {
        shown << i.Text;
    }
    QCOMPARE(shown, (QStringList{"Tempo properties...", "Delete tempo"}));
    QVERIFY(ed.Song.InitialTempo);
    QCOMPARE(ed.Song.InitialTempo->Tempo, 120);
    QVERIFY(!ed.Song.InitialTempo->Highlighted);
    QVERIFY(!ed.Modified);

    // The initial tempo does not drag.
    c.drag(Qt::NoModifier, QPoint(3, 5), QPoint(100, 5));
    QVERIFY(!ed.Modified);

    // The change at bar 2 drags after 5 pixels, snapped: x 270 is bar 2
    // tick 250.
    c.drag(Qt::NoModifier, QPoint(242, 5), QPoint(246, 5));
    QCOMPARE(change->Tick, 0);
    const int32_t action = ed.Song.ActionId;
    QTest::mousePress(c.grid(), Qt::LeftButton, Qt::NoModifier, QPoint(242, 5));
    QTest::mouseMove(c.grid(), QPoint(276, 5));
    QTest::mouseRelease(c.grid(), Qt::LeftButton, Qt::NoModifier, QPoint(276, 5));
    QCOMPARE(change->Bar, 2);
    QCOMPARE(change->Tick, 250);
    QVERIFY(ed.Modified);
    QCOMPARE(ed.Song.ActionId, action);

    // Ctrl+click in the ruler proposes a change at the snapped place; the
    // dialog confirms it.
    std::vector<int32_t> proposed;
    c.ui.setTempoDialog([&proposed](int32_t& bar, int32_t& tick, int32_t& tempo) {
        proposed = {bar, tick, tempo};
        tempo = 150;
        return true;
    });
    ed.Modified = false;
    QTest::mouseClick(c.grid(), Qt::LeftButton, Qt::ControlModifier, QPoint(40, 5));
    QCOMPARE(proposed, (std::vector<int32_t>{0, 250, 120}));
    QCOMPARE(ed.Song.Bar(0).TempoChanges.size(), size_t{1});
    QCOMPARE(ed.Song.Bar(0).TempoChanges.front()->Tempo, 150);
    QVERIFY(ed.Modified);
    QCOMPARE(ed.Song.ActionId, action);

    // Deleting it frees it; the highlight is not cleared on freed memory.
    ed.InvalidateView(dfAll);
    c.grid()->repaint();
    c.Trigger = QStringLiteral("Delete tempo");
    QTest::mouseClick(c.grid(), Qt::RightButton, Qt::NoModifier, QPoint(272, 5));
    QVERIFY(ed.Song.Bar(2).TempoChanges.empty());
}

// --- Row panel and keys -------------------------------------------------------------------------

void MouseEditingTest::rowPanel() {
    Control c;
    TSongEditor& ed = c.editor();
    QWidget* panel = c.ui.RowPanel();
    TDRPlTrack& hiHats = *ed.Plocha.Tracks[0];
    TDRPlTrack& snare = *ed.Plocha.Tracks[1];

    QTest::mouseClick(panel, Qt::LeftButton, Qt::NoModifier, QPoint(20, HiHatsY));
    QVERIFY(hiHats.Collapsed);
    QCOMPARE(snare.Top, 20);
    QTest::mouseClick(panel, Qt::LeftButton, Qt::NoModifier, QPoint(20, HiHatsY));
    QVERIFY(!hiHats.Collapsed);
    // A sample row previews and places nothing.
    QTest::mouseClick(panel, Qt::LeftButton, Qt::NoModifier, QPoint(20, ClosedY));
    QCOMPARE(c.hitCount(), 0);

    QTest::mouseClick(panel, Qt::RightButton, Qt::ShiftModifier, QPoint(20, CenterY));
    QVERIFY(snare.VolumeMode && !snare.PanningMode);
    QTest::mouseClick(panel, Qt::RightButton, Qt::ControlModifier, QPoint(20, 100));
    QVERIFY(!snare.VolumeMode && snare.PanningMode);
    QTest::mouseClick(panel, Qt::RightButton, Qt::ControlModifier, QPoint(20, 100));
    QVERIFY(!snare.VolumeMode && !snare.PanningMode);

    c.add(0, 0, 0, 0);
    c.add(1, 0, 0, 1);
    c.add(2, 0, 1, 0);
    c.Trigger = QStringLiteral("Select all hits in track");
    QTest::mouseClick(panel, Qt::RightButton, Qt::NoModifier, QPoint(20, OpenY));
    QCOMPARE(c.MenuName, QStringLiteral("RowMenu"));
    QStringList shown;
    for (const MenuItem& i : c.Items) {
        shown << i.Text;
    }
    QCOMPARE(shown, (QStringList{"Select all hits in track", "Deselect all hits in track",
                                 "Standard mode", "Volume mode", "Panning mode", "Muted",
                                 "Mute all other groups", "Mute off on all groups"}));
    QVERIFY(c.item("Standard mode")->Checked);
    QVERIFY(!c.item("Muted")->Checked);
    QCOMPARE(ed.SelectedCount(), 1); // the Open row only
    c.Trigger = QStringLiteral("Select all hits in track");
    QTest::mouseClick(panel, Qt::RightButton, Qt::NoModifier, QPoint(20, HiHatsY));
    QCOMPARE(ed.SelectedCount(), 2); // the whole group

    c.Trigger = QStringLiteral("Panning mode");
    QTest::mouseClick(panel, Qt::RightButton, Qt::NoModifier, QPoint(20, CenterY));
    QVERIFY(snare.PanningMode);
    c.Trigger = QStringLiteral("Mute all other groups");
    QTest::mouseClick(panel, Qt::RightButton, Qt::NoModifier, QPoint(20, 100));
    QVERIFY(c.item("Panning mode")->Checked);
    QVERIFY(hiHats.Muted && !snare.Muted);
    c.Trigger = QStringLiteral("Muted");
    QTest::mouseClick(panel, Qt::RightButton, Qt::NoModifier, QPoint(20, 100));
    QVERIFY(snare.Muted);
    c.Trigger = QStringLiteral("Mute off on all groups");
    QTest::mouseClick(panel, Qt::RightButton, Qt::NoModifier, QPoint(20, 100));
    QVERIFY(c.item("Muted")->Checked);
    QVERIFY(!hiHats.Muted && !snare.Muted);
}

void MouseEditingTest::deleteKeyOnTheScrollBars() {
    Control c;
    TSongEditor& ed = c.editor();
    c.add(0, 0, 0, 0);
    TDRHit* b = c.add(1, 0, 1, 0);
    const int32_t action = ed.Song.ActionId;
    // Nothing selected: an empty action all the same.
    QTest::keyClick(c.ui.HorzScrollBar(), Qt::Key_Delete);
    QCOMPARE(ed.Song.ActionId, action + 1);
    QVERIFY(ed.Modified);
    QCOMPARE(c.hitCount(), 2);

    ed.SelectHit(b);
    QTest::keyClick(c.ui.VertScrollBar(), Qt::Key_Delete);
    QCOMPARE(c.places(), (std::vector<Place>{{0, 0, 0, 0}}));
    QCOMPARE(ed.SelectedCount(), 0);
    ed.UndoCommand();
    QCOMPARE(c.hitCount(), 2);
}

void MouseEditingTest::modeSetsThePointer() {
    Control c;
    QCOMPARE(c.grid()->cursor().shape(), Qt::CrossCursor);
    c.ui.SetModeType(TModeType::mtSelect);
    QCOMPARE(c.grid()->cursor().shape(), Qt::ArrowCursor);
    c.ui.SetModeType(TModeType::mtPlay);
    QCOMPARE(c.grid()->cursor().shape(), Qt::ArrowCursor);
    c.ui.SetModeType(TModeType::mtStandard);
    QCOMPARE(c.grid()->cursor().shape(), Qt::CrossCursor);
}
