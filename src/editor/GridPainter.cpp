// TGridPainter: the bitmaps' sizes, the order of rebuilding, hit placement
// and copying the bitmaps to the screen.
#include "editor/GridPainter.h"

#include "model/SongModel.h"

#include <QPainter>
#include <QRegion>
#include <algorithm>

namespace {

// Resizes to w x h; a bitmap without pixels stays null. True when resized.
bool sizeImage(QImage& image, int32_t w, int32_t h) {
    w = std::max(w, 0);
    h = std::max(h, 0);
    if (image.width() == w && image.height() == h) {
        return false;
    }
    image = w > 0 && h > 0 ? QImage(w, h, QImage::Format_RGB32) : QImage();
    return true;
}

// Copies the part of the image placed at origin that lies within area.
QRect blit(QPainter& p, const QRect& area, QPoint origin, const QImage& image) {
    if (image.isNull()) {
        return {};
    }
    const QRect target = QRect(origin, image.size()) & area;
    if (!target.isEmpty()) {
        p.drawImage(target, image, target.translated(-origin));
    }
    return QRect(origin, image.size());
}

} // namespace

QString barTimeText(int32_t startMs) {
    const int32_t minutes = startMs / 60000;
    const int32_t tenths = (startMs % 60000) / 100;
    return QStringLiteral("%1:%2.%3").arg(minutes).arg(tenths / 10).arg(tenths % 10);
}

TGridPainter::TGridPainter(TPlocha& plocha)
    : m_plocha(plocha), m_colors(TBevelColors::fromPalette(QPalette())) {}

void TGridPainter::syncSizes() {
    const int32_t width = m_plocha.PaintWidth;
    const int32_t rowsHeight = m_plocha.GridHeight - RulerHeight - TimeStripHeight;
    // A bitmap that changes size holds no picture until it is drawn again.
    const bool rulerResized = sizeImage(m_ruler, width, RulerHeight);
    const bool stripResized = sizeImage(m_timeStrip, width, TimeStripHeight);
    if (rulerResized || stripResized) {
        m_plocha.Dirty |= dfRuler;
    }
    if (sizeImage(m_background, width, rowsHeight)) {
        m_plocha.Dirty |= dfBackground | dfHits;
    }
    if (sizeImage(m_rows, width, rowsHeight)) {
        m_plocha.Dirty |= dfHits;
    }
    if (sizeImage(m_panel, m_plocha.PanelWidth, m_plocha.GridHeight)) {
        m_plocha.Dirty |= dfPanel;
    }
}

void TGridPainter::Render() {
    syncSizes();
    if ((m_plocha.Dirty & dfBackground) != 0) {
        renderBackground();
        m_plocha.Dirty &= ~dfBackground;
    }
    // The rows use the tempo x positions the ruler collects, so the ruler
    // goes first.
    if ((m_plocha.Dirty & dfRuler) != 0) {
        renderRuler();
        renderTimeStrip();
        m_plocha.Dirty &= ~dfRuler;
    }
    if ((m_plocha.Dirty & dfHits) != 0) {
        renderRows();
        m_plocha.Dirty &= ~dfHits;
    }
}

int32_t TGridPainter::lastVisibleBar() const {
    const int32_t last = m_plocha.FirstBar + m_plocha.VisibleBars;
    return m_plocha.Song != nullptr ? std::min(last, m_plocha.Song->LastBar) : -1;
}

bool TGridPainter::placeHit(const TDRHit& hit, THitPlace& place) const {
    const auto& tracks = m_plocha.Tracks;
    if (hit.Group < 0 || hit.Group >= static_cast<int32_t>(tracks.size())) {
        return false;
    }
    const TDRPlTrack& track = *tracks[static_cast<size_t>(hit.Group)];
    if (hit.Sample < 0 || hit.Sample >= static_cast<int32_t>(track.Samples.size())) {
        return false;
    }
    const TDRPlSample& row = *track.Samples[static_cast<size_t>(hit.Sample)];
    // A collapsed track shows the hits of all its samples in its group row.
    const int32_t rowTop = track.Collapsed ? track.Top : row.Top;
    const int32_t rowBottom = track.Collapsed ? track.Bottom : row.Bottom;
    place.Track = &track;
    place.Row = &row;
    place.Top = rowTop + 1 - m_plocha.TopOffset;
    place.Bottom = rowBottom - m_plocha.TopOffset;
    place.X = m_plocha.TickToPixels(hit.StartTick) +
              (hit.StartBar - m_plocha.FirstBar) * m_plocha.BarPixels;
    place.X2 =
        m_plocha.TickToPixels(hit.EndTick) + (hit.EndBar - m_plocha.FirstBar) * m_plocha.BarPixels;
    return true;
}

void TGridPainter::drawGrid(QPainter& p, const QRect& area, int32_t pixelOffset,
                            int32_t gridHeight) const {
    QRegion uncovered(area);
    uncovered -= blit(p, area, {-pixelOffset, 0}, m_ruler);
    uncovered -= blit(p, area, {-pixelOffset, RulerHeight}, m_rows);
    uncovered -= blit(p, area, {-pixelOffset, gridHeight - TimeStripHeight}, m_timeStrip);
    // Only before the first relayout after a resize.
    for (const QRect& rect : uncovered) {
        p.fillRect(rect, m_colors.Face);
    }
}

void TGridPainter::drawPanel(QPainter& p, const QRect& area) const {
    QRegion uncovered(area);
    uncovered -= blit(p, area, {0, RulerHeight}, m_panel);
    for (const QRect& rect : uncovered) {
        p.fillRect(rect, m_colors.Face);
    }
}
