// TDrumsUI: the paint handlers of the grid and the row panel, and the
// overlays - play cursor, crosshair, hovered-row marker, selection band,
// dragged hits - each repainting only the strips it leaves and enters.
#include "editor/DrumsUI.h"
#include "editor/DrumsUIViews.h"

#include <QMouseEvent>
#include <QPainter>

// --- Paint handlers ------------------------------------------------------------------

void TDrumsUI::paintGrid(QPainter& p, const QRegion& region) {
    TPlocha& pl = m_editor->Plocha;
    // A full rows rebuild covers a pending single-track refresh.
    if ((pl.Dirty & dfHits) != 0) {
        m_pendingTrack = -1;
    }
    m_painter->Render();
    if (m_pendingTrack >= 0) {
        m_painter->RenderTrackRows(m_pendingTrack);
        m_pendingTrack = -1;
    }
    const int32_t pixelOffset = m_editor->PixelOffset();
    for (const QRect& rect : region) {
        m_painter->drawGrid(p, rect, pixelOffset, m_grid->height());
    }
    if (!m_dragged.empty()) {
        m_painter->DrawDraggedHits(p, -pixelOffset, RulerHeight, m_dragged);
    }
    if (m_crosshair.x() >= 0) {
        drawCrosshair(p, m_crosshair, m_grid->size());
    }
    if (m_band) {
        drawSelectionBand(p, bandOnScreen());
    }
    if (m_cursorX >= 0) {
        drawPlayCursor(p, m_cursorX, m_grid->height());
    }
}

void TDrumsUI::paintRowPanel(QPainter& p, const QRegion& region) {
    m_painter->RenderPanel();
    for (const QRect& rect : region) {
        m_painter->drawPanel(p, rect);
    }
    m_painter->drawRowMarker(p, m_hoveredRow);
}

// --- Play cursor ---------------------------------------------------------------------

void TDrumsUI::DrawCursor(int32_t x) {
    if (m_cursorSuppressed || x == m_cursorX) {
        return;
    }
    QRegion strips = playCursorStrip(x, m_grid->height());
    if (m_cursorX >= 0) {
        strips += playCursorStrip(m_cursorX, m_grid->height());
    }
    m_cursorX = x;
    m_grid->update(strips);
}

void TDrumsUI::EraseCursor() {
    if (m_cursorX == -1 || m_cursorSuppressed) {
        return;
    }
    m_grid->update(playCursorStrip(m_cursorX, m_grid->height()));
    m_cursorX = -1;
}

// --- Crosshair and hovered row ---------------------------------------------------------

void TDrumsUI::SetTargetCursor(bool on) {
    m_targetCursor = on;
    if (!on) {
        EraseCrosshair();
    }
}

void TDrumsUI::EraseCrosshair() {
    if (m_crosshair.x() < 0) {
        return;
    }
    m_grid->update(crosshairStrips(m_crosshair, m_grid->size()));
    m_crosshair = {-1, -1};
}

void TDrumsUI::SetHoveredRow(TRowAddress row) {
    if (row == m_hoveredRow) {
        return;
    }
    m_rowPanel->update(m_painter->rowMarkerRect(m_hoveredRow));
    m_hoveredRow = row;
    m_rowPanel->update(m_painter->rowMarkerRect(m_hoveredRow));
}

void TDrumsUI::trackPointer(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    EraseCrosshair();
    if (m_targetCursor && at.y() > RulerHeight) {
        m_crosshair = at;
        m_grid->update(crosshairStrips(at, m_grid->size()));
    }
    SetHoveredRow(RowAtGridY(at.y()));
}

void TDrumsUI::RowPanelMouseMove(QMouseEvent* /*event*/) {
    EraseCrosshair();
    SetHoveredRow({});
}

// --- Overlays of mouse editing ---------------------------------------------------------

QRect TDrumsUI::bandOnScreen() const {
    return selectionBandRect(*m_band, m_editor->FirstBar(), m_editor->Plocha.BarPixels,
                             m_editor->PixelOffset());
}

void TDrumsUI::SetSelectionBand(const TSelectionBand& band) {
    QRegion strips;
    if (m_band) {
        strips += selectionBandStrips(bandOnScreen());
    }
    m_band = band;
    strips += selectionBandStrips(bandOnScreen());
    m_grid->update(strips);
}

void TDrumsUI::ClearSelectionBand() {
    if (!m_band) {
        return;
    }
    m_grid->update(selectionBandStrips(bandOnScreen()));
    m_band.reset();
}

void TDrumsUI::SetDraggedHits(std::vector<const TDRHit*> hits) {
    // Outlines may be anywhere in the rows; the grid is repainted whole.
    m_dragged = std::move(hits);
    m_grid->update();
}

void TDrumsUI::RefreshTrackBand(int32_t track) {
    const TPlocha& pl = m_editor->Plocha;
    if (track < 0 || track >= static_cast<int32_t>(pl.Tracks.size())) {
        return;
    }
    if (m_pendingTrack >= 0 && m_pendingTrack != track) {
        // One band is refreshed at a time; two take the whole rows bitmap.
        m_editor->InvalidateView(dfHits);
        return;
    }
    m_pendingTrack = track;
    const TDRPlTrack& t = *pl.Tracks[static_cast<size_t>(track)];
    const int32_t top = RulerHeight + t.Top - pl.TopOffset + 1;
    m_grid->update(QRect(0, top, m_grid->width(), t.Bottom - t.Top));
}
