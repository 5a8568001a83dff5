// TGridPainter: the row background, the rows bitmap with tempo lines, hits
// and knobs, one track's band, and the outlines of dragged hits.
#include "editor/GridPainter.h"
#include "model/SongModel.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

const QColor LightStripe(240, 240, 240);
const QColor Grey(128, 128, 128);
const QColor Red(255, 0, 0);

// The knob's lift above the row's base line for a value fraction.
int32_t knobLift(int32_t rowHeight, double fraction) {
    return static_cast<int32_t>(std::trunc((rowHeight - 6) * fraction + 0.5));
}

// A corner mark of a selected hit: a rectangle drawn with a 3-pixel pen,
// which reaches one pixel beyond the 1-pixel outline on every side.
void cornerMark(QPainter& p, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    p.fillRect(QRect(QPoint(x1 - 1, y1 - 1), QPoint(x2, y2)), Qt::black);
}

} // namespace

void TGridPainter::renderBackground() {
    if (m_background.isNull()) {
        return;
    }
    const TPlocha& pl = m_plocha;
    QPainter p(&m_background);
    const int32_t width = pl.PaintWidth;
    p.fillRect(m_background.rect(), Qt::white);
    const QPen rowLine = dottedPen(Qt::black);
    const QPen centreLine = dottedPen(Red);

    for (size_t i = 0; i < pl.Tracks.size(); ++i) {
        const TDRPlTrack& track = *pl.Tracks[i];
        const int32_t top = track.Top - pl.TopOffset;
        const int32_t bottom = track.Bottom - pl.TopOffset;
        if (bottom < 0) {
            continue;
        }
        if (top > pl.GridHeight) {
            break;
        }
        outlinedBox(p, -1, top, width, bottom + 1, Qt::black,
                    i % 2 == 0 ? QColor(Qt::white) : LightStripe);
        if (track.PanningMode) {
            penHLine(p, 0, width, top + track.Height / 2, centreLine);
        }
        if (track.Collapsed) {
            continue;
        }
        for (const auto& row : track.Samples) {
            const int32_t rowTop = row->Top - pl.TopOffset;
            if (rowTop < 0) {
                continue;
            }
            penHLine(p, 0, width, rowTop, rowLine);
            if (track.PanningMode) {
                penHLine(p, 0, width, rowTop + track.Height / 2, centreLine);
            }
        }
    }

    const int32_t linesBottom = pl.Tracks.empty() ? 0 : pl.Tracks.back()->Bottom - pl.TopOffset;
    const QPen divisionLine = dottedPen(Grey);
    for (int32_t x = 0; x <= width;) {
        vLine(p, x, 0, linesBottom, Qt::black);
        for (int32_t k = 1; k < pl.BarDivisionNumber; ++k) {
            x += pl.DivisionPixels;
            penVLine(p, x, 0, linesBottom, divisionLine);
        }
        x += pl.DivisionPixels;
    }
}

void TGridPainter::renderRows() {
    m_plocha.Knobs.clear();
    if (m_rows.isNull()) {
        return;
    }
    // Same size and format: syncSizes keeps both bitmaps together.
    std::memcpy(m_rows.bits(), m_background.constBits(), m_rows.sizeInBytes());
    if (m_plocha.Tracks.empty()) {
        return;
    }
    QPainter p(&m_rows);
    drawRowsContent(p, -1, true);
}

QRect TGridPainter::RenderTrackRows(int32_t track) {
    const TPlocha& pl = m_plocha;
    if (track < 0 || track >= static_cast<int32_t>(pl.Tracks.size()) || m_rows.isNull() ||
        m_rows.size() != m_background.size()) {
        return {};
    }
    const TDRPlTrack& t = *pl.Tracks[static_cast<size_t>(track)];
    // Through the track's bottom line, where selection marks reach.
    const int32_t top = t.Top - pl.TopOffset + 1;
    const int32_t bottom = t.Bottom - pl.TopOffset;
    const QRect band = QRect(0, top, pl.PaintWidth, bottom - top + 1) & m_rows.rect();
    if (band.isEmpty()) {
        return band;
    }
    QPainter p(&m_rows);
    p.drawImage(band.topLeft(), m_background, band);
    p.setClipRect(band);
    drawRowsContent(p, track, false);
    return band;
}

void TGridPainter::drawRowsContent(QPainter& p, int32_t onlyTrack, bool collectKnobs) {
    const TPlocha& pl = m_plocha;
    for (int32_t x : pl.TempoMarkX) {
        vLine(p, x, 0, m_rows.height(), Red);
    }
    if (pl.Song == nullptr) {
        return;
    }
    TDRComp& song = *pl.Song;
    // A hit that starts up to MaxSpan bars before the view may still reach
    // into it.
    const int32_t first = std::max(pl.FirstBar - song.MaxSpan, 0);
    const int32_t last = lastVisibleBar();
    for (int32_t b = first; b <= last; ++b) {
        for (const auto& hit : song.Bar(b).StartingHits) {
            if (hit->EndBar < pl.FirstBar || (onlyTrack >= 0 && hit->Group != onlyTrack)) {
                continue;
            }
            drawHit(p, *hit, collectKnobs);
        }
    }
}

