// TDrumsUI on the off-screen platform: layout, relayout, scrolling and the
// overlays, checked by geometry, paint regions and grabbed pixels.
#include "DrumsUITest.h"

#include "WidgetTestSupport.h"
#include "editor/DrumsUI.h"
#include "editor/MapDrumsetForm.h"

#include <QFrame>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QScrollBar>
#include <QSplitter>
#include <QTest>
#include <cstdlib>

namespace {

// Grid 467 x 382 at this size: 600 - 18 - 110 - 5 wide, 400 - 18 high.
constexpr int ControlWidth = 600;
constexpr int ControlHeight = 400;
constexpr int GridW = 467;
constexpr int GridH = 382;

// Keeps the regions of the paint events a widget receives.
class PaintSpy : public QObject {
public:
    explicit PaintSpy(QWidget& widget) { widget.installEventFilter(this); }

    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            Regions.push_back(static_cast<QPaintEvent*>(event)->region());
        }
        return false;
    }
    // What was repainted since the last call.
    QRegion take() {
        QCoreApplication::processEvents();
        QRegion all;
        for (const QRegion& r : Regions) {
            all += r;
        }
        Regions.clear();
        return all;
    }

    std::vector<QRegion> Regions;
};

// Records what reaches the editing hooks.
class HookedDrumsUI : public TDrumsUI {
public:
    int GridDowns = 0;
    int GridUps = 0;
    int PanelDowns = 0;
    std::vector<int> ScrollBarKeys;

protected:
    void GridMouseDown(QMouseEvent* /*event*/) override { ++GridDowns; }
    void GridMouseUp(QMouseEvent* /*event*/) override { ++GridUps; }
    void RowPanelMouseDown(QMouseEvent* /*event*/) override { ++PanelDowns; }
    bool ScrollBarKeyDown(QKeyEvent* event) override {
        ScrollBarKeys.push_back(event->key());
        return event->key() == Qt::Key_Delete;
    }
};

// Two tracks - one with two samples, one with one - shown and laid out.
template <typename Control = TDrumsUI>
struct ShownControl {
    ShownControl() {
        addTracks(ui.Editor(), {{RedBgr, GreenBgr}, {BlueBgr}});
        ui.resize(ControlWidth, ControlHeight);
        ui.show();
        exposed = QTest::qWaitForWindowExposed(&ui);
        QCoreApplication::processEvents();
    }

    QImage grid() { return ui.Grid()->grab().toImage(); }
    QImage panel() { return ui.RowPanel()->grab().toImage(); }
    TSongEditor& editor() { return ui.Editor(); }

    Control ui;
    bool exposed = false;
};

} // namespace

void DrumsUITest::childControlsAndTheirPlaces() {
    ShownControl<> c;
    QVERIFY(c.exposed);
    QCOMPARE(c.ui.VertScrollBar()->geometry(), QRect(582, 0, 18, 382));
    QCOMPARE(c.ui.BottomStrip()->geometry(), QRect(0, 382, 600, 18));
    QCOMPARE(c.ui.CornerBox()->parentWidget(), c.ui.BottomStrip());
    QCOMPARE(c.ui.CornerBox()->geometry(), QRect(582, 0, 18, 18));
    QCOMPARE(c.ui.HorzScrollBar()->parentWidget(), c.ui.BottomStrip());
    QCOMPARE(c.ui.HorzScrollBar()->geometry(), QRect(0, 0, 582, 18));
    QCOMPARE(c.ui.Splitter()->handleWidth(), SplitterWidth);
    QCOMPARE(c.ui.RowPanel()->geometry(), QRect(0, 0, InitialPanelWidth, GridH));
    QCOMPARE(c.ui.Grid()->geometry(), QRect(InitialPanelWidth + SplitterWidth, 0, GridW, GridH));
    QCOMPARE(c.ui.Grid()->cursor().shape(), Qt::CrossCursor);

    const TPlocha& pl = c.editor().Plocha;
    QCOMPARE(pl.PanelWidth, InitialPanelWidth);
    QCOMPARE(pl.GridWidth, GridW);
    QCOMPARE(pl.GridHeight, GridH);
    QCOMPARE(pl.PaintWidth, GridW + 120);
    // The mapper window is made once and kept.
    TMapDrumsetForm* form = &c.ui.MapDrumsetForm();
    QCOMPARE(&c.ui.MapDrumsetForm(), form);
    QCOMPARE(form->windowTitle(), QStringLiteral("Drumset mapper"));
}

