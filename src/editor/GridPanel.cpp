// TGridPainter: the row panel - a raised box per track with its colour and
// name, sunken boxes with the sample names of expanded tracks - and the
// marker of the hovered row.
#include "editor/GridPainter.h"

#include <QPainter>

namespace {

const QColor MutedGrey(128, 128, 128);

} // namespace

void TGridPainter::RenderPanel() {
    syncSizes();
    if ((m_plocha.Dirty & dfPanel) == 0) {
        return;
    }
    m_plocha.Dirty &= ~dfPanel;
    if (m_panel.isNull()) {
        return;
    }
    const TPlocha& pl = m_plocha;
    const int32_t width = pl.PanelWidth;
    QPainter p(&m_panel);
    p.fillRect(m_panel.rect(), m_colors.Face);
    const QFont groupFont = defaultFaceFont(8, true);
    const QFont sampleFont = defaultFaceFont(7, false);
    p.setPen(Qt::black);

    for (const auto& track : pl.Tracks) {
        const int32_t t = track->Top - pl.TopOffset;
        const int32_t u = track->Bottom - pl.TopOffset;
        frame3D(p, 0, t + 1, width - 2, u - 1, m_colors.Highlight, m_colors.Shadow);
        fillBox(p, 4, t + 4, 12, u - 4, toQColor(track->Color));
        if (track->Muted) {
            fillBox(p, 4, t + 4, width - 4, u - 3, MutedGrey);
        }
        p.setFont(groupFont);
        textAt(p, 14, t + 4, QString::fromStdString(track->Name));
        if (track->Collapsed) {
            continue;
        }
        p.setFont(sampleFont);
        for (const auto& row : track->Samples) {
            const int32_t r = row->Top - pl.TopOffset;
            if (!track->Muted) {
                frame3D(p, 16, r, width - 6, row->Bottom - pl.TopOffset - 4, m_colors.Shadow,
                        m_colors.Highlight);
            }
            textAt(p, 18, r + 1, QString::fromStdString(row->Name));
        }
    }
}

QRect TGridPainter::rowMarkerRect(TRowAddress row) const {
    const TPlocha& pl = m_plocha;
    if (row.Group < 0 || row.Group >= static_cast<int32_t>(pl.Tracks.size())) {
        return {};
    }
    const TDRPlTrack& track = *pl.Tracks[static_cast<size_t>(row.Group)];
    int32_t top = track.Top;
    int32_t height = track.Bottom - track.Top;
    if (!track.Collapsed) {
        height = track.Height;
        if (row.Sample >= 0 && row.Sample < static_cast<int32_t>(track.Samples.size())) {
            const TDRPlSample& sample = *track.Samples[static_cast<size_t>(row.Sample)];
            top = sample.Top;
            height = sample.Bottom - sample.Top;
        }
    }
    const int32_t markerTop = top + RulerHeight + (height - 6) / 2 - pl.TopOffset;
    return QRect(pl.PanelWidth - 12, markerTop, 6, 6);
}

void TGridPainter::drawRowMarker(QPainter& p, TRowAddress row) const {
    const QRect marker = rowMarkerRect(row);
    if (marker.isEmpty()) {
        return;
    }
    outlinedBox(p, marker.left(), marker.top(), marker.right() + 1, marker.bottom() + 1, Qt::black,
                m_colors.Face);
}
