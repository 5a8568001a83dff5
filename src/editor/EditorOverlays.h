// The transient overlays of the song editor's grid - play cursor,
// crosshair, rubber-band selection - drawn over the cached bitmaps in every
// paint, and the thin strips of the grid each one covers, so that moving an
// overlay repaints only what it leaves and what it enters.
#pragma once

#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <cstdint>

class QPainter;

// A rubber band being dragged. The anchor x is kept with the scroll position
// of the moment it was set, so it stays on its place in the song while the
// grid scrolls.
struct TSelectionBand {
    int32_t AnchorFirstBar = 0;
    int32_t AnchorX = 0;
    int32_t AnchorPixelOffset = 0;
    int32_t AnchorY = 0;
    QPoint Current;
};

// The band on screen, normalised, for the grid's scroll state now.
QRect selectionBandRect(const TSelectionBand& band, int32_t firstBar, int32_t barPixels,
                        int32_t pixelOffset);

// Each overlay is drawn in "not xor" mode: its colour on white, the inverse
// of its colour on black.
void drawPlayCursor(QPainter& p, int32_t x, int32_t gridHeight);
void drawCrosshair(QPainter& p, QPoint at, QSize grid);
void drawSelectionBand(QPainter& p, const QRect& band);

QRegion playCursorStrip(int32_t x, int32_t gridHeight);
QRegion crosshairStrips(QPoint at, QSize grid);
QRegion selectionBandStrips(const QRect& band);
