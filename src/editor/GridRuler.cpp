// TGridPainter: the ruler (bar numbers, division marks, tempo labels) and the
// time strip (the start time of every visible bar).
#include "editor/GridPainter.h"
#include "model/SongModel.h"

#include <QPainter>

namespace {

const QColor TempoLabelColor(166, 202, 240);     // sky blue: the initial tempo
const QColor TempoChangeLabelColor(255, 0, 0);   // red: a tempo change
const QColor HighlightedTempoColor(255, 255, 0); // yellow: the tempo being edited

} // namespace

void TGridPainter::renderRuler() {
    TPlocha& pl = m_plocha;
    pl.TempoMarkX.clear();
    if (m_ruler.isNull()) {
        return;
    }
    QPainter p(&m_ruler);
    const int32_t width = pl.PaintWidth;
    p.fillRect(m_ruler.rect(), m_colors.Face);
    hLine(p, 1, width - 1, 15, m_colors.Shadow);
    vLine(p, 1, 15, 28, m_colors.Shadow);
    hLine(p, 1, width - 1, 29, m_colors.Highlight);
    if (pl.Song == nullptr) {
        return;
    }
    TDRComp& song = *pl.Song;

    const QFont barFont = arialFont(8, true, false);
    const QFont divisionFont = arialFont(6, false, true);
    const QFont tempoFont = arialFont(7, false, true);
    p.setPen(Qt::black);
    const int32_t last = lastVisibleBar();
    for (int32_t b = pl.FirstBar; b <= last; ++b) {
        const int32_t barX = (b - pl.FirstBar) * pl.BarPixels;
        vLine(p, barX, 17, 27, m_colors.Shadow);
        vLine(p, barX + 1, 17, 27, m_colors.Highlight);
        p.setFont(barFont);
        textAt(p, barX + 2, 15, QString::number(b));

        p.setFont(divisionFont);
        int32_t x = barX;
        for (int32_t k = 2; k <= pl.BarDivisionNumber; ++k) {
            x += pl.DivisionPixels;
            vLine(p, x - 1, 23, 27, m_colors.Shadow);
            vLine(p, x, 23, 27, m_colors.Highlight);
            textAt(p, x + 2, 19, QString::number(k));
        }

        p.setFont(tempoFont);
        if (b == 0 && song.InitialTempo) {
            TDRTempo& tempo = *song.InitialTempo;
            tempo.LabelWidth =
                opaqueTextAt(p, 0, 1, QString::number(tempo.Tempo),
                             tempo.Highlighted ? HighlightedTempoColor : TempoLabelColor);
        }
        for (const auto& change : song.Bar(b).TempoChanges) {
            change->LabelX = pl.TickToPixels(change->Tick) + barX;
            const int32_t textWidth =
                opaqueTextAt(p, change->LabelX, 1, QString::number(change->Tempo),
                             change->Highlighted ? HighlightedTempoColor : TempoChangeLabelColor);
            if (change->LabelWidth == 0) {
                change->LabelWidth = textWidth;
            }
            pl.TempoMarkX.push_back(change->LabelX);
        }
    }
}

void TGridPainter::renderTimeStrip() {
    if (m_timeStrip.isNull()) {
        return;
    }
    const TPlocha& pl = m_plocha;
    QPainter p(&m_timeStrip);
    const int32_t width = pl.PaintWidth;
    const int32_t bottom = TimeStripHeight - 1;
    fillBox(p, 0, 0, width - 1, bottom, m_colors.Face);
    hLine(p, 0, width - 1, 0, m_colors.Highlight);
    vLine(p, 0, 0, bottom, m_colors.Highlight);
    hLine(p, 0, width, bottom, m_colors.Shadow);
    vLine(p, width - 1, 0, TimeStripHeight, m_colors.Shadow);
    if (pl.Song == nullptr) {
        return;
    }

    p.setFont(arialFont(7, false, true));
    p.setPen(Qt::black);
    const int32_t last = lastVisibleBar();
    for (int32_t b = pl.FirstBar; b <= last; ++b) {
        const int32_t x = (b - pl.FirstBar) * pl.BarPixels;
        vLine(p, x - 1, 1, 13, m_colors.Shadow);
        vLine(p, x, 1, 13, m_colors.Highlight);
        textAt(p, x + 2, 1, barTimeText(pl.Song->Bar(b).StartMs));
    }
}