void DrumsUITest::resizeRelaysOutThroughAPostedMessage() {
    ShownControl<> c;
    const TPlocha& pl = c.editor().Plocha;
    c.ui.resize(800, 500);
    c.ui.resize(820, 510);
    QCOMPARE(c.ui.Grid()->size(), QSize(820 - 18 - 115, 510 - 18));
    QCOMPARE(pl.GridWidth, GridW); // not before the message arrives

    QCoreApplication::sendPostedEvents(&c.ui, UM_RELAYOUT);
    QCOMPARE(pl.GridWidth, 820 - 18 - 115);
    QCOMPARE(pl.GridHeight, 510 - 18);
    QCOMPARE(pl.PaintWidth, pl.GridWidth + pl.BarPixels);
    QCOMPARE(pl.VisibleBars, pl.PaintWidth / pl.BarPixels);
    QCOMPARE(pl.Dirty, dfAll);
    QCoreApplication::processEvents();
    QCOMPARE(c.ui.Painter().rowsImage().size(), QSize(pl.PaintWidth, 510 - 18 - 42));
    QCOMPARE(pl.Dirty, 0u);
}

void DrumsUITest::movingTheSplitterRelaysOutAtOnce() {
    ShownControl<> c;
    QWidget* handle = c.ui.Splitter()->handle(1);
    const QPoint middle = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, middle);
    QTest::mouseMove(handle, middle + QPoint(40, 0));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, middle + QPoint(40, 0));
    // Without waiting for any message.
    QCOMPARE(c.ui.RowPanel()->width(), InitialPanelWidth + 40);
    QCOMPARE(c.editor().Plocha.PanelWidth, InitialPanelWidth + 40);
    QCOMPARE(c.editor().Plocha.GridWidth, GridW - 40);
    QCOMPARE(c.editor().Plocha.Dirty, dfAll);
}

void DrumsUITest::crosshair_data() {
    QTest::addColumn<bool>("targetCursor");
    QTest::addColumn<int>("y");
    QTest::addColumn<bool>("drawn");
    QTest::newRow("in the rows") << true << 100 << true;
    QTest::newRow("on the ruler") << true << 30 << false;
    QTest::newRow("switched off") << false << 100 << false;
}

void DrumsUITest::crosshair() {
    QFETCH(bool, targetCursor);
    QFETCH(int, y);
    QFETCH(bool, drawn);
    ShownControl<> c;
    c.ui.SetTargetCursor(targetCursor);
    QTest::mouseMove(c.ui.Grid(), QPoint(200, y));
    QCOMPARE(c.ui.CrosshairPos(), drawn ? QPoint(200, y) : QPoint(-1, -1));
    // Below the tracks the rows are white: the lines show teal there.
    const QImage grid = c.grid();
    QCOMPARE(pixel(grid, 200, 150) == Teal, drawn);
    QCOMPARE(pixel(grid, 400, y) == Teal, drawn);
    if (drawn) {
        QCOMPARE(pixel(grid, 200, y), White); // both lines cross out each other
    }

    if (drawn) {
        QTest::mouseMove(c.ui.Grid(), QPoint(300, 120));
        const QImage moved = c.grid();
        QCOMPARE(pixel(moved, 200, 150), White);
        QCOMPARE(pixel(moved, 300, 150), Teal);
        QCOMPARE(pixel(moved, 400, 120), Teal);
    }
}

