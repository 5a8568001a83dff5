// TGridPainter: the five off-screen bitmaps of the song editor's grid (ruler,
// time strip, row background, rows with their hits, row panel) and the
// drawing that rebuilds them from the layout and the song. Only the bitmaps
// named in TPlocha::Dirty are rebuilt; the widget copies them to the screen,
// and tests and benchmarks use the painter without a window.
#pragma once

#include "editor/PaintTools.h"
#include "editor/Plocha.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <cstdint>
#include <vector>

class QPainter;
struct TDRHit;

// Where a hit is drawn in the rows bitmap: its row band and colour.
struct THitPlace {
    int32_t X = 0;
    int32_t X2 = 0;
    int32_t Top = 0;
    int32_t Bottom = 0;
    const TDRPlTrack* Track = nullptr;
    const TDRPlSample* Row = nullptr;
};

// The time strip's text for a bar start: minutes, ":", seconds, ".", tenths,
// each without leading zeros ("1:5.3" for 65 300 ms).
QString barTimeText(int32_t startMs);

class TGridPainter {
public:
    explicit TGridPainter(TPlocha& plocha);

    // Face, shadow and highlight; the caller invalidates what shows them.
    void setColors(const TBevelColors& colors) { m_colors = colors; }
    const TBevelColors& colors() const { return m_colors; }

    // Rebuilds the row background, ruler with time strip, and rows bitmaps
    // whose flags are set, in that order, clearing each flag.
    void Render();
    // Redraws one track's band of the rows bitmap; gives the band in
    // rows-bitmap coordinates (empty when the track does not exist).
    QRect RenderTrackRows(int32_t track);
    // Rebuilds the row panel bitmap when dfPanel is set.
    void RenderPanel();
    // Dotted outlines of hits being dragged, offsets added to bitmap x and y.
    void DrawDraggedHits(QPainter& p, int32_t xOffset, int32_t yOffset,
                         const std::vector<const TDRHit*>& hits) const;

    // Copies ruler, rows and time strip into a grid gridHeight high, shifted
    // left by pixelOffset, within area; what no bitmap covers is filled.
    void drawGrid(QPainter& p, const QRect& area, int32_t pixelOffset, int32_t gridHeight) const;
    // Copies the row panel bitmap below the ruler band, within area.
    void drawPanel(QPainter& p, const QRect& area) const;
    // The hovered-row marker in row panel coordinates (empty for no row).
    QRect rowMarkerRect(TRowAddress row) const;
    void drawRowMarker(QPainter& p, TRowAddress row) const;

    // The hit's place in the rows bitmap; false for a hit whose row does not
    // exist.
    bool placeHit(const TDRHit& hit, THitPlace& place) const;

    const QImage& rulerImage() const { return m_ruler; }
    const QImage& timeStripImage() const { return m_timeStrip; }
    const QImage& backgroundImage() const { return m_background; }
    const QImage& rowsImage() const { return m_rows; }
    const QImage& panelImage() const { return m_panel; }

private:
    // Brings the bitmaps to the layout's sizes (a relayout marks all dirty).
    void syncSizes();
    void renderBackground();
    void renderRuler();
    void renderTimeStrip();
    void renderRows();
    // The tempo lines and every hit of the visible bars, or of one track.
    void drawRowsContent(QPainter& p, int32_t onlyTrack, bool collectKnobs);
    void drawHit(QPainter& p, TDRHit& hit, bool collectKnobs);
    void drawStandardHit(QPainter& p, const TDRHit& hit, const THitPlace& place);
    // Knobs are collected with the hit they edit.
    void drawVolumeKnob(QPainter& p, TDRHit& hit, const THitPlace& place, bool collect);
    void drawPanningKnob(QPainter& p, TDRHit& hit, const THitPlace& place, bool collect);
    // Last bar drawn: the view's last bar, not past the song's.
    int32_t lastVisibleBar() const;

    TPlocha& m_plocha;
    TBevelColors m_colors;
    QImage m_ruler;
    QImage m_timeStrip;
    QImage m_background;
    QImage m_rows;
    QImage m_panel;
};