void TGridPainter::drawHit(QPainter& p, TDRHit& hit, bool collectKnobs) {
    THitPlace place;
    if (!placeHit(hit, place) || place.Top >= m_plocha.GridHeight || place.Bottom < 0) {
        return;
    }
    if (place.Track->VolumeMode) {
        drawVolumeKnob(p, hit, place, collectKnobs);
    } else if (place.Track->PanningMode) {
        drawPanningKnob(p, hit, place, collectKnobs);
    } else {
        drawStandardHit(p, hit, place);
    }
}

void TGridPainter::drawStandardHit(QPainter& p, const TDRHit& hit, const THitPlace& place) {
    const TPlocha& pl = m_plocha;
    const int32_t x = place.X;
    const int32_t x2 = place.X2;
    const int32_t top = place.Top;
    const int32_t bottom = place.Bottom;
    const QColor color = toQColor(place.Row->Color);

    if (hit.Cutter != nullptr || hit.FixedLength > 0) {
        // Coloured up to the cut, hatched from there to the natural end: the
        // rest reads as silenced.
        const int32_t cutX =
            pl.TickToPixels(hit.CutTick) + (hit.CutBar - pl.FirstBar) * pl.BarPixels;
        fillBox(p, x, top, cutX + 1, bottom, color);
        outlinedBox(p, x, top, x2, bottom, Qt::black, Qt::NoBrush);
        fillBox(p, cutX, top, x2 - 2, bottom - 1, QBrush(Grey, Qt::DiagCrossPattern));
    } else {
        outlinedBox(p, x, top, x2, bottom, Qt::black, color);
    }

    vLine(p, x + 1, bottom - 2, top + 1, Qt::white);
    hLine(p, x + 1, x2 - 1, top + 1, Qt::white);
    hLine(p, x + 1, x2 - 2, bottom - 2, Grey);
    vLine(p, x2 - 2, bottom - 2, top + 1, Grey);

    if (hit.Selected) {
        cornerMark(p, x - 1, top, x + 3, top + 3);
        cornerMark(p, x2 - 3, top, x2 + 1, top + 3);
        cornerMark(p, x - 1, bottom - 3, x + 3, bottom);
        cornerMark(p, x2 - 3, bottom - 3, x2 + 1, bottom);
    }
}

void TGridPainter::drawVolumeKnob(QPainter& p, TDRHit& hit, const THitPlace& place, bool collect) {
    const int32_t base = place.Bottom - 3;
    const int32_t knobY = base - knobLift(place.Track->Height, hit.Volume / 100.0);
    p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(place.X, base, place.X, knobY);
    p.setPen(QPen(toQColor(place.Row->Color), 7, Qt::SolidLine, Qt::RoundCap));
    p.drawPoint(place.X, knobY);
    if (collect) {
        m_plocha.Knobs.push_back(
            {place.X, knobY, hit.Group, hit.Sample, &hit, place.Top, place.Bottom});
    }
}

void TGridPainter::drawPanningKnob(QPainter& p, TDRHit& hit, const THitPlace& place, bool collect) {
    const int32_t base = place.Bottom - 3;
    // -100 puts the knob at the row's bottom, +100 at its top.
    const int32_t knobY = base - knobLift(place.Track->Height, (hit.Panning + 100) / 200.0);
    p.setPen(QPen(Red, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(place.X, base, place.X, place.Top + 3);
    p.setPen(QPen(Qt::black, 7, Qt::SolidLine, Qt::RoundCap));
    p.drawPoint(place.X, knobY);
    if (collect) {
        m_plocha.Knobs.push_back(
            {place.X, knobY, hit.Group, hit.Sample, &hit, place.Top, place.Bottom});
    }
}

void TGridPainter::DrawDraggedHits(QPainter& p, int32_t xOffset, int32_t yOffset,
                                   const std::vector<const TDRHit*>& hits) const {
    const TPlocha& pl = m_plocha;
    const int32_t lastBar = pl.FirstBar + pl.VisibleBars;
    const auto inView = [&](int32_t bar) { return bar >= pl.FirstBar && bar <= lastBar; };
    p.save();
    p.setPen(dottedPen(Qt::black));
    p.setBrush(Qt::NoBrush);
    for (const TDRHit* hit : hits) {
        THitPlace place;
        if (hit == nullptr || !(inView(hit->StartBar) || inView(hit->EndBar)) ||
            !placeHit(*hit, place)) {
            continue;
        }
        const int32_t top = place.Top + 1;
        const int32_t bottom = place.Bottom - 1;
        p.drawRect(place.X + xOffset, top + yOffset, place.X2 - place.X - 1, bottom - top - 1);
    }
    p.restore();
}