void DrumsUITest::crosshairIsErasedOffTheGrid() {
    ShownControl<> c;
    c.ui.SetTargetCursor(true);
    QTest::mouseMove(c.ui.Grid(), QPoint(200, 100));
    QTest::mouseMove(c.ui.RowPanel(), QPoint(50, 100));
    QCOMPARE(c.ui.CrosshairPos(), QPoint(-1, -1));
    QCOMPARE(pixel(c.grid(), 200, 150), White);

    QTest::mouseMove(c.ui.Grid(), QPoint(200, 100));
    c.ui.SetTargetCursor(false);
    QCOMPARE(c.ui.CrosshairPos(), QPoint(-1, -1));
    QCOMPARE(pixel(c.grid(), 200, 150), White);
}

void DrumsUITest::hoveredRowMarker() {
    ShownControl<> c;
    c.editor().Plocha.ExpandTrack(0); // rows: 0..20 group, 20..40, 40..60, track 1 60..80
    c.editor().InvalidateView(dfAll);
    const QColor face(c.ui.Painter().colors().Face.rgb());
    struct Case {
        int y;
        TRowAddress row;
        int markerTop; // panel y
    };
    for (const Case& k : {Case{40, {0, -1}, 37}, Case{75, {0, 1}, 77}, Case{95, {1, -1}, 97}}) {
        QTest::mouseMove(c.ui.Grid(), QPoint(100, k.y));
        QCOMPARE(c.ui.HoveredRow(), k.row);
        const QImage panel = c.panel();
        QCOMPARE(pixel(panel, 98, k.markerTop), Black);
        QCOMPARE(pixel(panel, 103, k.markerTop + 5), Black);
        QCOMPARE(pixel(panel, 100, k.markerTop + 2), face);
        QCOMPARE(countColor(panel, QRect(98, 30, 6, 300), Black), 20); // one marker only
    }
    // Over the ruler or the row panel no row is hovered.
    QTest::mouseMove(c.ui.Grid(), QPoint(100, 10));
    QCOMPARE(c.ui.HoveredRow(), TRowAddress{});
    QTest::mouseMove(c.ui.Grid(), QPoint(100, 40));
    QTest::mouseMove(c.ui.RowPanel(), QPoint(20, 40));
    QCOMPARE(c.ui.HoveredRow(), TRowAddress{});
    QCOMPARE(countColor(c.panel(), QRect(98, 30, 6, 300), Black), 0);
}

void DrumsUITest::overlaysRepaintOnlyTheirStrips() {
    ShownControl<> c;
    PaintSpy spy(*c.ui.Grid());
    spy.take();
    c.ui.DrawCursor(50);
    QCOMPARE(spy.take(), QRegion(50, 0, 1, GridH));
    c.ui.DrawCursor(80);
    QCOMPARE(spy.take(), QRegion(50, 0, 1, GridH) + QRegion(80, 0, 1, GridH));
    c.ui.EraseCursor();
    QCOMPARE(spy.take(), QRegion(80, 0, 1, GridH));

    c.ui.SetTargetCursor(true);
    QTest::mouseMove(c.ui.Grid(), QPoint(200, 100));
    QCOMPARE(spy.take(), QRegion(200, 0, 1, GridH) + QRegion(0, 100, GridW, 1));
    QTest::mouseMove(c.ui.Grid(), QPoint(210, 120));
    QCOMPARE(spy.take(), QRegion(200, 0, 1, GridH) + QRegion(0, 100, GridW, 1) +
                             QRegion(210, 0, 1, GridH) + QRegion(0, 120, GridW, 1));

    TSelectionBand band;
    band.AnchorX = 100;
    band.AnchorY = 100;
    band.Current = QPoint(150, 140);
    c.ui.SetSelectionBand(band);
    const QRegion outline = QRegion(100, 100, 50, 1) + QRegion(100, 139, 50, 1) +
                            QRegion(100, 100, 1, 40) + QRegion(149, 100, 1, 40);
    QCOMPARE(spy.take(), outline);
    c.ui.ClearSelectionBand();
    QCOMPARE(spy.take(), outline);
}

