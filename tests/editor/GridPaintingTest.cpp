// TGridPainter: the pixels of the ruler, time strip, row background, hits,
// knobs and row panel, and which bitmaps a redraw rebuilds.
#include "GridPaintingTest.h"

#include "WidgetTestSupport.h"
#include "editor/GridPainter.h"

#include <QFontInfo>
#include <QPainter>
#include <QTest>

namespace {

constexpr int GridWidth = 600;
constexpr int GridHeight = 300;

// An editor with a laid-out grid and a painter on it.
struct PaintRig {
    PaintRig() { editor.Plocha.Relayout(110, GridWidth, GridHeight); }

    // The grid as the screen shows it after a paint.
    QImage screen() {
        painter.Render();
        QImage image(GridWidth, GridHeight, QImage::Format_RGB32);
        QPainter p(&image);
        painter.drawGrid(p, image.rect(), editor.PixelOffset(), GridHeight);
        return image;
    }

    const QImage& rows() {
        painter.Render();
        return painter.rowsImage();
    }

    TSongEditor editor;
    TGridPainter painter{editor.Plocha};
};

struct CacheKeys {
    qint64 ruler, strip, background, rows;
};

CacheKeys keysOf(const TGridPainter& painter) {
    return {painter.rulerImage().cacheKey(), painter.timeStripImage().cacheKey(),
            painter.backgroundImage().cacheKey(), painter.rowsImage().cacheKey()};
}

} // namespace

void GridPaintingTest::hitAtItsComputedX_data() {
    QTest::addColumn<int>("division");
    QTest::addColumn<int>("horzPosition");
    QTest::addColumn<int>("bar");
    QTest::addColumn<int>("tick");
    QTest::addColumn<int>("screenX");
    QTest::addColumn<int>("width");
    QTest::newRow("bar 1, middle") << 8 << 0 << 1 << 500 << 180 << 15;
    QTest::newRow("scrolled 13 steps") << 8 << 13 << 2 << 500 << 105 << 15;
    QTest::newRow("scrolled within bar 0") << 8 << 3 << 1 << 0 << 75 << 15;
    QTest::newRow("division 7: 119 px a bar") << 7 << 0 << 1 << 500 << 178 << 15;
}

void GridPaintingTest::hitAtItsComputedX() {
    QFETCH(int, division);
    QFETCH(int, horzPosition);
    QFETCH(int, bar);
    QFETCH(int, tick);
    QFETCH(int, screenX);
    QFETCH(int, width);
    PaintRig rig;
    addTracks(rig.editor, {{RedBgr, GreenBgr}});
    rig.editor.Plocha.ExpandTrack(0);
    rig.editor.SetBarDivisionNumber(division);
    rig.editor.SetHorzPosition(horzPosition);
    addHit(rig.editor, 0, 0, bar, tick);

    // Sample row 0 spans row space 20..40: the hit's box 21..39, below the ruler.
    const QImage screen = rig.screen();
    const int y = RulerHeight + 25;
    QCOMPARE(pixel(screen, screenX + 3, y), Red);
    QCOMPARE(pixel(screen, screenX + width - 4, y), Red);
    QCOMPARE(pixel(screen, screenX, y), Black);             // outline
    QCOMPARE(pixel(screen, screenX + 1, y), White);         // bevel, light side
    QCOMPARE(pixel(screen, screenX + width - 2, y), Grey);  // bevel, dark side
    QCOMPARE(pixel(screen, screenX + width - 1, y), Black); // outline
    QVERIFY(pixel(screen, screenX - 1, y) != Red);
    QVERIFY(pixel(screen, screenX + width, y) != Red);
}

void GridPaintingTest::cutHitIsHatchedAfterTheCut_data() {
    QTest::addColumn<bool>("byCutter");
    QTest::newRow("cut off by a later hit") << true;
    QTest::newRow("fixed length") << false;
}

