// Drawing the grid's overlays and the strips they cover.
#include "editor/EditorOverlays.h"

#include "editor/PaintTools.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace {

const QColor Navy(0, 0, 128);
const QColor Teal(0, 128, 128);

class NotXorMode {
public:
    explicit NotXorMode(QPainter& p) : m_p(p) {
        m_p.save();
        m_p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
        m_p.setBrush(Qt::NoBrush);
    }
    ~NotXorMode() { m_p.restore(); }
    NotXorMode(const NotXorMode&) = delete;
    NotXorMode& operator=(const NotXorMode&) = delete;

private:
    QPainter& m_p;
};

QPen solidPen(const QColor& color) {
    QPen pen(color, 1, Qt::SolidLine);
    pen.setCosmetic(true);
    return pen;
}

} // namespace

QRect selectionBandRect(const TSelectionBand& band, int32_t firstBar, int32_t barPixels,
                        int32_t pixelOffset) {
    const int32_t anchorX = (band.AnchorFirstBar - firstBar) * barPixels + band.AnchorX +
                            band.AnchorPixelOffset - pixelOffset;
    // Corners as a rectangle's (left, top) and exclusive (right, bottom).
    const int32_t left = std::min(anchorX, band.Current.x());
    const int32_t top = std::min(band.AnchorY, band.Current.y());
    return QRect(left, top, std::abs(band.Current.x() - anchorX),
                 std::abs(band.Current.y() - band.AnchorY));
}

void drawPlayCursor(QPainter& p, int32_t x, int32_t gridHeight) {
    const NotXorMode mode(p);
    penVLine(p, x, 0, gridHeight, solidPen(Navy));
}

void drawCrosshair(QPainter& p, QPoint at, QSize grid) {
    const NotXorMode mode(p);
    const QPen pen = solidPen(Teal);
    penHLine(p, 0, grid.width(), at.y(), pen);
    penVLine(p, at.x(), 0, grid.height(), pen);
}

void drawSelectionBand(QPainter& p, const QRect& band) {
    if (band.isEmpty()) {
        return;
    }
    const NotXorMode mode(p);
    p.setPen(dashDotPen(Navy));
    p.drawRect(band.left(), band.top(), band.width() - 1, band.height() - 1);
}

QRegion playCursorStrip(int32_t x, int32_t gridHeight) {
    return QRegion(x, 0, 1, gridHeight);
}

QRegion crosshairStrips(QPoint at, QSize grid) {
    return QRegion(0, at.y(), grid.width(), 1) + QRegion(at.x(), 0, 1, grid.height());
}

QRegion selectionBandStrips(const QRect& band) {
    QRegion strips(band.left(), band.top(), band.width(), 1);
    strips += QRegion(band.left(), band.bottom(), band.width(), 1);
    strips += QRegion(band.left(), band.top(), 1, band.height());
    strips += QRegion(band.right(), band.top(), 1, band.height());
    return strips;
}