void DrumsUITest::suppressedCursorIsNeitherDrawnNorErased() {
    ShownControl<> c;
    c.ui.SetCursorSuppressed(true);
    c.ui.DrawCursor(50);
    QCOMPARE(c.ui.CursorX(), -1);
    c.ui.SetCursorSuppressed(false);
    c.ui.DrawCursor(50);
    QCOMPARE(c.ui.CursorX(), 50);
    QCOMPARE(pixel(c.grid(), 50, 150), Navy);
    c.ui.SetCursorSuppressed(true);
    c.ui.EraseCursor();
    QCOMPARE(c.ui.CursorX(), 50);
    QCOMPARE(pixel(c.grid(), 50, 150), Navy); // still shown
    c.ui.SetCursorSuppressed(false);
    c.ui.EraseCursor();
    QCOMPARE(c.ui.CursorX(), -1);
    QCOMPARE(pixel(c.grid(), 50, 150), White);
}

void DrumsUITest::scrollingErasesTheOverlays() {
    ShownControl<> c;
    c.ui.SetTargetCursor(true);
    c.ui.DrawCursor(50);
    QTest::mouseMove(c.ui.Grid(), QPoint(200, 100));
    // Vertical scroll takes the crosshair only (rows tall enough to scroll).
    c.editor().ExpandAll();
    for (int i = 0; i < 30; ++i) {
        addTracks(c.editor(), {{RedBgr}});
    }
    c.editor().InvalidateView(dfAll);
    QTest::mouseMove(c.ui.Grid(), QPoint(200, 100));
    c.ui.VertScrollBar()->setValue(20);
    QCOMPARE(c.editor().Plocha.TopOffset, 20);
    QCOMPARE(c.ui.CrosshairPos(), QPoint(-1, -1));
    QCOMPARE(c.ui.CursorX(), 50);

    QTest::mouseMove(c.ui.Grid(), QPoint(200, 100));
    c.ui.HorzScrollBar()->setValue(3);
    QCOMPARE(c.ui.CrosshairPos(), QPoint(-1, -1));
    QCOMPARE(c.ui.CursorX(), -1);
}

void DrumsUITest::scrollBarsFollowTheEditor() {
    ShownControl<> c;
    QScrollBar& horz = *c.ui.HorzScrollBar();
    QScrollBar& vert = *c.ui.VertScrollBar();
    QCOMPARE(horz.maximum(), c.editor().Song.LastBar * 8);
    horz.setValue(13);
    QCOMPARE(c.ui.FirstBar(), 1);
    QCOMPARE(c.editor().PixelOffset(), 75);
    c.editor().GoToBar(5);
    QCOMPARE(horz.value(), 40);
    addHit(c.editor(), 0, 0, 30, 0); // the song grows past bar 30
    c.editor().InvalidateView(dfHits);
    QVERIFY(c.editor().Song.LastBar >= 30);
    QCOMPARE(horz.maximum(), c.editor().Song.LastBar * 8);

    // Rows taller than the grid: the maximum is their height + 42 - grid height.
    QCOMPARE(vert.maximum(), 0);
    for (int i = 0; i < 30; ++i) {
        addTracks(c.editor(), {{RedBgr, GreenBgr}});
    }
    c.editor().ExpandAll();
    const int rowsHeight = c.editor().Plocha.RowsHeight();
    QCOMPARE(vert.maximum(), rowsHeight + 42 - GridH);
    vert.setValue(vert.maximum());
    QCOMPARE(c.editor().Plocha.TopOffset, rowsHeight + 42 - GridH);
    // Collapsing pulls the offset back into the shorter rows.
    c.editor().CollapseAll();
    QCOMPARE(vert.maximum(), c.editor().VertMaximum());
    QCOMPARE(c.editor().Plocha.TopOffset, c.editor().VertMaximum());
    QCOMPARE(vert.value(), c.editor().VertMaximum());
}