void GridPaintingTest::cutHitIsHatchedAfterTheCut() {
    QFETCH(bool, byCutter);
    PaintRig rig;
    TDRComp& song = rig.editor.Song;
    addTracks(rig.editor, {{RedBgr, GreenBgr}});
    rig.editor.Plocha.ExpandTrack(0);
    // Sample 0 silences sample 1; any distinct addresses stand for the items.
    static const char items[3] = {};
    const auto* group = reinterpret_cast<const TDrumsetItem*>(&items[0]);
    const auto* s0 = reinterpret_cast<const TDrumsetItem*>(&items[1]);
    const auto* s1 = reinterpret_cast<const TDrumsetItem*>(&items[2]);
    song.CutOffMap = {{group, {{s0, {s1}}, {s1, {}}}}};

    // 1000 ms from bar 1 tick 0: 500 ticks, x 120 to 180; cut at tick 250, x 150.
    TDRHit* victim = nullptr;
    if (byCutter) {
        victim = addHit(rig.editor, 0, 1, 1, 0, 1000);
        addHit(rig.editor, 0, 0, 1, 250);
        QVERIFY(victim->Cutter != nullptr);
    } else {
        std::unique_ptr<TDRHit> hit = rig.editor.CreateHit(1, 0, 1, 0);
        hit->LengthMs = 1000;
        hit->FixedLength = 500;
        victim = song.AddHit(std::move(hit));
    }
    QCOMPARE(victim->CutTick, 250);

    // Sample row 1: row space 40..60, the box 41..59.
    const QImage& rows = rig.rows();
    const QRect before(122, 43, 150 - 122, 14);
    const QRect after(152, 43, 177 - 152, 14);
    QCOMPARE(countColor(rows, before, Green), before.width() * before.height());
    QCOMPARE(countColor(rows, after, Green), 0);
    const int hatch = countColor(rows, after, Grey);
    const int background = countColor(rows, after, White);
    QVERIFY2(hatch > 20 && background > 20, "grey cross hatch over the row background");
    QCOMPARE(countColor(rows, after, Grey) + background, after.width() * after.height());
    QCOMPARE(pixel(rows, 179, 50), Black); // the frame runs to the natural end
}

void GridPaintingTest::tempoLabels_data() {
    QTest::addColumn<bool>("initial");
    QTest::addColumn<bool>("highlighted");
    QTest::addColumn<int>("horzPosition");
    QTest::addColumn<int>("labelX");
    QTest::addColumn<QColor>("color");
    QTest::newRow("initial tempo") << true << false << 0 << 0 << SkyBlue;
    QTest::newRow("initial tempo being edited") << true << true << 0 << 0 << Yellow;
    QTest::newRow("change") << false << false << 0 << 300 << Red;
    QTest::newRow("change being edited") << false << true << 0 << 300 << Yellow;
    QTest::newRow("change, bar 0 scrolled away") << false << false << 8 << 180 << Red;
}

void GridPaintingTest::tempoLabels() {
    QFETCH(bool, initial);
    QFETCH(bool, highlighted);
    QFETCH(int, horzPosition);
    QFETCH(int, labelX);
    QFETCH(QColor, color);
    PaintRig rig;
    addTracks(rig.editor, {{RedBgr}});
    TDRComp& song = rig.editor.Song;
    auto proposal = std::make_unique<TDRTempo>();
    proposal->Bar = 2;
    proposal->Tick = 500;
    proposal->Tempo = 140;
    TDRTempo* change = song.AddTempo(std::move(proposal), true);
    TDRTempo& tempo = initial ? *song.InitialTempo : *change;
    tempo.Highlighted = highlighted;
    rig.editor.SetHorzPosition(horzPosition);
    rig.painter.Render();

    const QImage& ruler = rig.painter.rulerImage();
    QVERIFY(tempo.LabelWidth > 0);
    QCOMPARE(pixel(ruler, labelX, 1), color);
    QCOMPARE(pixel(ruler, labelX + tempo.LabelWidth - 1, 1), color);
    QVERIFY(pixel(ruler, labelX + tempo.LabelWidth, 1) != color);
    if (!initial) {
        QCOMPARE(change->LabelX, labelX);
        QCOMPARE(rig.editor.Plocha.TempoMarkX, std::vector<int32_t>{labelX});
        QCOMPARE(pixel(rig.painter.rowsImage(), labelX, 5), Red); // the tempo line
    }
    if (horzPosition >= 8) {
        // Bar 0 is out of view: no initial tempo label.
        QCOMPARE(countColor(ruler, QRect(0, 1, 10, 10), SkyBlue), 0);
    }
}

