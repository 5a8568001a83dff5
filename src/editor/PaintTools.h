// Drawing helpers shared by the grid painter and the editor's overlays: the
// model's colours as QColor, the fonts of the grid, and line, box and text
// primitives with the grid's pixel conventions (a line's end point is not
// drawn; a box's right and bottom edges are exclusive).
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QPen>
#include <QString>
#include <cstdint>

class QPainter;

// A model colour, 0x00BBGGRR; a system colour (high byte 0x80) takes the
// palette's counterpart.
QColor toQColor(uint32_t color, const QPalette& palette = QPalette());

// The 3D colours of buttons and edges the ruler, time strip and row panel
// are drawn with.
struct TBevelColors {
    QColor Face;
    QColor Shadow;
    QColor Highlight;

    static TBevelColors fromPalette(const QPalette& palette);
};

// Point sizes are laid out at 96 dots per inch whatever the screen, so the
// grid looks the same on every display and in off-screen images.
int32_t pointsToPixels(int32_t points);
// "Arial", or the metric-compatible face the font configuration maps it to.
QFont arialFont(int32_t points, bool bold, bool italic);
// The toolkit's default face at a point size.
QFont defaultFaceFont(int32_t points, bool bold);

// Cosmetic 1-pixel pens.
QPen dottedPen(const QColor& color);
QPen dashDotPen(const QColor& color);

// Solid horizontal and vertical lines from the first point towards the
// second, the second not drawn (either direction).
void hLine(QPainter& p, int32_t x1, int32_t x2, int32_t y, const QColor& color);
void vLine(QPainter& p, int32_t x, int32_t y1, int32_t y2, const QColor& color);
// The same with a patterned pen (dotted lines).
void penHLine(QPainter& p, int32_t x1, int32_t x2, int32_t y, const QPen& pen);
void penVLine(QPainter& p, int32_t x, int32_t y1, int32_t y2, const QPen& pen);

// Fills x1..x2-1, y1..y2-1 (corners in either order).
void fillBox(QPainter& p, int32_t x1, int32_t y1, int32_t x2, int32_t y2, const QBrush& brush);
// A 1-pixel outline on x1..x2-1, y1..y2-1 with the inside filled; no brush
// style leaves the inside alone.
void outlinedBox(QPainter& p, int32_t x1, int32_t y1, int32_t x2, int32_t y2, const QColor& pen,
                 const QBrush& brush);
// A 3D frame: top and left edges in one colour, bottom and right in the other.
void frame3D(QPainter& p, int32_t x1, int32_t y1, int32_t x2, int32_t y2, const QColor& topLeft,
             const QColor& bottomRight);

// Text with its cell's top-left corner at (x, y), on the painter's current
// font and pen; with an opaque background the cell is filled first. Gives the
// text's width.
int32_t textAt(QPainter& p, int32_t x, int32_t y, const QString& text);
int32_t opaqueTextAt(QPainter& p, int32_t x, int32_t y, const QString& text,
                     const QColor& background);