void DrumsUITest::scrollWithinABarOnlyShiftsTheBitmaps() {
    ShownControl<> c;
    addHit(c.editor(), 0, 0, 1, 0); // x 120 .. 135 in the group row
    c.editor().InvalidateView(dfHits);
    QCOMPARE(pixel(c.grid(), 123, 40), Red);
    const qint64 rows = c.ui.Painter().rowsImage().cacheKey();
    const qint64 ruler = c.ui.Painter().rulerImage().cacheKey();

    c.ui.HorzScrollBar()->setValue(3); // 375 ticks: 45 pixels
    QCOMPARE(c.editor().Plocha.Dirty, 0u);
    const QImage shifted = c.grid();
    QCOMPARE(pixel(shifted, 123 - 45, 40), Red);
    QVERIFY(pixel(shifted, 123, 40) != Red);
    QCOMPARE(c.ui.Painter().rowsImage().cacheKey(), rows);
    QCOMPARE(c.ui.Painter().rulerImage().cacheKey(), ruler);

    c.ui.HorzScrollBar()->setValue(8); // the next bar: hits and ruler again
    QCOMPARE(c.editor().Plocha.Dirty, dfHits | dfRuler);
    QCOMPARE(pixel(c.grid(), 3, 40), Red);
    QVERIFY(c.ui.Painter().rowsImage().cacheKey() != rows);
}

void DrumsUITest::selectionBandStaysOnItsPlaceInTheSong() {
    ShownControl<> c;
    c.ui.HorzScrollBar()->setValue(8); // bar 1 first
    TSelectionBand band;
    band.AnchorFirstBar = 1;
    band.AnchorX = 250;
    band.AnchorY = 150;
    band.Current = QPoint(350, 250);
    c.ui.SetSelectionBand(band);
    const QImage before = c.grid();
    QVERIFY(countColor(before, QRect(250, 150, 100, 1), Navy) > 30);
    QCOMPARE(countColor(before, QRect(252, 152, 96, 96), Navy), 0); // not filled

    // One bar back: the anchor moves right with the song, the mouse end stays.
    c.ui.HorzScrollBar()->setValue(0);
    const QRect moved = selectionBandRect(band, 0, 120, 0);
    QCOMPARE(moved, QRect(350, 150, 20, 100));
    QVERIFY(countColor(c.grid(), QRect(350, 150, 20, 1), Navy) > 5);
    QCOMPARE(countColor(c.grid(), QRect(250, 150, 99, 1), Navy), 0);
}

void DrumsUITest::draggedHitsAreOutlined() {
    ShownControl<> c;
    TDRHit dragged;
    dragged.StartBar = dragged.EndBar = 2;
    dragged.EndTick = 500; // x 240 .. 300 in the group row of track 0
    c.ui.SetDraggedHits({&dragged});
    QVERIFY(countColor(c.grid(), QRect(240, 32, 60, 1), Black) > 10);
    c.ui.SetDraggedHits({});
    QCOMPARE(countColor(c.grid(), QRect(242, 32, 56, 1), Black), 0);
}

void DrumsUITest::editingHooksReceiveTheirEvents() {
    ShownControl<HookedDrumsUI> c;
    QTest::mouseClick(c.ui.Grid(), Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseClick(c.ui.RowPanel(), Qt::LeftButton, {}, QPoint(20, 40));
    QCOMPARE(c.ui.GridDowns, 1);
    QCOMPARE(c.ui.GridUps, 1);
    QCOMPARE(c.ui.PanelDowns, 1);

    // Delete is taken by the hook; arrows still move the bar.
    c.editor().SetHorzPosition(40);
    QTest::keyClick(c.ui.HorzScrollBar(), Qt::Key_Delete);
    QTest::keyClick(c.ui.VertScrollBar(), Qt::Key_Delete);
    QTest::keyClick(c.ui.HorzScrollBar(), Qt::Key_Right);
    QCOMPARE(c.ui.ScrollBarKeys, (std::vector<int>{Qt::Key_Delete, Qt::Key_Delete, Qt::Key_Right}));
    QCOMPARE(std::abs(c.editor().HorzPosition() - 40), 1);
}