void GridPaintingTest::collapsedTrackShowsEverySampleInItsGroupRow() {
    PaintRig rig;
    addTracks(rig.editor, {{RedBgr, GreenBgr, BlueBgr}});
    addHit(rig.editor, 0, 0, 0, 0);
    addHit(rig.editor, 0, 1, 0, 250);
    addHit(rig.editor, 0, 2, 0, 500);
    // Collapsed: the group row (row space 0..20) holds all three.
    const QImage collapsed = rig.rows().copy();
    QCOMPARE(pixel(collapsed, 5, 10), Red);
    QCOMPARE(pixel(collapsed, 35, 10), Green);
    QCOMPARE(pixel(collapsed, 65, 10), Blue);

    rig.editor.ExpandAll();
    const QImage& expanded = rig.rows();
    QCOMPARE(pixel(expanded, 35, 10), White);
    QCOMPARE(pixel(expanded, 5, 30), Red);
    QCOMPARE(pixel(expanded, 35, 50), Green);
    QCOMPARE(pixel(expanded, 65, 70), Blue);
}

void GridPaintingTest::onlyFlaggedBitmapsAreRebuilt_data() {
    QTest::addColumn<uint>("flags");
    QTest::addColumn<bool>("ruler");
    QTest::addColumn<bool>("background");
    QTest::addColumn<bool>("rows");
    QTest::newRow("nothing: a scroll within a bar") << 0u << false << false << false;
    QTest::newRow("hits") << uint(dfHits) << false << false << true;
    QTest::newRow("ruler and time strip") << uint(dfRuler) << true << false << false;
    QTest::newRow("background and hits") << uint(dfBackground | dfHits) << false << true << true;
    QTest::newRow("row panel only") << uint(dfPanel) << false << false << false;
}

void GridPaintingTest::onlyFlaggedBitmapsAreRebuilt() {
    QFETCH(uint, flags);
    QFETCH(bool, ruler);
    QFETCH(bool, background);
    QFETCH(bool, rows);
    PaintRig rig;
    addTracks(rig.editor, {{RedBgr}});
    addHit(rig.editor, 0, 0, 0, 0);
    rig.painter.Render();
    rig.painter.RenderPanel();
    QCOMPARE(rig.editor.Plocha.Dirty, 0u);
    const CacheKeys before = keysOf(rig.painter);

    rig.editor.Plocha.Dirty = flags;
    rig.painter.Render();
    const CacheKeys after = keysOf(rig.painter);
    QCOMPARE(after.ruler != before.ruler, ruler);
    QCOMPARE(after.strip != before.strip, ruler);
    QCOMPARE(after.background != before.background, background);
    QCOMPARE(after.rows != before.rows, rows);
    // The row panel's flag waits for the row panel's own paint.
    QCOMPARE(rig.editor.Plocha.Dirty, flags & dfPanel);
}

void GridPaintingTest::knobs_data() {
    QTest::addColumn<bool>("volumeMode");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("lift");
    QTest::newRow("volume 100: top of the range") << true << 100 << 44;
    QTest::newRow("volume 50") << true << 50 << 22;
    QTest::newRow("volume 0: on the base line") << true << 0 << 0;
    QTest::newRow("panning -100: bottom") << false << -100 << 0;
    QTest::newRow("panning 0: middle") << false << 0 << 22;
    QTest::newRow("panning 33: rounded") << false << 33 << 29;
    QTest::newRow("panning 100: top") << false << 100 << 44;
}

void GridPaintingTest::knobs() {
    QFETCH(bool, volumeMode);
    QFETCH(int, value);
    QFETCH(int, lift);
    PaintRig rig;
    addTracks(rig.editor, {{GreenBgr}});
    rig.editor.SetTrackMode(0, volumeMode ? TTrackMode::tmVolume : TTrackMode::tmPanning);
    TDRHit* hit = addHit(rig.editor, 0, 0, 1, 500);
    (volumeMode ? hit->Volume : hit->Panning) = value;

    // Track row space 0..50: knob rows 1..50, base line at 47.
    const QImage& rows = rig.rows();
    const std::vector<TKnob>& knobs = rig.editor.Plocha.Knobs;
    QCOMPARE(knobs.size(), size_t{1});
    const TKnob& knob = knobs.front();
    QCOMPARE(knob.X, 180);
    QCOMPARE(knob.Y, 47 - lift);
    QCOMPARE(knob.Hit, static_cast<void*>(hit));
    QCOMPARE(knob.Group, 0);
    QCOMPARE(knob.Sample, 0);
    QCOMPARE(knob.Top, 1);
    QCOMPARE(knob.Bottom, 50);
    QCOMPARE(pixel(rows, 180, knob.Y), volumeMode ? Green : Black);
    QCOMPARE(pixel(rows, 182, knob.Y), volumeMode ? Green : Black); // 7 pixels across
    QCOMPARE(pixel(rows, 185, knob.Y - 1), White);
}

void GridPaintingTest::hitFromBeforeTheFirstBarReachesIn() {
    PaintRig rig;
    addTracks(rig.editor, {{RedBgr}});
    // Bar 0 tick 900 for 1000 ms: ends at bar 1 tick 400, x -12 .. 48 from bar 1.
    addHit(rig.editor, 0, 0, 0, 900, 1000);
    addHit(rig.editor, 0, 0, 0, 100); // ends in bar 0: not drawn
    QCOMPARE(rig.editor.Song.MaxSpan, 1);
    rig.editor.SetHorzPosition(8);
    const QImage& rows = rig.rows();
    QCOMPARE(pixel(rows, 0, 10), Red);
    QCOMPARE(pixel(rows, 44, 10), Red);
    QCOMPARE(pixel(rows, 47, 10), Black);
    QCOMPARE(countColor(rows, QRect(50, 1, 500, 19), Red), 0);
}

void GridPaintingTest::noTracksLeavesTheRowsWhite() {
    PaintRig rig;
    const QImage& rows = rig.rows();
    QCOMPARE(countColor(rows, rows.rect(), White), rows.width() * rows.height());
    // The ruler and the time strip still show the bars.
    const QImage& ruler = rig.painter.rulerImage();
    const QColor shadow(rig.painter.colors().Shadow.rgb());
    QCOMPARE(pixel(ruler, 120, 20), shadow);
    QVERIFY(countDark(ruler, QRect(122, 15, 10, 14)) > 0); // "1"
    QVERIFY(countDark(rig.painter.timeStripImage(), QRect(122, 1, 30, 11)) > 0);
}

void GridPaintingTest::divisionLines_data() {
    QTest::addColumn<int>("division");
    QTest::addColumn<bool>("lines");
    QTest::newRow("eight divisions") << 8 << true;
    QTest::newRow("one division: bar lines only") << 1 << false;
}

void GridPaintingTest::divisionLines() {
    QFETCH(int, division);
    QFETCH(bool, lines);
    PaintRig rig;
    addTracks(rig.editor, {{RedBgr}});
    rig.editor.SetBarDivisionNumber(division);
    const QImage& rows = rig.rows();
    const QImage& ruler = rig.painter.rulerImage();
    // Between the bar lines at 0 and 120, away from the bar number.
    QCOMPARE(countColor(rows, QRect(2, 1, 116, 19), Grey) > 0, lines);
    QCOMPARE(countDark(ruler, QRect(20, 16, 98, 13)) > 0, lines);
    QCOMPARE(pixel(rows, 120, 10), Black);
}

void GridPaintingTest::oneTrackBandIsRedrawnAlone() {
    PaintRig rig;
    addTracks(rig.editor, {{GreenBgr}, {BlueBgr}});
    rig.editor.SetTrackMode(0, TTrackMode::tmVolume);
    rig.editor.SetTrackMode(1, TTrackMode::tmVolume);
    TDRHit* first = addHit(rig.editor, 0, 0, 1, 0);
    TDRHit* second = addHit(rig.editor, 1, 0, 1, 0);
    rig.painter.Render(); // knobs at the top: y 3 and 53

    first->Volume = 0;
    second->Volume = 0;
    const QRect band = rig.painter.RenderTrackRows(0);
    QCOMPARE(band, QRect(0, 1, rig.editor.Plocha.PaintWidth, 50));
    const QImage& rows = rig.painter.rowsImage();
    QCOMPARE(pixel(rows, 122, 47), Green); // moved down to the base line
    QCOMPARE(pixel(rows, 122, 3), White);
    QCOMPARE(pixel(rows, 122, 53), Blue);      // the other track is left as it was
    QCOMPARE(rig.editor.Plocha.Knobs[0].Y, 3); // knob records wait for a full redraw
    QCOMPARE(rig.painter.RenderTrackRows(2), QRect());
}

void GridPaintingTest::rowPanel_data() {
    QTest::addColumn<bool>("muted");
    QTest::newRow("playing") << false;
    QTest::newRow("muted") << true;
}

void GridPaintingTest::rowPanel() {
    QFETCH(bool, muted);
    PaintRig rig;
    addTracks(rig.editor, {{RedBgr, GreenBgr}, {BlueBgr}});
    rig.editor.Plocha.Tracks[1]->Muted = muted;
    rig.painter.RenderPanel();
    QCOMPARE(rig.editor.Plocha.Dirty & dfPanel, 0u);
    const QImage& panel = rig.painter.panelImage();
    QCOMPARE(panel.size(), QSize(110, GridHeight));
    // Track 1 spans 20..40: swatch from x 4 to 11, y 24 to 35.
    QCOMPARE(pixel(panel, 6, 30), muted ? Grey : Blue);
    QCOMPARE(pixel(panel, 100, 30), muted ? Grey : QColor(rig.painter.colors().Face.rgb()));
    QCOMPARE(pixel(panel, 6, 10), Red);
}

void GridPaintingTest::draggedHitOutlines() {
    PaintRig rig;
    addTracks(rig.editor, {{RedBgr}});
    TDRHit inView;
    inView.StartBar = inView.EndBar = 1;
    inView.StartTick = 0;
    inView.EndTick = 500; // x 120 .. 180
    TDRHit outOfView = inView;
    outOfView.StartBar = outOfView.EndBar = 9;
    rig.painter.Render();
    QImage image(GridWidth, GridHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    rig.painter.DrawDraggedHits(p, 0, RulerHeight, {&inView, &outOfView});
    p.end();
    // Rows 2 .. 18 of the group row: outline at y 32 and 48, x 120 and 179.
    QVERIFY(countColor(image, QRect(120, 32, 60, 1), Black) > 10);
    QVERIFY(countColor(image, QRect(120, 32, 60, 1), White) > 10); // dotted
    QVERIFY(countColor(image, QRect(179, 32, 1, 17), Black) > 3);
    QCOMPARE(countColor(image, QRect(122, 34, 55, 13), Black), 0); // not filled
    QCOMPARE(countColor(image, QRect(0, 0, GridWidth, GridHeight), Black),
             countColor(image, QRect(119, 31, 62, 19), Black));
}

void GridPaintingTest::rulerFontHasArialMetrics() {
    // The ruler's labels are measured for their widths: Arial, or a face
    // made to its metrics.
    QImage image(1, 1, QImage::Format_RGB32);
    QPainter p(&image);
    p.setFont(arialFont(8, true, false));
    const QString family = p.fontInfo().family();
    QVERIFY2(family == "Arial" || family == "Liberation Sans" || family == "Arimo",
             qPrintable(family));
    QCOMPARE(p.fontInfo().pixelSize(), 11);
}

void GridPaintingTest::barTimeText_data() {
    QTest::addColumn<int>("ms");
    QTest::addColumn<QString>("text");
    QTest::newRow("start") << 0 << "0:0.0";
    QTest::newRow("65.3 s") << 65300 << "1:5.3";
    QTest::newRow("125 s") << 125000 << "2:5.0";
    QTest::newRow("tenths truncate") << 59999 << "0:59.9";
}

void GridPaintingTest::barTimeText() {
    QFETCH(int, ms);
    QFETCH(QString, text);
    QCOMPARE(::barTimeText(ms), text);
}
